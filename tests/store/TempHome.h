#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

#include "os/CodePage.h"
#include "store/ReminderStore.h"

// A home folder with a db folder in a fresh temporary directory, removed afterwards.
class TempHome {
 public:
  // Tests run in several processes at once, and a process may hold several homes.
  TempHome()
      : root_(std::filesystem::temp_directory_path() / ("reminder-test-" + std::to_string(std::random_device()()))) {
    std::filesystem::create_directories(root_ / "db");
  }
  ~TempHome() {
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
  }
  TempHome(const TempHome&) = delete;

  const std::filesystem::path& root() const { return root_; }
  std::filesystem::path store() const { return root_ / "db" / "reminders.rmd"; }
  std::function<NativePath()> home() const {
    return [r = root_.native()] { return r; };
  }
  std::string StoreBytes() const { return ReadBytes(store()); }
  void WriteStore(const std::string& bytes) const { WriteBytes(store(), bytes); }

  static std::string ReadBytes(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  static void WriteBytes(const std::filesystem::path& p, const std::string& bytes) {
    std::ofstream(p, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }

  // A symbolic link at `link` to the file `target`; false where the system makes none.
  static bool MakeFileLink(const std::filesystem::path& target, const std::filesystem::path& link) {
#ifdef _WIN32
    // The C++ library of mingw makes no links; Windows does, unprivileged in developer
    // mode. Wine says it made one and makes none.
    return (CreateSymbolicLinkW(link.c_str(), target.c_str(), SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE) ||
            CreateSymbolicLinkW(link.c_str(), target.c_str(), 0)) &&
           GetFileAttributesW(link.c_str()) != INVALID_FILE_ATTRIBUTES;
#else
    std::error_code ec;
    std::filesystem::create_symlink(target, link, ec);
    return !ec;
#endif
  }

 private:
  std::filesystem::path root_;
};

// The bytes of a record with these texts.
inline std::string RecordOf(std::u16string_view about, std::u16string_view date = u"12/06/2026",
                            std::u16string_view time = u"18:05:03", std::u16string_view task = u"") {
  RecordBytes b = EncodeRecord(MakeRecord(about, date, time, task));
  return std::string(b.begin(), b.end());
}

// `n` records about "1" to "n", then a damaged tail of `tail` bytes.
inline std::string Records(int n, std::size_t tail = 0) {
  std::string bytes;
  for (int i = 1; i <= n; ++i) bytes += RecordOf(Utf8ToUtf16(std::to_string(i)));
  return bytes + std::string(tail, 'x');
}
