#include "shell/ComeForward.h"

#include <QWidget>

#include "platform/WindowPlacement.h"
#include "shell/frmMain.h"

void ComeForward(AppContext& app, QWidget* splash) {
  if (splash) {
    BringToFront(splash);
    return;
  }
  if (app.main && !app.main->isUnloaded() && app.main->isHidden()) {
    app.main->ShowStandIn();
    return;
  }
  frmMain::Open(app);
}
