#pragma once

#include <QWidget>

#include "platform/Services.h"
#include "store/ReminderStore.h"

class QPushButton;

// The small borderless panel shown after a reminder's box. While it loads it opens the
// reminder's program or document, if there is one; it stays until "&Close". The shell
// keeps it at most once: a later reminder's task starts from the open window, which only
// comes forward.
class frmTask : public QWidget {
  Q_OBJECT

 public:
  frmTask(ReminderStore& store, Services& services, QWidget* owner);

  // Starts an announced reminder's target, as the window loads or while it is open;
  // false when that failed and the window must not stay.
  bool Form_Load(const QString& target);

 private:
  void BuildControls();
  void cmdClose_Click();

  ReminderStore& store_;
  Services& services_;
  QPushButton* cmdClose_ = nullptr;
};
