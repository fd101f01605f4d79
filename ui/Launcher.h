#pragma once

#include <QString>
#include <optional>

// Opens a program or document named by a full path, without any shell: an executable
// file is started directly with no arguments, anything else opens in the desktop's
// default application for it.
class Launcher {
 public:
  virtual ~Launcher() = default;
  // Empty on success, else the failure text.
  virtual std::optional<QString> Open(const QString& path) = 0;
};

class QtLauncher final : public Launcher {
 public:
  std::optional<QString> Open(const QString& path) override;
};
