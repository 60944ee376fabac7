#include "widgets/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace {
constexpr double TwipsPerInch = 1440;
}

double LogicalDpi(const QWidget* widget) {
    const QScreen* screen = widget ? widget->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInch() : 96.0;
}

int TwipsToPixels(double twips, const QWidget* widget) {
    return int(std::lround(twips * LogicalDpi(widget) / TwipsPerInch));
}

double PixelsToTwips(int pixels, const QWidget* widget) {
    return pixels * TwipsPerInch / LogicalDpi(widget);
}

QRect TwipsRect(double left, double top, double width, double height, const QWidget* widget) {
    return QRect(TwipsToPixels(left, widget), TwipsToPixels(top, widget), TwipsToPixels(width, widget),
                 TwipsToPixels(height, widget));
}
