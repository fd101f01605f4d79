#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include "platform/LabelText.h"
#include "platform/MessageBoxes.h"

namespace {

TEST(QtMessageBoxesTest, ShowsItsTextAsWritten) {
  const QString text = "/home/ann/a<b>b</b> & <i>notes</i>";
  QString drawn;
  // The box runs its own loop: read it from there, then answer it.
  QTimer::singleShot(0, [&drawn] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_TRUE(box);
    if (auto* label = box->findChild<QLabel*>("qt_msgbox_label")) drawn = DrawnText(label);
    box->button(QMessageBox::Ok)->click();
  });
  QtMessageBoxes boxes;
  EXPECT_EQ(boxes.Show(nullptr, {text, "Reminder"}), MessageAnswer::Ok);
  EXPECT_EQ(drawn.toStdString(), text.toStdString());
}

}  // namespace
