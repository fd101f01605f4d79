#include "homeset/HomePathFile.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

#ifdef _WIN32
// The UTF-8 text in the ANSI code page, or nothing when a character has no exact form
// there (a best-fit look-alike would name another folder).
std::optional<std::string> ToAnsi(std::string_view utf8) {
  if (utf8.empty()) return std::string();
  const int size = static_cast<int>(utf8.size());
  int wideLength = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
  if (wideLength <= 0) return std::nullopt;
  std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, wide.data(), wideLength);
  if (GetACP() == CP_UTF8) return std::string(utf8);
  BOOL lossy = FALSE;
  int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength, nullptr, 0, nullptr, &lossy);
  if (length <= 0 || lossy) return std::nullopt;
  std::string ansi(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength, ansi.data(), length, nullptr, &lossy);
  if (lossy) return std::nullopt;
  return ansi;
}

// The folder's UTF-16 name in UTF-8, or nothing for a name that is not valid UTF-16.
std::optional<std::string> ToUtf8(const std::wstring& wide) {
  if (wide.empty()) return std::string();
  const int size = static_cast<int>(wide.size());
  int length = WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide.data(), size, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return std::nullopt;
  std::string utf8(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide.data(), size, utf8.data(), length, nullptr, nullptr);
  return utf8;
}
#endif

}  // namespace

std::string ComposeHomeWarning() {
  return std::string("Make sure to specify the correct") +
         " path of HOME directory of reminder installed at your hard drive" +
         ". Otherwise reminder may not WORK AT ALL. Proceed at your own risk!";
}

std::string HomeDirectoryLine(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return std::string(text);
}

PathFileBytes PathFileBytesFor(std::string_view line) {
  // The reader takes the first line only: a break inside the path would leave it
  // another folder's name.
  if (line.find_first_of("\r\n") != std::string_view::npos)
    return {{}, "The folder's path holds a line break, which path.txt cannot hold: " + std::string(line)};
  // The reader drops blanks at the ends of the line, which would name another folder.
  if (HomeDirectoryLine(line) != line)
    return {{},
            "The folder's path begins or ends with a blank, which path.txt cannot hold: \"" + std::string(line) + "\""};
#ifdef _WIN32
  std::optional<std::string> ansi = ToAnsi(line);
  if (!ansi)
    return {{}, "The folder's path holds characters that the system's code page cannot hold: " + std::string(line)};
  return {*ansi + "\r\n", std::nullopt};
#else
  return {std::string(line) + "\r\n", std::nullopt};
#endif
}

std::optional<std::string> WritePathFile(FileOutput& output, const std::filesystem::path& folder,
                                         const std::filesystem::path& file) {
#ifdef _WIN32
  std::optional<std::string> line = ToUtf8(folder.native());
  if (!line) return "The folder's path holds characters that the system's code page cannot hold";
  PathFileBytes contents = PathFileBytesFor(*line);
#else
  PathFileBytes contents = PathFileBytesFor(folder.native());
#endif
  if (contents.refusal) return contents.refusal;
  return output.Replace(file, contents.bytes);
}
