#pragma once
// The settings of both parts of a dual-part window: the field set with the
// numbers behind the texts, the two part frames, the field checks that the
// window runs when it loads and after a profile is loaded, what the target
// point rules read, and the places where the device writes into the fields.
#include <QWidget>
#include <cstdint>
#include <memory>
#include <string_view>

#include "rx41/core/field_set.h"
#include "rx41/dual/dual_part_frame.h"
#include "rx41/dual/dual_variant.h"
#include "rx41/dual/target_point_rules.h"
#include "rx41/rules/part_set.h"

namespace rx41 {

class OperatorInterface;

// The output settings as list indices, passed to the device as they stand.
struct OutputMode {
  int outMode = 0;  // 0 Analog, 1 PWM
  int pwmFreq = 0;  // 0 = 1000 Hz .. 3 = 125 Hz
  int pwmPolarity = 0;
};

class DualSettings {
 public:
  // The frames are children of the window; messages appear over it.
  DualSettings(const DualVariant& variant, OperatorInterface& operatorInterface, QWidget* window);

  DualPartFrame& frame(std::int16_t part) const { return *frames_[part]; }
  FieldSet& fields() { return fields_; }
  const DualFieldTable& table() const { return table_; }

  // Leaving a field: its check, its message, its number.
  void validate(std::string_view name, std::int16_t part, int point = 0);
  // At window start: clamp low, clamp high and DP of both parts; angles and slopes empty.
  void validateAtLoad();
  // After a profile was loaded: clamps, DP, VDD, angles, levels and slopes.
  void validateLoadedTexts();

  // Whether the part's settings (EnableGroup::PartInWork) and hysteresis steps may be used.
  void setInWork(std::int16_t part, bool inWork);

  PartEntries entries(std::int16_t part) const;
  OutputMode outputMode(std::int16_t part) const;

  // Empties the level box and checks it again.
  void emptyLevel(std::int16_t part, int point);
  // The live angle into a point's angle box, checked.
  void teachAngle(std::int16_t part, int point, float angle);
  // DP opposite the live angle; its number taken from the text, unchecked.
  void setDpOpposite(std::int16_t part, float angle);
  // The live angle as operating point, unchecked.
  void setOp(std::int16_t part, float angle);
  void setReadAngle(std::int16_t part, float angle);
  // The measured supply in the VDD box of every part of the set.
  void showVdd(PartSet parts, float volts);

 private:
  QString text(std::string_view name, std::int16_t part, int point = 0) const;
  bool ticked(std::string_view name, std::int16_t part) const;
  int index(std::string_view name, std::int16_t part) const;
  void setText(std::string_view name, std::int16_t part, const QString& text, int point = 0);

  const DualFieldTable& table_;
  OperatorInterface& operator_;
  QWidget* window_;
  FieldSet fields_;
  DualPartFrame* frames_[2];
};

}  // namespace rx41
