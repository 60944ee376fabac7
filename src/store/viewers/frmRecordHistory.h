#pragma once

#include "store/data/ErrorState.h"

#include <QDialog>
#include <cstdint>

class CStoreMaint;
class FlexGrid;
class QPushButton;

// The changes of one record (its table and key), or of everything in a store, read-only and newest first:
// who changed what and when, each changed column's old and new value side by side.
class frmRecordHistory : public QDialog {
    Q_OBJECT
public:
    struct Record {
        int32_t storeNo = 0;
        QString table;     // empty: every table of the store
        QString recordKey; // its key columns joined by "/"
        QString caption;
    };

    // A record of a store: its key without the store (such as "100/2"), its kind of record for the caption.
    static Record Of(int32_t storeNo, const QString& table, const QString& name, const QString& key) {
        return {storeNo, table, QString::number(storeNo) + QLatin1Char('/') + key,
                name + QLatin1Char(' ') + key};
    }

    explicit frmRecordHistory(QWidget* parent = nullptr);

    // Reads the changes; false, with the failure reported, when they cannot be read.
    bool Setup(CStoreMaint& service, const Record& record);
    // Shows the changes of the record over owner until the user closes them.
    static void ShowFor(QWidget* owner, CStoreMaint& service, const Record& record);

    FlexGrid* gdChanges;
    QPushButton* cmdClose;

private:
    ErrorState m_errors{QStringLiteral("frmRecordHistory")};
};
