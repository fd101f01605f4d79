#include "entry/frmQuickAdd.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

#include "entry/QuickReminder.h"
#include "entry/frmSetNewReminder.h"
#include "ui/Controls.h"
#include "ui/QtText.h"
#include "ui/Twips.h"
#include "ui/WidgetEvents.h"
#include "ui/WindowPlacement.h"

using namespace std::chrono;

frmQuickAdd::frmQuickAdd(Services& services, EntryOpener openEntry, QWidget* owner)
    : QWidget(nullptr), services_(services), openEntry_(std::move(openEntry)) {
  SetUpWindow(this, "frmQuickAdd", "Quick Reminder", "Quick Reminder");
  FixWindowSize(this, Qt::Dialog, TwipsSize(4380, 1005));
  // The form's font was never changed from the designer's default.
  setFont(PointFont("MS Sans Serif", 8.25));

  BuildControls();
  SetTabOrder();
  ConnectHandlers();
  SetOwner(this, owner);
  txtAbout_->setFocus();
}

void frmQuickAdd::BuildControls() {
  Label1_ = MakeLabel(this, "Label1", "Remind Me About", "Remind Me About", font());
  PlaceInTwips(Label1_, 120, 120, 1275, 195);
  Label1_->adjustSize();
  txtAbout_ = new QLineEdit(this);
  txtAbout_->setObjectName("txtAbout");
  txtAbout_->setAccessibleName("Remind Me About");
  PlaceInTwips(txtAbout_, 1560, 120, 2775, 285);

  Label2_ = MakeLabel(this, "Label2", "After", "After", font());
  PlaceInTwips(Label2_, 120, 600, 330, 195);
  Label2_->adjustSize();
  txtMin_ = new QLineEdit(this);
  txtMin_->setObjectName("txtMin");
  txtMin_->setAccessibleName("Minutes from now");
  txtMin_->setMaxLength(2);
  txtMin_->setEnabled(false);
  PlaceInTwips(txtMin_, 600, 600, 375, 285);
  Label3_ = MakeLabel(this, "Label3", "Minutes from now", "Minutes from now", font());
  PlaceInTwips(Label3_, 1080, 600, 1245, 195);
  Label3_->adjustSize();

  cmdOK_ = new QPushButton("&OK", this);
  cmdOK_->setObjectName("cmdOK");
  cmdOK_->setAccessibleName("OK");
  cmdOK_->setEnabled(false);
  PlaceInTwips(cmdOK_, 3240, 600, 1095, 375);
}

void frmQuickAdd::SetTabOrder() {
  setTabOrder(txtAbout_, txtMin_);
  setTabOrder(txtMin_, cmdOK_);
}

void frmQuickAdd::ConnectHandlers() {
  OnKeyUp(txtAbout_, [this] { txtAbout_KeyUp(); });
  FilterTypedKeys(txtMin_, FilterMinuteKey);  // txtMin_KeyPress
  OnKeyUp(txtMin_, [this] { txtMin_KeyUp(); });
  // Text pasted with the mouse reaches the box without a key: OK follows it too.
  connect(txtMin_, &QLineEdit::textChanged, this, &frmQuickAdd::EnableOkForMinutes);
  connect(cmdOK_, &QPushButton::clicked, this, &frmQuickAdd::cmdOK_Click);
}

void frmQuickAdd::txtAbout_KeyUp() { txtMin_->setEnabled(!txtAbout_->text().isEmpty()); }

void frmQuickAdd::txtMin_KeyUp() { EnableOkForMinutes(); }

// OK is usable only for a whole number of minutes from 0 to 99.
void frmQuickAdd::EnableOkForMinutes() {
  cmdOK_->setEnabled(ReadQuickMinutes(txtMin_->text().toStdU16String()).has_value());
}

void frmQuickAdd::cmdOK_Click() {
  const local_seconds now = services_.clock.Now();
  const std::optional<QuickTime> time =
      QuickReminderTime(static_cast<int>(TimeOfDayOf(now) / hours{1}),
                        static_cast<int>(TimeOfDayOf(now) / minutes{1} % 60), txtMin_->text().toStdU16String());
  if (!time) return;  // OK is disabled for such a text

  frmSetNewReminder* entry = openEntry_();
  entry->SetAboutText(txtAbout_->text());
  // A moment past midnight falls on a later day than the dialog's.
  if (time->daysLater > 0) entry->SetChosenDate(DateOf(now + days{time->daysLater}));
  entry->SetTimeTexts(FromStd(time->hour), FromStd(time->minute), FromStd(time->second));
  QPointer<frmSetNewReminder> guard(entry);
  entry->cmdSetReminder_Click();
  close();
  if (guard) guard->Unload();
}
