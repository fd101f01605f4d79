#include "os/FakeRegistry.h"
#include "shell/WidgetFixture.h"
#include "shell/frmAbout.h"

namespace {

using AboutTest = WidgetFixture;

TEST_F(AboutTest, SystemInfoStartsTheToolTheRegistryNamesAndSaysSoWhenItDoesNotStart) {
  FakeRegistry registry;
  FakeFileCheck files;
  app.services.registry = &registry;
  app.services.fileCheck = &files;
  registry.Set("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH",
               {Registry::kString, std::string("C:\\MSInfo.exe") + '\0'});
  frmAbout::ShowFor(app);
  Click(app.about, "cmdSysInfo");
  EXPECT_TRUE(messages.shown.empty());
  launcher.failure = "No such file or directory: C:\\MSInfo.exe";
  Click(app.about, "cmdSysInfo");
  EXPECT_EQ(launcher.opened, (std::vector<QString>{"C:\\MSInfo.exe", "C:\\MSInfo.exe"}));
  EXPECT_EQ(messages.shown.size(), 1u);
  EXPECT_TRUE(app.about->isVisible());
}

}  // namespace
