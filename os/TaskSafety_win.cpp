#include "os/TaskSafety.h"

std::optional<std::string> TaskRefusal(const std::filesystem::path&, const std::filesystem::path&,
                                       const std::filesystem::path&) {
  return std::nullopt;
}
