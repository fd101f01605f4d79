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

TEST(FileChooserTest, ProgramListingShowsFoldersExeFilesAndWhatTheUserMayRun) {
  TempHome home;
  const QString folder = QString::fromStdString(home.root().string());
  fs::create_directories(home.root() / "sub");
  for (auto [name, mode] : {std::pair{"a.exe", 0644}, {"B.EXE", 0644}, {"run.sh", 0755}, {"tool", 0700},
                            {"notes.txt", 0644}, {"job.bat", 0644}}) {
    std::ofstream(home.root() / name) << "x";
    fs::permissions(home.root() / name, static_cast<fs::perms>(mode));
  }
  QFileSystemModel model;
  QSignalSpy loaded(&model, &QFileSystemModel::directoryLoaded);
  model.setRootPath(folder);
  ASSERT_TRUE(loaded.wait(5000));
  ProgramFilesProxy proxy;
  proxy.setSourceModel(&model);
  auto listed = [&] {
    QStringList names;
    const QModelIndex parent = proxy.mapFromSource(model.index(folder));
    for (int r = 0; r < proxy.rowCount(parent); ++r) names << proxy.index(r, 0, parent).data().toString();
    names.sort();
    return names;
  };
  EXPECT_EQ(listed(), (QStringList{"B.EXE", "a.exe", "db", "job.bat", "notes.txt", "run.sh", "sub", "tool"}));
  proxy.setListPrograms(true);
  EXPECT_EQ(listed(), (QStringList{"B.EXE", "a.exe", "db", "run.sh", "sub", "tool"}));
}

// Answers the next modal file dialog once it shows, with `answer`.
void AnswerNextDialog(std::function<void(QFileDialog*)> answer) {
  auto* poll = new QTimer(qApp);
  QObject::connect(poll, &QTimer::timeout, [poll, answer] {
    if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
      poll->deleteLater();
      poll->stop();
      answer(dialog);
    }
  });
  poll->start(10);
}

TEST(FileChooserTest, OffersTheEntriesInOrderListsProgramsUnderTheFirstAndReturnsTheChoice) {
  QStringList entries;
  std::vector<bool> listsPrograms;
  AnswerNextDialog([&](QFileDialog* dialog) {
    auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
    auto* proxy = qobject_cast<ProgramFilesProxy*>(dialog->proxyModel());
    ASSERT_TRUE(types && proxy);
    for (int i = 0; i < types->count(); ++i) entries << types->itemText(i);
    // As the user picks: the chosen entry, then "All Files", then "Program files" again.
    for (int i : {-1, 2, 0}) {
      if (i >= 0) emit types->activated(i);
      if (i >= 0) emit types->textActivated(types->itemText(i));
      listsPrograms.push_back(proxy->listPrograms());
    }
    dialog->selectFile("/bin/sh");
    static_cast<QDialog*>(dialog)->accept();  // as the Open button does
  });
  QtFileChooser chooser;
  EXPECT_EQ(chooser.ShowOpen(nullptr, {"Select program to launch", "Program files|*.exe|Batch Files|*.bat|All Files|*.*", 1}),
            "/bin/sh");
  EXPECT_EQ(entries, (QStringList{"Program files", "Batch Files", "All Files"}));
  EXPECT_EQ(listsPrograms, (std::vector<bool>{true, false, true}));

  AnswerNextDialog([](QFileDialog* dialog) { dialog->reject(); });
  EXPECT_FALSE(chooser.ShowOpen(nullptr, {"Select program to launch", "All Files|*.*", 1}));
}

}  // namespace
