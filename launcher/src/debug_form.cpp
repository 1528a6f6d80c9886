#include "debug_form.h"

#include <QButtonGroup>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "command_catalog.h"
#include "console_port.h"
#include "port_list.h"
#include "rx041/transport/port_map.h"
#include "rx41/operator/control_names.h"
#include "rx41/operator/operator_interface.h"

namespace rx041::launcher {
namespace {

const char* const kCommandTypeCaptions[kCommandGroupCount] = {"Relay Control", "Communication", "OWI Commands",
                                                              "Others"};
const char* const kPartCaptions[] = {"CH1", "CH2"};

QPushButton* makeButton(const char* name, const char* caption, QWidget* parent) {
  auto* button = new QPushButton(QLatin1String(caption), parent);
  rx41::setControlName(*button, QLatin1String(name));
  // Enter in a text box must not press a button: a stray Send reaches the board.
  button->setAutoDefault(false);
  return button;
}

QLineEdit* makeTextBox(const char* name, QWidget* parent) {
  auto* box = new QLineEdit(parent);
  rx41::setControlName(*box, QLatin1String(name));
  return box;
}

QLabel* makeLabel(const char* name, const char* caption, QWidget* parent) {
  auto* label = new QLabel(QLatin1String(caption), parent);
  rx41::setControlName(*label, QLatin1String(name));
  return label;
}

// An option group in a frame, the options named base(0), base(1), ...
template <std::size_t N>
QButtonGroup* makeOptions(const char* frameName, const char* frameCaption, const char* base,
                          const char* const (&captions)[N], QWidget* parent, QBoxLayout& layout) {
  auto* frame = new QGroupBox(QLatin1String(frameCaption), parent);
  rx41::setControlName(*frame, QLatin1String(frameName));
  auto* column = new QVBoxLayout(frame);
  auto* group = new QButtonGroup(parent);
  for (std::size_t i = 0; i < N; ++i) {
    auto* option = new QRadioButton(QLatin1String(captions[i]), frame);
    rx41::setControlName(*option, QLatin1String(base), static_cast<int>(i));
    group->addButton(option, static_cast<int>(i));
    column->addWidget(option);
  }
  layout.addWidget(frame);
  return group;
}

}  // namespace

DebugForm::DebugForm(rx41::OperatorInterface& operatorInterface, QWidget* parent)
    : QDialog(parent), operator_(operatorInterface) {
  rx41::setControlName(*this, QStringLiteral("DebugForm"));
  setWindowTitle(QStringLiteral("Debug"));

  auto* options = new QVBoxLayout;
  commandTypes_ = makeOptions("Frame2", "Command Type Selection", "CmdType", kCommandTypeCaptions, this, *options);
  parts_ = makeOptions("Frame1", "Part# Selection", "Ch", kPartCaptions, this, *options);
  options->addStretch();

  commandList_ = new QListWidget(this);
  rx41::setControlName(*commandList_, QStringLiteral("CmdList"));
  commandText_ = makeTextBox("CmdToBeSent", this);
  address_ = makeTextBox("add", this);
  data_ = makeTextBox("Data", this);
  auto* updateButton = makeButton("update", "Update", this);
  auto* sendButton = makeButton("SendCmd", "Send", this);
  ports_ = new PortList(this);
  rx41::setControlName(*ports_, QStringLiteral("Port"));
  auto* openButton = makeButton("OpenComm", "Open Comm", this);
  receiveBox_ = new QPlainTextEdit(QStringLiteral("--->>>"), this);
  rx41::setControlName(*receiveBox_, QStringLiteral("SendReceiveBox"));
  // Frames and replies line up column by column in a fixed-pitch font.
  const QFont fixedPitch = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  commandText_->setFont(fixedPitch);
  receiveBox_->setFont(fixedPitch);
  port_ = new ConsolePort(this);
  port_->setObjectName(QStringLiteral("ComDebug"));

  auto* fields = new QGridLayout;
  fields->addWidget(makeLabel("Label1", "addr", this), 0, 0);
  fields->addWidget(address_, 0, 1);
  fields->addWidget(makeLabel("Label2", "data", this), 1, 0);
  fields->addWidget(data_, 1, 1);
  fields->addWidget(updateButton, 0, 2);
  fields->addWidget(commandText_, 2, 0, 1, 2);
  fields->addWidget(sendButton, 2, 2);
  fields->addWidget(ports_, 3, 0, 1, 2);
  fields->addWidget(openButton, 3, 2);

  auto* commands = new QVBoxLayout;
  commands->addWidget(commandList_);
  commands->addLayout(fields);

  auto* top = new QHBoxLayout;
  top->addLayout(options);
  top->addLayout(commands);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(receiveBox_);

  connect(commandTypes_, &QButtonGroup::idClicked, this, &DebugForm::refillCommandList);
  connect(parts_, &QButtonGroup::idClicked, this, &DebugForm::buildCommandText);
  connect(commandList_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0) buildCommandText();
  });
  connect(commandList_, &QListWidget::itemClicked, this, &DebugForm::buildCommandText);
  connect(updateButton, &QPushButton::clicked, this, &DebugForm::buildCommandText);
  connect(sendButton, &QPushButton::clicked, this, &DebugForm::sendCommand);
  connect(openButton, &QPushButton::clicked, this, &DebugForm::openPort);
  connect(ports_, &PortList::aboutToDropDown, this, &DebugForm::refreshPorts);
  connect(port_, &ConsolePort::received, this, &DebugForm::showReceived);
  connect(port_, &ConsolePort::lineLost, this, &DebugForm::reportLineLost);

  commandTypes_->button(0)->setChecked(true);
  parts_->button(0)->setChecked(true);
  refillCommandList(0);
  address_->setText(QStringLiteral("00"));
  address_->setEnabled(false);
  data_->setText(QStringLiteral("00"));
  data_->setEnabled(false);
  commandList_->setCurrentRow(0);
  refreshPorts();
}

// The port closes with the console (the ConsolePort child goes with it).
DebugForm::~DebugForm() = default;

void DebugForm::refillCommandList(int group) {
  commandList_->clear();
  const std::optional<QStringList> items = commandGroupItems(group);
  if (!items) {
    operator_.message(QStringLiteral("Wrong Command type selected in Refill Command List!"), this);
    return;
  }
  commandList_->addItems(*items);
}

QChar DebugForm::selectedPart() const { return parts_->checkedId() == 1 ? u'2' : u'1'; }

void DebugForm::buildCommandText() {
  const QListWidgetItem* item = commandList_->currentItem();
  const QString code = item ? item->text().left(2) : QString();
  const std::optional<BuiltCommand> built = buildCommand(code, {selectedPart(), address_->text(), data_->text()});
  if (!built) {
    operator_.message(QStringLiteral("Wrong Command!!!"), this);
    return;
  }
  commandText_->setText(built->text);
  if (built->usesAddress) address_->setEnabled(true);
  if (built->usesData) data_->setEnabled(true);
}

void DebugForm::refreshPorts() {
  ports_->clear();
  for (const std::string& name : transport::listComPorts()) ports_->addItem(QString::fromStdString(name));
  // The console's own port reads as busy to the probe, and busy ports are
  // listed one probe late, which leaves out only COM16: list it all the same.
  const QString own = QStringLiteral("COM%1").arg(port_->number());
  if (port_->isOpen() && ports_->findText(own) < 0) ports_->addItem(own);
  ports_->setEnabled(ports_->count() > 0);
  if (ports_->count() > 0) ports_->setCurrentIndex(0);
}

void DebugForm::openPort() {
  const std::optional<int> number = transport::parseComName(ports_->currentText().toStdString());
  if (!number || !port_->open(*number))
    operator_.message(QStringLiteral("This port is invalid, Please select another port!"), this);
}

void DebugForm::sendCommand() {
  address_->setEnabled(false);
  data_->setEnabled(false);
  if (!port_->isOpen()) {
    operator_.message(QStringLiteral("The port is not open, Please open a port first!"), this);
    return;
  }
  if (!port_->write(commandText_->text().toLatin1()))
    operator_.message(QStringLiteral("The command could not be sent, Please open the port again!"), this);
}

void DebugForm::showReceived(const QByteArray& bytes) {
  receiveBox_->setPlainText(QString::fromLatin1(bytes) + QStringLiteral("\r\n") + receiveBox_->toPlainText());
}

void DebugForm::reportLineLost(int comNumber) {
  operator_.message(
      QStringLiteral("The line of COM%1 was lost and the port is closed, Please open the port again!").arg(comNumber),
      this);
}

}  // namespace rx041::launcher
