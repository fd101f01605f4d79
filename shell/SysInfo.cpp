#include "shell/SysInfo.h"

std::optional<std::u16string> SysInfoToolPath(Registry& registry, const FileCheck& files) {
  std::u16string path;
  if (GetKeyValue(registry, Registry::kLocalMachine, kSysInfoPathKey, kSysInfoPathValue, path)) return path;
  if (!GetKeyValue(registry, Registry::kLocalMachine, kSysInfoFolderKey, kSysInfoFolderValue, path))
    return std::nullopt;
  path += kSysInfoFileName;
  if (!files.IsOrdinaryFile(path)) return std::nullopt;
  return path;
}
