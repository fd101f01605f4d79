#pragma once

#include <filesystem>
#include <string>

// The folder that holds the running copy's lock and socket: `runtime` (the user's
// runtime folder) when it is usable, else `fallback`, made for this user alone when it
// is missing. A usable folder is a folder itself, not a link, that only this user can
// write: on Linux it belongs to the user and neither group nor others may write it.
// Empty when neither is usable; `why` then says what is wrong with each.
std::filesystem::path RunningCopyFolder(const std::filesystem::path& runtime, const std::filesystem::path& fallback,
                                        std::string& why);
