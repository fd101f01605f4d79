#include "ui/Twips.h"

#include <QWidget>

QRect TwipsRect(int left, int top, int width, int height) {
  return {TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height)};
}

QSize TwipsSize(int width, int height) { return {TwipsToPixels(width), TwipsToPixels(height)}; }

void PlaceInTwips(QWidget* widget, int left, int top, int width, int height) {
  widget->setGeometry(TwipsRect(left, top, width, height));
}
