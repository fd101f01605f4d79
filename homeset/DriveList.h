#pragma once

#include <QComboBox>
#include <QString>
#include <QStringList>

// The drive list: the volumes' roots, one of them chosen. Choosing another raises Change.
class DriveList : public QComboBox {
  Q_OBJECT

 public:
  // `roots` in "/" form; `current` is chosen at start (and added if missing).
  DriveList(const QStringList& roots, const QString& current, QWidget* parent);

  // The chosen volume's root as the OS spells it ("/", "/media/usb", "C:\").
  QString Drive() const;
  // Shows the volume the open folder is on, without raising Change.
  void ShowDrive(const QString& root);

 signals:
  void Change();
};
