#include "manager/frmManager.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>
#include <algorithm>
#include <memory>

#include "manager/FlexGrid.h"
#include "manager/frmLegend.h"
#include "ui/Controls.h"
#include "ui/QtText.h"
#include "ui/Twips.h"
#include "ui/WindowPlacement.h"

namespace {

// The layout works on the outer size as the window was designed: the client area plus
// the border and caption of that design, whatever the window manager draws here.
constexpr int kOuterExtraWidth = 140;
constexpr int kOuterExtraHeight = 430;

const char* const kHeaders[] = {"Reminder", "Date", "Time", "Task/Program to run"};
const int kColWidths[] = {2400, 1000, 1000, 4500};
constexpr int kFormattedCol = 3;
// Fonts are made once the application exists, never at start-up.
QFont Verdana() { return PointFont("Verdana", 8.25); }

FlexGrid::CellLook LookOf(ReminderState state) {
  FlexGrid::CellLook look;
  if (state == ReminderState::DueNow) return look;  // the grid's default look
  look.strikeThrough = state == ReminderState::Expired;
  look.bold = state == ReminderState::Today;
  look.foreColor = state == ReminderState::Future ? QColor(0, 0, 255) : QColor(0, 0, 0);
  return look;
}

}  // namespace

frmManager::frmManager(ReminderStore& store, Services& services, QWidget* owner)
    : QWidget(nullptr), store_(store), services_(services) {
  SetUpWindow(this, "frmManager", "Manage Stored Reminders", "Manage Stored Reminders");
  BuildControls();
  SetTabOrder();
  ConnectHandlers();
  SetOwner(this, owner);
  Form_Load();
  resize(TwipsSize(5775, 3405));
}

void frmManager::BuildControls() {
  fraReminder_ = new QGroupBox("Reminders", this);
  fraReminder_->setObjectName("fraReminder");
  fraReminder_->setAccessibleName("Reminders");
  fraReminder_->setFont(PointFont("Verdana", 8.25));
  PlaceInTwips(fraReminder_, 80, 0, 5655, 2895);

  fgrdReminders_ = new FlexGrid(4, fraReminder_);
  fgrdReminders_->setObjectName("fgrdReminders");
  fgrdReminders_->setAccessibleName("Stored reminders");
  fgrdReminders_->setFont(PointFont("Tahoma", 8.25));
  PlaceInTwips(fgrdReminders_, 120, 240, 5415, 2535);
  fgrdReminders_->SetRows(2);  // the header and one row, as designed

  cmdEdit_ = MakeButton(this, "cmdEdit", "&Edit Selected", "Edit selected reminder", Verdana());
  PlaceInTwips(cmdEdit_, 120, 3000, 1455, 375);
  cmdEdit_->setEnabled(false);
  cmdDelete_ = MakeButton(this, "cmdDelete", "&Delete Selected", "Delete selected reminder", Verdana());
  PlaceInTwips(cmdDelete_, 1680, 3000, 1575, 375);
  cmdDelete_->setEnabled(false);
  cmdCancel_ = MakeButton(this, "cmdCancel", "&Close Manager", "Close manager", Verdana());
  PlaceInTwips(cmdCancel_, 4200, 3000, 1575, 375);
  cmdCancel_->setDefault(true);
}

void frmManager::SetTabOrder() {
  setTabOrder(fgrdReminders_, cmdEdit_);
  setTabOrder(cmdEdit_, cmdDelete_);
  setTabOrder(cmdDelete_, cmdCancel_);
}

void frmManager::ConnectHandlers() {
  connect(fgrdReminders_, &FlexGrid::SelChange, this, &frmManager::fgrdReminders_SelChange);
  connect(cmdEdit_, &QPushButton::clicked, this, &frmManager::cmdEdit_Click);
  connect(cmdDelete_, &QPushButton::clicked, this, &frmManager::cmdDelete_Click);
  connect(cmdCancel_, &QPushButton::clicked, this, &frmManager::cmdCancel_Click);
  // Close Manager is both the default and the cancel button.
  for (auto key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter})
    connect(new QShortcut(QKeySequence(key), this), &QShortcut::activated, cmdCancel_, &QPushButton::click);
}

void frmManager::Form_Load() {
  FlexGrid& grid = *fgrdReminders_;
  // The date and time columns are as wide as the user's forms need, and at least as
  // designed: two-digit days and months, a morning and an afternoon.
  using namespace std::chrono;
  const DateTimeForms& forms = services_.forms;
  const std::u16string samples[][2] = {
      {}, {forms.DateText(year{2026} / 12 / 28)}, {forms.TimeText(10h + 58min), forms.TimeText(22h + 58min)}, {}};
  grid.SetRow(0);
  for (int col = 0; col < 4; ++col) {
    grid.SetCol(col);
    int width = kColWidths[col];
    for (const std::u16string& sample : samples[col]) width = std::max(width, grid.ColWidthFor(FromStd(sample)));
    grid.SetColWidth(col, width);
    grid.SetText(kHeaders[col]);
  }
  grid.SetRow(1);

  Status status = list_.Load(store_);
  if (!status.ok()) {
    services_.messages.Show(this, {FromUtf8(status.text()), kProgramTitle, MessageButtons::Ok, MessageIcon::Critical});
    list_ = ReminderList();
  }
  // Rows are decoded and classified when shown, against the moment the list was built.
  const std::chrono::local_seconds now = services_.clock.Now();
  struct Cache {
    int number = 0;
    ManagerRow row;
  };
  auto cache = std::make_shared<Cache>();
  auto rowOf = [this, cache, now](int number) -> const ManagerRow& {
    if (cache->number != number) {
      cache->row = list_.Row(number, services_.forms, DateOf(now), TimeOfDayOf(now));
      cache->number = number;
    }
    return cache->row;
  };
  const int count = list_.size();
  grid.SetRowSource({[rowOf, count](int row, int col) {
                       return row <= count ? FromStd(rowOf(row).texts[static_cast<std::size_t>(col)]) : QString();
                     },
                     [rowOf, count](int row, int col) {
                       return row <= count && col == kFormattedCol ? LookOf(rowOf(row).state) : FlexGrid::CellLook{};
                     }});
  grid.SetRows(count + 2);
  grid.SetRow(count + 1);  // the current cell ends on the empty trailing row
}

void frmManager::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Form_Resize();
}

void frmManager::Form_Resize() {
  const ManagerGeometry g = ManagerLayout(width() * 15 + kOuterExtraWidth, height() * 15 + kOuterExtraHeight);
  fraReminder_->resize(TwipsToPixels(g.frameWidth), TwipsToPixels(g.frameHeight));
  for (QPushButton* button : {cmdEdit_, cmdDelete_, cmdCancel_}) button->move(button->x(), TwipsToPixels(g.buttonTop));
  cmdCancel_->move(TwipsToPixels(g.cancelLeft), cmdCancel_->y());
  fgrdReminders_->resize(TwipsToPixels(g.gridWidth), TwipsToPixels(g.gridHeight));
}

void frmManager::mousePressEvent(QMouseEvent* event) {
  QWidget::mousePressEvent(event);
  // The frame passes its clicks on to the window; they are not on the window's surface.
  if (event->button() == Qt::LeftButton && !childAt(event->position().toPoint())) Form_Click();
}

void frmManager::Form_Click() {
  // The legend comes up without taking the focus from the list.
  const auto showRaised = [](QWidget* legend) {
    legend->show();
    legend->raise();
  };
  ShowOnce(
      legend_, [] { return new frmLegend(); },
      [showRaised](frmLegend* legend) {
        showRaised(legend);
        return true;
      },
      showRaised);
}

void frmManager::closeEvent(QCloseEvent* event) {
  Form_Unload();
  event->accept();
}

void frmManager::Form_Unload() {
  if (legend_) legend_->close();
}

bool frmManager::IsRecordRow(int row) const { return row >= 1 && row <= list_.size(); }

// Edit opens the row where the selection began, Delete removes the row where it ends:
// each button is usable only while its row is a reminder.
void frmManager::fgrdReminders_SelChange() {
  cmdEdit_->setEnabled(IsRecordRow(fgrdReminders_->Row()));
  cmdDelete_->setEnabled(IsRecordRow(fgrdReminders_->RowSel()));
}

void frmManager::cmdEdit_Click() {
  if (!IsRecordRow(fgrdReminders_->Row())) return;
  hide();
  emit EditRequested(CurrentRow());
}

// The row where the selection began, with its texts as the grid shows them.
ShownRow frmManager::CurrentRow() {
  ShownRow row{fgrdReminders_->Row(), {}, list_.Occurrence(fgrdReminders_->Row())};
  for (int col = 0; col < 4; ++col) {
    fgrdReminders_->SetCol(col);
    row.texts[static_cast<std::size_t>(col)] = fgrdReminders_->Text().toStdU16String();
  }
  return row;
}

void frmManager::cmdDelete_Click() {
  const int number = fgrdReminders_->RowSel();
  if (!IsRecordRow(number)) return;
  if (services_.messages.Show(this, {"Are you sure you want to delete this reminder, it can't be recalled later",
                                     "Confirm delete", MessageButtons::YesNo, MessageIcon::None}) == MessageAnswer::No)
    return;
  // The record must still be the one the row shows: another program may have changed
  // the store since the list was read.
  const ShownTexts shown = list_.Row(number, services_.forms, {}, {}).texts;
  const Status status =
      store_.DeleteReminder(number, [&shown](const ReminderRecord& current) { return RecordShows(current, shown); });
  if (!status.ok()) {
    services_.messages.Show(this, {FromUtf8(status.text()), kProgramTitle});
    return;
  }
  services_.messages.Show(this, {"Reminder deleted", "Deleted", MessageButtons::Ok, MessageIcon::Information});
  close();
}

void frmManager::cmdCancel_Click() { close(); }
