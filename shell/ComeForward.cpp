#include "shell/ComeForward.h"

#include <QGuiApplication>
#include <QWidget>

#include "shell/frmMain.h"
#include "ui/WindowPlacement.h"

void ComeForward(AppContext& app, QWidget* splash, const std::function<bool()>& homeChanged,
                 const std::string& activationToken) {
  // Qt's Wayland plugin spends the token in the environment on the next activation.
  if (!activationToken.empty() && QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
    qputenv("XDG_ACTIVATION_TOKEN", QByteArray::fromStdString(activationToken));
  if (splash) {
    BringToFront(splash);  // it reads path.txt itself as it closes
    return;
  }
  // The store follows the home at every operation; the count is made afresh.
  if (homeChanged() && app.main) app.main->StoreChanged();
  if (app.main && app.main->isHidden()) {
    app.main->ShowStandIn();
    return;
  }
  frmMain::Open(app);
}
