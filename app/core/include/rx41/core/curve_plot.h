#pragma once
// The output-curve plot of the quick windows and the linear graph: level
// (%VDD) over angle (degrees) with a grid every 10 units, and the curve and
// target points of the parts it shows, each part in its colour. Drawn in user
// coordinates x -20..380 (left to right) and y 120..-20 (top to bottom),
// stretched over the whole widget.
#include <QColor>
#include <QList>
#include <QPointF>
#include <QWidget>
#include <cstdint>

#include "rx41/rules/curve_math.h"

class QPainter;

namespace rx41 {

class CurvePlot final : public QWidget {
 public:
  struct Trace {
    std::int16_t part;
    QColor colour;
    bool firstPointOnly = false;  // only point A gets its circle

    bool operator==(const Trace&) const = default;
  };

  // Where the segment loop stops: at the first empty segment of any trace
  // (the quick windows), or for each trace at its own first empty segment
  // (the linear graph).
  enum class SegmentEnd { FirstEmptyOfAny, EachAtItsOwn };

  // Draws from the tables, which must outlive the plot.
  explicit CurvePlot(const CurveTables& tables, QWidget* parent = nullptr,
                     SegmentEnd segmentEnd = SegmentEnd::FirstEmptyOfAny);

  // The parts drawn, in drawing order; repaints.
  void setTraces(QList<Trace> traces);
  const QList<Trace>& traces() const { return traces_; }

  // Where a point in user coordinates lies in the widget.
  QPointF toWidget(QPointF user) const;

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void drawGrid(QPainter& painter) const;
  void drawSegments(QPainter& painter) const;
  void drawPoints(QPainter& painter) const;
  // Prints the text with its top-left corner at the user point.
  void DrawLabel(QPainter& painter, double x, double y, const QString& text) const;
  void drawLine(QPainter& painter, QPointF from, QPointF to) const;

  const CurveTables& tables_;
  const SegmentEnd segmentEnd_;
  QList<Trace> traces_;
};

}  // namespace rx41
