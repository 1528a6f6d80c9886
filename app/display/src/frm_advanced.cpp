#include "rx41/display/frm_advanced.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <iterator>

#include "rx41/core/event_pass.h"
#include "rx41/display/hex_entry.h"
#include "rx41/operator/control_names.h"
#include "rx41/rules/device_texts.h"
#include "rx41/rules/part_set.h"

namespace rx41 {
namespace {

constexpr const char* kDesignAddresses[] = {"1", "2", "3", "4", "5", "6",  "7",  "8",  "9",  "A",
                                            "B", "C", "D", "E", "F", "10", "11", "12", "14", "48"};
// Frame names and captions of the banks, rows 0-7 first.
constexpr const char* kBankFrames[] = {"Frame2", "Frame1", "Frame4", "Frame3"};
constexpr const char* kColumnHeadings[] = {"Addr:", "Data out:", "Data in:"};
constexpr const char* kHeadingLabels[] = {"Label1", "Label2", "Label3"};
constexpr std::int32_t kLastAddress = 0xFF;

QLineEdit* rowBox(const char* name, int row, const QString& accessibleName, QWidget* frame) {
  auto* box = named(new QLineEdit(frame), QString::fromLatin1(name), row);
  box->setAccessibleName(accessibleName);
  return box;
}

}  // namespace

frmadvanced::frmadvanced(OperatorInterface& operatorInterface, AppState& state, QWidget* owner)
    : DisplayForm(QStringLiteral("frmadvanced"), QStringLiteral("Advanced Commands"), owner),
      operator_(operatorInterface),
      state_(state),
      machine_(state, operatorInterface, this) {
  auto* banks = new QGridLayout;
  for (int bank = 0; bank < kRows / kRowsPerBank; ++bank) {
    auto* frame =
        named(new QGroupBox(QStringLiteral("Memory bank %1").arg(bank), this), QString::fromLatin1(kBankFrames[bank]));
    buildBank(bank, frame);
    banks->addWidget(frame, bank / 2, bank % 2);
  }
  auto* controls = new QHBoxLayout;
  for (std::int16_t part = 0; part < 2; ++part) {
    PartOption_[part] =
        named(new QRadioButton(QString::fromStdString(partName(part)), this), QStringLiteral("PartOption"), part);
    connect(PartOption_[part], &QRadioButton::clicked, this, [this, part] { PartOption_Click(part); });
    controls->addWidget(PartOption_[part]);
  }
  controls->addStretch();
  auto* memread = named(new QPushButton(QStringLiteral("MemRead"), this), QStringLiteral("memread"));
  auto* memwrite = named(new QPushButton(QStringLiteral("MemWrite"), this), QStringLiteral("memwritewithCRC"));
  connect(memread, &QPushButton::clicked, this, [this] { memread_Click(); });
  connect(memwrite, &QPushButton::clicked, this, [this] { memwritewithCRC_Click(); });
  controls->addWidget(memread);
  controls->addWidget(memwrite);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(banks);
  layout->addLayout(controls);
}

void frmadvanced::buildBank(int bank, QWidget* frame) {
  auto* grid = new QGridLayout(frame);
  const QString bankTitle = QStringLiteral("Memory bank %1").arg(bank);
  for (int column = 0; column < 3; ++column) {
    auto* heading = new QLabel(QString::fromLatin1(kColumnHeadings[column]), frame);
    // The window's one set of column headings carries the design names.
    if (bank == 0) setControlName(*heading, QString::fromLatin1(kHeadingLabels[column]));
    grid->addWidget(heading, 0, column);
  }
  for (int line = 0; line < kRowsPerBank; ++line) {
    const int row = bank * kRowsPerBank + line;
    const auto accessible = [&](int column) {
      return QStringLiteral("%1 %2 %3").arg(bankTitle, QLatin1String(kColumnHeadings[column])).arg(line + 1);
    };
    add_[row] = rowBox("add", row, accessible(0), frame);
    out_[row] = rowBox("out", row, accessible(1), frame);
    Din_[row] = rowBox("Din", row, accessible(2), frame);
    out_[row]->setReadOnly(true);
    if (row < static_cast<int>(std::size(kDesignAddresses))) add_[row]->setText(QLatin1String(kDesignAddresses[row]));
    grid->addWidget(add_[row], line + 1, 0);
    grid->addWidget(out_[row], line + 1, 1);
    grid->addWidget(Din_[row], line + 1, 2);
  }
}

void frmadvanced::Init(std::int16_t Index, std::int16_t num) {
  part_ = Index;
  count_ = num;
}

void frmadvanced::Form_Load() {
  PartOption_[part_]->setChecked(true);
  for (QRadioButton* option : PartOption_) option->setEnabled(count_ != 1);
}

void frmadvanced::reject() {
  // The loop still holds the device.
  if (busy_.busy()) return;
  DisplayForm::reject();
}

void frmadvanced::memread_Click() { runLoop(&frmadvanced::readRows); }

void frmadvanced::memwritewithCRC_Click() { runLoop(&frmadvanced::writeRows); }

void frmadvanced::PartOption_Click(std::int16_t Index) {
  if (busy_.busy()) {
    // The running loop keeps its part to the end.
    PartOption_[part_]->setChecked(true);
    return;
  }
  if (Index == part_) return;
  for (int row = 0; row < kRows; ++row) {
    out_[row]->clear();
    Din_[row]->clear();
  }
  part_ = Index;
}

void frmadvanced::runLoop(void (frmadvanced::*loop)()) {
  busy_.runUnlessBusy([&] {
    machine_.calls().beginAction();
    (this->*loop)();
  });
}

bool frmadvanced::reachOwiMode() {
  if (state_.ChipState[part_] == kAdcMode) machine_.ChipChangeToState(part_, kAdcMode, kOwiMode);
  if (state_.ChipState[part_] == kOwiMode) return true;
  operator_.message(QLatin1String(device_text::kNotInOwiMode), this);
  return false;
}

void frmadvanced::readRows() {
  if (!reachOwiMode()) return;
  for (int row = 0; row < kRows; ++row) {
    if (add_[row]->text().isEmpty()) continue;
    const auto address = rowAddress(row);
    if (!address) return;
    const auto value = machine_.calls().MemRead(part_, *address);
    if (!value) return;
    out_[row]->setText(QString::fromStdString(hexText(*value)));
    letEventsRun();
  }
}

void frmadvanced::writeRows() {
  if (!reachOwiMode()) return;
  for (int row = 0; row < kRows; ++row) {
    if (add_[row]->text().isEmpty() || Din_[row]->text().isEmpty()) continue;
    const auto address = rowAddress(row);
    if (!address) return;
    const auto value = rowData(row);
    // The device writes the low byte of the data, so 1FF writes FF.
    if (!value || !machine_.calls().MemWrite(part_, *address, *value)) return;
    letEventsRun();
  }
}

std::optional<std::int32_t> frmadvanced::rowAddress(int row) {
  const QString text = add_[row]->text();
  const auto address = hexEntryValue(text.toStdString());
  if (!address) {
    refuseRow(row, text, "is not a hexadecimal address");
  } else if (*address < 0 || *address > kLastAddress) {
    refuseRow(row, text, "is not an address from 0 to FF");
    return std::nullopt;
  }
  return address;
}

std::optional<std::int32_t> frmadvanced::rowData(int row) {
  const QString text = Din_[row]->text();
  const auto value = hexEntryValue(text.toStdString());
  if (!value) refuseRow(row, text, "is not hexadecimal data");
  return value;
}

void frmadvanced::refuseRow(int row, const QString& text, const char* problem) {
  // Named as the operator sees it: the bank's frame, its rows counted from 1.
  operator_.message(QStringLiteral("Memory bank %1 row %2: '%3' %4")
                        .arg(row / kRowsPerBank)
                        .arg(row % kRowsPerBank + 1)
                        .arg(text, QLatin1String(problem)),
                    this);
}

}  // namespace rx41
