// A window library in miniature: registers one working window class the way
// the real window libraries do, from a static library linked whole.
#include <QLabel>

#include "rx41/window_catalogue.h"

namespace {

const rx41::WindowRegistration registration{"MainForm1PointProgramming", [](rx41::OperatorInterface&) {
                                              auto window = std::make_unique<QLabel>("fixture");
                                              window->setAttribute(Qt::WA_DontShowOnScreen);
                                              return std::unique_ptr<QWidget>(std::move(window));
                                            }};

}  // namespace
