#pragma once
// The dual-part programming window: both parts' complete settings side by
// side, with connection, power, teach-in, programming, comm lock, the display
// windows and the profile file. MainForm2Parts2Src ("/1") drives each part
// from its own source; the Sources parameter picks the variant
// (dual_variant.h), so that the single-source twin MainForm2Parts1Src ("/0")
// is this class too.
#include <QList>
#include <cstdint>
#include <functional>
#include <vector>

#include "rx41/core/profile_binding.h"
#include "rx41/core/working_window.h"
#include "rx41/dual/dual_settings.h"
#include "rx41/dual/dual_variant.h"
#include "rx41/dual/part_modes.h"
#include "rx41/dual/part_power.h"
#include "rx41/dual/solver_programming.h"
#include "rx41/dual/target_point_rules.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace rx41 {

class MainForm2Parts2Src final : public WorkingWindow {
 public:
  // Made by its rows in dual_windows.cpp.
  MainForm2Parts2Src(const WindowIdentity& identity, OperatorInterface& operatorInterface, Sources sources,
                     AppState& state, DeviceFactory deviceFactory);

  // The enabled state of every control from the recorded states, the power
  // captions and the status line.
  void UpdateControl();

 private:
  // The buttons that work on one part, or on the pair.
  struct Unit {
    PartSet parts;
    QPushButton* PowerOn;
    QPushButton* newdevice;
    QPushButton* btnconfigsolver;
    QPushButton* owilock;
    QPushButton* viewoutput;
    QPushButton* lineargraph;
    QPushButton* Advanced;

    QList<QPushButton*> buttons() const {
      return {PowerOn, newdevice, btnconfigsolver, owilock, viewoutput, lineargraph, Advanced};
    }
  };
  // The teach-in buttons of a part: live angle into a field.
  struct TeachButtons {
    QPushButton* GetDP;
    QPushButton* Setpoint[4];
    QPushButton* btnreadangle;
    QPushButton* swobtn;
  };
  // What the state allows for a part: enabled and ticked, powered, not locked.
  struct PartAccess {
    bool enabled = false;
    bool powered = false;
    bool unlocked = false;
  };

  void buildControls();
  QWidget* buildUnitBar();
  Unit makeUnit(int index, PartSet parts);
  void makeTeachButtons(std::int16_t part);
  QPushButton* action(const QString& name, int index, const QString& caption, std::function<void()> handler);
  void Form_Load();

  PartAccess access(std::int16_t part) const;
  void showPowerCaption(const Unit& unit);

  void PowerOn_Click(const Unit& unit);
  void viewoutput_Click(PartSet parts);
  void lineargraph_Click(PartSet parts);
  void Advanced_Click(PartSet parts);
  // The live angle of the part, with its unit in OWI mode first.
  std::optional<float> liveAngle(std::int16_t part);

  const DualVariant& variant_;
  DualSettings settings_;
  TargetPointRules rules_;
  PartModes modes_;
  PartPower power_;
  SolverProgramming programming_;
  ProfileBinding profile_;
  QLabel* status_ = nullptr;
  QPushButton* connect_ = nullptr;
  QCheckBox* PartEnable_[2] = {};
  std::vector<Unit> units_;
  TeachButtons teach_[2] = {};
};

}  // namespace rx41
