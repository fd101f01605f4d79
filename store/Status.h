#pragma once

#include <string>
#include <utility>

// The outcome of a store operation: success, or a failure text for the window to show
// (the OS's description and the path involved).
class Status {
 public:
  static Status Ok() { return Status(); }
  static Status Failure(std::string text) { return Status(std::move(text)); }

  bool ok() const { return !failed_; }
  const std::string& text() const { return text_; }

 private:
  Status() = default;
  explicit Status(std::string text) : failed_(true), text_(std::move(text)) {}
  bool failed_ = false;
  std::string text_;
};
