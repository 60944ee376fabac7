#pragma once

#include <QLatin1String>
#include <utility>

// A control carrying its name, so that tests and the forms' focus moves find it by name.
template <typename Widget, typename... Args> Widget* NamedControl(const char* name, Args&&... args) {
    auto* widget = new Widget(std::forward<Args>(args)...);
    widget->setObjectName(QLatin1String(name));
    return widget;
}
