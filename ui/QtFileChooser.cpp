#include <QDir>
#include <QFileDialog>
#include <QStringList>

#include "ui/ChooserFilter.h"
#include "ui/FileChooser.h"
#include "ui/ProgramFilesProxy.h"

namespace {

QString FromU16(const std::u16string& text) {
  return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

bool ListsPrograms(const ChooserFilterEntry& entry) {
  for (const std::u16string& pattern : entry.patterns)
    if (QString::compare(FromU16(pattern), QStringLiteral("*.exe"), Qt::CaseInsensitive) == 0) return true;
  return false;
}

}  // namespace

std::optional<QString> QtFileChooser::ShowOpen(QWidget* parent, const FileChooserRequest& request) {
  QFileDialog dialog(parent, request.title);
  dialog.setObjectName("FileChooser");
  dialog.setAccessibleName(request.title);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  // The chooser shows each entry by its description alone, as the filter names it.
  dialog.setOption(QFileDialog::HideNameFilterDetails);

  const std::vector<ChooserFilterEntry> entries = ParseChooserFilter(request.filter.toStdU16String());
  QStringList names;
  QStringList descriptions;
  std::vector<bool> programEntry;
  for (const ChooserFilterEntry& entry : entries) {
    QStringList patterns;
    bool programs = ListsPrograms(entry);
#ifndef _WIN32
    // Programs here rarely end in .exe: let the model pass every file and the proxy
    // pick .exe files and the files the user may execute.
    if (programs) patterns << QStringLiteral("*");
#endif
    if (patterns.isEmpty())
      for (const std::u16string& pattern : entry.patterns) patterns << FromU16(pattern);
    descriptions << FromU16(entry.description);
    names << descriptions.back() + " (" + patterns.join(' ') + ")";
    programEntry.push_back(programs);
  }
  if (!names.isEmpty()) dialog.setNameFilters(names);
  const int selected = request.filterIndex >= 1 && request.filterIndex <= names.size() ? request.filterIndex - 1 : 0;

#ifndef _WIN32
  bool anyPrograms = false;
  for (bool p : programEntry) anyPrograms = anyPrograms || p;
  if (anyPrograms) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);  // a proxy works only in Qt's own dialog
    auto* proxy = new ProgramFilesProxy(&dialog);
    dialog.setProxyModel(proxy);
    // The dialog names the chosen entry by its full filter or, with the details
    // hidden, by its description.
    QObject::connect(&dialog, &QFileDialog::filterSelected, proxy,
                     [proxy, names, descriptions, programEntry](const QString& name) {
                       qsizetype i = names.indexOf(name);
                       if (i < 0) i = descriptions.indexOf(name);
                       proxy->setListPrograms(i >= 0 && programEntry[static_cast<std::size_t>(i)]);
                     });
    proxy->setListPrograms(!names.isEmpty() && programEntry[static_cast<std::size_t>(selected)]);
  }
#endif
  if (!names.isEmpty()) dialog.selectNameFilter(names[selected]);

  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty() || chosen.front().isEmpty()) return std::nullopt;
  return QDir::toNativeSeparators(chosen.front());
}
