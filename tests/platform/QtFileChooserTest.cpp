#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QSignalSpy>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "platform/FileChooser.h"
#include "platform/ProgramFilesProxy.h"
#include "store/TempHome.h"

namespace fs = std::filesystem;

namespace {

class FileChooserTest : public ::testing::Test {
 protected:
  FileChooserTest() {
    folder = home.root() / "programs";
    fs::create_directories(folder / "sub");
    for (auto [name, mode] : {std::pair{"a.exe", 0644}, {"B.EXE", 0644}, {"run.sh", 0755},
                              {"tool", 0700}, {"notes.txt", 0644}, {"job.bat", 0644}}) {
      std::ofstream(folder / name) << "x";
      fs::permissions(folder / name, static_cast<fs::perms>(mode));
    }
  }
  QString Folder() const { return QString::fromStdString(folder.string()); }

  TempHome home;
  fs::path folder;
};

QStringList Listed(ProgramFilesProxy& proxy, QFileSystemModel& model, const QString& folder) {
  QStringList names;
  const QModelIndex parent = proxy.mapFromSource(model.index(folder));
  for (int r = 0; r < proxy.rowCount(parent); ++r) names << proxy.index(r, 0, parent).data().toString();
  names.sort();
  return names;
}

TEST_F(FileChooserTest, ProgramListingShowsFoldersExeFilesAndWhatTheUserMayRun) {
  QFileSystemModel model;
  QSignalSpy loaded(&model, &QFileSystemModel::directoryLoaded);
  model.setRootPath(Folder());
  ASSERT_TRUE(loaded.wait(5000));
  ProgramFilesProxy proxy;
  proxy.setSourceModel(&model);
  EXPECT_EQ(Listed(proxy, model, Folder()),
            (QStringList{"B.EXE", "a.exe", "job.bat", "notes.txt", "run.sh", "sub", "tool"}));
  proxy.setListPrograms(true);
  EXPECT_EQ(Listed(proxy, model, Folder()), (QStringList{"B.EXE", "a.exe", "run.sh", "sub", "tool"}));
}

// Answers the next modal file dialog with `answer`, after noting what it offered.
struct DialogSeen {
  QString title;
  QStringList entries;
  QString selected;
  bool listsPrograms = false;
  std::vector<bool> listsProgramsAfterSwitch;
};

void AnswerNextDialog(DialogSeen& seen, std::function<void(QFileDialog*)> answer) {
  auto* poll = new QTimer(qApp);
  QObject::connect(poll, &QTimer::timeout, [poll, &seen, answer] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    poll->stop();
    poll->deleteLater();
    seen.title = dialog->windowTitle();
    auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
    for (int i = 0; types && i < types->count(); ++i) seen.entries << types->itemText(i);
    seen.selected = types ? types->currentText() : QString();
    auto* proxy = qobject_cast<ProgramFilesProxy*>(dialog->proxyModel());
    seen.listsPrograms = proxy && proxy->listPrograms();
    if (proxy && types) {
      // The user picks "All Files", then "Program files" again.
      for (int i : {2, 0}) {
        emit types->activated(i);
        emit types->textActivated(types->itemText(i));
        seen.listsProgramsAfterSwitch.push_back(proxy->listPrograms());
      }
    }
    answer(dialog);
  });
  poll->start(10);
}

TEST_F(FileChooserTest, OffersTheThreeEntriesInOrderAndReturnsTheChosenPath) {
  QtFileChooser chooser;
  DialogSeen seen;
  const QString chosen = Folder() + "/run.sh";
  AnswerNextDialog(seen, [&](QFileDialog* d) {
    d->selectFile(chosen);
    static_cast<QDialog*>(d)->accept();  // as the Open button does
  });
  std::optional<QString> path = chooser.ShowOpen(
      nullptr, {"Select program to launch", "Program files|*.exe|Batch Files|*.bat|All Files|*.*", 1});
  EXPECT_EQ(path, chosen);
  EXPECT_EQ(seen.title, "Select program to launch");
  EXPECT_EQ(seen.entries, (QStringList{"Program files", "Batch Files", "All Files"}));
  EXPECT_EQ(seen.selected, "Program files");
#ifndef _WIN32
  EXPECT_TRUE(seen.listsPrograms);
  EXPECT_EQ(seen.listsProgramsAfterSwitch, (std::vector<bool>{false, true}));
#endif
}

TEST_F(FileChooserTest, CancelReturnsNothing) {
  QtFileChooser chooser;
  DialogSeen seen;
  AnswerNextDialog(seen, [](QFileDialog* d) { d->reject(); });
  EXPECT_FALSE(chooser.ShowOpen(nullptr, {"Select program to launch", "All Files|*.*", 1}));
  EXPECT_EQ(seen.entries, QStringList{"All Files"});
}

}  // namespace
