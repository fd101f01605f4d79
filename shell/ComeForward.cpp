#include "shell/ComeForward.h"

#include <QWidget>

#include "shell/frmMain.h"
#include "shell/frmMinimized.h"

void ComeForward(AppContext& app, QWidget* splash) {
  if (splash) {
    BringToFront(splash);
    return;
  }
  if (app.main && !app.main->isUnloaded() && app.main->isHidden()) {
    frmMinimized::ShowFor(app);
    return;
  }
  frmMain::Open(app);
}
