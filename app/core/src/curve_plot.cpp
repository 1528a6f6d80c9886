#include "rx41/core/curve_plot.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <vector>

namespace rx41 {
namespace {

constexpr double kLeft = -20.0, kRight = 380.0, kTop = 120.0, kBottom = -20.0;
// Enough segments for a two-point curve with its extensions and closure.
constexpr int kPlottedSegments = 11;
constexpr double kPointRadius = 2.0;

QPointF rowPoint(const std::int16_t (&row)[2]) { return {static_cast<double>(row[0]), static_cast<double>(row[1])}; }

}  // namespace

CurvePlot::CurvePlot(const CurveTables& tables, QWidget* parent, SegmentEnd segmentEnd)
    : QWidget(parent), tables_(tables), segmentEnd_(segmentEnd) {
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  setMinimumSize(200, 100);
}

void CurvePlot::setTraces(QList<Trace> traces) {
  traces_ = std::move(traces);
  update();
}

QPointF CurvePlot::toWidget(QPointF user) const {
  return {(user.x() - kLeft) * width() / (kRight - kLeft), (user.y() - kTop) * height() / (kBottom - kTop)};
}

QSize CurvePlot::sizeHint() const { return {800, 280}; }

void CurvePlot::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  drawGrid(painter);
  drawSegments(painter);
  drawPoints(painter);
}

void CurvePlot::drawGrid(QPainter& painter) const {
  painter.setPen(QPen(Qt::black, 1));
  QFont font = painter.font();
  font.setPointSizeF(7.0);
  painter.setFont(font);
  drawLine(painter, {0, 0}, {370, 0});
  drawLine(painter, {0, 0}, {0, 110});
  for (int v = 10; v <= 100; v += 10) {
    drawLine(painter, {0, static_cast<double>(v)}, {360, static_cast<double>(v)});
    DrawLabel(painter, -10, v, QString::number(v));
  }
  // Every tenth degree has its line; a label is left out where the plot is
  // too narrow for it to stand clear of the one before.
  const QFontMetricsF metrics(font);
  double labelsEnd = -1.0;
  for (int v = 10; v <= 360; v += 10) {
    drawLine(painter, {static_cast<double>(v), 0}, {static_cast<double>(v), 100});
    const QString label = QString::number(v);
    const double left = toWidget({static_cast<double>(v), 0}).x();
    if (left < labelsEnd) continue;
    DrawLabel(painter, v, 0, label);
    labelsEnd = left + metrics.horizontalAdvance(label) + metrics.averageCharWidth();
  }
  DrawLabel(painter, -5, 0, QStringLiteral("O"));
  DrawLabel(painter, 370, 0, QStringLiteral("deg"));
  DrawLabel(painter, 0, 110, QStringLiteral("%VDD"));
}

void CurvePlot::drawSegments(QPainter& painter) const {
  // Segment by segment across the parts, in trace order.
  std::vector<bool> ended(static_cast<std::size_t>(traces_.size()), false);
  for (int i = 0; i < kPlottedSegments; ++i) {
    for (qsizetype t = 0; t < traces_.size(); ++t) {
      if (ended[static_cast<std::size_t>(t)]) continue;
      const Trace& trace = traces_[t];
      const auto& start = tables_.Curve[trace.part][2 * i];
      const auto& end = tables_.Curve[trace.part][2 * i + 1];
      if (start[0] == 0 && start[1] == 0 && end[0] == 0 && end[1] == 0) {
        if (segmentEnd_ == SegmentEnd::FirstEmptyOfAny) return;
        ended[static_cast<std::size_t>(t)] = true;
        continue;
      }
      painter.setPen(QPen(trace.colour, 2));
      drawLine(painter, rowPoint(start), rowPoint(end));
    }
  }
}

void CurvePlot::drawPoints(QPainter& painter) const {
  // A circle's radius is measured along the x axis, so it stays round.
  const double radius = kPointRadius * width() / (kRight - kLeft);
  painter.setBrush(Qt::NoBrush);
  for (int k = 0; k < 4; ++k) {
    for (const Trace& trace : traces_) {
      if (trace.firstPointOnly && k > 0) continue;
      painter.setPen(QPen(trace.colour, 2));
      painter.drawEllipse(toWidget(rowPoint(tables_.Points[trace.part][k])), radius, radius);
    }
  }
}

void CurvePlot::DrawLabel(QPainter& painter, double x, double y, const QString& text) const {
  const QPointF topLeft = toWidget({x, y});
  painter.drawText(QRectF(topLeft, QSizeF(width(), height())), Qt::AlignLeft | Qt::AlignTop, text);
}

void CurvePlot::drawLine(QPainter& painter, QPointF from, QPointF to) const {
  painter.drawLine(toWidget(from), toWidget(to));
}

}  // namespace rx41
