#include "entry/frmEdit.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "entry/EntryControls.h"
#include "entry/ReminderEntry.h"
#include "entry/WrappingCheckBox.h"
#include "manager/frmManager.h"
#include "platform/FileChooser.h"
#include "platform/FlexGrid.h"
#include "platform/Twips.h"
#include "platform/WidgetEvents.h"
#include "shell/Controls.h"
#include "shell/frmMain.h"
#include "store/TextFold.h"

using namespace std::chrono;

namespace {

// Fonts are made once the application exists, never at start-up.
QFont Verdana() { return PointFont("Verdana", 8.25); }



std::u16string TextOf(const QComboBox* box) { return box->currentText().toStdU16String(); }


}  // namespace

frmEdit* frmEdit::ShowFor(AppContext& app, QWidget* owner) {
  if (app.edit) {
    app.edit->show();
    app.edit->raise();
    app.edit->activateWindow();
    return app.edit;
  }
  auto* window = new frmEdit(app, owner);
  app.edit = window;
  window->show();
  CentreOnScreen(window);
  window->activateWindow();
  return window;
}

frmEdit::frmEdit(AppContext& app, QWidget* owner) : QDialog(nullptr), app_(app) {
  setObjectName("frmEdit");
  setWindowTitle("Edit Values");
  setAccessibleName("Edit Values");
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(TwipsSize(4515, 5085));

  BuildControls();
  SetTabOrder();
  ConnectHandlers();
  Form_Load(app_.manager ? app_.manager->grid() : nullptr);
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
  CalEdit_->setHorizontalHeaderFormat(QCalendarWidget::SingleLetterDayNames);
  PlaceInTwips(CalEdit_, 1320, 480, 3015, 2655);
  Label2_->setBuddy(CalEdit_);

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

  chkTask_ = new WrappingCheckBox("&And Launch this program(optional) :", this);
  chkTask_->setObjectName("chkTask");
  chkTask_->setAccessibleName("And Launch this program (optional)");
  chkTask_->setFont(PointFont("Verdana", 8.25));
  chkTask_->setEnabled(false);
  PlaceInTwips(chkTask_, 120, 3480, 2175, 375);

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

void frmEdit::Form_Load(FlexGrid* grid) {
  QString cells[4];
  if (grid) {
    selectedRow_ = grid->Row();
    for (int col = 0; col < 4; ++col) {
      grid->SetCol(col);
      cells[col] = grid->Text();
      shown_[static_cast<std::size_t>(col)] = cells[col].toStdU16String();
    }
  }
  txtAbout_->setText(cells[0]);
  const local_seconds now = app_.clock.Now();
  const std::optional<year_month_day> date = app_.forms.ReadDate(shown_[1]);
  CalEdit_->setSelectedDate(ToQDate(date.value_or(DateOf(now))));
  SetPathCaption(cells[3]);

  // Filling the boxes runs their Change handlers: minutes, seconds and Save unlock. A
  // date or time that does not read back leaves them empty, so that nothing is saved
  // before the user has entered a time.
  const std::optional<seconds> time = app_.forms.ReadTime(shown_[2]);
  if (date && time) {
    const auto t = time->count();
    cboEditHH_->lineEdit()->insert(QString::number(t / 3600));
    cboEditMM_->lineEdit()->insert(QString::number(t / 60 % 60));
    cboEditSS_->lineEdit()->insert(QString::number(t % 60));
  }

  const Status status = app_.store.FindShownRecord(selectedRow_, shown_, editRecordNumber_);
  if (!status.ok()) {
    editRecordNumber_ = 0;
    app_.messages.Show(this, {FromUtf8(status.text()), kProgramTitle});
  }
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
  if (app_.files) chosen = app_.files->ShowOpen(this, {"Open Program", QString(), 1});
  // A cancelled chooser still names the file it last gave, or nothing.
  if (chosen) chosenFile_ = *chosen;
  SetPathCaption(chosenFile_);
}

void frmEdit::cmdOK_Click() {
  const local_seconds now = app_.clock.Now();
  const year_month_day chosenDate = FromQDate(CalEdit_->selectedDate());
  const std::optional<seconds> chosenTime =
      ReadTimeOfDay(ComposeTimeText(TextOf(cboEditHH_), TextOf(cboEditMM_), TextOf(cboEditSS_)));
  if (!chosenTime || IsOlderThanNow(chosenDate, *chosenTime, DateOf(now), TimeOfDayOf(now))) {
    app_.messages.Show(this, {kOldMomentText, kOldMomentTitle, MessageButtons::Ok, MessageIcon::Critical});
    cmdOK_->setEnabled(false);
    return;
  }

  const bool ticked = chkTask_->checkState() == Qt::Checked;
  const std::u16string caption = lblPath_->text().toStdU16String();
  const std::u16string refusal = TaskPathRefusalText(ChosenTask(ticked, caption));
  if (!refusal.empty()) {
    app_.messages.Show(this, {FromStd(refusal), kProgramTitle, MessageButtons::Ok, MessageIcon::Exclamation});
    return;
  }

  const ReminderRecord record = ComposeReminderRecord(txtAbout_->text().toStdU16String(), chosenDate,
                                                      *chosenTime, ticked, caption, app_.forms);
  // The record is chosen again under the store's lock: the list may be older than the
  // store, and of two reminders with the same text only the one shown may change.
  const Status status = app_.store.RewriteShownReminder(selectedRow_, shown_, record);
  if (!status.ok()) {
    app_.messages.Show(this, {FromUtf8(status.text()), "File error!", MessageButtons::Ok, MessageIcon::Critical});
    return;
  }
  app_.messages.Show(this, {"Reminder is set", kProgramTitle, MessageButtons::Ok, MessageIcon::Information});
  close();
  if (app_.main && !app_.main->isUnloaded()) app_.main->Form_Load();
}

void frmEdit::cmdCancel_Click() { close(); }

void frmEdit::done(int result) {
  if (app_.edit == this) app_.edit = nullptr;
  QDialog::done(result);
}

void frmEdit::SetPathCaption(const QString& caption) {
  lblPath_->setText(caption);
  lblPath_->setAccessibleName(caption.isEmpty() ? QStringLiteral("No program") : caption);
}
