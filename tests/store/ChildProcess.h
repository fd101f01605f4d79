#pragma once

#include <filesystem>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>

#include "platform/CodePage.h"
#else
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

// A child process of a test: started with arguments, killed at once (as a power cut
// would stop it), waited for.
class ChildProcess {
 public:
  // Starts `args` (the program first, all in UTF-8); its standard output goes to `out`
  // when given.
  ChildProcess(const std::vector<std::string>& args, const std::filesystem::path& out = {}) {
#ifdef _WIN32
    std::wstring commandLine;
    for (const std::string& arg : args) {
      if (!commandLine.empty()) commandLine += L' ';
      const std::u16string wide = Utf8ToUtf16(arg);
      commandLine += Quoted(std::wstring(wide.begin(), wide.end()));
    }
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE output = INVALID_HANDLE_VALUE;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!out.empty()) {
      output = CreateFileW(out.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
      startup.dwFlags = STARTF_USESTDHANDLES;
      startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
      startup.hStdOutput = output;
      startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    }
    PROCESS_INFORMATION info{};
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                       &startup, &info)) {
      CloseHandle(info.hThread);
      process_ = info.hProcess;
    }
    if (output != INVALID_HANDLE_VALUE) CloseHandle(output);
#else
    int outFd = -1;
    if (!out.empty()) outFd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    pid_ = fork();
    if (pid_ == 0) {
      if (outFd >= 0) dup2(outFd, 1);
      std::vector<char*> argv;
      for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
      argv.push_back(nullptr);
      execv(argv[0], argv.data());
      _exit(127);
    }
    if (outFd >= 0) ::close(outFd);
#endif
  }
  ~ChildProcess() {
    if (started()) {
      Kill();
      Wait();
    }
  }
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool started() const {
#ifdef _WIN32
    return process_ != nullptr;
#else
    return pid_ > 0;
#endif
  }

  void Kill() {
#ifdef _WIN32
    TerminateProcess(process_, 137);
#else
    kill(pid_, SIGKILL);
#endif
  }

  // The exit code of a child that ended by itself; -1 for one that was killed.
  int Wait() {
    int code = -1;
#ifdef _WIN32
    WaitForSingleObject(process_, INFINITE);
    DWORD exit = 0;
    if (GetExitCodeProcess(process_, &exit) && exit != 137) code = static_cast<int>(exit);
    CloseHandle(process_);
    process_ = nullptr;
#else
    int status = 0;
    if (waitpid(pid_, &status, 0) == pid_ && WIFEXITED(status)) code = WEXITSTATUS(status);
    pid_ = -1;
#endif
    return code;
  }

 private:
#ifdef _WIN32
  // One argument as CommandLineToArgvW reads it back.
  static std::wstring Quoted(const std::wstring& arg) {
    std::wstring out = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : arg) {
      if (c == L'\\') {
        ++backslashes;
        continue;
      }
      out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
      backslashes = 0;
      out.push_back(c);
    }
    out.append(backslashes * 2, L'\\');
    return out + L"\"";
  }
  HANDLE process_ = nullptr;
#else
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
