#pragma once

#include <QDialog>
#include <chrono>

#include "store/ReminderStore.h"
#include "store/ShownRow.h"
#include "ui/Services.h"

class QCalendarWidget;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class WrappingCheckBox;

// "Edit Values": changes the reminder of a row of the manager's list and rewrites it in
// place. It loads the row's four texts, unlocks much as the new reminder dialog does,
// and saves over the record that still shows those texts, preferring the row's own.
class frmEdit : public QDialog {
  Q_OBJECT

 public:
  // The dialog for `row`, as the manager's list showed it; owned by `owner`.
  frmEdit(ReminderStore& store, Services& services, const ShownRow& row, QWidget* owner);

 private:
  void BuildControls();
  void BuildTimeBoxes();
  void BuildTaskControls();
  void SetTabOrder();
  void ConnectHandlers();

  void Form_Load(const ShownRow& row);
  void txtAbout_KeyUp();
  void cboEditHH_Click();
  void cboEditHH_Change();
  void cboEditMM_Click();
  void cboEditMM_Change();
  void cboEditSS_Click();
  void cboEditSS_Change();
  void chkTask_Click();
  void cmdBrowse_Click();
  void cmdOK_Click();
  void cmdCancel_Click();

  void EnableSaveWhenTimeInRange();
  void SetPathCaption(const QString& caption);

  ReminderStore& store_;
  Services& services_;
  int occurrence_ = 1;        // which of the rows alike the list showed
  ShownTexts shown_;          // the row's texts as the manager's list showed them
  QString chosenFile_;        // what the chooser last returned while this dialog was open

  QLabel* Label1_ = nullptr;
  QLabel* Label2_ = nullptr;
  QLabel* Label3_ = nullptr;
  QLineEdit* txtAbout_ = nullptr;
  QCalendarWidget* CalEdit_ = nullptr;
  QComboBox* cboEditHH_ = nullptr;
  QComboBox* cboEditMM_ = nullptr;
  QComboBox* cboEditSS_ = nullptr;
  QPushButton* cmdOK_ = nullptr;
  QPushButton* cmdCancel_ = nullptr;
  QPushButton* cmdBrowse_ = nullptr;
  WrappingCheckBox* chkTask_ = nullptr;
  QLabel* lblPath_ = nullptr;
};
