#include <gtest/gtest.h>

#include <QWidget>

#include "entry/EntryControls.h"
#include "platform/LabelText.h"

namespace {

TEST(PathLabelTest, ShowsAPathAsWritten) {
  QWidget window;
  QLabel* label = MakePathLabel(&window);
  const QString path = "/home/ann/a<b>b</b>/<i>run</i>";
  label->setText(path);
  EXPECT_EQ(DrawnText(label).toStdString(), path.toStdString());
}

}  // namespace
