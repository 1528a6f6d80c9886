#include "rx41/core/record_journal.h"

#include "rx041/records/record_file.h"
#include "rx41/operator/operator_interface.h"

Q_LOGGING_CATEGORY(rx41Records, "rx41.records")

namespace rx41 {

bool RecordJournal::append(const rx041::records::ProgrammingRecord& record, OperatorInterface& operatorInterface,
                           QWidget* owner) {
  const auto problem = rx041::records::appendLine(rx041::records::recordFilePath(), rx041::records::recordLine(record));
  if (!problem) return true;
  qCWarning(rx41Records, "programming record of Part#%d not written: %s", record.part, problem->c_str());
  if (failureTold_) return false;
  failureTold_ = true;
  operatorInterface.message(QStringLiteral("The programming record could not be written: %1. Programming goes on; "
                                           "records that cannot be written are logged.")
                                .arg(QString::fromStdString(*problem)),
                            owner);
  return false;
}

RecordJournal& recordJournal() {
  static RecordJournal journal;
  return journal;
}

}  // namespace rx41
