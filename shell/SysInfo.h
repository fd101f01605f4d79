#pragma once

#include <optional>
#include <string>

#include "os/FileCheck.h"
#include "os/Registry.h"

// Where Windows keeps the System Information tool's location.
inline constexpr std::u16string_view kSysInfoPathKey = u"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr std::u16string_view kSysInfoPathValue = u"PATH";
inline constexpr std::u16string_view kSysInfoFolderKey = u"SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr std::u16string_view kSysInfoFolderValue = u"MSINFO";
inline constexpr std::u16string_view kSysInfoFileName = u"\\MSINFO32.EXE";
inline constexpr char kSysInfoUnavailable[] = "System Information Is Unavailable At This Time";

// The file to start as the System Information tool: the first key's full file name as
// read (starting it fails when it names no file), or else the second key's folder
// followed by "\MSINFO32.EXE" when an ordinary file is there (the folder is used as
// read, so a trailing backslash doubles). Nothing when neither leads to the tool.
std::optional<std::u16string> SysInfoToolPath(Registry& registry, const FileCheck& files);
