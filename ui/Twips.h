#pragma once

#include <QRect>
#include <QSize>

class QWidget;

// Window and control geometry is given in twips (1/1440 inch): 15 twips a pixel at
// 96 dpi. Every position goes through these helpers.
constexpr int TwipsToPixels(int twips) { return (twips + (twips >= 0 ? 7 : -7)) / 15; }
constexpr int PixelsToTwips(int pixels) { return pixels * 15; }

QRect TwipsRect(int left, int top, int width, int height);
QSize TwipsSize(int width, int height);
void PlaceInTwips(QWidget* widget, int left, int top, int width, int height);
