#pragma once
// The settings last copied into the shared curve tables, for one part or
// both, and the output curve they give. The calling window opens it after its
// settings check:
//   frmLinearGraph graph(operatorInterface, state, owner);
//   graph.Init(part, mode, 0, 0);   // one part (row 0 shows it)
//   graph.Init(0, mode1, 1, mode2); // both parts
//   operatorInterface.runModal(graph);
// A mode is the curve mode (2, 3 or 4 points) plus 16 when only point A is
// marked on the plot. "Check Output" opens the output check of the parts
// shown against these settings (frm_output_check.h).
#include <QLineEdit>
#include <cstdint>

#include "rx41/core/app_state.h"
#include "rx41/core/window_identity.h"
#include "rx41/display/display_form.h"
#include "rx41/operator/operator_interface.h"

class QLabel;

namespace rx41 {

class CurvePlot;

class frmLinearGraph final : public DisplayForm {
 public:
  // window: the working window that opens the graph, for the records of its output check.
  explicit frmLinearGraph(OperatorInterface& operatorInterface, AppState& state = appState(), QWidget* owner = nullptr,
                          const WindowIdentity& window = {});

  // part2 and mode2 both 0: one part; otherwise Part#1 with mode and Part#2
  // with mode2 (a mode2 of 0 or 16 still shows Part#1 alone). Clears both
  // parts' curves.
  void Init(std::int16_t part, std::int16_t mode, std::int16_t part2, std::int16_t mode2);

 protected:
  void Form_Load() override;

 private:
  static constexpr int kSettingColumns = 7;  // high, low, dpdisp, A, B, C, D

  void showSettings(int row, std::int16_t part);
  void CheckOutput_Click();
  bool twoParts() const { return GraphMode_[1] != 0; }

  OperatorInterface& operator_;
  AppState& state_;
  WindowIdentity window_;
  std::int16_t GraphPart_ = 0;
  std::int16_t GraphMode_[2] = {};
  bool FirstPointOnly_[2] = {};
  QLineEdit* boxes_[2][kSettingColumns] = {};
  QLabel* Labelpart2_ = nullptr;
  CurvePlot* Picture1_ = nullptr;
};

}  // namespace rx41
