#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

// A fresh temporary folder, removed afterwards.
class TempFolder {
 public:
  TempFolder() { std::filesystem::create_directory(root_); }
  ~TempFolder() { std::filesystem::remove_all(root_); }
  std::filesystem::path root() const { return root_; }
  static std::string ReadBytes(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  static void WriteBytes(const std::filesystem::path& p, const std::string& bytes) {
    std::ofstream(p, std::ios::binary) << bytes;
  }

 private:
  // Tests run in several processes at once.
  std::filesystem::path root_ =
      std::filesystem::temp_directory_path() / ("halvern-test-" + std::to_string(std::random_device()()));
};
