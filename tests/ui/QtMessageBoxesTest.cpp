#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include "ui/LabelText.h"
#include "ui/MessageBoxes.h"

// A path or stored text shows as written, not as markup. The box runs its own loop:
// read it from there, then answer it.
TEST(QtMessageBoxesTest, ShowsItsTextAsWritten) {
  QString drawn;
  QTimer::singleShot(0, [&drawn] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    drawn = DrawnText(box->findChild<QLabel*>("qt_msgbox_label"));
    box->button(QMessageBox::Ok)->click();
  });
  EXPECT_EQ(QtMessageBoxes().Show(nullptr, {"/home/ann/a<b>b</b> & <i>notes</i>", "Reminder"}), MessageAnswer::Ok);
  EXPECT_EQ(drawn.toStdString(), "/home/ann/a<b>b</b> & <i>notes</i>");
}
