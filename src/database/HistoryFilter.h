#pragma once

#include <QDate>
#include <QString>
#include <optional>

// Which changes of the history to show; an empty part does not filter.
struct HistoryFilter {
    std::optional<int> storeNo;
    QString user;
    QString table;
    QString recordKey;
    QDate from; // the first day shown
    QDate to;   // the last day shown
};
