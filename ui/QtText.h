#pragma once

#include <QString>
#include <filesystem>
#include <string>
#include <string_view>

// The core's texts as Qt's: UTF-16 as it stands, and the OS's UTF-8 descriptions.
QString FromStd(std::u16string_view text);
QString FromUtf8(const std::string& text);

// A path as the file calls of Qt take it: local 8-bit bytes on Linux, wide on Windows.
std::filesystem::path PathOf(const QString& path);
QString FromPath(const std::filesystem::path& path);
