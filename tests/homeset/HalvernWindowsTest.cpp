#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTextDocument>
#include <QTimer>
#include <QWindow>
#include <functional>

#include "homeset/DriveList.h"
#include "homeset/FakeFileOutput.h"
#include "homeset/FakeHalvern.h"
#include "homeset/FolderList.h"
#include "homeset/HomePathFile.h"
#include "homeset/TempFolder.h"
#include "homeset/frmAppPath.h"
#include "homeset/frmMain4SetPath.h"

// Readable failures for Qt texts.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QStringList& texts, std::ostream* out) {
  *out << '{' << texts.join(", ").toStdString() << '}';
}
QT_END_NAMESPACE

namespace {

// Shows `text` as it is spelled, not as markup.
bool ShowsAsSpelled(Qt::TextFormat format, const QString& text) {
  return format == Qt::PlainText || (format == Qt::AutoText && !Qt::mightBeRichText(text));
}

class HalvernWindowTest : public ::testing::Test {
 protected:
  ~HalvernWindowTest() override {
    for (QWidget* w : QApplication::topLevelWidgets()) delete w;
  }

  frmMain4SetPath* LoadMain() {
    auto* main = new frmMain4SetPath(app);
    main->show();
    return main;
  }
  static QPushButton* Button(QWidget* window, const char* name) {
    return window->findChild<QPushButton*>(name);
  }
  static QLabel* Label(QWidget* window, const char* name) { return window->findChild<QLabel*>(name); }
  frmAppPath* Browse(frmMain4SetPath* main) {
    QTest::mouseClick(Button(main, "cmdBrowse"), Qt::LeftButton);
    return app.chooser;
  }
  static DriveList* Drives(QWidget* chooser) { return chooser->findChild<DriveList*>("drivePath"); }
  static FolderList* Folders(QWidget* chooser) { return chooser->findChild<FolderList*>("dirAppPath"); }
  // The entries of the folder list in the order shown (the model's rows, depth first).
  static QModelIndexList Indexes(QWidget* chooser) {
    QAbstractItemModel* model = Folders(chooser)->model();
    QModelIndexList found;
    std::function<void(const QModelIndex&)> walk = [&](const QModelIndex& parent) {
      for (int row = 0; row < model->rowCount(parent); ++row) {
        found << model->index(row, 0, parent);
        walk(found.back());
      }
    };
    walk({});
    return found;
  }
  static QStringList Entries(QWidget* chooser) {
    QStringList texts;
    for (const QModelIndex& index : Indexes(chooser)) texts << index.data().toString();
    return texts;
  }
  static QModelIndex Find(QWidget* chooser, const QString& entry) {
    QModelIndexList found;
    for (const QModelIndex& index : Indexes(chooser))
      if (index.data().toString() == entry) found << index;
    return found.size() == 1 ? found[0] : QModelIndex();
  }
  // Highlights an entry without opening it.
  static void Highlight(QWidget* chooser, const QString& entry) {
    Folders(chooser)->setCurrentIndex(Find(chooser, entry));
  }
  static void DoubleClick(QWidget* chooser, const QString& entry) {
    FolderList* list = Folders(chooser);
    QCoreApplication::processEvents();  // the list lays its entries out late
    const QModelIndex index = Find(chooser, entry);
    ASSERT_TRUE(index.isValid()) << entry.toStdString();
    // As the window system sends it: a click, then the double click.
    const QPoint at = list->visualRect(index).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
  }
  static void Settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
  // The widgets that Tab visits, in order, starting from the window.
  static QStringList TabOrder(QWidget* window) {
    QStringList names;
    for (QWidget* w = window->nextInFocusChain(); w != window; w = w->nextInFocusChain())
      if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && !w->objectName().isEmpty())
        names << w->objectName();
    return names;
  }
  static void ExpectSpoken(QWidget* window) {
    for (QWidget* w : window->findChildren<QWidget*>()) {
      const QString name = w->objectName();
      if (!name.isEmpty() && !name.startsWith("qt_")) {
        EXPECT_FALSE(w->accessibleName().isEmpty()) << name.toStdString();
      }
    }
  }

  TempFolder dir;
  FakeHalvernBoxes boxes;
  FakeFolderSource folders;
  FakeFileOutput files;
  HalvernContext app{boxes, folders, files, dir.root() / "path.txt", {}, {}};
};

TEST_F(HalvernWindowTest, StartWindowSitsWhereItsTwipsSay) {
  frmMain4SetPath* main = LoadMain();
  EXPECT_EQ(main->windowTitle(), "Set Application home");
  EXPECT_EQ(main->size(), QSize(310, 79));
  EXPECT_EQ(main->minimumSize(), main->maximumSize());
  EXPECT_FALSE(main->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
  EXPECT_EQ(Label(main, "lblPath")->geometry(), QRect(8, 16, 297, 25));
  EXPECT_EQ(Label(main, "lblPath")->frameShape(), QFrame::Box);
  EXPECT_EQ(Label(main, "lblPath")->text(), "");
  EXPECT_EQ(Button(main, "cmdBrowse")->geometry(), QRect(8, 48, 89, 25));
  EXPECT_EQ(Button(main, "cmdBrowse")->text(), "&Browse...");
  EXPECT_TRUE(Button(main, "cmdBrowse")->isEnabled());
  EXPECT_EQ(Button(main, "cmdOK")->geometry(), QRect(224, 48, 81, 25));
  EXPECT_EQ(Button(main, "cmdOK")->text(), "&OK");
  EXPECT_FALSE(Button(main, "cmdOK")->isEnabled());
  Button(main, "cmdOK")->setEnabled(true);
  EXPECT_EQ(TabOrder(main), (QStringList{"cmdBrowse", "cmdOK"}));
  ExpectSpoken(main);
}

TEST_F(HalvernWindowTest, ChooserSitsWhereItsTwipsSayAndStartsOnTheWorkingDirectory) {
  frmMain4SetPath* main = LoadMain();
  frmAppPath* chooser = Browse(main);
  ASSERT_TRUE(chooser);
  EXPECT_TRUE(chooser->isVisible());
  EXPECT_EQ(chooser->windowTitle(), "Set Application HOME");
  EXPECT_EQ(chooser->size(), QSize(317, 295));
  EXPECT_EQ(chooser->windowHandle()->transientParent(), main->windowHandle());
  EXPECT_EQ(chooser->parentWidget(), nullptr);  // owned, not a child

  EXPECT_EQ(Label(chooser, "lblWarning")->geometry(), QRect(8, 8, 299, 45));
  EXPECT_EQ(Label(chooser, "lblWarning")->text().toStdString(), ComposeHomeWarning());
  QLabel* warning = Label(chooser, "lblWarning");
  EXPECT_LE(warning->heightForWidth(warning->width()), warning->height());  // none of it cut off
  EXPECT_EQ(Drives(chooser)->geometry(), QRect(8, 56, 305, 21));
  EXPECT_EQ(Folders(chooser)->geometry(), QRect(8, 88, 305, 96));
  EXPECT_EQ(Label(chooser, "lblPath")->geometry(), QRect(8, 216, 305, 33));
  EXPECT_EQ(Label(chooser, "lblPath")->frameShape(), QFrame::Box);
  EXPECT_EQ(Label(chooser, "lblPath")->text(), "");
  EXPECT_EQ(Label(chooser, "Label1")->geometry(), QRect(8, 192, 97, 17));
  EXPECT_EQ(Label(chooser, "Label1")->text(), "Choosen Path:");
  for (const auto& [name, caption, rect] :
       {std::tuple{"cmdOK", "&OK", QRect(8, 264, 81, 25)},
        std::tuple{"cmdCancel", "&Cancel", QRect(224, 264, 89, 25)}}) {
    QPushButton* button = Button(chooser, name);
    EXPECT_EQ(button->text(), caption);
    EXPECT_EQ(button->geometry(), rect) << name;
    EXPECT_EQ(button->font().family(), "Verdana");
    EXPECT_DOUBLE_EQ(button->font().pointSizeF(), 8.25);
  }
  EXPECT_EQ(TabOrder(chooser), (QStringList{"drivePath", "dirAppPath", "cmdOK", "cmdCancel"}));
  ExpectSpoken(chooser);

  EXPECT_EQ(Drives(chooser)->Drive(), "/");
  EXPECT_EQ(Drives(chooser)->count(), 3);
  EXPECT_EQ(Folders(chooser)->Path(), "/home/ann");
}

// The way down from the volume's root to the open folder, each a level deeper, the open
// folder marked, its subfolders below it.
TEST_F(HalvernWindowTest, FolderListShowsWhereTheOpenFolderIs) {
  frmAppPath* chooser = Browse(LoadMain());
  QCoreApplication::processEvents();
  EXPECT_EQ(Entries(chooser), (QStringList{"/", "home", "ann", "Documents", "My Reminders"}));
  FolderList* list = Folders(chooser);
  const QModelIndexList entries = Indexes(chooser);
  std::vector<int> indents;
  for (const QModelIndex& index : entries) indents.push_back(list->visualRect(index).left());
  EXPECT_LT(indents[0], indents[1]);
  EXPECT_LT(indents[1], indents[2]);
  EXPECT_LT(indents[2], indents[3]);
  EXPECT_EQ(indents[3], indents[4]);
  EXPECT_EQ(list->currentIndex(), entries[2]);
  EXPECT_EQ(list->selectionModel()->selectedIndexes(), QModelIndexList{entries[2]});
}

TEST_F(HalvernWindowTest, BrowsingAgainBringsTheSameChooserForward) {
  frmMain4SetPath* main = LoadMain();
  frmAppPath* first = Browse(main);
  DoubleClick(first, "Documents");
  EXPECT_EQ(Browse(main), first);
  EXPECT_EQ(Folders(first)->Path(), "/home/ann/Documents");  // not loaded again
  int choosers = 0;
  for (QWidget* w : QApplication::topLevelWidgets()) choosers += w->objectName() == "frmAppPath";
  EXPECT_EQ(choosers, 1);
}

TEST_F(HalvernWindowTest, OkStaysDisabledUntilTheChoosersOk) {
  frmMain4SetPath* main = LoadMain();
  QTest::mouseClick(Button(Browse(main), "cmdCancel"), Qt::LeftButton);
  Settle();
  EXPECT_FALSE(app.chooser);
  EXPECT_FALSE(Button(main, "cmdOK")->isEnabled());
  EXPECT_EQ(Label(main, "lblPath")->text(), "");

  frmAppPath* chooser = Browse(main);
  QApplication::setActiveWindow(chooser);
  QTest::keyClick(chooser, Qt::Key_Escape);
  Settle();
  EXPECT_FALSE(app.chooser);
  EXPECT_FALSE(Button(main, "cmdOK")->isEnabled());

  QTest::mouseClick(Button(Browse(main), "cmdOK"), Qt::LeftButton);
  Settle();
  EXPECT_FALSE(app.chooser);
  EXPECT_TRUE(Button(main, "cmdOK")->isEnabled());
  EXPECT_EQ(Label(main, "lblPath")->text(), "/home/ann");
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_TRUE(files.writes.empty());
}

TEST_F(HalvernWindowTest, DoubleClickOpensAFolderAndTheChosenPathFollows) {
  frmAppPath* chooser = Browse(LoadMain());
  DoubleClick(chooser, "My Reminders");
  EXPECT_EQ(Folders(chooser)->Path(), "/home/ann/My Reminders");
  EXPECT_EQ(Label(chooser, "lblPath")->text(), "/home/ann/My Reminders");
  EXPECT_EQ(Entries(chooser), (QStringList{"/", "home", "ann", "My Reminders", "db"}));

  // Up by the open folder's ancestors.
  DoubleClick(chooser, "home");
  EXPECT_EQ(Folders(chooser)->Path(), "/home");
  EXPECT_EQ(Entries(chooser), (QStringList{"/", "home", "ann", "bob"}));
  DoubleClick(chooser, "/");
  EXPECT_EQ(Folders(chooser)->Path(), "/");
  EXPECT_EQ(Label(chooser, "lblPath")->text(), "/");
  EXPECT_EQ(Entries(chooser), (QStringList{"/", "home", "srv"}));

  // The keyboard opens the highlighted entry too.
  Highlight(chooser, "srv");
  QTest::keyClick(Folders(chooser), Qt::Key_Return);
  EXPECT_EQ(Folders(chooser)->Path(), "/srv");
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(HalvernWindowTest, ChoosersOkTakesTheOpenFolderNotTheHighlightedEntry) {
  frmMain4SetPath* main = LoadMain();
  frmAppPath* chooser = Browse(main);
  DoubleClick(chooser, "My Reminders");
  Highlight(chooser, "db");
  QTest::mouseClick(Button(chooser, "cmdOK"), Qt::LeftButton);
  EXPECT_EQ(Label(main, "lblPath")->text(), "/home/ann/My Reminders");

  // A later choice replaces the path; a closed chooser is not brought back.
  QPointer<frmAppPath> again = Browse(main);
  Settle();
  ASSERT_TRUE(again);
  DoubleClick(again, "Documents");
  QTest::mouseClick(Button(again, "cmdOK"), Qt::LeftButton);
  EXPECT_EQ(Label(main, "lblPath")->text(), "/home/ann/Documents");
}

TEST_F(HalvernWindowTest, PathsShowAsTheyAreSpelled) {
  folders.folders["/home/ann"].push_back("a<b>b");
  frmMain4SetPath* main = LoadMain();
  frmAppPath* chooser = Browse(main);
  DoubleClick(chooser, "a<b>b");
  QTest::mouseClick(Button(chooser, "cmdOK"), Qt::LeftButton);
  for (QLabel* label : {Label(chooser, "lblPath"), Label(main, "lblPath")}) {
    EXPECT_EQ(label->text(), "/home/ann/a<b>b");
    EXPECT_TRUE(ShowsAsSpelled(label->textFormat(), label->text())) << label->window()->objectName().toStdString();
  }
}

// The end of a long path names the folder: shortened, it keeps its start and its end.
TEST_F(HalvernWindowTest, ALongPathShowsItsStartAndItsEnd) {
  const QString name = QString(120, 'x') + "end";
  folders.folders["/home/ann"].push_back(name.toStdString());
  frmMain4SetPath* main = LoadMain();
  frmAppPath* chooser = Browse(main);
  EXPECT_EQ(Folders(chooser)->textElideMode(), Qt::ElideMiddle);
  DoubleClick(chooser, name);
  QTest::mouseClick(Button(chooser, "cmdOK"), Qt::LeftButton);
  for (QLabel* label : {Label(chooser, "lblPath"), Label(main, "lblPath")}) {
    const QString shown = label->text();
    EXPECT_TRUE(shown.startsWith("/home/ann/x")) << shown.toStdString();
    EXPECT_TRUE(shown.endsWith("xend")) << shown.toStdString();
    EXPECT_LE(label->fontMetrics().horizontalAdvance(shown), label->contentsRect().width());
    EXPECT_EQ(label->accessibleName(), "/home/ann/" + name);
  }
}

// The box waits in its own event loop, as the user sees it.
TEST(HalvernBoxesTest, ShowTheirTextAsSpelled) {
  QtHalvernBoxes boxes;
  std::optional<bool> asSpelled;
  QTimer look;
  QObject::connect(&look, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    asSpelled = ShowsAsSpelled(box->textFormat(), box->text());
    box->accept();
  });
  look.start(10);
  boxes.Show(nullptr, {"Permission denied: /home/ann/a<b>b", "Halvern"});
  ASSERT_TRUE(asSpelled);
  EXPECT_TRUE(*asSpelled);
}

TEST_F(HalvernWindowTest, PickingADriveOpensItsRoot) {
  frmAppPath* chooser = Browse(LoadMain());
  Drives(chooser)->setCurrentIndex(Drives(chooser)->findText("/media/usb"));
  EXPECT_EQ(Folders(chooser)->Path(), "/media/usb");
  EXPECT_EQ(Label(chooser, "lblPath")->text(), "/media/usb");
  EXPECT_EQ(Entries(chooser), (QStringList{"/media/usb", "backup"}));  // from the volume's root
  EXPECT_TRUE(boxes.shown.empty());

  // Into a mount point and out of it: the drive list follows the open folder's volume.
  Folders(chooser)->SetPath("/media");
  EXPECT_EQ(Drives(chooser)->Drive(), "/");
  DoubleClick(chooser, "usb");
  EXPECT_EQ(Folders(chooser)->Path(), "/media/usb");
  EXPECT_EQ(Drives(chooser)->Drive(), "/media/usb");
}

TEST_F(HalvernWindowTest, FailingDriveShowsErrorAccessingDriveAndLeavesTheFolderList) {
  frmAppPath* chooser = Browse(LoadMain());
  DoubleClick(chooser, "Documents");
  const QStringList before = Entries(chooser);
  Drives(chooser)->setCurrentIndex(Drives(chooser)->findText("/media/cdrom"));

  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, "No medium found: /media/cdrom");
  EXPECT_EQ(boxes.shown[0].title, "Error accessing drive");
  EXPECT_EQ(boxes.shown[0].icon, BoxIcon::Critical);
  EXPECT_EQ(Drives(chooser)->Drive(), "/media/cdrom");  // the failed drive stays shown
  EXPECT_EQ(Folders(chooser)->Path(), "/home/ann/Documents");
  EXPECT_EQ(Entries(chooser), before);
  EXPECT_EQ(Label(chooser, "lblPath")->text(), "/home/ann/Documents");
  EXPECT_TRUE(chooser->isVisible());

  // Another drive can then be picked.
  Drives(chooser)->setCurrentIndex(Drives(chooser)->findText("/media/usb"));
  EXPECT_EQ(Folders(chooser)->Path(), "/media/usb");
  EXPECT_EQ(boxes.shown.size(), 1u);
}

TEST_F(HalvernWindowTest, FolderThatCannotBeListedIsReportedUnderTheProgramsTitle) {
  folders.failures["/home/ann/Documents"] = "Permission denied: /home/ann/Documents";
  frmAppPath* chooser = Browse(LoadMain());
  DoubleClick(chooser, "Documents");
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, "Permission denied: /home/ann/Documents");
  EXPECT_EQ(boxes.shown[0].title, "Halvern");
  EXPECT_EQ(boxes.shown[0].icon, BoxIcon::Critical);
  EXPECT_EQ(Folders(chooser)->Path(), "/home/ann");
  EXPECT_EQ(Entries(chooser), (QStringList{"/", "home", "ann", "Documents", "My Reminders"}));
  EXPECT_TRUE(chooser->isVisible());
}

// A Linux name need not be UTF-8: it shows as best it can, and path.txt gets its bytes.
TEST_F(HalvernWindowTest, OkWritesTheChosenFolderByteForByteSaysSoAndCloses) {
  folders.folders["/home/ann"].push_back("caf\xe9");
  QPointer<frmMain4SetPath> main = LoadMain();
  frmAppPath* chooser = Browse(main);
  DoubleClick(chooser, QString::fromUtf8("caf\uFFFD"));
  QTest::mouseClick(Button(chooser, "cmdOK"), Qt::LeftButton);
  EXPECT_EQ(Label(main, "lblPath")->text(), QString::fromUtf8("/home/ann/caf\uFFFD"));
  bool openWhileSaying = false;
  boxes.onShow = [&](const BoxRequest&) { openWhileSaying = main && main->isVisible(); };
  QTest::mouseClick(Button(main, "cmdOK"), Qt::LeftButton);

  EXPECT_EQ(TempFolder::ReadBytes(app.pathFile), "/home/ann/caf\xe9\r\n");
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, "Path has been set successfully");
  EXPECT_EQ(boxes.shown[0].title, "Halvern");
  EXPECT_EQ(boxes.shown[0].icon, BoxIcon::None);
  EXPECT_TRUE(openWhileSaying);
  Settle();
  EXPECT_TRUE(main.isNull());
}

TEST_F(HalvernWindowTest, AVolumeRootIsWrittenAsIs) {
  frmMain4SetPath* main = LoadMain();
  frmAppPath* chooser = Browse(main);
  Folders(chooser)->SetPath("/");
  QTest::mouseClick(Button(chooser, "cmdOK"), Qt::LeftButton);
  QTest::mouseClick(Button(main, "cmdOK"), Qt::LeftButton);
  EXPECT_EQ(TempFolder::ReadBytes(app.pathFile), "/\r\n");
}

TEST_F(HalvernWindowTest, PathTxtThatCannotBeCreatedKeepsTheWindowOpen) {
  files.failure = "Permission denied: /read-only/path.txt";
  frmMain4SetPath* main = LoadMain();
  QTest::mouseClick(Button(Browse(main), "cmdOK"), Qt::LeftButton);
  QTest::mouseClick(Button(main, "cmdOK"), Qt::LeftButton);
  Settle();

  ASSERT_EQ(boxes.shown.size(), 1u);  // and no success message
  EXPECT_EQ(boxes.shown[0].text, "Permission denied: /read-only/path.txt");
  EXPECT_EQ(boxes.shown[0].title, "Halvern");
  EXPECT_EQ(boxes.shown[0].icon, BoxIcon::None);
  EXPECT_TRUE(app.main && main->isVisible());
  EXPECT_TRUE(Button(main, "cmdOK")->isEnabled());
  EXPECT_EQ(Label(main, "lblPath")->text(), "/home/ann");
  EXPECT_FALSE(std::filesystem::exists(app.pathFile));
}

TEST_F(HalvernWindowTest, ClosingTheStartWindowWritesNothingAndTakesTheChooserAlong) {
  frmMain4SetPath* main = LoadMain();
  Browse(main);
  main->close();
  Settle();
  EXPECT_FALSE(app.main);
  EXPECT_FALSE(app.chooser);
  EXPECT_TRUE(files.writes.empty());
  EXPECT_TRUE(boxes.shown.empty());
}

}  // namespace
