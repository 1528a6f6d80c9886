#include "rx41/core/frm_comport.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <functional>

#include "rx041/transport/port_map.h"
#include "rx41/operator/control_names.h"

namespace rx41 {
namespace {

// A drop-down list that runs an action just before it opens.
class RefreshingComboBox final : public QComboBox {
 public:
  RefreshingComboBox(QWidget* parent, std::function<void()> beforePopup)
      : QComboBox(parent), beforePopup_(std::move(beforePopup)) {}

  void showPopup() override {
    beforePopup_();
    QComboBox::showPopup();
  }

 private:
  std::function<void()> beforePopup_;
};

}  // namespace

frmComport::frmComport(OperatorInterface& operatorInterface, QWidget* owner)
    : QDialog(owner),
      operator_(operatorInterface),
      Port_(named(new RefreshingComboBox(this, [this] { RefreshPorts(); }), QStringLiteral("Port"))) {
  setControlName(*this, QStringLiteral("frmComport"));
  setWindowTitle(QStringLiteral("Select Com port"));
  auto* label2 = named(new QLabel(QStringLiteral("Com port:"), this), QStringLiteral("Label2"));
  // Nothing reads the rate: the channel library sets the line itself.
  auto* baudrate = named(new QComboBox(this), QStringLiteral("Baudrate"));
  baudrate->addItem(QStringLiteral("9600"));
  baudrate->setCurrentIndex(0);
  auto* ok = named(new QPushButton(QStringLiteral("OK"), this), QStringLiteral("Connect"));
  auto* offline = named(new QPushButton(QStringLiteral("Do not connect"), this), QStringLiteral("Donotconnect"));
  connect(ok, &QPushButton::clicked, this, [this] { acceptPort(); });
  connect(offline, &QPushButton::clicked, this, [this] {
    selected_ = 0;
    hide();
  });

  auto* layout = new QGridLayout(this);
  layout->addWidget(label2, 0, 0);
  layout->addWidget(Port_, 0, 1);
  layout->addWidget(baudrate, 1, 1);
  layout->addWidget(ok, 2, 0);
  layout->addWidget(offline, 2, 1);
  label2->hide();
  baudrate->hide();
  RefreshPorts();
}

void frmComport::RefreshPorts() {
  Port_->clear();
  for (const std::string& name : rx041::transport::listComPorts()) Port_->addItem(QString::fromStdString(name));
  Port_->setEnabled(Port_->count() > 0);
  if (Port_->count() > 0) Port_->setCurrentIndex(0);
}

void frmComport::acceptPort() {
  namespace transport = rx041::transport;
  const std::optional<int> number = transport::parseComName(Port_->currentText().toStdString());
  if (number && transport::probePort(transport::comPortPath(*number)) == transport::PortProbe::Available) {
    selected_ = static_cast<std::int16_t>(*number);
    hide();
    return;
  }
  // A port that failed its probe is not a choice: closing the window now
  // leaves the operator offline.
  selected_ = 0;
  operator_.message(QStringLiteral("This port is invalid, Please select another port!"), this);
}

}  // namespace rx41
