#pragma once

#include <QString>
#include <filesystem>

// A folder as the file system spells it: on Linux any bytes, not only UTF-8; on Windows
// UTF-16. Halvern keeps folders in this form from the lists to path.txt, and makes text
// of them only to show them.
using FolderPath = std::filesystem::path;

// The path as the user reads it, with the system's separators, decoded as well as the
// system can (a name that is not UTF-8 shows with replacement characters).
QString ShownPath(const FolderPath& path);

// The folder a text from Qt names (the volumes' roots, which Qt knows only as text).
FolderPath PathOfText(const QString& text);

// `path` made full against `base`, without "." and "..", with the system's separators and
// without a trailing separator except at a root ("/", "C:\").
FolderPath CleanFolder(const FolderPath& path, const FolderPath& base);
