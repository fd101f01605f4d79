#pragma once

#include <QDialog>
#include <chrono>

#include "shell/AppContext.h"
#include "store/ReminderStore.h"

class FlexGrid;
class QCalendarWidget;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// "Edit Values": changes the reminder selected in the manager's grid and rewrites it in
// place. It loads the row's four texts, unlocks much as the new reminder dialog does,
// and saves over the record that still shows those texts, preferring the selected row's.
class frmEdit : public QDialog {
  Q_OBJECT

 public:
  // Shows the single instance for the manager grid's current row; owned by `owner`.
  static frmEdit* ShowFor(AppContext& app, QWidget* owner);

  int EditRecordNumber() const { return editRecordNumber_; }

 protected:
  void done(int result) override;

 private:
  frmEdit(AppContext& app, QWidget* owner);
  void BuildControls();
  void BuildTimeBoxes();
  void BuildTaskControls();
  void SetTabOrder();
  void ConnectHandlers();

  void Form_Load(FlexGrid* grid);
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

  AppContext& app_;
  int editRecordNumber_ = 0;  // the record found at loading
  int selectedRow_ = 0;
  ShownTexts shown_;  // the row's texts as the manager's list showed them
  QString chosenFile_;  // what the chooser last returned while this dialog was open

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
  QCheckBox* chkTask_ = nullptr;
  QLabel* lblPath_ = nullptr;
};
