#include <windows.h>
#include <shellapi.h>

#include <QDir>
#include <QFileInfo>

#include "os/OsError.h"
#include "ui/Launcher.h"

// The file's default verb, as a double click in Explorer: a program starts, a document
// opens in the program registered for it. The shell shows no box of its own; the
// caller reports a failure with the system's text.
std::optional<QString> QtLauncher::OpenExisting(const QFileInfo& file) {
  const std::wstring path = QDir::toNativeSeparators(file.absoluteFilePath()).toStdWString();
  const std::wstring folder = QDir::toNativeSeparators(file.absolutePath()).toStdWString();
  SHELLEXECUTEINFOW request{};
  request.cbSize = sizeof request;
  request.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
  request.lpFile = path.c_str();
  request.lpDirectory = folder.c_str();
  request.nShow = SW_SHOWNORMAL;
  if (ShellExecuteExW(&request)) return std::nullopt;
  return QString::fromStdString(OsErrorText(static_cast<int>(GetLastError()))) + QStringLiteral(": ") +
         QDir::toNativeSeparators(file.filePath());
}
