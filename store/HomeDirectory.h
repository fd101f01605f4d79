#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "os/FileIo.h"
#include "store/Status.h"

// The folder that holds the `db` folder with the store, as the OS spells it (bytes on
// Linux, wide text on Windows). Empty until the start-up read succeeds.
using NativePath = std::filesystem::path::string_type;

NativePath HomeDirectory();
void SetHomeDirectory(NativePath home);

// The home directory named by the first item of path.txt's contents, which never runs
// past the first line: a leading UTF-8 byte-order mark skipped, leading and trailing
// blanks removed; a quoted item runs to its closing quote, or to the end of the line
// (trimmed) when the quote is left open; an unquoted item is the whole first line (so a comma
// belongs to the folder name). Empty when there is no item.
NativePath HomeDirectoryFromFile(std::string_view contents);

// Reads path.txt (in the working directory unless told otherwise) and sets
// HomeDirectory. On failure HomeDirectory stays as it was and the status says why; a
// folder name holding a control character (a NUL, say) is refused.
Status ReadHomeDirectory(FileIo& io = OsFileIo::Instance(), const std::filesystem::path& file = "path.txt");

// Reads path.txt again, for a running program started once more: true when it now names
// another home, which is then HomeDirectory. A file that is missing or names no folder
// changes nothing.
bool RereadHomeDirectory(FileIo& io = OsFileIo::Instance(), const std::filesystem::path& file = "path.txt");

// The store and its folder below a home directory: home + separator +
// "db" + separator + name, with nothing added or removed (a root gives a doubled
// separator, which the file system accepts).
std::filesystem::path StorePathFor(const NativePath& home);
std::filesystem::path DbFolderFor(const NativePath& home);
