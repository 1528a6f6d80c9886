#pragma once
// Raw register access for diagnosis: 32 rows of address, data read and data
// to write, in four memory banks of eight. The calling window opens it for a
// part in OWI mode:
//   frmadvanced advanced(operatorInterface, state, owner);
//   advanced.Init(part, 1);
//   operatorInterface.runModal(advanced);
// MemRead and MemWrite go through the rows in order and let the screen
// repaint after each; while they run, presses of either are ignored and the
// window stays open. An entry that is no hexadecimal number, or an address
// outside 0..FF, stops the loop at its row with a message naming row and text.
#include <QString>
#include <cstdint>
#include <optional>

#include "rx41/core/app_state.h"
#include "rx41/core/busy_flag.h"
#include "rx41/core/state_machine.h"
#include "rx41/display/display_form.h"

class QLineEdit;
class QRadioButton;

namespace rx41 {

class frmadvanced final : public DisplayForm {
 public:
  static constexpr int kRows = 32;
  static constexpr int kRowsPerBank = 8;

  explicit frmadvanced(OperatorInterface& operatorInterface, AppState& state = appState(), QWidget* owner = nullptr);

  // Index: the part addressed (0 or 1); num: the number of parts offered,
  // 1 locks the part.
  void Init(std::int16_t Index, std::int16_t num);

  bool loopRunning() const { return busy_.busy(); }

 protected:
  void Form_Load() override;
  // Refuses while a loop runs (the close box and Escape both end here).
  void reject() override;

 private:
  void buildBank(int bank, QWidget* frame);
  void memread_Click();
  void memwritewithCRC_Click();
  void PartOption_Click(std::int16_t Index);
  // Runs the loop unless one runs already.
  void runLoop(void (frmadvanced::*loop)());
  void readRows();
  void writeRows();
  // ADC mode is left for OWI mode first; "Error: Not in OWI mode" when the
  // part is not in OWI mode then.
  bool reachOwiMode();
  // The row's address or data, or none (told) when it is not a valid entry.
  std::optional<std::int32_t> rowAddress(int row);
  std::optional<std::int32_t> rowData(int row);
  void refuseRow(int row, const QString& text, const char* problem);

  OperatorInterface& operator_;
  AppState& state_;
  StateMachine machine_;
  std::int16_t part_ = 0;
  std::int16_t count_ = 0;
  BusyFlag busy_;
  QLineEdit* add_[kRows] = {};
  QLineEdit* out_[kRows] = {};
  QLineEdit* Din_[kRows] = {};
  QRadioButton* PartOption_[2] = {};
};

}  // namespace rx41
