#pragma once
// The offsets of the 1-point window ("Offset setting against Angle A"): how
// far from the taught point A point B and the DP lie. Kept only as texts,
// checked silently when left.
#include <QGroupBox>

#include "rx41/core/field_set.h"

class QLineEdit;

namespace rx41 {

class OffsetFrame final : public QGroupBox {
 public:
  explicit OffsetFrame(OperatorInterface& operatorInterface, QWidget* parent = nullptr);

  const QLineEdit& offsetAngleB() const;
  const QLineEdit& offsetDp() const;

 private:
  FieldSet fields_;
};

}  // namespace rx41
