// Any bytes as path.txt: the reader takes at most the first line, never more than the
// file holds, and reads a file the same with or without a byte-order mark.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz/MemoryFileIo.h"
#include "store/HomeDirectory.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view contents(reinterpret_cast<const char*>(data), size);
  const NativePath home = HomeDirectoryFromFile(contents);
  if (home.size() > size) std::abort();
  if (home.find_first_of("\r\n") != NativePath::npos) std::abort();  // nothing runs past the first line
  const std::string_view mark = "\xef\xbb\xbf";
  const std::string_view bare = contents.starts_with(mark) ? contents.substr(mark.size()) : contents;
  if (!bare.starts_with(mark) &&
      HomeDirectoryFromFile(std::string(mark) + std::string(bare)) != HomeDirectoryFromFile(bare))
    std::abort();
  // The reader sees the first 8 KiB, which hold any folder path.
  if (size > 8192) return 0;
  MemoryFileIo io{std::string(contents)};
  SetHomeDirectory("/unchanged");
  Status s = ReadHomeDirectory(io, "path.txt");
  if (s.ok() ? HomeDirectory() != home : (HomeDirectory() != "/unchanged" || !home.empty())) std::abort();
  return 0;
}
