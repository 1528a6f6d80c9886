#pragma once
// Profile files: one setting a line, the line's label immediately followed by
// its value, CR LF line ends. On loading the labels are not compared: each
// value is taken from a fixed character position of its line, and reading is
// bounded (profile_text.h). Failures carry the error numbers the operator
// knows from the profile messages.
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

#include "rx41/rules/profile_text.h"

class QWidget;

namespace rx41 {

class OperatorInterface;

struct ProfileLine {
  QString label;
  int valueColumn;  // 1-based position of the value's first character
};
using ProfileLayout = QList<ProfileLine>;

struct ProfileContents {
  QStringList values;   // of the lines read, in order
  int errorNumber = 0;  // 0, or why reading stopped after values
};

ProfileContents readProfile(const QString& path, const ProfileLayout& layout);

// Replaces the file as a whole (temporary file, then rename), so a failure
// leaves the previous file as it was. False on any failure.
bool writeProfile(const QString& path, const ProfileLayout& layout, const QStringList& values);

// The name a profile is saved under: names of at least 5 characters that end
// in ".txt" stay, all others get ".txt" appended.
QString profileFileName(const QString& chosen);

// The save button: the file dialog, the name rule, the overwrite question and
// the write. A cancelled dialog writes nothing; failures are reported.
void saveProfile(OperatorInterface& operatorInterface, QWidget* owner, const ProfileLayout& layout,
                 const QStringList& values);

// The load button's dialog and read; none when the operator cancelled.
std::optional<ProfileContents> loadProfile(OperatorInterface& operatorInterface, QWidget* owner,
                                           const ProfileLayout& layout);

// The message for a failed load.
void reportProfileError(OperatorInterface& operatorInterface, QWidget* owner, int errorNumber);

}  // namespace rx41
