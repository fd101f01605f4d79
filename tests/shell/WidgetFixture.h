#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include "alarm/FakeClock.h"
#include "alarm/frmTask.h"
#include "shell/AppContext.h"
#include "shell/Windows.h"
#include "shell/frmMain.h"
#include "store/TempHome.h"
#include "ui/FakePlatform.h"
#include "ui/QtText.h"

// A program context over a temporary store, a fake clock, fake platform services and
// the date and time forms of a locale.
class WidgetFixture : public ::testing::Test {
 protected:
  // Tasks start only from a home no other user can write.
  explicit WidgetFixture(const char* locale = "C") : ownForms(FormsOf(locale)) {
    for (const auto& folder : {home.root(), home.root() / "db"})
      std::filesystem::permissions(folder, std::filesystem::perms::owner_all, std::filesystem::perm_options::replace);
    app.services.files = &chooser;
  }
  ~WidgetFixture() override {
    // Some top-levels (menus, popups) are children of others and go with them.
    std::vector<QPointer<QWidget>> windows;
    for (QWidget* w : QApplication::topLevelWidgets()) windows.emplace_back(w);
    for (QPointer<QWidget>& w : windows) delete w.data();
  }

  template <class T = QWidget>
  static T* Control(QWidget* window, const char* name) {
    T* control = window->findChild<T*>(name);
    EXPECT_NE(control, nullptr) << name;
    return control;
  }

  static void Click(QWidget* window, const char* button) {
    QTest::mouseClick(Control<QPushButton>(window, button), Qt::LeftButton);
  }

  // Deletes the windows that closed themselves.
  static void Settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

  std::string Due(std::u16string_view about, std::chrono::local_seconds at, std::u16string_view task = u"") {
    return RecordOf(about, forms.DateText(DateOf(at)), forms.TimeText(TimeOfDayOf(at)), task);
  }
  frmMain* LoadMain() {
    auto* main = new frmMain(app);
    main->show();
    return main;
  }

  const std::chrono::local_seconds t0 = At(2026, 12, 6, 18, 5, 0);
#ifdef _WIN32
  // Windows has the forms of its user's locale only, which Wine takes from LC_ALL.
  static std::unique_ptr<DateTimeForms> FormsOf(const char*) { return nullptr; }
#else
  static std::unique_ptr<DateTimeForms> FormsOf(const char* locale) { return DateTimeForms::ForLocale(locale); }
#endif
  std::unique_ptr<DateTimeForms> ownForms;
  const DateTimeForms& forms = ownForms ? *ownForms : DateTimeForms::User();
  TempHome home;
  ReminderStore store{OsFileIo::Instance(), home.home()};
  FakeClock clock{t0};
  FakeMessageBoxes messages;
  FakeLauncher launcher;
  FakeFileChooser chooser;
  AppContext app{store, {clock, messages, launcher, forms}};
};
