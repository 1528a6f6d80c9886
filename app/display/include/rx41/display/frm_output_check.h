#pragma once
// The output check of programmed parts: at magnet positions the operator
// chooses, the chip's own angle and its output are measured ("Measure Point")
// and compared with the expected curve of the part's settings (the curve the
// windows draw). Each point is a dot on the plot (green within the
// tolerance, red outside, grey not judged) and a row of the table; the
// verdict line judges them all (output_check.h holds the rules). "Save
// Result" appends one output_check record per part to the programming
// records. The calling window opens it modally:
//   frmOutputCheck check(operatorInterface, state, owner);
//   check.Init(part, expected);  // the settings of each part offered
//   operatorInterface.runModal(check);
// Nothing is measured until Measure Point is pressed; each point leaves the
// part in the mode it was in, and so does closing the window.
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "rx41/core/app_state.h"
#include "rx41/core/busy_flag.h"
#include "rx41/core/output_point.h"
#include "rx41/core/state_machine.h"
#include "rx41/core/window_identity.h"
#include "rx41/display/display_form.h"
#include "rx41/rules/output_check.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace rx41 {

class CurvePlot;
class PointMarks;
class FieldBox;

class frmOutputCheck final : public DisplayForm {
 public:
  explicit frmOutputCheck(OperatorInterface& operatorInterface, AppState& state = appState(), QWidget* owner = nullptr);
  ~frmOutputCheck() override;

  using Expectations = std::array<std::optional<CurveSettings>, 2>;

  // The parts offered are those with settings (with both, the part selector
  // chooses); part is shown first (the other one when it has none). The
  // window is the working window the check is made for, as its records name it.
  void Init(std::int16_t part, const Expectations& expected, const WindowIdentity& window);

  bool measuring() const { return busy_.busy(); }

 protected:
  void Form_Load() override;
  // Refuses while a point is measured; otherwise puts the parts back into the
  // modes they were in when the window opened.
  void reject() override;

 private:
  struct Sample {
    OutputPointReading reading;
    double angle = 0;  // between the two readings
  };

  void MeasurePoint_Click();
  void Clear_Click();
  void SaveResult_Click();
  void PartSel_Click(int index);
  void Tolerance_LostFocus();
  void MinPoints_LostFocus();
  // Judges the part's points with the current rules and shows table, dots and verdict.
  void refresh();
  std::vector<JudgedPoint> judged(std::int16_t part) const;
  QString settingsText(const CurveSettings& settings) const;

  OperatorInterface& operator_;
  AppState& state_;
  StateMachine machine_;
  std::optional<ExpectedCurve> expected_[2];
  std::vector<Sample> samples_[2];
  std::int32_t modeAtOpen_[2] = {};
  // The curves the plot draws, each in its part's rows.
  CurveTables plotTables_;
  OutputCheckRules rules_;
  std::int16_t part_ = 0;
  WindowIdentity window_;
  BusyFlag busy_;

  QComboBox* PartSel_ = nullptr;
  QLabel* Settings_ = nullptr;
  CurvePlot* Picture1_ = nullptr;
  PointMarks* marks_ = nullptr;
  QTreeWidget* PointTable_ = nullptr;
  FieldBox* Tolerance_ = nullptr;
  FieldBox* MinPoints_ = nullptr;
  QLabel* Verdict_ = nullptr;
};

}  // namespace rx41
