#pragma once

#include <QString>
#include <optional>

class QWidget;

struct FileChooserRequest {
  QString title;
  // Descriptions and patterns alternating, separated by "|" (see ChooserFilter.h).
  QString filter;
  // The entry selected at first, counted from 1.
  int filterIndex = 1;
};

// The modal open-file chooser, behind an interface so that tests can answer it.
class FileChooser {
 public:
  virtual ~FileChooser() = default;
  // Waits until the user chooses one existing file and returns its full path; empty
  // when the user cancelled or the chooser failed.
  virtual std::optional<QString> ShowOpen(QWidget* parent, const FileChooserRequest& request) = 0;
};

// Qt's file dialog. On Linux, where programs have no .exe ending, an entry whose
// patterns include "*.exe" also lists the files the user may execute.
class QtFileChooser final : public FileChooser {
 public:
  std::optional<QString> ShowOpen(QWidget* parent, const FileChooserRequest& request) override;
};
