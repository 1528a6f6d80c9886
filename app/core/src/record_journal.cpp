#include "rx41/record_journal.h"

#include "rx41/operator_interface.h"
#include "rx41/record_file.h"

Q_LOGGING_CATEGORY(rx41Records, "rx41.records")

namespace rx41 {

void RecordJournal::append(const ProgrammingRecord& record, OperatorInterface& operatorInterface, QWidget* owner) {
  const auto problem = appendLine(recordFilePath(), recordLine(record));
  if (!problem) return;
  qCWarning(rx41Records, "programming record of Part#%d not written: %s", record.part, problem->c_str());
  if (failureTold_) return;
  failureTold_ = true;
  operatorInterface.message(QStringLiteral("The programming record could not be written: %1. Programming goes on; "
                                           "records that cannot be written are logged.")
                                .arg(QString::fromStdString(*problem)),
                            owner);
}

RecordJournal& recordJournal() {
  static RecordJournal journal;
  return journal;
}

}  // namespace rx41
