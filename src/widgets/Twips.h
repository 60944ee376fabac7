#pragma once

#include <QRect>

class QWidget;

// Form geometry is given in twips: 15 twips to the pixel at 96 dpi, scaled by the screen's logical dpi (the
// widget's screen, else the primary screen).
double LogicalDpi(const QWidget* widget = nullptr);
int TwipsToPixels(double twips, const QWidget* widget = nullptr);
double PixelsToTwips(int pixels, const QWidget* widget = nullptr);
// A rectangle given as left, top, width and height in twips.
QRect TwipsRect(double left, double top, double width, double height, const QWidget* widget = nullptr);
