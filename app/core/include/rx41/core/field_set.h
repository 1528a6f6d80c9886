#pragma once
// The settings fields of a window, built from its field table (field_table.h):
// per field a text box with its label, checked by the field's rule when the
// operator leaves it, a check box or a list; and the numbers of each part kept
// beside the texts.
#include <QString>
#include <cstdint>
#include <deque>
#include <functional>
#include <string_view>

#include "rx41/rules/field_table.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QWidget;

namespace rx41 {

class FieldBox;
class OperatorInterface;

class FieldSet {
 public:
  struct Field {
    const FieldRow* fieldRow;
    std::int16_t part;
    int point;
    QString designName;
    // The control, by the row's kind.
    FieldBox* box = nullptr;
    QCheckBox* tick = nullptr;
    QComboBox* list = nullptr;
    QLabel* label = nullptr;   // a text box's
    QWidget* control() const;  // whichever of the three
  };

  // Messages appear over the owner's window. A single-part window passes the
  // part its messages name (the selected part); otherwise a field's messages
  // name its own part.
  FieldSet(OperatorInterface& operatorInterface, QWidget* owner,
           std::function<std::int16_t()> partOfMessages = nullptr);
  FieldSet(const FieldSet&) = delete;
  FieldSet& operator=(const FieldSet&) = delete;

  // Creates the field of the table row for the part and point in the parent:
  // a box with the design-time text and its label, a check box with its
  // caption and tick, or a list with its items and index. Where both parts
  // have the field under the same label, each control is called by that label
  // with the part ("Part#2 DP (deg)").
  Field& add(const FieldRow& fieldRow, std::int16_t part, int point, QWidget* parent);
  // A text box's label in the column, every control beside it.
  static void place(const Field& field, QGridLayout& layout, int row, int column);

  // By table name, part and point; the field must exist.
  Field& at(std::string_view name, std::int16_t part = 0, int point = 0);
  const Field& at(std::string_view name, std::int16_t part = 0, int point = 0) const;

  // What leaving a text box does: its rule on the text, the message, the value.
  void validate(Field& field);

  FieldValues& values(std::int16_t part) { return values_[part]; }
  const FieldValues& values(std::int16_t part) const { return values_[part]; }

 private:
  template <class Fields>
  static auto& fieldAt(Fields& fields, std::string_view name, std::int16_t part, int point);

  OperatorInterface& operator_;
  QWidget* owner_;
  std::function<std::int16_t()> partOfMessages_;
  std::deque<Field> fields_;  // stable addresses for the boxes' handlers
  FieldValues values_[2];
};

}  // namespace rx41
