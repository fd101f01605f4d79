#include "shell/DocumentationFolder.h"

std::filesystem::path DocumentationFolder(const std::filesystem::path& programFolder) {
  // The install layout's way from the programs' folder to the documentation's.
  return (programFolder / REMINDER_DOC_FROM_PROGRAM).lexically_normal();
}
