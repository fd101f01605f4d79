#include <cstdlib>
#include <cwchar>
#include <string>

#include "os/CodePage.h"
#include "os/RunningCopyName.h"

std::string RunningCopyUser() {
  const wchar_t* name = _wgetenv(L"USERNAME");
  return name ? Utf16ToUtf8(std::u16string(name, name + std::wcslen(name))) : std::string();
}
