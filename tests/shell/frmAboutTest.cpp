#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "platform/FakeRegistry.h"
#include "shell/DocumentationFolder.h"
#include "shell/WidgetFixture.h"
#include "shell/frmAbout.h"

namespace {

class AboutTest : public WidgetFixture {
 protected:
  QPushButton* Button(QWidget* w, const char* name) { return w->findChild<QPushButton*>(name); }
  frmAbout* Open() {
    frmAbout::ShowFor(app);
    return app.about;
  }
  static void Flush() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

  FakeRegistry registry;
  FakeFileCheck files;
};

TEST_F(AboutTest, EscapeInTheMainWindowOpensTheAboutBox) {
  frmMain* main = LoadMain();
  EXPECT_TRUE(Button(main, "cmdAbout")->isEnabled());
  QTest::keyClick(main, Qt::Key_Escape);
  ASSERT_TRUE(app.about);
  EXPECT_TRUE(app.about->isVisible());
  EXPECT_EQ(app.about->windowHandle()->transientParent(), nullptr);  // no owner
}

TEST_F(AboutTest, EscapeOnAFocusedButtonOfTheMainWindowOpensItToo) {
  frmMain* main = LoadMain();
  QTest::keyClick(Button(main, "cmdExit"), Qt::Key_Escape);
  ASSERT_TRUE(app.about);
  EXPECT_FALSE(main->isUnloaded());
}

TEST_F(AboutTest, ShowsTitleAndVersion) {
  frmAbout* about = Open();
  EXPECT_EQ(about->windowTitle(), "About Reminder");
  EXPECT_EQ(about->findChild<QLabel*>("lblTitle")->text(), "Reminder");
  EXPECT_EQ(about->findChild<QLabel*>("lblVersion")->text(), "Version 1.0.2");
  EXPECT_FALSE(about->findChild<QLabel*>("lblDisclaimer")->text().isEmpty());
  EXPECT_FALSE(about->findChild<QLabel*>("Label1")->text().isEmpty());
  EXPECT_EQ(about->findChild<QLabel*>("picIcon")->pixmap().size(), QSize(32, 32));
  EXPECT_EQ(about->size(), QSize(381, 153));
  EXPECT_EQ(Button(about, "cmdSysInfo")->text(), "&System Info...");
  for (QWidget* w : about->findChildren<QWidget*>())
    if (!w->objectName().isEmpty() && !w->objectName().startsWith("qt_")) {
      EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
    }
}

TEST_F(AboutTest, TheContactLineNamesTheInstalledDocumentation) {
  const QLabel* contact = Open()->findChild<QLabel*>("Label1");
  const std::filesystem::path program(QCoreApplication::applicationDirPath().toStdU16String());
  const QString folder = QDir::toNativeSeparators(FromStd(DocumentationFolder(program).u16string()));
  EXPECT_TRUE(contact->accessibleName().endsWith(folder)) << contact->accessibleName().toStdString();
  EXPECT_FALSE(contact->accessibleName().contains('@'));
  EXPECT_LE(contact->fontMetrics().horizontalAdvance(contact->text()), contact->width());
}

TEST_F(AboutTest, ShowingItAgainOnlyBringsItForward) {
  frmAbout* about = Open();
  EXPECT_EQ(Open(), about);
  int boxes = 0;
  for (QWidget* w : QApplication::topLevelWidgets()) boxes += qobject_cast<frmAbout*>(w) ? 1 : 0;
  EXPECT_EQ(boxes, 1);
}

TEST_F(AboutTest, OkEnterAndEscapeCloseIt) {
  for (int way = 0; way < 3; ++way) {
    QPointer<frmAbout> about = Open();
    if (way == 0) QTest::mouseClick(Button(about, "cmdOK"), Qt::LeftButton);
    if (way == 1) QTest::keyClick(about, Qt::Key_Return);
    if (way == 2) QTest::keyClick(about, Qt::Key_Escape);
    EXPECT_FALSE(about && about->isVisible()) << way;
    Flush();
    EXPECT_TRUE(about.isNull()) << way;
  }
}

TEST_F(AboutTest, WithoutARegistrySystemInfoIsUnavailable) {
  frmAbout* about = Open();  // the program's own registry: none outside Windows
#ifdef _WIN32
  app.services.registry = &registry;
#endif
  QTest::mouseClick(Button(about, "cmdSysInfo"), Qt::LeftButton);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "System Information Is Unavailable At This Time");
  EXPECT_EQ(messages.shown[0].title, "Reminder");
  EXPECT_EQ(messages.shown[0].buttons, MessageButtons::Ok);
  EXPECT_EQ(messages.shown[0].icon, MessageIcon::None);
  EXPECT_TRUE(launcher.opened.empty());
  EXPECT_TRUE(about->isVisible());
}

TEST_F(AboutTest, SystemInfoStartsTheToolTheRegistryNames) {
  app.services.registry = &registry;
  app.services.fileCheck = &files;
  registry.Set("SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", {Registry::kString, std::string("C:\\MSInfo\0", 10)});
  files.files = {u"C:\\MSInfo\\MSINFO32.EXE"};
  Open()->StartSysInfo();
  EXPECT_EQ(launcher.opened, std::vector<QString>{"C:\\MSInfo\\MSINFO32.EXE"});
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(AboutTest, AToolThatDoesNotStartIsUnavailable) {
  app.services.registry = &registry;
  app.services.fileCheck = &files;
  registry.Set("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", {Registry::kString, std::string("C:\\Gone.exe\0", 12)});
  launcher.failure = "No such file or directory: C:\\Gone.exe";
  Open()->StartSysInfo();
  EXPECT_EQ(launcher.opened, std::vector<QString>{"C:\\Gone.exe"});
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "System Information Is Unavailable At This Time");
}

TEST_F(AboutTest, ExitClosesTheAboutBox) {
  frmMain* main = LoadMain();
  QTest::mouseClick(Button(main, "cmdAbout"), Qt::LeftButton);
  QPointer<frmAbout> about = app.about;
  QTest::mouseClick(Button(main, "cmdExit"), Qt::LeftButton);
  EXPECT_FALSE(about && about->isVisible());
}

}  // namespace
