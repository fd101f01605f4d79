#pragma once

#include <filesystem>
#include <optional>
#include <string>

// Whether a task taken from the store may be started; the text says why not. On Linux
// nobody else may choose what this program starts:
// - the store file and its db folder must belong to this user and nobody else may write
//   them (mode bits, group, extended ACL);
// - the task (a program, or a document its default program opens) must belong to this
//   user or to root and nobody else may write it; every folder on its way from the root
//   must belong to this user or to root, and nobody else may write it unless it is
//   sticky; each symbolic link on the way must belong to this user or to root, and its
//   target passes the same checks. A relative task is taken from the working folder, as
//   the launcher takes it, and checked there in full. A task that does not exist is not
//   refused here (starting it fails with the OS's text): the folders checked up to it
//   let nobody else create it.
// "Nobody else may write" counts a group only when another user is in it, listed or by
// its primary group. Elsewhere nothing is refused.
std::optional<std::string> TaskRefusal(const std::filesystem::path& storeFile, const std::filesystem::path& dbFolder,
                                       const std::filesystem::path& task);
