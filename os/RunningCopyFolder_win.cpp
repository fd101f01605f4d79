#include "os/RunningCopyFolder.h"

#include "os/OsError.h"

// The folders below the user's profile are the user's own.
std::filesystem::path RunningCopyFolder(const std::filesystem::path& runtime, const std::filesystem::path& fallback,
                                        std::string& why) {
  std::error_code error;
  if (!runtime.empty() && std::filesystem::is_directory(runtime, error)) return runtime;
  std::filesystem::create_directories(fallback, error);
  if (std::filesystem::is_directory(fallback, error)) return fallback;
  why = "No folder for the running copy's lock: " + PathText(fallback);
  return {};
}
