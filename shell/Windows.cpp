#include "shell/Windows.h"

#include "entry/frmEdit.h"
#include "entry/frmQuickAdd.h"
#include "entry/frmSetNewReminder.h"
#include "manager/frmManager.h"
#include "ui/WindowPlacement.h"

namespace {

// However a dialog closes (a button, Esc, the close box, a save), the next showing
// makes a new one.
template <class Dialog>
void ForgetWhenFinished(QPointer<Dialog>& slot, Dialog* dialog) {
  QObject::connect(dialog, &QDialog::finished, dialog, [&slot, dialog] {
    if (slot == dialog) slot = nullptr;
  });
}

// Shows a new window centred on its owner (on the screen when it has none) and active.
bool OpenOverOwner(QWidget* window, QWidget* owner) {
  window->show();
  CentreOnOwner(window, owner);
  window->activateWindow();
  return true;
}

}  // namespace

frmSetNewReminder* ShowNewReminder(AppContext& app, QWidget* owner) {
  return ShowOnce(
      app.setNew,
      [&] {
        auto* dialog = new frmSetNewReminder(
            [&store = app.store](const ReminderRecord& record) { return store.AppendReminder(record); }, app.services,
            owner);
        ForgetWhenFinished(app.setNew, dialog);
        return dialog;
      },
      [owner](QWidget* dialog) { return OpenOverOwner(dialog, owner); });
}

frmQuickAdd* ShowQuickAdd(AppContext& app, QWidget* owner) {
  return ShowOnce(
      app.quickAdd,
      [&] {
        return new frmQuickAdd(
            app.services, [&app] { return ShowNewReminder(app, nullptr); }, owner);
      },
      [owner](QWidget* window) { return OpenOverOwner(window, owner); });
}

frmManager* ShowManager(AppContext& app, QWidget* owner) {
  return ShowOnce(
      app.manager,
      [&] {
        auto* manager = new frmManager(app.store, app.services, owner);
        // The edit dialog belongs to the window that owns the manager, as the manager
        // itself is hidden while it is open.
        QObject::connect(
            manager, &frmManager::EditRequested, manager,
            [&app, editOwner = QPointer<QWidget>(owner)](const ShownRow& row) { ShowEdit(app, row, editOwner); });
        return manager;
      },
      [owner](QWidget* manager) { return OpenOverOwner(manager, owner); });
}

frmEdit* ShowEdit(AppContext& app, const ShownRow& row, QWidget* owner) {
  return ShowOnce(
      app.edit,
      [&] {
        auto* dialog = new frmEdit(app.store, app.services, row, owner);
        ForgetWhenFinished(app.edit, dialog);
        return dialog;
      },
      // On the screen's centre: its owner may be hidden or elsewhere.
      [](QWidget* dialog) { return OpenOverOwner(dialog, nullptr); });
}
