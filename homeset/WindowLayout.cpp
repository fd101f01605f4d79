#include "homeset/WindowLayout.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QWidget>
#include <QWindow>

QSize SizeOfTwips(int width, int height) { return {PixelsOfTwips(width), PixelsOfTwips(height)}; }

void PlaceTwips(QWidget* widget, int left, int top, int width, int height) {
  widget->setGeometry(PixelsOfTwips(left), PixelsOfTwips(top), PixelsOfTwips(width), PixelsOfTwips(height));
}

void SetUpFixedWindow(QWidget* window, const char* name, const QString& title, int widthTwips, int heightTwips) {
  window->setObjectName(name);
  // The windows' own default, which their controls take where no font is given.
  window->setFont(FontOfPoints("MS Sans Serif", 8.25));
  window->setWindowTitle(title);
  window->setAccessibleName(title);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint);
  window->setFixedSize(SizeOfTwips(widthTwips, heightTwips));
}

QLabel* MakePathLabel(QWidget* parent, const QString& spoken, const QString& description) {
  auto* label = MakeNamed<QLabel>(parent, "lblPath", spoken);
  label->setFrameStyle(QFrame::Box | QFrame::Plain);
  label->setTextFormat(Qt::PlainText);
  label->setAccessibleDescription(description);
  return label;
}

QFont FontOfPoints(const QString& family, double points) {
  // The scalable faces of about the designed widths that the package depends on, first
  // everywhere; the designed face where they are missing (Windows), for the bitmap MS
  // Sans Serif its outline successor.
  QFont font;
  font.setFamilies({family});
  if (family == QLatin1String("Verdana")) font.setFamilies({"DejaVu Sans", "Verdana"});
  if (family == QLatin1String("MS Sans Serif")) font.setFamilies({"Liberation Sans", "Microsoft Sans Serif"});
  font.setStyleStrategy(QFont::PreferOutline);
  font.setPointSizeF(points);
  return font;
}

void FitTextToBox(QLabel* label) {
  constexpr double kSmallest = 6.0;
  QFont font = label->font();
  while (label->heightForWidth(label->width()) > label->height() && font.pointSizeF() > kSmallest) {
    font.setPointSizeF(font.pointSizeF() - 0.25);
    label->setFont(font);
  }
}

void ShowPathIn(QLabel* label, const QString& path) {
  const QFontMetrics metrics = label->fontMetrics();
  // A framed label without an indent of its own sets its text in by half an "x".
  const int indent = label->indent() >= 0      ? label->indent()
                     : label->frameWidth() > 0 ? metrics.horizontalAdvance('x') / 2
                                               : 0;
  const int room = label->contentsRect().width() - 2 * label->margin() - indent;
  label->setText(metrics.elidedText(path, Qt::ElideMiddle, room));
  label->setAccessibleName(path);
}

void SetOwnerWindow(QWidget* window, QWidget* owner) {
  if (!owner) return;
  window->winId();  // makes the native window whose owner is set
  if (window->windowHandle() && owner->windowHandle())
    window->windowHandle()->setTransientParent(owner->windowHandle());
}

void CentreOver(QWidget* window, QWidget* over) {
  QRect area;
  if (over) {
    area = over->frameGeometry();
  } else {
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    area = screen->availableGeometry();
  }
  QRect frame = window->frameGeometry();
  frame.moveCenter(area.center());
  window->move(frame.topLeft());
}
