#include "logo.h"

#include <QFont>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace rx041::launcher {

QPixmap drawLogo(int size) {
  QPixmap logo(size, size);
  logo.fill(Qt::transparent);
  QPainter painter(&logo);
  painter.setRenderHint(QPainter::Antialiasing);

  const QRectF square(1, 1, size - 2, size - 2);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0x2b, 0x4c, 0x6f));
  painter.drawRoundedRect(square, size * 0.15, size * 0.15);

  // The dial: a ring with ticks every 30 degrees and a pointer at 60 degrees.
  const QPointF centre(size * 0.5, size * 0.42);
  const double radius = size * 0.28;
  painter.setPen(QPen(QColor(0xe8, 0xee, 0xf4), size * 0.03));
  painter.setBrush(Qt::NoBrush);
  painter.drawEllipse(centre, radius, radius);
  for (int degrees = 0; degrees < 360; degrees += 30) {
    const double angle = degrees * std::numbers::pi / 180.0;
    const QPointF direction(std::cos(angle), -std::sin(angle));
    painter.drawLine(centre + direction * radius * 0.8, centre + direction * radius);
  }
  const double pointer = 60.0 * std::numbers::pi / 180.0;
  painter.setPen(QPen(QColor(0xf0, 0xa0, 0x30), size * 0.05, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(centre, centre + QPointF(std::cos(pointer), -std::sin(pointer)) * radius * 0.75);

  QFont font = painter.font();
  font.setBold(true);
  font.setPixelSize(std::max(6, size / 7));
  painter.setFont(font);
  painter.setPen(QColor(0xe8, 0xee, 0xf4));
  painter.drawText(QRectF(0, size * 0.74, size, size * 0.22), Qt::AlignCenter, QStringLiteral("RX041"));
  return logo;
}

}  // namespace rx041::launcher
