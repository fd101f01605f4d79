#pragma once

#include <QWidget>

#include "shell/AppContext.h"

class QPushButton;

// The small borderless panel shown after a reminder's box. While it loads it opens the
// reminder's program or document, if there is one; it stays until "&Close". It exists at
// most once: showing it again only brings it forward, so nothing is started twice.
class frmTask : public QWidget {
  Q_OBJECT

 public:
  // Shows the window for the main window's current target, owned by `owner`.
  static void ShowFor(AppContext& app, const QString& target, QWidget* owner);

 private:
  frmTask(AppContext& app, QWidget* owner);
  void BuildControls();
  // Starts the target; false when that failed and the window must not stay.
  bool Form_Load(const QString& target);
  void cmdClose_Click();

  AppContext& app_;
  QPushButton* cmdClose_ = nullptr;
};
