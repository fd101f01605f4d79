#pragma once

#include <QDialog>
#include <chrono>
#include <functional>

#include "store/ReminderRecord.h"
#include "store/Status.h"
#include "ui/Services.h"

class QCalendarWidget;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class WrappingCheckBox;

// The dialog that sets up one new reminder. Its controls unlock one after another:
// the About text, then the hour, the minute and the second; only the second box's
// range test unlocks Set Reminder, which refuses a moment older than now, appends the
// record, confirms and closes.
class frmSetNewReminder : public QDialog {
  Q_OBJECT

 public:
  // Adds the new reminder to the store.
  using Append = std::function<Status(const ReminderRecord&)>;
  // A freshly loaded dialog; `owner` may be null (no owner).
  frmSetNewReminder(Append append, Services& services, QWidget* owner);

  // What the quick reminder dialog fills in before it runs cmdSetReminder_Click.
  void SetAboutText(const QString& text);
  void SetTimeTexts(const QString& hour, const QString& minute, const QString& second);
  void SetChosenDate(std::chrono::year_month_day date);

  // Also run directly by the quick reminder dialog, enabled or not.
  void cmdSetReminder_Click();

  // Closes the dialog unless it has closed already.
  void Unload();

 protected:
  void done(int result) override;

 private:
  void BuildControls();
  void BuildTimeBoxes();
  void BuildTaskControls();
  void SetTabOrder();
  void ConnectHandlers();

  void Form_Load();
  void txtAbout_KeyUp();
  void cboHH_Click();
  void cboHH_Change();
  void cboHH_KeyUp();
  void cboMM_Click();
  void cboMM_Change();
  void cboMM_KeyUp();
  void cboSS_Click();
  void cboSS_Change();
  void chkTask_Click();
  void cmdBrowse_Click();
  void cmdCancel_Click();

  void EnableSetReminderWhenTimeInRange();
  void SetPathCaption(const QString& caption);
  std::chrono::year_month_day ChosenDate() const;

  Append append_;
  Services& services_;
  bool unloaded_ = false;

  QGroupBox* fraSet_ = nullptr;
  QLabel* lblAbout_ = nullptr;
  QLineEdit* txtAbout_ = nullptr;
  QLabel* lblDate_ = nullptr;
  QCalendarWidget* Calendar_ = nullptr;
  QLabel* lblTime_ = nullptr;
  QComboBox* cboHH_ = nullptr;
  QComboBox* cboMM_ = nullptr;
  QComboBox* cboSS_ = nullptr;
  QLabel* lblsep_[2] = {nullptr, nullptr};
  WrappingCheckBox* chkTask_ = nullptr;
  QPushButton* cmdBrowse_ = nullptr;
  QLabel* lblPath_ = nullptr;
  QPushButton* cmdSetReminder_ = nullptr;
  QPushButton* cmdCancel_ = nullptr;
};
