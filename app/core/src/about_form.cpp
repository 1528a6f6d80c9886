#include "rx41/core/about_form.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>
#include <functional>

#include "rx41/core/device_calls.h"
#include "rx41/core/shown_numbers.h"
#include "rx41/operator/control_names.h"
#include "rx41/rules/device_texts.h"

namespace rx41 {
namespace {

// A label that reacts to a click.
class ClickableLabel final : public QLabel {
 public:
  ClickableLabel(const QString& text, QWidget* parent, std::function<void()> onClick)
      : QLabel(text, parent), onClick_(std::move(onClick)) {}

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) onClick_();
  }

 private:
  std::function<void()> onClick_;
};

}  // namespace

About::About(const AppState& state, OperatorInterface& operatorInterface, QWidget* owner)
    : QDialog(owner), state_(state), operator_(operatorInterface) {
  setControlName(*this, QStringLiteral("About"));
  setWindowTitle(QStringLiteral("About"));
  auto* layout = new QVBoxLayout(this);
  auto addLabel = [&](const QString& name, const QString& text) {
    auto* label = named(new QLabel(text, this), name);
    layout->addWidget(label);
    return label;
  };
  addLabel(QStringLiteral("Label1"), QStringLiteral("RX41 GUI - ZQ3902"));
  addLabel(QStringLiteral("Label2"), QStringLiteral("Software Version 3.0.8"));
  addLabel(QStringLiteral("Label4"), QStringLiteral("Modified at 16Mar 2021"));
  HWversion_ = addLabel(QStringLiteral("HWversion"), QStringLiteral("Hardware Version:"));
  addLabel(QStringLiteral("Label3"),
           QStringLiteral("Bench software for programming and calibrating ZQ3902 angle sensors on the RX041 "
                          "programmer."));
  auto* debugonly = named(new ClickableLabel(QStringLiteral("   "), this, [this] { showCalibrationValues(); }),
                          QStringLiteral("debugonly"));
  layout->addWidget(debugonly);
  auto* ok = named(new QPushButton(QStringLiteral("OK"), this), QStringLiteral("Command1"));
  connect(ok, &QPushButton::clicked, this, &QWidget::hide);
  layout->addWidget(ok);
}

void About::Init(const QString& versionText) {
  HWversion_->setText(QStringLiteral("Hardware Version: ") + versionText);
}

void About::showCalibrationValues() {
  operator_.message(QStringLiteral("sysoffset is: %1; K(0)&B(0): %2 & %3; K(1)&B(1): %4 & %5 !")
                        .arg(singleText(state_.SysOffset), singleText(state_.DacK[0]), singleText(state_.DacB[0]),
                             singleText(state_.DacK[1]), singleText(state_.DacB[1])),
                    this);
}

void showAboutBox(DeviceCalls& calls, QWidget* owner) {
  OperatorInterface& operatorInterface = calls.operatorInterface();
  QString version = QStringLiteral("0.0.0");
  if (!calls.state().Device) {
    operatorInterface.message(QLatin1String(device_text::kNoVersion), owner);
  } else if (const auto read = calls.ProgrammerVersion()) {
    if (read->result != 0) operatorInterface.message(QLatin1String(device_text::kVersionFailed), owner);
    version = QStringLiteral("%1.%2.%3").arg(read->major).arg(read->minor).arg(read->build);
  }
  About about(calls.state(), operatorInterface, owner);
  about.Init(version);
  operatorInterface.runModal(about);
}

}  // namespace rx41
