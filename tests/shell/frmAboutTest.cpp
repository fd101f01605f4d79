#include "platform/FakeRegistry.h"
#include "shell/WidgetFixture.h"
#include "shell/frmAbout.h"

namespace {

using AboutTest = WidgetFixture;

TEST_F(AboutTest, SystemInfoStartsTheToolTheRegistryNamesElseItIsUnavailable) {
  FakeRegistry registry;
  FakeFileCheck files;
  frmAbout::ShowFor(app);  // first with the program's own registry: none outside Windows
#ifdef _WIN32
  app.services.registry = &registry;
#endif
  Click(app.about, "cmdSysInfo");
  app.services.registry = &registry;
  app.services.fileCheck = &files;
  registry.Set("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH",
               {Registry::kString, std::string("C:\\MSInfo.exe") + '\0'});
  Click(app.about, "cmdSysInfo");
  launcher.failure = "No such file or directory: C:\\MSInfo.exe";
  Click(app.about, "cmdSysInfo");
  EXPECT_EQ(launcher.opened, (std::vector<QString>{"C:\\MSInfo.exe", "C:\\MSInfo.exe"}));
  ASSERT_EQ(messages.shown.size(), 2u);  // without a registry, and for the tool that did not start
  for (const MessageRequest& m : messages.shown) EXPECT_EQ(m.text, "System Information Is Unavailable At This Time");
  EXPECT_TRUE(app.about->isVisible());
}

}  // namespace
