#pragma once

#include <functional>
#include <vector>

#include "ui/FileChooser.h"
#include "ui/Launcher.h"
#include "ui/MessageBoxes.h"

// Records every box and answers it at once; `onShow` runs while a box would wait.
struct FakeMessageBoxes final : MessageBoxes {
  MessageAnswer Show(QWidget*, const MessageRequest& request) override {
    shown.push_back(request);
    if (onShow) onShow(request);
    return answer;
  }
  std::vector<MessageRequest> shown;
  MessageAnswer answer = MessageAnswer::Ok;
  std::function<void(const MessageRequest&)> onShow;
};

// Records every path; each fails with `failure`.
struct FakeLauncher final : Launcher {
  std::optional<QString> Open(const QString& path) override {
    opened.push_back(path);
    return failure;
  }
  std::vector<QString> opened;
  std::optional<QString> failure;
};

// Answers every request with `answer` (empty: the user cancelled).
struct FakeFileChooser final : FileChooser {
  std::optional<QString> ShowOpen(QWidget*, const FileChooserRequest&) override { return answer; }
  std::optional<QString> answer;
};
