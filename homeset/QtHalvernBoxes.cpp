#include <QMessageBox>

#include "homeset/HalvernBoxes.h"

void QtHalvernBoxes::Show(QWidget* parent, const BoxRequest& request) {
  QMessageBox box(request.icon == BoxIcon::Critical ? QMessageBox::Critical : QMessageBox::NoIcon, request.title,
                  request.text, QMessageBox::Ok, parent);
  box.setObjectName("MessageBox");
  box.setTextFormat(Qt::PlainText);  // the texts name folders, which may look like markup
  box.setAccessibleName(request.title);
  box.exec();
}
