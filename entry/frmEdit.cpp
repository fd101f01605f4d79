#include "entry/frmEdit.h"

#include <algorithm>

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

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

std::u16string TextOf(const QComboBox* box) { return box->currentText().toStdU16String(); }

}  // namespace

frmEdit::frmEdit(ReminderStore& store, Services& services, const ShownRow& row, QWidget* owner)
    : QDialog(nullptr), store_(store), services_(services) {
  SetUpWindow(this, "frmEdit", "Edit Values", "Edit Values");
  FixWindowSize(this, Qt::Dialog, TwipsSize(4515, 5085));

  BuildControls();
  SetTabOrder();
  ConnectHandlers();
  Form_Load(row);
  SetOwner(this, owner);
  txtAbout_->setFocus();
}

void frmEdit::BuildControls() {
  Label1_ = MakeLabel(this, "Label1", "Remind About: ", "Remind About", Verdana());
  PlaceInTwips(Label1_, 0, 120, 1335, 195);
  Label1_->adjustSize();
  Label2_ = MakeLabel(this, "Label2", "Reminder date : ", "Reminder date", Verdana());
  PlaceInTwips(Label2_, 0, 600, 1455, 195);
  Label2_->adjustSize();
  Label3_ = MakeLabel(this, "Label3", "Reminder Time: ", "Reminder Time", Verdana());
  PlaceInTwips(Label3_, 0, 3120, 1440, 195);
  Label3_->adjustSize();

  txtAbout_ = new QLineEdit(this);
  txtAbout_->setObjectName("txtAbout");
  txtAbout_->setAccessibleName("Remind about");
  txtAbout_->setMaxLength(80);
  PlaceInTwips(txtAbout_, 1320, 120, 3015, 285);
  Label1_->setBuddy(txtAbout_);

  CalEdit_ = new QCalendarWidget(this);
  CalEdit_->setObjectName("CalEdit");
  CalEdit_->setAccessibleName("Reminder date");
  CalEdit_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
  FitDayColumns(CalEdit_);
  CalEdit_->setHorizontalHeaderFormat(QCalendarWidget::SingleLetterDayNames);
  PlaceInTwips(CalEdit_, 1320, 480, 3015, 2655);
  Label2_->setBuddy(CalEdit_);
  // The text box and the calendar start right of their labels' text, which a stand-in
  // font may make longer than designed; both move alike, so that they stay aligned.
  const int column = std::max({CalEdit_->x(), Label1_->geometry().right() + 1, Label2_->geometry().right() + 1});
  for (QWidget* control : {static_cast<QWidget*>(txtAbout_), static_cast<QWidget*>(CalEdit_)})
    control->move(column, control->y());

  BuildTimeBoxes();
  BuildTaskControls();

  cmdOK_ = MakeButton(this, "cmdOK", "&Save Changes", "Save Changes", Verdana());
  PlaceInTwips(cmdOK_, 120, 4680, 1815, 375);
  cmdOK_->setEnabled(false);
  cmdCancel_ = MakeButton(this, "cmdCancel", "&Cancel", "Cancel", Verdana());
  PlaceInTwips(cmdCancel_, 3240, 4680, 1215, 375);
  // Enter presses Cancel (the default button); Esc cancels through the dialog.
  cmdCancel_->setDefault(true);
}

void frmEdit::BuildTimeBoxes() {
  // The boxes use the window's default font and start empty.
  cboEditHH_ = MakeTimeBox(this, "cboEditHH", "Hour", font());
  FillNumbers(cboEditHH_, 24, QString());
  PlaceInTwips(cboEditHH_, 2160, 3120, 495, 315);
  Label3_->setBuddy(cboEditHH_);
  cboEditMM_ = MakeTimeBox(this, "cboEditMM", "Minute", font());
  FillNumbers(cboEditMM_, 60, QString());
  PlaceInTwips(cboEditMM_, 2880, 3120, 615, 315);
  cboEditSS_ = MakeTimeBox(this, "cboEditSS", "Second", font());
  FillNumbers(cboEditSS_, 60, QString());
  PlaceInTwips(cboEditSS_, 3720, 3120, 495, 315);
}

void frmEdit::BuildTaskControls() {
  cmdBrowse_ = MakeButton(this, "cmdBrowse", "&Browse...", "Browse", Verdana());
  PlaceInTwips(cmdBrowse_, 3240, 3480, 1215, 375);
  cmdBrowse_->setEnabled(false);

  chkTask_ = MakeTaskCheckBox(this);
  PlaceInTwips(chkTask_, 120, 3480, 2175, 375);
  chkTask_->GrowToText();

  // Greyed for good: the path shown is what the row holds or the chooser gave.
  lblPath_ = MakePathLabel(this);
  PlaceInTwips(lblPath_, 120, 3960, 4335, 615);
  SetPathCaption(FromStd(kPathPlaceholder));
}

void frmEdit::SetTabOrder() {
  setTabOrder(txtAbout_, CalEdit_);
  setTabOrder(CalEdit_, cboEditHH_);
  setTabOrder(cboEditHH_, cboEditMM_);
  setTabOrder(cboEditMM_, cboEditSS_);
  setTabOrder(cboEditSS_, cmdOK_);
  setTabOrder(cmdOK_, cmdCancel_);
  setTabOrder(cmdCancel_, cmdBrowse_);
  setTabOrder(cmdBrowse_, chkTask_);
}

void frmEdit::ConnectHandlers() {
  OnKeyUp(txtAbout_, [this] { txtAbout_KeyUp(); });
  connect(cboEditHH_, &QComboBox::activated, this, &frmEdit::cboEditHH_Click);
  connect(cboEditHH_, &QComboBox::editTextChanged, this, &frmEdit::cboEditHH_Change);
  connect(cboEditMM_, &QComboBox::activated, this, &frmEdit::cboEditMM_Click);
  connect(cboEditMM_, &QComboBox::editTextChanged, this, &frmEdit::cboEditMM_Change);
  connect(cboEditSS_, &QComboBox::activated, this, &frmEdit::cboEditSS_Click);
  connect(cboEditSS_, &QComboBox::editTextChanged, this, &frmEdit::cboEditSS_Change);
  connect(chkTask_, &QCheckBox::toggled, this, &frmEdit::chkTask_Click);
  connect(cmdBrowse_, &QPushButton::clicked, this, &frmEdit::cmdBrowse_Click);
  connect(cmdOK_, &QPushButton::clicked, this, &frmEdit::cmdOK_Click);
  connect(cmdCancel_, &QPushButton::clicked, this, &frmEdit::cmdCancel_Click);
}

void frmEdit::Form_Load(const ShownRow& row) {
  shown_ = row.texts;
  occurrence_ = row.occurrence;
  txtAbout_->setText(FromStd(shown_[0]));
  const local_seconds now = services_.clock.Now();
  const std::optional<year_month_day> date = services_.forms.ReadDate(shown_[1]);
  CalEdit_->setSelectedDate(ToQDate(date.value_or(DateOf(now))));
  SetPathCaption(FromStd(shown_[3]));

  // Filling the boxes runs their Change handlers: minutes, seconds and Save unlock. A
  // date or time that does not read back leaves them empty, so that nothing is saved
  // before the user has entered a time.
  const std::optional<seconds> time = services_.forms.ReadTime(shown_[2]);
  if (date && time) {
    const auto t = time->count();
    cboEditHH_->lineEdit()->insert(QString::number(t / 3600));
    cboEditMM_->lineEdit()->insert(QString::number(t / 60 % 60));
    cboEditSS_->lineEdit()->insert(QString::number(t % 60));
  }

  // A store that cannot be read is reported as the dialog opens.
  int found = 0;
  const Status status = store_.FindShownRecord(occurrence_, shown_, found);
  if (!status.ok()) services_.messages.Show(this, {FromUtf8(status.text()), kProgramTitle});
}

void frmEdit::txtAbout_KeyUp() {
  if (!txtAbout_->text().isEmpty()) {
    cboEditHH_->setEnabled(true);
    chkTask_->setEnabled(true);
    return;
  }
  for (QWidget* w : std::initializer_list<QWidget*>{cmdOK_, cboEditHH_, cboEditMM_, cboEditSS_, chkTask_})
    w->setEnabled(false);
}

void frmEdit::cboEditHH_Click() { cboEditMM_->setEnabled(true); }
void frmEdit::cboEditHH_Change() { cboEditMM_->setEnabled(true); }
void frmEdit::cboEditMM_Click() { cboEditSS_->setEnabled(true); }
void frmEdit::cboEditMM_Change() { cboEditSS_->setEnabled(true); }
void frmEdit::cboEditSS_Click() { EnableSaveWhenTimeInRange(); }
void frmEdit::cboEditSS_Change() { EnableSaveWhenTimeInRange(); }

void frmEdit::EnableSaveWhenTimeInRange() {
  if (TimeFieldsInRange(TextOf(cboEditHH_), TextOf(cboEditMM_), TextOf(cboEditSS_))) cmdOK_->setEnabled(true);
}

void frmEdit::chkTask_Click() { cmdBrowse_->setEnabled(chkTask_->checkState() == Qt::Checked); }

void frmEdit::cmdBrowse_Click() {
  std::optional<QString> chosen;
  if (services_.files) chosen = services_.files->ShowOpen(this, {"Open Program", QString(), 1});
  // A cancelled chooser still names the file it last gave, or nothing.
  if (chosen) chosenFile_ = *chosen;
  SetPathCaption(chosenFile_);
}

void frmEdit::cmdOK_Click() {
  SaveReminder(
      services_,
      {txtAbout_->text(), FromQDate(CalEdit_->selectedDate()), cboEditHH_->currentText(), cboEditMM_->currentText(),
       cboEditSS_->currentText(), chkTask_->checkState() == Qt::Checked, lblPath_->text()},
      // The record is chosen again under the store's lock: the list may be older
      // than the store, and of two alike reminders only the one shown may change.
      {this, cmdOK_, [this](const ReminderRecord& r) { return store_.RewriteShownReminder(occurrence_, shown_, r); },
       [this] { close(); }});
}

void frmEdit::cmdCancel_Click() { close(); }

void frmEdit::SetPathCaption(const QString& caption) {
  lblPath_->setText(caption);
  lblPath_->setAccessibleName(caption.isEmpty() ? QStringLiteral("No program") : caption);
}
