#include "manager/frmLegend.h"

#include <QLabel>

#include "ui/Controls.h"
#include "ui/Twips.h"

namespace {
// A centred, wrapped line of the legend, in the form's font until it is given its own.
QLabel* MakeLegendLine(QWidget* parent, const char* name, const QString& text) {
  QLabel* label = MakeLabel(parent, name, text, text, parent->font());
  label->setAlignment(Qt::AlignCenter);
  label->setWordWrap(true);
  return label;
}
}  // namespace

frmLegend::frmLegend() : QWidget(nullptr, Qt::Tool) {
  SetUpWindow(this, "frmLegend", "Legend", "Legend");
  setFixedSize(TwipsSize(2100, 2415));
  // The form's font was never changed from the designer's default; Label3 takes it.
  setFont(PointFont("MS Sans Serif", 8.25));
  BuildControls();
}

void frmLegend::BuildControls() {
  QFont expired = PointFont("MS Sans Serif", 8.25);
  expired.setStrikeOut(true);
  QLabel* label1 = MakeLegendLine(this, "Label1", "12:00:00 AM Represents expired reminder");
  label1->setFont(expired);
  PlaceInTwips(label1, 120, 120, 2010, 555);

  QLabel* label2 = MakeLegendLine(this, "Label2", "12:00:00 AM Represents today's reminder");
  label2->setFont(PointFont("MS Sans Serif", 8.25, true));
  PlaceInTwips(label2, 120, 840, 1935, 615);

  QLabel* label3 = MakeLegendLine(this, "Label3", "12:00:00 AM Represents new reminders but not today");
  QPalette blueOnWhite = label3->palette();
  blueOnWhite.setColor(QPalette::WindowText, QColor(0, 0, 255));
  blueOnWhite.setColor(QPalette::Window, QColor(255, 255, 255));
  label3->setPalette(blueOnWhite);
  label3->setAutoFillBackground(true);
  PlaceInTwips(label3, 120, 1680, 1935, 615);
}
