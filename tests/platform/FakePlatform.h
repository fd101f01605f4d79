#pragma once

#include <functional>
#include <optional>
#include <set>
#include <vector>

#include <QEventLoop>
#include <QTimer>

#include "platform/FileChooser.h"
#include "platform/Launcher.h"
#include "platform/MessageBoxes.h"

// Records every box and answers it at once; `onShow` runs while a box would wait. With
// `ownLoop`, a box waits in an event loop of its own, as a real one does, and is answered
// from there once the events already due have run.
class FakeMessageBoxes final : public MessageBoxes {
 public:
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

class FakeLauncher final : public Launcher {
 public:
  std::optional<QString> Open(const QString& path) override {
    opened.push_back(path);
    if (missing.count(path)) return "No such file or directory: " + path;
    return failure;
  }
  std::vector<QString> opened;
  std::optional<QString> failure;
  std::set<QString> missing;  // paths that fail as missing files
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
