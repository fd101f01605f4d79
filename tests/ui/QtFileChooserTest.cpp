#include <gtest/gtest.h>

#include <QFileSystemModel>
#include <QSignalSpy>

#include "store/TempHome.h"
#include "ui/ProgramFilesProxy.h"

#ifndef _WIN32  // what the user may run is the execute bit
// Listing programs shows folders, .exe files of any case and what the user may run.
TEST(FileChooserTest, ProgramListingShowsFoldersExeFilesAndWhatTheUserMayRun) {
  TempHome home;
  for (auto [name, mode] : {std::pair{"a.exe", 0644}, {"B.EXE", 0644}, {"run.sh", 0755}, {"notes.txt", 0644}}) {
    TempHome::WriteBytes(home.root() / name, "x");
    std::filesystem::permissions(home.root() / name, static_cast<std::filesystem::perms>(mode));
  }
  QFileSystemModel model;
  QSignalSpy loaded(&model, &QFileSystemModel::directoryLoaded);
  const QModelIndex folder = model.setRootPath(QString::fromStdString(home.root().string()));
  ASSERT_TRUE(loaded.wait(5000));
  ProgramFilesProxy proxy;
  proxy.setSourceModel(&model);
  proxy.setListPrograms(true);
  QStringList names;
  for (int r = 0; r < proxy.rowCount(proxy.mapFromSource(folder)); ++r)
    names << proxy.index(r, 0, proxy.mapFromSource(folder)).data().toString();
  names.sort();
  EXPECT_EQ(names, (QStringList{"B.EXE", "a.exe", "db", "run.sh"}));
}
#endif
