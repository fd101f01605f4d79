#pragma once

#include <QWidget>
#include <filesystem>

#include "ui/Services.h"

class QPushButton;

// The small borderless panel shown after a reminder's box. While it loads it opens the
// reminder's program or document, if there is one; it stays until "&Close". The alarm
// keeps it at most once: a later reminder's task starts from the open window, which only
// comes forward.
class frmTask : public QWidget {
  Q_OBJECT

 public:
  frmTask(Services& services, QWidget* owner);

  // Starts an announced reminder's target, as the window loads or while it is open;
  // false when that failed and the window must not stay. Only a store and `db` folder
  // nobody else could have changed let a task start.
  bool Form_Load(const QString& target, const std::filesystem::path& store, const std::filesystem::path& db);

 private:
  void BuildControls();
  void cmdClose_Click();

  Services& services_;
  QPushButton* cmdClose_ = nullptr;
};
