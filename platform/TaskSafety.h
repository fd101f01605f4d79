#pragma once

#include <filesystem>
#include <optional>
#include <string>

// Whether a task taken from the store may be started. On Linux a store that other
// users can change could make this program start anything they like, so a store file
// or db folder that others can write, or that belongs to another user, refuses every
// task; the text says why. Elsewhere nothing is refused.
std::optional<std::string> TaskRefusal(const std::filesystem::path& storeFile, const std::filesystem::path& dbFolder);
