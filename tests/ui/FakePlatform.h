#pragma once

#include <functional>
#include <set>
#include <vector>

#include <QEventLoop>
#include <QTimer>

#include "ui/FileChooser.h"
#include "ui/Launcher.h"
#include "ui/MessageBoxes.h"

// Records every box and answers it at once; `onShow` runs while a box would wait. With
// `ownLoop`, a box waits in an event loop of its own, as a real one does, and is answered
// from there once the events already due have run.
struct FakeMessageBoxes final : MessageBoxes {
  MessageAnswer Show(QWidget*, const MessageRequest& request) override {
    shown.push_back(request);
    if (onShow) onShow(request);
    if (ownLoop) {
      QEventLoop loop;
      QTimer::singleShot(0, &loop, &QEventLoop::quit);
      loop.exec();
    }
    return answer;
  }
  std::vector<MessageRequest> shown;
  MessageAnswer answer = MessageAnswer::Ok;
  std::function<void(const MessageRequest&)> onShow;
  bool ownLoop = false;
};

// Records every path; those in `missing` fail as missing files, others with `failure`.
struct FakeLauncher final : Launcher {
  std::optional<QString> Open(const QString& path) override {
    opened.push_back(path);
    return missing.count(path) ? "No such file or directory: " + path : failure;
  }
  std::vector<QString> opened;
  std::optional<QString> failure;
  std::set<QString> missing;
};

// Answers every request with `answer` (empty: the user cancelled).
struct FakeFileChooser final : FileChooser {
  std::optional<QString> ShowOpen(QWidget*, const FileChooserRequest&) override { return answer; }
  std::optional<QString> answer;
};
