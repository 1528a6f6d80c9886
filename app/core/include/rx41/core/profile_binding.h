#pragma once
// A window's profile file bound to its controls: for each line its label, how
// its value is read from the window, checked, and put back. Saving writes
// what the controls show. Loading is all or nothing: the whole file is read
// and every value checked before any control changes; on any error the
// operator sees the error-number message and the window stays as it was.
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "rx41/core/profile_file.h"
#include "rx41/rules/profile_rows.h"

class QWidget;

namespace rx41 {

class FieldSet;
class OperatorInterface;

class ProfileBinding {
 public:
  using Reader = std::function<QString()>;
  // 0, or the error number of a value the control cannot take.
  using Checker = std::function<int(const QString& value)>;
  using Writer = std::function<void(const QString& value)>;

  // The lines in order, each bound to the control of its field in the set
  // (the set must have them all). A line's value follows its label directly;
  // loading takes it from the character after the label's length.
  void addRows(const std::vector<ProfileRow>& rows, const FieldSet& fields);
  // Runs after a load has put every value in place: the window's field checks.
  void setAfterLoad(std::function<void()> checks) { afterLoad_ = std::move(checks); }

  ProfileLayout layout() const;
  QStringList values() const;
  // 0, or the error number of the first value its control cannot take.
  int check(const QStringList& values) const;
  void apply(const QStringList& values) const;

  // The buttons: the file dialog titled "Select file name...", the ".txt"
  // rule and the overwrite question for saving; the error messages of loading.
  void save(OperatorInterface& operatorInterface, QWidget* owner) const;
  void load(OperatorInterface& operatorInterface, QWidget* owner) const;

 private:
  struct Line {
    QString label;
    Reader read;
    Writer write;
    Checker check;
  };
  void addLine(const QString& label, Reader read, Writer write, Checker check);

  QList<Line> lines_;
  std::function<void()> afterLoad_;
};

}  // namespace rx41
