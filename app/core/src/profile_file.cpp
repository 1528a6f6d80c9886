#include "rx41/core/profile_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "rx41/operator/operator_interface.h"

namespace rx41 {
namespace {

const QString kDialogTitle = QStringLiteral("Select file name...");

}  // namespace

ProfileContents readProfile(const QString& path, const ProfileLayout& layout) {
  std::vector<std::size_t> columns;
  for (const ProfileLine& line : layout) columns.push_back(static_cast<std::size_t>(line.valueColumn));
  const ProfileText text = readProfileText(QFile::encodeName(path).toStdString(), columns);
  ProfileContents contents;
  for (const std::string& value : text.values) contents.values << QString::fromStdString(value);
  contents.errorNumber = text.errorNumber;
  return contents;
}

bool writeProfile(const QString& path, const ProfileLayout& layout, const QStringList& values) {
  QSaveFile file(path);
  // Unbuffered, so that a short write (a full disk) shows in the count below
  // instead of being lost in a flush that still reports success.
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return false;
  QByteArray text;
  for (qsizetype i = 0; i < layout.size(); ++i)
    text += (layout[i].label + values.value(i) + QStringLiteral("\r\n")).toUtf8();
  if (file.write(text) != text.size()) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

QString profileFileName(const QString& chosen) {
  const QString extension = QStringLiteral(".txt");
  if (chosen.size() >= 5 && chosen.endsWith(extension)) return chosen;
  return chosen + extension;
}

void saveProfile(OperatorInterface& operatorInterface, QWidget* owner, const ProfileLayout& layout,
                 const QStringList& values) {
  const QString chosen = operatorInterface.saveFileName(kDialogTitle, owner);
  if (chosen.isEmpty()) return;
  const QString path = profileFileName(chosen);
  if (QFileInfo::exists(path) &&
      !operatorInterface.askYesNo(QStringLiteral("The file with the same name already exists, would you override?"),
                                  owner))
    return;
  if (!writeProfile(path, layout, values))
    operatorInterface.message(QStringLiteral("Error happens when saving to file!"), owner);
}

std::optional<ProfileContents> loadProfile(OperatorInterface& operatorInterface, QWidget* owner,
                                           const ProfileLayout& layout) {
  const QString path = operatorInterface.openFileName(kDialogTitle, owner);
  if (path.isEmpty()) return std::nullopt;
  return readProfile(path, layout);
}

void reportProfileError(OperatorInterface& operatorInterface, QWidget* owner, int errorNumber) {
  if (errorNumber == profile_error::kFileNotFound) {
    operatorInterface.message(QStringLiteral("The selected file cannot be found!"), owner);
    return;
  }
  operatorInterface.message(
      QStringLiteral("Error with number:%1 occurs! Please check the integrity of profile file!").arg(errorNumber),
      owner);
}

}  // namespace rx41
