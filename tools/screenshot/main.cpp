// rx041-screenshot: saves what the X display shows as a PNG, cropped to the
// part that differs from the empty background. With a virtual X server this
// shows what the operator of a program on that display sees.
// Exit status: 0 saved, 1 error, 3 nothing on the screen yet.
#include <QCommandLineParser>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>

#include "rx041/version.h"

namespace {

// The smallest rectangle holding every pixel unlike the bottom-right corner,
// which no window covers on an otherwise empty screen.
QRect contentArea(const QImage& image) {
  const QRgb background = image.pixel(image.width() - 1, image.height() - 1);
  int left = image.width(), top = image.height(), right = -1, bottom = -1;
  for (int y = 0; y < image.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if (line[x] == background) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  QGuiApplication::setApplicationVersion(
      QString::fromUtf8(rx041::kReleaseVersion.data(), static_cast<qsizetype>(rx041::kReleaseVersion.size())));
  QCommandLineParser parser;
  parser.setApplicationDescription("Saves the screen of the current X display as a PNG, cropped to its content.");
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument("output", "PNG file to write");
  parser.process(app);
  if (parser.positionalArguments().size() != 1) parser.showHelp(1);

  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return 1;
  const QImage image = screen->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
  const QRect area = contentArea(image);
  if (area.isEmpty()) return 3;
  return image.copy(area).save(parser.positionalArguments().first(), "PNG") ? 0 : 1;
}
