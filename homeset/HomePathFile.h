#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "homeset/FileOutput.h"

// The text and the file that name the reminder program's home directory. All text here
// is UTF-8.

// The chooser's warning above its lists.
std::string ComposeHomeWarning();

// The text with leading and trailing blanks (spaces and tabs) removed, inner blanks
// kept: what the reader takes back of the line in path.txt.
std::string HomeDirectoryLine(std::string_view text);

// The bytes of path.txt holding `line`, or why it cannot be written.
struct PathFileBytes {
  std::string bytes;
  std::optional<std::string> refusal;
};

// One line, then CR LF, and nothing else. On Linux the path's own bytes (the file
// system's spelling), on Windows the ANSI code page. A path that the one line cannot
// hold exactly (a line break in a folder name, a blank at either end of the line, which
// the reader drops; on Windows a character outside the code page) is refused rather than
// written as another folder.
PathFileBytes PathFileBytesFor(std::string_view line);

// Writes path.txt naming the chosen folder, as it is, replacing any earlier file.
// Nothing on success; otherwise the description of what failed.
std::optional<std::string> WritePathFile(FileOutput& output, const std::filesystem::path& folder,
                                         const std::filesystem::path& file = "path.txt");
