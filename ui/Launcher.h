#pragma once

#include <QString>
#include <optional>

class QFileInfo;

// Opens a program or document named by a full path, without any command interpreter:
// on Linux an executable file is started directly with no arguments and anything else
// opens in the desktop's default application for it; on Windows the file's default verb
// does both.
class Launcher {
 public:
  virtual ~Launcher() = default;
  // Empty on success, else the failure text.
  virtual std::optional<QString> Open(const QString& path) = 0;
};

class QtLauncher final : public Launcher {
 public:
  std::optional<QString> Open(const QString& path) override;

 private:
  // Each system's own way of opening a file that exists.
  static std::optional<QString> OpenExisting(const QFileInfo& file);
};
