#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

// A fresh temporary folder named after the running test, removed afterwards.
class TempFolder {
 public:
  TempFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "folder";
    for (char& c : name)
      if (c == '/') c = '_';
    root_ = std::filesystem::temp_directory_path() /
            ("halvern-test-" + std::to_string(::getpid()) + "-" + name);
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_);
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& root() const { return root_; }

  static std::string ReadBytes(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  static void WriteBytes(const std::filesystem::path& p, const std::string& bytes) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }

 private:
  std::filesystem::path root_;
};
