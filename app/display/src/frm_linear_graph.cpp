#include "rx41/display/frm_linear_graph.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <iterator>

#include "rx41/core/curve_plot.h"
#include "rx41/core/operator_sink.h"
#include "rx41/display/frm_output_check.h"
#include "rx41/operator/control_names.h"
#include "rx41/rules/curve_math.h"
#include "rx41/rules/field_rules.h"

namespace rx41 {
namespace {

struct Column {
  const char* name;
  const char* label;
};

constexpr Column kColumns[] = {
    {"high", "Clamp High [%VDD]"}, {"low", "Clamp Low [%VDD]"}, {"dpdisp", "DP [deg]"},
    {"A", "Point A [deg:%VDD]"},   {"B", "Point B [deg:%VDD]"}, {"C", "Point C [deg:%VDD]"},
    {"D", "Point D [deg:%VDD]"},
};
constexpr int kFirstPointColumn = 3;
// Points C and D may be unused; A and B always are set.
constexpr int kFirstOptionalPoint = 2;

const QColor kFirstRowColour(0, 255, 0);
const QColor kPart2Colour(255, 0, 0);

}  // namespace

frmLinearGraph::frmLinearGraph(OperatorInterface& operatorInterface, AppState& state, QWidget* owner,
                               const WindowIdentity& window)
    : DisplayForm(QStringLiteral("frmLinearGraph"), QStringLiteral("Linear Graph"), owner),
      operator_(operatorInterface),
      state_(state),
      window_(window) {
  static_assert(std::size(kColumns) == kSettingColumns);
  auto* grid = new QGridLayout;
  QLabel* headings[2] = {named(new QLabel(QStringLiteral("Part#1"), this), QStringLiteral("Label8")),
                         named(new QLabel(QStringLiteral("Part#2"), this), QStringLiteral("Labelpart2"))};
  Labelpart2_ = headings[1];
  for (int column = 0; column < kSettingColumns; ++column) {
    const QString label = QString::fromLatin1(kColumns[column].label);
    grid->addWidget(new QLabel(label, this), 0, column + 1);
    for (int row = 0; row < 2; ++row) {
      QLineEdit* box = named(new QLineEdit(this), QString::fromLatin1(kColumns[column].name), row);
      box->setReadOnly(true);
      box->setAccessibleName(headings[row]->text() + QLatin1Char(' ') + label);
      boxes_[row][column] = box;
      grid->addWidget(box, row + 1, column + 1);
    }
  }
  for (int row = 0; row < 2; ++row) grid->addWidget(headings[row], row + 1, 0);
  // The corner above the part headings is free.
  auto* checkOutput = named(new QPushButton(QStringLiteral("Check Output"), this), QStringLiteral("CheckOutput"));
  connect(checkOutput, &QPushButton::clicked, this, [this] { CheckOutput_Click(); });
  grid->addWidget(checkOutput, 0, 0);

  Picture1_ = named(new CurvePlot(state_, this, CurvePlot::SegmentEnd::EachAtItsOwn), QStringLiteral("Picture1"));
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(Picture1_, 1);
}

void frmLinearGraph::Init(std::int16_t part, std::int16_t mode, std::int16_t part2, std::int16_t mode2) {
  const auto pointAOnly = [](std::int16_t m) { return m / kPointAOnlyMode != 0; };
  if (part2 == 0 && mode2 == 0) {
    GraphPart_ = part;
    GraphMode_[0] = static_cast<std::int16_t>(mode % kPointAOnlyMode);
    FirstPointOnly_[part] = pointAOnly(mode);
  } else {
    GraphPart_ = 0;
    GraphMode_[0] = static_cast<std::int16_t>(mode % kPointAOnlyMode);
    GraphMode_[1] = static_cast<std::int16_t>(mode2 % kPointAOnlyMode);
    FirstPointOnly_[0] = pointAOnly(mode);
    FirstPointOnly_[1] = pointAOnly(mode2);
  }
  for (auto& partCurve : state_.Curve)
    for (auto& row : partCurve) row[0] = row[1] = 0;
}

void frmLinearGraph::Form_Load() {
  showSettings(0, GraphPart_);
  if (twoParts()) {
    showSettings(1, 1);
  } else {
    Labelpart2_->hide();
    for (QLineEdit* box : boxes_[1]) box->hide();
  }
  // In the one-part display mode 2 is 0, so Part#2 is left alone.
  BuildCurves(state_, GraphPart_, GraphMode_[0], 1, GraphMode_[1], operatorSink(operator_, this));
  QList<CurvePlot::Trace> traces{{GraphPart_, kFirstRowColour, FirstPointOnly_[GraphPart_]}};
  if (twoParts()) traces.append({1, kPart2Colour, FirstPointOnly_[1]});
  Picture1_->setTraces(traces);
}

void frmLinearGraph::CheckOutput_Click() {
  frmOutputCheck::Expectations expected;
  expected[static_cast<std::size_t>(GraphPart_)] = curveSettingsOf(state_, GraphPart_, GraphMode_[0]);
  if (twoParts()) expected[1] = curveSettingsOf(state_, 1, GraphMode_[1]);
  frmOutputCheck check(operator_, state_, this);
  check.Init(GraphPart_, expected, window_);
  operator_.runModal(check);
}

void frmLinearGraph::showSettings(int row, std::int16_t part) {
  const auto number = [](std::int16_t value) { return QString::number(value); };
  const auto& points = state_.Points[part];
  boxes_[row][0]->setText(number(state_.PartClampHigh[part]));
  boxes_[row][1]->setText(number(state_.PartClampLow[part]));
  boxes_[row][2]->setText(number(state_.PartDP[part]));
  for (int k = 0; k < 4; ++k) {
    const bool unused = k >= kFirstOptionalPoint && points[k][0] == static_cast<std::int16_t>(kEmptyValue);
    boxes_[row][kFirstPointColumn + k]->setText(
        unused ? QStringLiteral("Not Used") : number(points[k][0]) + QLatin1Char(':') + number(points[k][1]));
  }
}

}  // namespace rx41
