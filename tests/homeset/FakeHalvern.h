#pragma once

#include <QString>
#include <functional>
#include <map>
#include <string>
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
// listed with the description of why. Paths are spelled as Linux spells them: bytes.
class FakeFolderSource final : public FolderSource {
 public:
  std::vector<FolderPath> VolumeRoots() const override { return {roots.begin(), roots.end()}; }
  FolderPath VolumeOf(const FolderPath& folder) const override {
    std::string best = "/";
    for (const std::string& root : roots)
      if (folder.native().starts_with(root) && root.size() > best.size()) best = root;
    return best;
  }
  FolderPath CurrentFolder() const override { return current; }
  std::optional<QString> ListFolders(const FolderPath& folder,
                                     std::vector<FolderPath>& names) const override {
    if (failures.contains(folder.native())) return failures.at(folder.native());
    names.clear();
    if (folders.contains(folder.native()))
      for (const std::string& name : folders.at(folder.native())) names.push_back(name);
    return std::nullopt;
  }

  std::vector<std::string> roots{"/", "/media/cdrom", "/media/usb"};
  std::string current = "/home/ann";
  std::map<std::string, std::vector<std::string>> folders{
      {"/", {"home", "srv"}},
      {"/home", {"ann", "bob"}},
      {"/home/ann", {"Documents", "My Reminders"}},
      {"/home/ann/My Reminders", {"db"}},
      {"/media", {"cdrom", "usb"}},
      {"/media/usb", {"backup"}}};
  std::map<std::string, QString> failures{{"/media/cdrom", "No medium found: /media/cdrom"}};
};
