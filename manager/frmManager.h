#pragma once

#include <QPointer>
#include <QWidget>

#include "manager/ManagerLogic.h"
#include "store/ReminderStore.h"
#include "store/ShownRow.h"
#include "ui/Services.h"

class FlexGrid;
class QGroupBox;
class QPushButton;
class frmLegend;

// "Manage Stored Reminders": every reminder of the store in a grid, row r showing record
// r, marked as expired, due later today or due on a later day; with edit and delete.
// Edit hides the window, which keeps its list, and asks for the edit dialog.
class frmManager : public QWidget {
  Q_OBJECT

 public:
  // A freshly loaded manager, owned by `owner`.
  frmManager(ReminderStore& store, Services& services, QWidget* owner);

  FlexGrid* grid() const { return fgrdReminders_; }

 signals:
  // Edit was pressed on `row`: the edit dialog is to open on it.
  void EditRequested(const ShownRow& row);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
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
  ShownRow CurrentRow();

  ReminderStore& store_;
  Services& services_;
  ReminderList list_;
  QPointer<frmLegend> legend_;

  QGroupBox* fraReminder_ = nullptr;
  FlexGrid* fgrdReminders_ = nullptr;
  QPushButton* cmdEdit_ = nullptr;
  QPushButton* cmdDelete_ = nullptr;
  QPushButton* cmdCancel_ = nullptr;
};
