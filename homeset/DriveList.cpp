#include "homeset/DriveList.h"

#include <QDir>
#include <QSignalBlocker>

DriveList::DriveList(const QStringList& roots, const QString& current, QWidget* parent)
    : QComboBox(parent) {
  for (const QString& root : roots) addItem(QDir::toNativeSeparators(root));
  const QString start = QDir::toNativeSeparators(current);
  int at = findText(start);
  if (at < 0) {
    addItem(start);
    at = count() - 1;
  }
  setCurrentIndex(at);
  // Only a different drive is a change, as with the user's own pick.
  connect(this, &QComboBox::currentIndexChanged, this, &DriveList::Change);
}

QString DriveList::Drive() const { return currentText(); }

void DriveList::ShowDrive(const QString& root) {
  const int at = findText(QDir::toNativeSeparators(root));
  if (at < 0) return;
  QSignalBlocker quiet(this);
  setCurrentIndex(at);
}
