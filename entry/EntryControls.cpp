#include "entry/EntryControls.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QSignalBlocker>
#include <QTableView>

#include "entry/WrappingCheckBox.h"
#include "ui/Controls.h"

QComboBox* MakeTimeBox(QWidget* parent, const char* name, const QString& spoken, const QFont& font) {
  auto* box = new QComboBox(parent);
  box->setObjectName(name);
  box->setAccessibleName(spoken);
  // On Linux a combo box is spoken by its text; the description says which box it is.
  box->setAccessibleDescription(spoken);
  box->setFont(font);
  box->setEditable(true);
  // The boxes take any typed text and keep their lists as loaded; nothing completes.
  box->setInsertPolicy(QComboBox::NoInsert);
  box->setCompleter(nullptr);
  box->setEnabled(false);
  // A narrow arrow leaves the small box room for two digits.
  box->setStyleSheet("QComboBox { padding-left: 1px; } QComboBox::drop-down { width: 11px; }");
  return box;
}

void FillNumbers(QComboBox* box, int count, const QString& placeholder) {
  const QSignalBlocker quiet(box);
  box->clear();
  for (int n = 0; n < count; ++n) box->addItem(QString::number(n));
  box->setCurrentIndex(-1);
  box->setEditText(placeholder);
}

WrappingCheckBox* MakeTaskCheckBox(QWidget* parent) {
  auto* box = new WrappingCheckBox("&And Launch this program(optional) :", parent);
  box->setObjectName("chkTask");
  box->setAccessibleName("And Launch this program (optional)");
  box->setFont(PointFont("Verdana", 8.25));
  box->setEnabled(false);
  return box;
}

QLabel* MakePathLabel(QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName("lblPath");
  label->setTextFormat(Qt::PlainText);  // a path is never markup, whatever its characters
  label->setFont(PointFont("Times New Roman", 6.75));
  label->setFrameShape(QFrame::Panel);
  label->setFrameShadow(QFrame::Sunken);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setWordWrap(true);
  label->setEnabled(false);
  return label;
}

QDate ToQDate(std::chrono::year_month_day date) {
  return QDate(static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
               static_cast<int>(static_cast<unsigned>(date.day())));
}

std::chrono::year_month_day FromQDate(const QDate& date) {
  using namespace std::chrono;
  return year{date.year()} / month{static_cast<unsigned>(date.month())} / day{static_cast<unsigned>(date.day())};
}

void FitDayColumns(QCalendarWidget* calendar) {
  if (auto* days = calendar->findChild<QTableView*>("qt_calendar_calendarview")) {
    days->horizontalHeader()->setMinimumSectionSize(1);
    days->verticalHeader()->setMinimumSectionSize(1);
  }
}
