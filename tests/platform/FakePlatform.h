#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "platform/FileChooser.h"
#include "platform/Launcher.h"
#include "platform/MessageBoxes.h"

// Records every box and answers it at once; `onShow` runs while a box would wait.
class FakeMessageBoxes final : public MessageBoxes {
 public:
  MessageAnswer Show(QWidget*, const MessageRequest& request) override {
    shown.push_back(request);
    if (onShow) onShow(request);
    return answer;
  }
  std::vector<MessageRequest> shown;
  MessageAnswer answer = MessageAnswer::Ok;
  std::function<void(const MessageRequest&)> onShow;
};

class FakeLauncher final : public Launcher {
 public:
  std::optional<QString> Open(const QString& path) override {
    opened.push_back(path);
    return failure;
  }
  std::vector<QString> opened;
  std::optional<QString> failure;
};

// Records every request and answers with `answer` (empty: the user cancelled).
class FakeFileChooser final : public FileChooser {
 public:
  std::optional<QString> ShowOpen(QWidget*, const FileChooserRequest& request) override {
    requests.push_back(request);
    return answer;
  }
  std::vector<FileChooserRequest> requests;
  std::optional<QString> answer;
};
