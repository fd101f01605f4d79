#include "ui/Controls.h"

#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <utility>

namespace {

// Each face the windows were designed with, and the scalable face that stands in for it:
// of about its widths, and a dependency of the package. Liberation has Arial's and Times
// New Roman's metrics; DejaVu Sans is about as wide as Verdana, DejaVu Sans Condensed as
// Tahoma; MS Sans Serif, a bitmap face near Arial's widths, takes Liberation Sans. The
// stand-in comes first even where the designed face is installed, so that the windows
// look alike everywhere; where it is missing (Windows) the designed face follows, and
// for the bitmap one its outline successor.
const std::pair<const char*, QStringList> kStandIns[] = {
    {"MS Sans Serif", {"Liberation Sans", "Microsoft Sans Serif"}},
    {"Arial", {"Liberation Sans", "Arial"}},
    {"Tahoma", {"DejaVu Sans Condensed", "Tahoma"}},
    {"Verdana", {"DejaVu Sans", "Verdana"}},
    {"Times New Roman", {"Liberation Serif", "Times New Roman"}},
};

}  // namespace

QFont PointFont(const QString& family, double points, bool bold) {
  QFont font;
  font.setFamilies({family});
  for (const auto& [designed, faces] : kStandIns)
    if (family == QLatin1String(designed)) font.setFamilies(faces);
  // Never a bitmap face of a matching name: it neither scales nor has a bold.
  font.setStyleStrategy(QFont::PreferOutline);
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

namespace {

template <class Control>
Control* MakeNamed(QWidget* parent, const char* name, const QString& caption, const QString& spoken,
                   const QFont& font) {
  auto* control = new Control(caption, parent);
  control->setObjectName(name);
  control->setAccessibleName(spoken);
  control->setFont(font);
  return control;
}

}  // namespace

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, const QString& spoken,
                        const QFont& font) {
  return MakeNamed<QPushButton>(parent, name, caption, spoken, font);
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& caption, const QString& spoken, const QFont& font) {
  auto* label = MakeNamed<QLabel>(parent, name, caption, spoken, font);
  // Labels show folders and reminders' texts, which are never markup, whatever their characters.
  label->setTextFormat(Qt::PlainText);
  return label;
}

void SetUpWindow(QWidget* window, const char* name, const QString& title, const QString& spoken) {
  window->setObjectName(name);
  // The windows' own default, which their controls take where no font is given.
  window->setFont(PointFont("MS Sans Serif", 8.25));
  if (!title.isEmpty()) window->setWindowTitle(title);
  if (!spoken.isEmpty()) window->setAccessibleName(spoken);
  window->setAttribute(Qt::WA_DeleteOnClose);
}

void FixWindowSize(QWidget* window, Qt::WindowType kind, const QSize& size) {
  window->setWindowFlags(kind | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  window->setFixedSize(size);
}
