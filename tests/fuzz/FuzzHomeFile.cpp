// Any bytes as path.txt: the reader takes at most the first line and never more than
// the file holds.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "fuzz/MemoryFileIo.h"
#include "store/HomeDirectory.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view contents(reinterpret_cast<const char*>(data), size);
  const NativePath home = HomeDirectoryFromFile(contents);
  if (home.size() > size) std::abort();
  if (home.find_first_of("\r\n") != NativePath::npos && contents.find_first_not_of(" \t") != std::string_view::npos &&
      contents[contents.find_first_not_of(" \t")] != '"')
    std::abort();  // only a quoted item may run past its line
  // The reader sees the first 8 KiB, which hold any folder path.
  if (size > 8192) return 0;
  MemoryFileIo io{std::string(contents)};
  SetHomeDirectory("/unchanged");
  Status s = ReadHomeDirectory(io, "path.txt");
  if (s.ok() ? HomeDirectory() != home : (HomeDirectory() != "/unchanged" || !home.empty())) std::abort();
  return 0;
}
