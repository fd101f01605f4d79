#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "homeset/FolderSource.h"
#include "homeset/HalvernBoxes.h"

// Records every box and closes it at once; `onShow` runs while a box would wait.
class FakeHalvernBoxes final : public HalvernBoxes {
 public:
  void Show(QWidget*, const BoxRequest& request) override {
    shown.push_back(request);
    if (onShow) onShow(request);
  }
  std::vector<BoxRequest> shown;
  std::function<void(const BoxRequest&)> onShow;
};

// A made-up file system: folders with their subfolders, and folders that cannot be
// listed with the description of why.
class FakeFolderSource final : public FolderSource {
 public:
  QStringList VolumeRoots() const override { return roots; }
  QString VolumeOf(const QString& folder) const override {
    QString best = roots.value(0);
    for (const QString& root : roots)
      if ((folder == root || folder.startsWith(root + '/')) && root.size() > best.size()) best = root;
    return best;
  }
  QString CurrentFolder() const override { return current; }
  std::optional<QString> ListFolders(const QString& folder, QStringList& names) const override {
    if (failures.contains(folder)) return failures.value(folder);
    names = folders.value(folder);
    return std::nullopt;
  }

  QStringList roots{"/", "/media/cdrom", "/media/usb"};
  QString current = "/home/ann";
  QMap<QString, QStringList> folders{{"/", {"home", "srv"}},
                                     {"/home", {"ann", "bob"}},
                                     {"/home/ann", {"Documents", "My Reminders"}},
                                     {"/home/ann/My Reminders", {"db"}},
                                     {"/media", {"cdrom", "usb"}},
                                     {"/media/usb", {"backup"}}};
  QMap<QString, QString> failures{{"/media/cdrom", "No medium found: /media/cdrom"}};
};
