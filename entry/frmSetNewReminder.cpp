#include "entry/frmSetNewReminder.h"

#include <algorithm>

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "entry/EntryControls.h"
#include "entry/ReminderEntry.h"
#include "entry/ReminderSave.h"
#include "entry/WrappingCheckBox.h"
#include "ui/Controls.h"
#include "ui/QtText.h"
#include "ui/Twips.h"
#include "ui/WidgetEvents.h"
#include "ui/WindowPlacement.h"

using namespace std::chrono;

namespace {

// Fonts are made once the application exists, never at start-up.
QFont Verdana() { return PointFont("Verdana", 8.25); }

const QString kBrowseFilter = QStringLiteral("Program files|*.exe|Batch Files|*.bat|All Files|*.*");

// The calendar's own navigation controls carry no names a screen reader could speak.
void NameCalendarParts(QCalendarWidget* calendar) {
  const std::pair<const char*, const char*> parts[] = {{"qt_calendar_prevmonth", "Previous month"},
                                                       {"qt_calendar_nextmonth", "Next month"},
                                                       {"qt_calendar_monthbutton", "Month"},
                                                       {"qt_calendar_yearbutton", "Year"},
                                                       {"qt_calendar_yearedit", "Year"}};
  for (const auto& [name, spoken] : parts)
    if (auto* part = calendar->findChild<QWidget*>(name)) part->setAccessibleName(spoken);
}

std::u16string TextOf(const QComboBox* box) { return box->currentText().toStdU16String(); }

}  // namespace

frmSetNewReminder::frmSetNewReminder(Append append, Services& services, QWidget* owner)
    : QDialog(nullptr), append_(std::move(append)), services_(services) {
  SetUpWindow(this, "frmSetNewReminder", "Set Up New Reminder", "Set Up New Reminder");
  FixWindowSize(this, Qt::Dialog, TwipsSize(4680, 4740));
  setFont(PointFont("Tahoma", 8.25));

  BuildControls();
  SetTabOrder();
  Form_Load();
  ConnectHandlers();
  SetOwner(this, owner);
  txtAbout_->setFocus();
}

void frmSetNewReminder::BuildControls() {
  const QFont verdana = PointFont("Verdana", 8.25);
  fraSet_ = new QGroupBox("Set Reminder time and date", this);
  fraSet_->setObjectName("fraSet");
  fraSet_->setAccessibleName("Set Reminder time and date");
  fraSet_->setFont(PointFont("MS Sans Serif", 8.25));
  PlaceInTwips(fraSet_, 80, 0, 4575, 4260);

  lblAbout_ = MakeLabel(fraSet_, "lblAbout", "Remind about:", "Remind about:", verdana);
  PlaceInTwips(lblAbout_, 120, 240, 1260, 195);
  lblAbout_->adjustSize();
  txtAbout_ = new QLineEdit(fraSet_);
  txtAbout_->setObjectName("txtAbout");
  txtAbout_->setAccessibleName("Remind about");
  txtAbout_->setFont(verdana);
  txtAbout_->setMaxLength(80);
  PlaceInTwips(txtAbout_, 1560, 240, 2895, 285);

  lblDate_ = MakeLabel(fraSet_, "lblDate", "Date:", "Date:", verdana);
  PlaceInTwips(lblDate_, 240, 720, 495, 255);
  Calendar_ = new QCalendarWidget(fraSet_);
  Calendar_->setObjectName("Calendar");
  Calendar_->setAccessibleName("Date");
  Calendar_->setFont(PointFont("Tahoma", 8.25));
  // The month calendar shows no week numbers; one-letter day names fit its width.
  Calendar_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
  Calendar_->setHorizontalHeaderFormat(QCalendarWidget::SingleLetterDayNames);
  PlaceInTwips(Calendar_, 1560, 600, 2895, 2175);
  NameCalendarParts(Calendar_);
  FitDayColumns(Calendar_);
  lblAbout_->setBuddy(txtAbout_);
  lblDate_->setBuddy(Calendar_);

  BuildTimeBoxes();
  BuildTaskControls();

  cmdSetReminder_ = MakeButton(this, "cmdSetReminder", "&Set Reminder", "Set Reminder", Verdana());
  PlaceInTwips(cmdSetReminder_, 120, 4320, 1455, 375);
  cmdSetReminder_->setEnabled(false);
  cmdCancel_ = MakeButton(this, "cmdCancel", "&Cancel", "Cancel", Verdana());
  PlaceInTwips(cmdCancel_, 3180, 4320, 1455, 375);
  // Enter presses Cancel (the default button); Esc cancels through the dialog.
  cmdCancel_->setDefault(true);
}

void frmSetNewReminder::BuildTimeBoxes() {
  const QFont sansSerif = PointFont("MS Sans Serif", 8.25);
  lblTime_ = MakeLabel(fraSet_, "lblTime", "Time:(24 Hr format)", "Time:(24 Hr format)", PointFont("Verdana", 8.25));
  PlaceInTwips(lblTime_, 120, 2760, 1740, 195);
  lblTime_->adjustSize();
  // Designed a pixel into the calendar: the stand-in font's parentheses would touch it.
  lblTime_->move(lblTime_->x(), std::max(lblTime_->y(), Calendar_->geometry().bottom() + 1));
  cboHH_ = MakeTimeBox(fraSet_, "cboHH", "Hour", sansSerif);
  PlaceInTwips(cboHH_, 2160, 2760, 495, 315);
  lblTime_->setBuddy(cboHH_);
  cboMM_ = MakeTimeBox(fraSet_, "cboMM", "Minute", PointFont("Tahoma", 8.25));
  PlaceInTwips(cboMM_, 3000, 2760, 555, 315);
  cboSS_ = MakeTimeBox(fraSet_, "cboSS", "Second", PointFont("Tahoma", 8.25));
  PlaceInTwips(cboSS_, 3840, 2760, 495, 315);

  const int sepLeft[2] = {2400, 3120};
  const int sepWidth[2] = {45, 165};
  for (int i = 0; i < 2; ++i) {
    lblsep_[i] = MakeLabel(fraSet_, "lblsep", ":", ":", sansSerif);
    lblsep_[i]->setProperty("Index", i);
    lblsep_[i]->setAccessibleName("Time separator");
    PlaceInTwips(lblsep_[i], sepLeft[i], 3840, sepWidth[i], 195);
  }
}

void frmSetNewReminder::BuildTaskControls() {
  chkTask_ = MakeTaskCheckBox(fraSet_);
  PlaceInTwips(chkTask_, 120, 3120, 2175, 375);
  chkTask_->GrowToText();

  cmdBrowse_ = MakeButton(fraSet_, "cmdBrowse", "&Browse...", "Browse", Verdana());
  PlaceInTwips(cmdBrowse_, 3240, 3120, 1215, 375);
  cmdBrowse_->setEnabled(false);

  lblPath_ = MakePathLabel(fraSet_);
  // An opaque label, as the separators' spot lies inside it.
  lblPath_->setAutoFillBackground(true);
  PlaceInTwips(lblPath_, 120, 3600, 4335, 615);
  lblPath_->raise();
  SetPathCaption(FromStd(kPathPlaceholder));
}

void frmSetNewReminder::SetTabOrder() {
  setTabOrder(txtAbout_, Calendar_);
  setTabOrder(Calendar_, cboHH_);
  setTabOrder(cboHH_, cboMM_);
  setTabOrder(cboMM_, cboSS_);
  setTabOrder(cboSS_, chkTask_);
  setTabOrder(chkTask_, cmdBrowse_);
  setTabOrder(cmdBrowse_, cmdSetReminder_);
  setTabOrder(cmdSetReminder_, cmdCancel_);
}

void frmSetNewReminder::ConnectHandlers() {
  OnKeyUp(txtAbout_, [this] { txtAbout_KeyUp(); });
  connect(cboHH_, &QComboBox::activated, this, &frmSetNewReminder::cboHH_Click);
  connect(cboHH_, &QComboBox::editTextChanged, this, &frmSetNewReminder::cboHH_Change);
  OnKeyUp(cboHH_, [this] { cboHH_KeyUp(); });
  connect(cboMM_, &QComboBox::activated, this, &frmSetNewReminder::cboMM_Click);
  connect(cboMM_, &QComboBox::editTextChanged, this, &frmSetNewReminder::cboMM_Change);
  OnKeyUp(cboMM_, [this] { cboMM_KeyUp(); });
  connect(cboSS_, &QComboBox::activated, this, &frmSetNewReminder::cboSS_Click);
  connect(cboSS_, &QComboBox::editTextChanged, this, &frmSetNewReminder::cboSS_Change);
  // Ticking the box by hand or from code runs its Click handler.
  connect(chkTask_, &QCheckBox::toggled, this, &frmSetNewReminder::chkTask_Click);
  connect(cmdBrowse_, &QPushButton::clicked, this, &frmSetNewReminder::cmdBrowse_Click);
  connect(cmdSetReminder_, &QPushButton::clicked, this, &frmSetNewReminder::cmdSetReminder_Click);
  connect(cmdCancel_, &QPushButton::clicked, this, &frmSetNewReminder::cmdCancel_Click);
}

void frmSetNewReminder::Form_Load() {
  Calendar_->setSelectedDate(ToQDate(DateOf(services_.clock.Now())));
  FillNumbers(cboHH_, 24, "HH");
  FillNumbers(cboMM_, 60, "MM");
  FillNumbers(cboSS_, 60, "SS");
}

void frmSetNewReminder::txtAbout_KeyUp() {
  // Blanks count as text.
  const bool hasText = !txtAbout_->text().isEmpty();
  cboHH_->setEnabled(hasText);
  chkTask_->setEnabled(hasText);
}

void frmSetNewReminder::cboHH_Click() { cboMM_->setEnabled(true); }

void frmSetNewReminder::cboHH_Change() {
  if (!cboHH_->currentText().isEmpty()) cboMM_->setEnabled(true);
}

void frmSetNewReminder::cboHH_KeyUp() { cboMM_->setEnabled(!cboHH_->currentText().isEmpty()); }

void frmSetNewReminder::cboMM_Click() { cboSS_->setEnabled(true); }

void frmSetNewReminder::cboMM_Change() {
  if (!cboMM_->currentText().isEmpty()) cboSS_->setEnabled(true);
}

void frmSetNewReminder::cboMM_KeyUp() { cboSS_->setEnabled(!cboMM_->currentText().isEmpty()); }

void frmSetNewReminder::cboSS_Click() { EnableSetReminderWhenTimeInRange(); }

void frmSetNewReminder::cboSS_Change() { EnableSetReminderWhenTimeInRange(); }

// Only the seconds box runs the range test; later edits of the hour or minute do not
// take the button back.
void frmSetNewReminder::EnableSetReminderWhenTimeInRange() {
  if (TimeFieldsInRange(TextOf(cboHH_), TextOf(cboMM_), TextOf(cboSS_))) cmdSetReminder_->setEnabled(true);
}

void frmSetNewReminder::chkTask_Click() {
  const bool ticked = chkTask_->checkState() == Qt::Checked;
  cmdBrowse_->setEnabled(ticked);
  lblPath_->setEnabled(ticked);
}

void frmSetNewReminder::cmdBrowse_Click() {
  std::optional<QString> chosen;
  if (services_.files) chosen = services_.files->ShowOpen(this, {"Select program to launch", kBrowseFilter, 1});
  if (chosen) {
    SetPathCaption(*chosen);
    return;
  }
  services_.messages.Show(
      this, {"You have chosen not to set any task", kProgramTitle, MessageButtons::Ok, MessageIcon::Exclamation});
  // The path label keeps its caption; unticked, it is not saved.
  chkTask_->setChecked(false);
  chkTask_Click();
}

void frmSetNewReminder::cmdSetReminder_Click() {
  SaveReminder(services_,
               {txtAbout_->text(), ChosenDate(), cboHH_->currentText(), cboMM_->currentText(), cboSS_->currentText(),
                chkTask_->checkState() == Qt::Checked, lblPath_->text()},
               {this, cmdSetReminder_, append_,
                [this] { Unload(); }});
}

void frmSetNewReminder::cmdCancel_Click() { Unload(); }

void frmSetNewReminder::Unload() {
  if (unloaded_) return;
  close();
}

void frmSetNewReminder::done(int result) {
  // However the dialog closes (Cancel, Esc, the close box, a save), the next showing
  // loads it afresh.
  unloaded_ = true;
  QDialog::done(result);
}

void frmSetNewReminder::SetAboutText(const QString& text) { txtAbout_->setText(text); }

void frmSetNewReminder::SetTimeTexts(const QString& hour, const QString& minute, const QString& second) {
  cboHH_->setEditText(hour);
  cboMM_->setEditText(minute);
  cboSS_->setEditText(second);
}

void frmSetNewReminder::SetChosenDate(year_month_day date) { Calendar_->setSelectedDate(ToQDate(date)); }

void frmSetNewReminder::SetPathCaption(const QString& caption) {
  lblPath_->setText(caption);
  lblPath_->setAccessibleName(caption);
}

year_month_day frmSetNewReminder::ChosenDate() const { return FromQDate(Calendar_->selectedDate()); }
