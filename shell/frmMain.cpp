#include "shell/frmMain.h"

#include <algorithm>

#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include "entry/frmEdit.h"
#include "entry/frmSetNewReminder.h"
#include "manager/frmManager.h"
#include "shell/ReminderCount.h"
#include "shell/Windows.h"
#include "shell/frmAbout.h"
#include "shell/frmMinimized.h"
#include "ui/Controls.h"
#include "ui/QtText.h"
#include "ui/Twips.h"
#include "ui/WidgetEvents.h"
#include "ui/WindowPlacement.h"

namespace {

QLabel* MakeColouredLabel(QWidget* parent, const char* name, const QString& caption, const QFont& font,
                          QPalette::ColorRole colour) {
  QLabel* label = MakeLabel(parent, name, caption, caption, font);
  label->setForegroundRole(colour);
  return label;
}

QPushButton* MakeTippedButton(QWidget* parent, const char* name, const QString& caption, const QString& tip,
                              const QString& spoken) {
  QPushButton* button = MakeButton(parent, name, caption, spoken, PointFont("Verdana", 6.75));
  button->setToolTip(tip);
  return button;
}

}  // namespace

frmMain::frmMain(AppContext& app) : QWidget(nullptr), app_(app) {
  SetUpWindow(this, "frmMain", "Welcome! to Reminder", "Welcome! to Reminder");
  FixWindowSize(this, Qt::Window, TwipsSize(4515, 2385));

  BuildControls();
  BuildLines();
  SetTabOrder();
  app_.main = this;
  // Coverage starts at the second the window loaded: the count may wait in its box.
  app_.alarm.Load(this);
  Form_Load();
  app_.alarm.Start();
  app_.store.OnChanged([&app = app_] {
    if (app.main) app.main->StoreChanged();
  });
}

frmMain::~frmMain() = default;

frmMain* frmMain::Open(AppContext& app) {
  return ShowOnce(
      app.main, [&app] { return new frmMain(app); },
      [](frmMain* main) {
        main->show();
        CentreOnScreen(main);
        return true;
      },
      BringToFront);
}

void frmMain::BuildControls() {
  const QFont tahoma = PointFont("Tahoma", 8.25);
  lblNoOfReminders_ =
      MakeColouredLabel(this, "lblNoOfReminders", QString(), PointFont("Verdana", 9, true), QPalette::ToolTipBase);
  lblNoOfReminders_->setAlignment(Qt::AlignCenter);
  lblNoOfReminders_->setAccessibleName("Reminders for today");
  lblNoOfReminders_->setAccessibleDescription("Number of reminders set up for today");
  PlaceInTwips(lblNoOfReminders_, 600, 240, 75, 210);

  Label1_ = MakeColouredLabel(this, "Label1", "Reminder(s) have been set up for today.", PointFont("Arial", 9),
                              QPalette::ToolTipBase);
  PlaceInTwips(Label1_, 840, 240, 3285, 225);
  Label1_->adjustSize();
  Label2_ = MakeColouredLabel(this, "Label2", "1. Click here to set up NEW reminders.", tahoma, QPalette::Highlight);
  PlaceInTwips(Label2_, 360, 720, 2775, 195);
  Label3_ = MakeColouredLabel(this, "Label3", "2. Click here to MANAGE set up reminders.", tahoma, QPalette::Highlight);
  PlaceInTwips(Label3_, 360, 1080, 3060, 195);
  Label4_ = MakeColouredLabel(this, "Label4", "3. Quick Reminder", tahoma, QPalette::Highlight);
  PlaceInTwips(Label4_, 360, 1440, 1305, 195);
  // A stand-in font may be a little wider than the designed one: the links grow to
  // their text rather than cut it (nothing stands to their right but the buttons).
  for (QLabel* link : {Label2_, Label3_, Label4_})
    link->resize(std::max(link->width(), link->sizeHint().width()), link->height());
  // The count and its caption are written in the info-background colour; on a dark
  // backdrop (the info-text colour) they stay readable on any theme.
  for (QLabel* onDark : {lblNoOfReminders_, Label1_}) {
    onDark->setBackgroundRole(QPalette::ToolTipText);
    onDark->setAutoFillBackground(true);
  }
  // The label opens the quick reminder dialog: it shows a hand and, for keyboard
  // users, takes the focus by Tab and answers Space and Enter.
  Label4_->setCursor(Qt::PointingHandCursor);
  Label4_->setFocusPolicy(Qt::TabFocus);
  Label4_->setAccessibleDescription("Click to set a quick reminder");

  // Windows that do not exist yet keep their buttons inert rather than pretend to work.
  cmdSetNew_ =
      MakeTippedButton(this, "cmdSetNew", "&Go...", "Click to set new reminder dialog box", "Go: set up new reminders");
  PlaceInTwips(cmdSetNew_, 3720, 600, 735, 375);
  cmdManage_ = MakeTippedButton(this, "cmdManage", "&Go...", "Click to view reminder manager", "Go: manage reminders");
  PlaceInTwips(cmdManage_, 3720, 1080, 735, 375);
  cmdAbout_ = MakeTippedButton(this, "cmdAbout", "&About...", QString(), "About");
  PlaceInTwips(cmdAbout_, 120, 1920, 1215, 375);
  cmdClose_ =
      MakeTippedButton(this, "cmdClose", "&Hide", "hides the window but reminders keep running in background", "Hide");
  PlaceInTwips(cmdClose_, 1800, 1920, 1095, 375);
  cmdExit_ = MakeTippedButton(this, "cmdExit", "&Exit", "quit reminder. this will disable any reminder alert", "Exit");
  PlaceInTwips(cmdExit_, 3360, 1920, 1095, 375);

  connect(cmdSetNew_, &QPushButton::clicked, this, &frmMain::cmdSetNew_Click);
  connect(cmdManage_, &QPushButton::clicked, this, &frmMain::cmdManage_Click);
  OnClick(Label4_, [this] { Label4_Click(); });
  connect(cmdAbout_, &QPushButton::clicked, this, &frmMain::cmdAbout_Click);
  connect(cmdClose_, &QPushButton::clicked, this, &frmMain::cmdClose_Click);
  connect(cmdExit_, &QPushButton::clicked, this, &frmMain::cmdExit_Click);
}

void frmMain::BuildLines() {
  auto* line1 = new QFrame(this);
  line1->setObjectName("Line1");
  line1->setFrameShape(QFrame::HLine);
  line1->setForegroundRole(QPalette::Dark);
  line1->setGeometry(0, TwipsToPixels(600), TwipsToPixels(2040), 1);
  auto* line2 = new QFrame(this);
  line2->setObjectName("Line2");
  line2->setFrameShape(QFrame::HLine);
  line2->setForegroundRole(QPalette::PlaceholderText);
  line2->setGeometry(TwipsToPixels(120), TwipsToPixels(1800), TwipsToPixels(4440 - 120), 1);
}

void frmMain::SetTabOrder() {
  setTabOrder(cmdSetNew_, cmdManage_);
  setTabOrder(cmdManage_, cmdAbout_);
  setTabOrder(cmdAbout_, cmdExit_);
  setTabOrder(cmdExit_, cmdClose_);
  setTabOrder(cmdClose_, Label4_);
}

void frmMain::Form_Load() {
  int count = 0;
  Status status = CountTodaysReminders(app_.store, DateOf(app_.services.clock.Now()), count, app_.services.forms);
  if (!status.ok()) {
    app_.services.messages.Show(this, {FromUtf8(status.text()), kProgramTitle});
    return;
  }
  lblNoOfReminders_->setText(QStringLiteral("[%1]").arg(count));
  lblNoOfReminders_->adjustSize();
  // The count stands to the left of its caption; a wide count grows leftwards.
  const int right = Label1_->x() - 2;
  if (lblNoOfReminders_->geometry().right() > right)
    lblNoOfReminders_->move(std::max(0, right - lblNoOfReminders_->width()), lblNoOfReminders_->y());
  lblNoOfReminders_->setAccessibleName(lblNoOfReminders_->text());
}

// An unloaded window no longer counts: the next load counts afresh.
void frmMain::StoreChanged() {
  if (!unloaded_) Form_Load();
}

void frmMain::cmdSetNew_Click() { ShowNewReminder(app_, this); }

void frmMain::Label4_Click() { ShowQuickAdd(app_, this); }

void frmMain::cmdManage_Click() { ShowManager(app_, this); }

void frmMain::cmdAbout_Click() { frmAbout::ShowFor(app_); }

void frmMain::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape)
    cmdAbout_->click();
  else
    QWidget::keyPressEvent(event);
}

// Hidden, the window stays loaded and its check goes on firing reminders.
void frmMain::cmdClose_Click() {
  hide();
  ShowStandIn();
}

void frmMain::ShowStandIn() {
  ShowOnce(
      app_.minimized,
      [this] {
        auto* standIn = new frmMinimized();
        connect(standIn, &frmMinimized::Closed, this, &frmMain::UnloadIfLoaded);
        // The stand-in outlives this window's unloading by a moment: long enough to load
        // the next main window.
        connect(standIn, &frmMinimized::ReloadRequested, standIn, [&app = app_] { Open(app); });
        return standIn;
      },
      [](frmMinimized* standIn) {
        standIn->show();
        standIn->Form_Load();
        return true;
      },
      BringToFront);
}

void frmMain::UnloadIfLoaded() {
  if (!unloaded_) close();
}

void frmMain::cmdExit_Click() { close(); }

void frmMain::closeEvent(QCloseEvent* event) {
  Form_Unload();
  event->accept();
}

void frmMain::Form_Unload() {
  unloaded_ = true;
  // The next Open loads a new main window.
  if (app_.main == this) app_.main = nullptr;
  app_.alarm.Stop();
  // The task window is left open: it closes with its own button. The others close in
  // this order: About box, edit, manager, new reminder dialog, minimized window.
  if (app_.about) app_.about->close();
  if (app_.edit) app_.edit->close();
  if (app_.manager) app_.manager->close();
  if (app_.setNew) app_.setNew->Unload();
  if (app_.minimized) app_.minimized->close();
}
