#include "rx41/core/confirm_form.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "rx41/operator/control_names.h"

namespace rx41 {

confirm::confirm(QWidget* owner) : QDialog(owner) {
  setControlName(*this, QStringLiteral("confirm"));
  setWindowTitle(QStringLiteral("RX31 GUI - ZQ3902"));
  auto* label =
      named(new QLabel(QStringLiteral("The OWI Communication will be DISABLED...please confirm to move on..."), this),
            QStringLiteral("Label1"));
  auto* yes = named(new QPushButton(QStringLiteral("Confirm"), this), QStringLiteral("yes"));
  auto* no = named(new QPushButton(QStringLiteral("Cancel"), this), QStringLiteral("no"));
  connect(yes, &QPushButton::clicked, this, [this] { choose(true); });
  connect(no, &QPushButton::clicked, this, [this] { choose(false); });
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(yes);
  buttons->addWidget(no);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
  layout->addLayout(buttons);
}

void confirm::showEvent(QShowEvent* event) {
  selection_ = false;
  QDialog::showEvent(event);
}

void confirm::choose(bool selection) {
  selection_ = selection;
  hide();
}

}  // namespace rx41
