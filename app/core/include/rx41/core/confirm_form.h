#pragma once
// The modal confirmation before a chip's OWI communication is locked.
#include <QDialog>

namespace rx41 {

class confirm final : public QDialog {
 public:
  explicit confirm(QWidget* owner = nullptr);

  // True only when "Confirm" was pressed since the window was last shown;
  // "Cancel" and the close box both count as cancel.
  bool CheckSelection() const { return selection_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void choose(bool selection);

  bool selection_ = false;
};

}  // namespace rx41
