#pragma once
// Writing programming records for the application: each record goes to the
// record file as it is made. A record that cannot be written never stops
// programming: every failure is logged, and the operator is told once per
// run of the program.
#include <QLoggingCategory>

#include "rx041/records/programming_record.h"

class QWidget;

Q_DECLARE_LOGGING_CATEGORY(rx41Records)

namespace rx41 {

class OperatorInterface;

class RecordJournal {
 public:
  // True when the record is in the file.
  bool append(const rx041::records::ProgrammingRecord& record, OperatorInterface& operatorInterface, QWidget* owner);

 private:
  bool failureTold_ = false;
};

// The journal of this run of the program.
RecordJournal& recordJournal();

}  // namespace rx41
