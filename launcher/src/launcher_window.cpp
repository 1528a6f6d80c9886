#include "launcher_window.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "clickable_area.h"
#include "debug_form.h"
#include "logo.h"
#include "main_program.h"
#include "rx41/operator/control_names.h"
#include "rx41/operator/operator_interface.h"

namespace rx041::launcher {
namespace {

struct LaunchButton {
  int mode;
  const char* caption;
};

constexpr LaunchButton kSingleSourceButtons[] = {
    {0, "Dual Parts Single Source"},
    {3, "Quick 2-Points Programming for Dual"},
    {5, "Quick 2-Points Programming for Dual With Power Button"},
};

constexpr LaunchButton kDualSourceButtons[] = {
    {1, "Dual Parts Dual Sources"},
    {2, "Quick 2-Points Programming"},
    {4, "Quick 2-Points Programming With Power Button"},
    {6, "Quick 1-Point Programming"},
};

constexpr int kLogoSize = 96;

}  // namespace

LauncherWindow::LauncherWindow(rx41::OperatorInterface& operatorInterface, QStringList searchDirectories,
                               QWidget* parent)
    : QWidget(parent), operator_(operatorInterface), searchDirectories_(std::move(searchDirectories)) {
  rx41::setControlName(*this, QStringLiteral("Main"));
  setWindowTitle(QStringLiteral("Switch Utility - Zentavo Confidential"));

  auto makeFrame = [this](const char* name, const char* caption, auto& buttons) {
    auto* frame = new QGroupBox(QLatin1String(caption), this);
    rx41::setControlName(*frame, QLatin1String(name));
    auto* column = new QVBoxLayout(frame);
    for (const LaunchButton& entry : buttons) {
      auto* button = new QPushButton(QLatin1String(entry.caption), frame);
      rx41::setControlName(*button, QStringLiteral("launch"), entry.mode);
      connect(button, &QPushButton::clicked, this, [this, mode = entry.mode] { launch(mode); });
      column->addWidget(button);
    }
    column->addStretch();
    return frame;
  };

  auto* logo = new QLabel(this);
  rx41::setControlName(*logo, QStringLiteral("Image1"));
  logo->setPixmap(drawLogo(kLogoSize));

  auto* consoleSpot = new ClickableArea(this);
  rx41::setControlName(*consoleSpot, QStringLiteral("Image2"));
  consoleSpot->setFixedSize(kLogoSize / 2, kLogoSize / 2);
  connect(consoleSpot, &ClickableArea::clicked, this, &LauncherWindow::openDebugConsole);

  auto* header = new QHBoxLayout;
  header->addWidget(logo);
  header->addStretch();
  header->addWidget(consoleSpot, 0, Qt::AlignTop);

  auto* frames = new QHBoxLayout;
  frames->addWidget(makeFrame("Frame1", "Single Sources", kSingleSourceButtons));
  frames->addWidget(makeFrame("Frame2", "Dual Source", kDualSourceButtons));

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(header);
  layout->addLayout(frames);
}

void LauncherWindow::launch(int mode) {
  const MainProgramStart start = startMainProgram(searchDirectories_, mode);
  if (!start.started) {
    operator_.message(QStringLiteral("Cannot start RX41 from %1!").arg(start.pathsTried.join(QStringLiteral(" or "))),
                      this);
    return;
  }
  close();
}

void LauncherWindow::openDebugConsole() {
  DebugForm console(operator_, this);
  operator_.runModal(console);
}

}  // namespace rx041::launcher
