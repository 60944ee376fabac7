#include "app/ConsoleMessageService.h"

#include <QApplication>
#include <cstdio>

int32_t ConsoleMessageService::Show(const QString& prompt, int32_t buttons, const QString& title) {
    const QString caption = title.isEmpty() ? QApplication::applicationName() : title;
    std::fprintf(stderr, "%s: %s\n", qPrintable(caption), qPrintable(prompt));
    switch (buttons & 7) {
    case MsgBoxStyle::YesNoCancel:
        return MsgBoxResult::Cancel;
    case MsgBoxStyle::YesNo:
        return MsgBoxResult::No;
    default:
        return MsgBoxResult::OK;
    }
}
