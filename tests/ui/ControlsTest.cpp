#include "ui/Controls.h"

#include <gtest/gtest.h>

#include "ui/LabelText.h"

// Labels show folders and reminders' texts, which may look like markup (the About box's
// documentation folder below a prefix such as a<b>b): they draw them as spelled.
TEST(Controls, ALabelDrawsMarkupAsSpelled) {
  QWidget window;
  QLabel* label = MakeLabel(&window, "lblFolder", "Documentation: /opt/a<b>b</b>/doc", "Folder", QFont());
  window.show();
  EXPECT_EQ(DrawnText(label).toStdString(), "Documentation: /opt/a<b>b</b>/doc");
}
