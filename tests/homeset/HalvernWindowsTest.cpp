#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "homeset/FolderList.h"
#include "homeset/TempFolder.h"
#include "homeset/frmAppPath.h"
#include "homeset/frmMain4SetPath.h"

namespace {

// Records every box and closes it at once.
struct FakeHalvernBoxes final : HalvernBoxes {
  void Show(QWidget*, const BoxRequest& request) override { shown.push_back(request.text.toStdString()); }
  std::vector<std::string> shown;
};

// A made-up file system that starts in /home/ann, whose Documents cannot be listed.
// Paths are spelled as Linux spells them: bytes.
struct FakeFolderSource final : FolderSource {
  std::vector<FolderPath> VolumeRoots() const override { return {"/"}; }
  FolderPath VolumeOf(const FolderPath&) const override { return "/"; }
  FolderPath CurrentFolder() const override { return "/home/ann"; }
  std::optional<QString> ListFolders(const FolderPath& folder, std::vector<FolderPath>& names) const override {
    if (folder == "/home/ann/Documents") return QString::fromStdString("Cannot read: " + folder.string());
    names.clear();
    if (folder == "/home/ann") names = {"Documents", "a<b>b", "caf\xe9"};
    if (folder == "/home/ann/a<b>b") names = {"db"};
    return std::nullopt;
  }
};

// Shows `text` as it is spelled, not as markup.
bool AsSpelled(Qt::TextFormat format, const QString& text) {
  return format == Qt::PlainText || (format == Qt::AutoText && !Qt::mightBeRichText(text));
}

class HalvernWindowTest : public ::testing::Test {
 protected:
  HalvernWindowTest() { (main = new frmMain4SetPath(app))->show(); }
  ~HalvernWindowTest() override { qDeleteAll(QApplication::topLevelWidgets()); }
  static void Click(QWidget* w, const char* name) {
    QTest::mouseClick(w->findChild<QPushButton*>(name), Qt::LeftButton);
  }
  bool OkEnabled() const { return main->findChild<QPushButton*>("cmdOK")->isEnabled(); }
  frmAppPath* Browse() {
    Click(main, "cmdBrowse");
    return app.chooser;
  }
  FolderList* Folders() { return app.chooser->findChild<FolderList*>("dirAppPath"); }
  // Highlights the entry, then Enter opens it (or Open, none).
  void Open(const QString& name, bool enter = true) {
    Folders()->setCurrentItem(Folders()->findItems(name, Qt::MatchExactly | Qt::MatchRecursive).value(0));
    if (enter) QTest::keyClick(Folders(), Qt::Key_Return);
  }
  static void Settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

  TempFolder dir;
  FakeHalvernBoxes boxes;
  FakeFolderSource folders;
  OsFileOutput files;
  HalvernContext app{boxes, folders, files, dir.root() / "path.txt", {}, {}};
  frmMain4SetPath* main;
};

// Cancel chooses nothing; a folder that cannot be listed is reported and the list stays
// where it was; the chooser's OK hands over the open folder, not the highlighted entry,
// shown as spelled in both windows, and writes nothing; closing the start window takes
// the chooser along.
TEST_F(HalvernWindowTest, ChoosersOkHandsOverTheOpenFolderAsSpelled) {
  Click(Browse(), "cmdCancel");
  Settle();
  EXPECT_FALSE(app.chooser || OkEnabled());
  frmAppPath* chooser = Browse();
  Open("Documents");
  EXPECT_EQ(boxes.shown, std::vector<std::string>{"Cannot read: /home/ann/Documents"});
  EXPECT_EQ(Folders()->Path(), "/home/ann");
  Open("a<b>b");
  Open("db", false);
  Click(chooser, "cmdOK");
  for (QLabel* label : {chooser->findChild<QLabel*>("lblPath"), main->findChild<QLabel*>("lblPath")})
    EXPECT_TRUE(label->text() == "/home/ann/a<b>b" && AsSpelled(label->textFormat(), label->text()));
  Settle();
  EXPECT_TRUE(!app.chooser && OkEnabled());
  Browse();
  main->close();
  Settle();
  EXPECT_FALSE(app.main || app.chooser || std::filesystem::exists(app.pathFile));
  EXPECT_EQ(boxes.shown.size(), 1u);
}

// The box waits in its own event loop, as the user sees it.
TEST(HalvernBoxesTest, ShowTheirTextAsSpelled) {
  std::optional<bool> asSpelled;
  QTimer look;
  QObject::connect(&look, &QTimer::timeout, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      asSpelled = AsSpelled(box->textFormat(), box->text());
      box->accept();
    }
  });
  look.start(10);
  QtHalvernBoxes().Show(nullptr, {"Permission denied: /home/ann/a<b>b", "Halvern"});
  EXPECT_EQ(asSpelled, true);
}

// A path.txt that cannot be written is reported, with no word of success, and the window
// stays. A Linux name need not be UTF-8: it shows as best it can, and path.txt gets its
// bytes; then the success box, and the window closes.
TEST_F(HalvernWindowTest, OkWritesTheChosenFolderByteForByteOrSaysWhyNot) {
  QPointer<frmMain4SetPath> window = main;
  frmAppPath* chooser = Browse();
  Open(QString::fromUtf8("caf\uFFFD"));
  Click(chooser, "cmdOK");
  app.pathFile = dir.root() / "gone" / "path.txt";
  Click(main, "cmdOK");
  Settle();
  ASSERT_TRUE(window && main->isVisible() && OkEnabled());
  app.pathFile = dir.root() / "path.txt";
  Click(main, "cmdOK");
  EXPECT_EQ(TempFolder::ReadBytes(app.pathFile), "/home/ann/caf\xe9\r\n");
  ASSERT_EQ(boxes.shown.size(), 2u);  // the failure, then a word of success
  EXPECT_EQ(boxes.shown[0], "No such file or directory: " + dir.root().string() + "/gone/path.txt");
  Settle();
  EXPECT_TRUE(window.isNull());
}

}  // namespace
