// Any bytes as path.txt: the reader takes at most the first line, never more than the
// file holds, and reads a file the same with or without a byte-order mark.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "store/HomeDirectory.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string contents(reinterpret_cast<const char*>(data), size), mark = "\xef\xbb\xbf";
  const NativePath home = HomeDirectoryFromFile(contents);
  if (home.size() > size || home.find_first_of("\r\n") != NativePath::npos) std::abort();
  const std::string bare = contents.starts_with(mark) ? contents.substr(mark.size()) : contents;
  if (!bare.starts_with(mark) && HomeDirectoryFromFile(mark + bare) != HomeDirectoryFromFile(bare)) std::abort();
  return 0;
}
