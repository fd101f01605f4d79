#include "platform/TaskSafety.h"

#include <gtest/gtest.h>

#include "store/TempHome.h"

// Owners and mode bits are POSIX; on Windows nothing is refused.
#ifndef _WIN32
#include <sys/stat.h>

// Tasks run only from a store that no other user can write, in a db folder likewise;
// a refusal names which, a missing store gives the OS's text.
TEST(TaskSafety, StoreOrFolderThatOthersCanWriteRefusesTasks) {
  TempHome home;
  EXPECT_EQ(TaskRefusal(home.store(), home.root() / "db"), "No such file or directory: " + home.store().native());
  home.WriteStore("");
  for (auto [store, db, refused] : {std::tuple{0600, 0700, false}, {0666, 0700, true}, {0600, 0777, true}}) {
    ::chmod(home.store().c_str(), store);
    ::chmod((home.root() / "db").c_str(), db);
    const std::string refusal = TaskRefusal(home.store(), home.root() / "db").value_or("");
    const std::string where = (store == 0666 ? home.store() : home.root() / "db").native();
    EXPECT_EQ(refusal.find(where + " can be written by other users"), refused ? 0 : std::string::npos) << refusal;
  }
}
#endif
