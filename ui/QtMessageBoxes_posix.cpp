#include <QMessageBox>

#include "ui/MessageBoxes.h"

// Qt has no system modality: the box blocks the program's windows and asks the window
// manager to keep it above all others.
MessageAnswer QtMessageBoxes::ShowSystemModal(QWidget* parent, const MessageRequest& request) {
  return ShowQtBox(parent, request, [](QMessageBox& box) {
    box.setWindowModality(Qt::ApplicationModal);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
  });
}
