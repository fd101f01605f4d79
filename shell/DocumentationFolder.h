#pragma once

#include <filesystem>

// The folder of the installed documentation (the README), for a program installed in
// `programFolder`: the same prefix's share/doc/reminder.
std::filesystem::path DocumentationFolder(const std::filesystem::path& programFolder);
