#pragma once

#include <QWidget>
#include <functional>

#include "shell/AppContext.h"
#include "store/Status.h"

class QFrame;
class QLabel;
class QTimer;

// The start-up window: logo, title, product name and version for two ticks of its
// timer, or until a key or a click on the frame. Closing it reads path.txt and opens
// the main window, once.
class frmSplash : public QWidget {
  Q_OBJECT

 public:
  // Reads the home directory; the program reads path.txt, tests count the calls.
  using HomeReader = std::function<Status()>;

  // Shows the start-up window; nothing else makes one.
  static frmSplash* Start(AppContext& app, HomeReader readHome = {});

  frmSplash(AppContext& app, HomeReader readHome);

  // One tick of the close-down count; the timer calls it every second.
  void Timer1_Timer();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void BuildLabels();
  void Form_Load();
  void Form_KeyPress();
  void Frame1_Click();
  void Form_Unload();

  AppContext& app_;
  HomeReader readHome_;
  bool unloaded_ = false;

  QFrame* Frame1_ = nullptr;
  QTimer* Timer1_ = nullptr;
  QLabel* imgLogo_ = nullptr;
  QLabel* lblCompanyProduct_ = nullptr;
  QLabel* lblProductName_ = nullptr;
  QLabel* lblPlatform_ = nullptr;
  QLabel* lblVersion_ = nullptr;
  QLabel* lblCopyright_ = nullptr;
};
