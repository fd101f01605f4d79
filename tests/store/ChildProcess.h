#pragma once

#include <filesystem>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>

#include "os/CodePage.h"
#else
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

// A child process of a test: started with arguments, killed at once (as a power cut
// would stop it), waited for.
class ChildProcess {
 public:
  // Starts `args`, the program first, all in UTF-8: paths and numbers, none holding a
  // quote or ending in a backslash, so plain quotes keep each whole on Windows.
  explicit ChildProcess(const std::vector<std::string>& args) {
#ifdef _WIN32
    std::wstring commandLine;
    for (const std::string& arg : args) {
      const std::u16string wide = Utf8ToUtf16(arg);
      commandLine += (commandLine.empty() ? L"\"" : L" \"") + std::wstring(wide.begin(), wide.end()) + L"\"";
    }
    STARTUPINFOW startup{sizeof startup};
    PROCESS_INFORMATION info{};
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
      CloseHandle(info.hThread), process_ = info.hProcess;
#else
    if ((pid_ = fork()) != 0) return;
    std::vector<char*> argv;
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
#endif
  }
  ~ChildProcess() {
    if (started()) Kill(), Wait();
  }
  ChildProcess(const ChildProcess&) = delete;

#ifdef _WIN32
  bool started() const { return process_ != nullptr; }
  void Kill() { TerminateProcess(process_, 137); }
  // The exit code of a child that ended by itself; -1 for one that was killed.
  int Wait() {
    WaitForSingleObject(process_, INFINITE);
    DWORD exit = 0;
    const int code = GetExitCodeProcess(process_, &exit) && exit != 137 ? static_cast<int>(exit) : -1;
    return CloseHandle(process_), process_ = nullptr, code;
  }

 private:
  HANDLE process_ = nullptr;
#else
  bool started() const { return pid_ > 0; }
  void Kill() { kill(pid_, SIGKILL); }
  int Wait() {
    int status = 0;
    const int code = waitpid(pid_, &status, 0) == pid_ && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return pid_ = -1, code;
  }

 private:
  pid_t pid_ = -1;
#endif
};

// The store_torture program, which the tests start as their child.
inline std::filesystem::path StoreTortureProgram() {
#ifdef _WIN32
  // Beside the test program: the path the build knows is a Linux one under Wine.
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  return std::filesystem::path(self).parent_path() / "store_torture.exe";
#else
  return STORE_TORTURE;
#endif
}
