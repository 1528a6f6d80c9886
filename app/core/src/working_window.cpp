#include "rx41/core/working_window.h"

#include <QCloseEvent>
#include <QPushButton>

#include "rx41/core/about_form.h"
#include "rx41/core/profile_binding.h"
#include "rx41/operator/control_names.h"

namespace rx41 {

WorkingWindow::WorkingWindow(const WindowIdentity& identity, const QString& caption,
                             OperatorInterface& operatorInterface, AppState& state, DeviceFactory deviceFactory)
    : operator_(operatorInterface),
      state_(state),
      machine_(state, operatorInterface, this),
      connection_(machine_, std::move(deviceFactory)) {
  setControlName(*this,
                 QString::fromUtf8(identity.className.data(), static_cast<qsizetype>(identity.className.size())));
  calls().identify(identity);
  setWindowTitle(caption);
}

QPushButton* WorkingWindow::addActionButton(const QString& name, const QString& caption,
                                            std::function<void()> handler) {
  auto* button = named(new QPushButton(caption, this), name);
  connect(button, &QPushButton::clicked, this, [this, handler = std::move(handler)] { runFlow(handler); });
  return button;
}

QPushButton* WorkingWindow::addConnectButton(std::function<void(bool connected)> changed, StatusSink status) {
  QPushButton* button = named(new QPushButton(QStringLiteral("Connect"), this), QStringLiteral("connect"));
  connect(button, &QPushButton::clicked, this,
          [this, button, changed = std::move(changed), status = std::move(status)] {
            runFlow([&] {
              if (button->text() == QStringLiteral("Connect")) {
                const bool connected = connection_.connectWithPortWindow(this, status);
                if (connected) button->setText(QStringLiteral("Disconnect"));
                changed(connected);
                return;
              }
              connection_.disconnect(status);
              button->setText(QStringLiteral("Connect"));
              changed(false);
            });
          });
  return button;
}

QPushButton* WorkingWindow::addSaveButton(const ProfileBinding& binding) {
  return addActionButton(QStringLiteral("mSaveAs"), QStringLiteral("Save Settings"),
                         [this, &binding] { binding.save(operator_, this); });
}

QPushButton* WorkingWindow::addLoadButton(const ProfileBinding& binding) {
  return addActionButton(QStringLiteral("mOpen"), QStringLiteral("Load Settings"),
                         [this, &binding] { binding.load(operator_, this); });
}

QPushButton* WorkingWindow::addAboutButton() {
  return addActionButton(QStringLiteral("btnAbout"), QStringLiteral("About"), [this] { showAboutBox(calls(), this); });
}

void WorkingWindow::closeEvent(QCloseEvent* event) {
  // The flow still holds the device.
  if (busy_.busy()) {
    event->ignore();
    return;
  }
  QWidget::closeEvent(event);
}

void WorkingWindow::runFlow(const std::function<void()>& flow) {
  busy_.runUnlessBusy([&] {
    calls().beginAction();
    flow();
  });
}

}  // namespace rx41
