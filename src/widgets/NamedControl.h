#pragma once

#include <QLatin1String>
#include <QString>
#include <utility>

// A control carrying its name, so that tests and the forms' focus moves find it by name.
template <typename Widget, typename... Args> Widget* NamedControl(const char* name, Args&&... args) {
    auto* widget = new Widget(std::forward<Args>(args)...);
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// The narrow "..." button beside a value that opens a picker for it.
template <typename Button> Button* PickerButton(const char* name) {
    auto* button = NamedControl<Button>(name, QStringLiteral("..."));
    button->setFixedWidth(button->fontMetrics().horizontalAdvance(button->text()) + 24);
    return button;
}
