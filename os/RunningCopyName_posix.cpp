#include <unistd.h>

#include "os/RunningCopyName.h"

std::string RunningCopyUser() { return std::to_string(::geteuid()); }
