#pragma once

#include <filesystem>
#include <string>

// The OS's own description of an error code (errno, or GetLastError on Windows), in UTF-8.
std::string OsErrorText(int code);
// The system's own text alone, for codes the program does not name itself.
std::string SystemErrorText(int code);

// A path as UTF-8 text for messages. On Linux the bytes are taken as they are.
std::string PathText(const std::filesystem::path& path);

// "<OS description>: <path>", the form of every failure text of the store.
std::string DescribeFailure(int code, const std::filesystem::path& path);
