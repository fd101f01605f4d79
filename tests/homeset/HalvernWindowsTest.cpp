#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <algorithm>

#include "homeset/DriveList.h"
#include "homeset/FakeHalvern.h"
#include "homeset/FolderList.h"
#include "homeset/HomePathFile.h"
#include "homeset/TempFolder.h"
#include "homeset/frmAppPath.h"
#include "homeset/frmMain4SetPath.h"

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QStringList& texts, std::ostream* out) { *out << texts.join(", ").toStdString(); }
QT_END_NAMESPACE

namespace {

// Shows `text` as it is spelled, not as markup.
bool ShowsAsSpelled(Qt::TextFormat format, const QString& text) {
  return format == Qt::PlainText || (format == Qt::AutoText && !Qt::mightBeRichText(text));
}

class HalvernWindowTest : public ::testing::Test {
 protected:
  HalvernWindowTest() {
    main = new frmMain4SetPath(app);
    main->show();
  }
  ~HalvernWindowTest() override {
    for (QWidget* w : QApplication::topLevelWidgets()) delete w;
  }
  static QPushButton* Button(QWidget* window, const char* name) { return window->findChild<QPushButton*>(name); }
  static QString PathShown(QWidget* window) { return window->findChild<QLabel*>("lblPath")->text(); }
  frmAppPath* Browse() {
    QTest::mouseClick(Button(main, "cmdBrowse"), Qt::LeftButton);
    return app.chooser;
  }
  void Ok(QWidget* window) { QTest::mouseClick(Button(window, "cmdOK"), Qt::LeftButton); }
  DriveList* Drives() { return app.chooser->findChild<DriveList*>("drivePath"); }
  FolderList* Folders() { return app.chooser->findChild<FolderList*>("dirAppPath"); }
  // The folder list's entries in the order shown, depth first.
  std::vector<QTreeWidgetItem*> Items() {
    std::vector<QTreeWidgetItem*> items;
    for (QTreeWidgetItem* item = Folders()->topLevelItem(0); item; item = Folders()->itemBelow(item))
      items.push_back(item);
    return items;
  }
  QStringList Entries() {
    QStringList texts;
    for (QTreeWidgetItem* item : Items()) texts << item->text(0);
    return texts;
  }
  // As the window system sends it: a click, then the double click.
  void DoubleClick(const QString& entry) {
    QCoreApplication::processEvents();  // the list lays its entries out late
    const auto items = Items();
    auto it = std::find_if(items.begin(), items.end(), [&](QTreeWidgetItem* i) { return i->text(0) == entry; });
    ASSERT_NE(it, items.end()) << entry.toStdString();
    const QPoint at = Folders()->visualItemRect(*it).center();
    QTest::mouseClick(Folders()->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(Folders()->viewport(), Qt::LeftButton, {}, at);
  }
  void PickDrive(const char* root) { Drives()->setCurrentIndex(Drives()->findText(root)); }
  static void Settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

  TempFolder dir;
  FakeHalvernBoxes boxes;
  FakeFolderSource folders;
  OsFileOutput files;
  HalvernContext app{boxes, folders, files, dir.root() / "path.txt", {}, {}};
  frmMain4SetPath* main;
};

TEST_F(HalvernWindowTest, ChooserOpensOnTheWorkingDirectoryBelowItsAncestorsAndComesBackAsItWas) {
  frmAppPath* chooser = Browse();
  EXPECT_EQ(chooser->windowHandle()->transientParent(), main->windowHandle());
  EXPECT_EQ(Drives()->Drive(), "/");
  EXPECT_EQ(Entries(), (QStringList{"/", "home", "ann", "Documents", "My Reminders"}));
  EXPECT_EQ(Folders()->currentItem(), Items()[2]);
  DoubleClick("Documents");
  EXPECT_EQ(Browse(), chooser);
  EXPECT_EQ(Folders()->Path(), "/home/ann/Documents");
}

TEST_F(HalvernWindowTest, OkStaysDisabledUntilTheChoosersOk) {
  QTest::mouseClick(Button(Browse(), "cmdCancel"), Qt::LeftButton);
  QApplication::setActiveWindow(Browse());
  QTest::keyClick(app.chooser, Qt::Key_Escape);
  Settle();
  EXPECT_FALSE(app.chooser);
  EXPECT_FALSE(Button(main, "cmdOK")->isEnabled());
  EXPECT_EQ(PathShown(main), "");
  Ok(Browse());
  Settle();
  EXPECT_FALSE(app.chooser);
  EXPECT_TRUE(Button(main, "cmdOK")->isEnabled());
  EXPECT_EQ(PathShown(main), "/home/ann");
  EXPECT_FALSE(std::filesystem::exists(app.pathFile));
}

TEST_F(HalvernWindowTest, DoubleClickOrEnterOpensAFolderAndTheChosenPathFollows) {
  frmAppPath* chooser = Browse();
  DoubleClick("My Reminders");
  EXPECT_EQ(PathShown(chooser), "/home/ann/My Reminders");
  EXPECT_EQ(Entries(), (QStringList{"/", "home", "ann", "My Reminders", "db"}));
  DoubleClick("home");  // up by an ancestor
  EXPECT_EQ(Entries(), (QStringList{"/", "home", "ann", "bob"}));
  DoubleClick("/");
  EXPECT_EQ(PathShown(chooser), "/");
  Folders()->setCurrentItem(Items()[2]);  // "srv", highlighted
  QTest::keyClick(Folders(), Qt::Key_Return);
  EXPECT_EQ(Folders()->Path(), "/srv");
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(HalvernWindowTest, ChoosersOkTakesTheOpenFolderNotTheHighlightedEntry) {
  frmAppPath* chooser = Browse();
  DoubleClick("My Reminders");
  Folders()->setCurrentItem(Items().back());  // "db"
  Ok(chooser);
  EXPECT_EQ(PathShown(main), "/home/ann/My Reminders");
}

TEST_F(HalvernWindowTest, PathsShowAsTheyAreSpelledAndALongOneKeepsItsStartAndItsEnd) {
  const QString longName = QString(120, 'x') + "end";
  for (const QString& name : {QString("a<b>b"), longName}) {
    folders.folders["/home/ann"].push_back(name.toStdString());
    frmAppPath* chooser = Browse();
    DoubleClick(name);
    Ok(chooser);
    for (QLabel* label : {chooser->findChild<QLabel*>("lblPath"), main->findChild<QLabel*>("lblPath")}) {
      EXPECT_TRUE(label->text().startsWith("/home/ann/" + name.left(1))) << label->text().toStdString();
      EXPECT_TRUE(label->text().endsWith(name.right(3))) << label->text().toStdString();
      EXPECT_TRUE(ShowsAsSpelled(label->textFormat(), label->text()));
      EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->contentsRect().width());
      EXPECT_EQ(label->accessibleName(), "/home/ann/" + name);
    }
  }
}

// The box waits in its own event loop, as the user sees it.
TEST(HalvernBoxesTest, ShowTheirTextAsSpelled) {
  std::optional<bool> asSpelled;
  QTimer look;
  QObject::connect(&look, &QTimer::timeout, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      asSpelled = ShowsAsSpelled(box->textFormat(), box->text());
      box->accept();
    }
  });
  look.start(10);
  QtHalvernBoxes().Show(nullptr, {"Permission denied: /home/ann/a<b>b", "Halvern"});
  EXPECT_EQ(asSpelled, true);
}

TEST_F(HalvernWindowTest, PickingADriveOpensItsRootAndTheDriveFollowsTheOpenFolder) {
  Browse();
  PickDrive("/media/usb");
  EXPECT_EQ(PathShown(app.chooser), "/media/usb");
  EXPECT_EQ(Entries(), (QStringList{"/media/usb", "backup"}));
  Folders()->SetPath("/media");
  EXPECT_EQ(Drives()->Drive(), "/");
  DoubleClick("usb");
  EXPECT_EQ(Drives()->Drive(), "/media/usb");
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(HalvernWindowTest, AFailingDriveOrFolderIsReportedAndTheListStaysWhereItWas) {
  folders.failures["/home/ann/Documents"] = "Permission denied: /home/ann/Documents";
  Browse();
  DoubleClick("Documents");
  PickDrive("/media/cdrom");
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_EQ(boxes.shown[0].text, "Permission denied: /home/ann/Documents");
  EXPECT_EQ(boxes.shown[0].title, "Halvern");
  EXPECT_EQ(boxes.shown[1].text, "No medium found: /media/cdrom");
  EXPECT_EQ(boxes.shown[1].title, "Error accessing drive");
  EXPECT_EQ(boxes.shown[1].icon, BoxIcon::Critical);
  EXPECT_EQ(Drives()->Drive(), "/media/cdrom");  // the failed drive stays shown
  EXPECT_EQ(Entries(), (QStringList{"/", "home", "ann", "Documents", "My Reminders"}));
  EXPECT_EQ(Folders()->Path(), "/home/ann");
}

// A Linux name need not be UTF-8: it shows as best it can, and path.txt gets its bytes.
TEST_F(HalvernWindowTest, OkWritesTheChosenFolderByteForByteSaysSoAndCloses) {
  folders.folders["/home/ann"].push_back("caf\xe9");
  QPointer<frmMain4SetPath> window = main;
  frmAppPath* chooser = Browse();
  DoubleClick(QString::fromUtf8("caf\uFFFD"));
  Ok(chooser);
  boxes.onShow = [&](const BoxRequest&) { EXPECT_TRUE(window && window->isVisible()); };
  Ok(main);
  EXPECT_EQ(TempFolder::ReadBytes(app.pathFile), "/home/ann/caf\xe9\r\n");
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, "Path has been set successfully");
  Settle();
  EXPECT_TRUE(window.isNull());
}

TEST_F(HalvernWindowTest, PathTxtThatCannotBeWrittenIsReportedAndTheWindowStays) {
  app.pathFile = dir.root() / "gone" / "path.txt";
  Ok(Browse());
  Ok(main);
  Settle();
  ASSERT_EQ(boxes.shown.size(), 1u);  // and no success message
  EXPECT_EQ(boxes.shown[0].text.toStdString(), "No such file or directory: " + app.pathFile.native());
  EXPECT_TRUE(app.main && main->isVisible() && Button(main, "cmdOK")->isEnabled());
}

TEST_F(HalvernWindowTest, ClosingTheStartWindowWritesNothingAndTakesTheChooserAlong) {
  Browse();
  main->close();
  Settle();
  EXPECT_FALSE(app.main || app.chooser);
  EXPECT_FALSE(std::filesystem::exists(app.pathFile));
  EXPECT_TRUE(boxes.shown.empty());
}

}  // namespace
