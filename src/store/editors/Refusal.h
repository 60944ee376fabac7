#pragma once

#include <QString>
#include <cstdint>
#include <optional>

class QWidget;

// A save refused before anything is written: the message, its caption and flags, and the control (and
// tab page, where there is one) that gets the focus so the user can put it right.
struct Refusal {
    QString text;
    QString caption;
    int32_t buttons = 0;
    QString focus;
    QString tabKey;
};
using CheckResult = std::optional<Refusal>;

// Shows the message and moves the focus to the named control of the form.
void ShowRefusal(QWidget* form, const Refusal& refusal);
