#pragma once

#include <QPointer>
#include <QWidget>

#include "manager/ManagerLogic.h"
#include "shell/AppContext.h"

class FlexGrid;
class QGroupBox;
class QPushButton;
class frmLegend;

// "Manage Stored Reminders": every reminder of the store in a grid, row r showing record
// r, marked as expired, due later today or due on a later day; with edit and delete.
class frmManager : public QWidget {
  Q_OBJECT

 public:
  // Shows the single instance, loading it when it is not open; owned by `owner`.
  static frmManager* ShowFor(AppContext& app, QWidget* owner);

  FlexGrid* grid() const { return fgrdReminders_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  frmManager(AppContext& app, QWidget* owner);
  void BuildControls();
  void SetTabOrder();
  void ConnectHandlers();

  void Form_Load();
  void Form_Resize();
  void Form_Click();
  void Form_Unload();
  void fgrdReminders_SelChange();
  void cmdEdit_Click();
  void cmdDelete_Click();
  void cmdCancel_Click();
  bool IsRecordRow(int row) const;

  AppContext& app_;
  ReminderList list_;
  QPointer<frmLegend> legend_;

  QGroupBox* fraReminder_ = nullptr;
  FlexGrid* fgrdReminders_ = nullptr;
  QPushButton* cmdEdit_ = nullptr;
  QPushButton* cmdDelete_ = nullptr;
  QPushButton* cmdCancel_ = nullptr;
};
