#include "rx41/display/frm_output_check.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <chrono>
#include <cmath>

#include "rx041/records/record_time.h"
#include "rx41/core/curve_plot.h"
#include "rx41/core/field_box.h"
#include "rx41/core/operator_sink.h"
#include "rx41/core/record_journal.h"
#include "rx41/core/record_origin.h"
#include "rx41/core/shown_numbers.h"
#include "rx41/core/wait_form.h"
#include "rx41/operator/control_names.h"
#include "rx41/rules/device_texts.h"
#include "rx41/rules/number_entry.h"
#include "rx41/rules/part_set.h"

namespace rx41 {

// The measured points as dots over the plot, in its user coordinates. A
// child of the plot that covers it and lets every input through.
class PointMarks final : public QWidget {
 public:
  struct Mark {
    double angle, output;
    QColor colour;
  };

  explicit PointMarks(CurvePlot& plot) : QWidget(&plot), plot_(plot) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    plot.installEventFilter(this);
    setGeometry(plot.rect());
  }

  void setMarks(QList<Mark> marks) {
    marks_ = std::move(marks);
    update();
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &plot_ && event->type() == QEvent::Resize) setGeometry(plot_.rect());
    return false;
  }

  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    for (const Mark& mark : marks_) {
      painter.setPen(QPen(Qt::black, 1));
      painter.setBrush(mark.colour);
      painter.drawEllipse(plot_.toWidget({mark.angle, mark.output}), kRadius, kRadius);
    }
  }

 private:
  static constexpr double kRadius = 4.0;  // pixels
  CurvePlot& plot_;
  QList<Mark> marks_;
};

namespace {

const QColor kCurveColour(0, 255, 0);
const QColor kPassColour(0, 160, 0);
const QColor kFailColour(255, 0, 0);
const QColor kNotJudgedColour(150, 150, 150);

constexpr const char* kColumns[] = {"Angle (deg)", "Measured (%VDD)", "Expected (%VDD)", "Error (%VDD)", "Verdict"};
constexpr const char* kPointNames[] = {"A", "B", "C", "D"};

QString verdictText(PointVerdict verdict) {
  switch (verdict) {
    case PointVerdict::Pass: return QStringLiteral("pass");
    case PointVerdict::Fail: return QStringLiteral("FAIL");
    case PointVerdict::NearJump: return QStringLiteral("not judged: near a jump");
    case PointVerdict::OffCurve: break;
  }
  return QStringLiteral("not judged: no curve here");
}

QColor markColour(PointVerdict verdict) {
  if (verdict == PointVerdict::Pass) return kPassColour;
  if (verdict == PointVerdict::Fail) return kFailColour;
  return kNotJudgedColour;
}

QString signedDecimals(double value) {
  const QString text = fixedDecimals(value, 2);
  return value >= 0.005 ? QLatin1Char('+') + text : text;
}

rx041::records::CheckedCurveSettings checkedCurve(const CurveSettings& s) {
  rx041::records::CheckedCurveSettings c;
  c.mode = s.mode;
  for (std::size_t k = 0; k < c.points.size(); ++k) c.points[k] = {s.points[k][0], s.points[k][1]};
  c.dp = s.dp;
  c.clampHigh = s.clampHigh;
  c.clampLow = s.clampLow;
  c.clockwise = s.clockwise;
  return c;
}

}  // namespace

frmOutputCheck::frmOutputCheck(OperatorInterface& operatorInterface, AppState& state, QWidget* owner)
    : DisplayForm(QStringLiteral("frmOutputCheck"), QStringLiteral("Output Check"), owner),
      operator_(operatorInterface),
      state_(state),
      machine_(state, operatorInterface, this) {
  PartSel_ = named(new QComboBox(this), QStringLiteral("PartSel"));
  PartSel_->addItems({QString::fromStdString(partName(0)), QString::fromStdString(partName(1))});
  PartSel_->setAccessibleName(QStringLiteral("Part"));
  connect(PartSel_, &QComboBox::activated, this, [this](int index) { PartSel_Click(index); });
  Settings_ = named(new QLabel(this), QStringLiteral("Settings"));

  Picture1_ = named(new CurvePlot(plotTables_, this), QStringLiteral("Picture1"));
  marks_ = new PointMarks(*Picture1_);

  // A list of rows with columns: a table's corner button is no control of the operator's.
  PointTable_ = named(new QTreeWidget(this), QStringLiteral("PointTable"));
  QStringList headings;
  for (const char* column : kColumns) headings << QString::fromLatin1(column);
  PointTable_->setHeaderLabels(headings);
  PointTable_->setRootIsDecorated(false);
  PointTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  PointTable_->header()->setSectionResizeMode(QHeaderView::Stretch);
  PointTable_->setAccessibleName(QStringLiteral("Measured points"));

  Tolerance_ =
      named(new FieldBox(QStringLiteral("1.00"), this, [this] { Tolerance_LostFocus(); }), QStringLiteral("Tolerance"));
  MinPoints_ = named(new FieldBox(QString::number(kDefaultMinimumPoints), this, [this] { MinPoints_LostFocus(); }),
                     QStringLiteral("MinPoints"));
  auto* measure = named(new QPushButton(QStringLiteral("Measure Point"), this), QStringLiteral("MeasurePoint"));
  auto* clear = named(new QPushButton(QStringLiteral("Clear"), this), QStringLiteral("ClearPoints"));
  auto* save = named(new QPushButton(QStringLiteral("Save Result"), this), QStringLiteral("SaveResult"));
  connect(measure, &QPushButton::clicked, this, [this] { MeasurePoint_Click(); });
  connect(clear, &QPushButton::clicked, this, [this] { Clear_Click(); });
  connect(save, &QPushButton::clicked, this, [this] { SaveResult_Click(); });
  Verdict_ = named(new QLabel(this), QStringLiteral("Verdict"));
  QFont bold = Verdict_->font();
  bold.setBold(true);
  Verdict_->setFont(bold);
  auto* note = named(new QLabel(QStringLiteral("Points within \u00B1%1 deg of the DP jump or a clamp corner are shown "
                                               "grey and not judged.")
                                    .arg(kJumpWindow),
                                this),
                     QStringLiteral("JumpNote"));

  auto* top = new QHBoxLayout;
  top->addWidget(PartSel_);
  top->addWidget(Settings_, 1);
  auto* fields = new QHBoxLayout;
  const auto addField = [&](const QString& text, QLineEdit* box) {
    auto* label = new QLabel(text, this);
    label->setBuddy(box);
    box->setAccessibleName(text);
    box->setMaximumWidth(80);
    fields->addWidget(label);
    fields->addWidget(box);
  };
  addField(QStringLiteral("Tolerance (\u00B1%VDD)"), Tolerance_);
  addField(QStringLiteral("Minimum points"), MinPoints_);
  fields->addStretch();
  for (QPushButton* button : {measure, clear, save}) fields->addWidget(button);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(Picture1_, 3);
  layout->addLayout(fields);
  layout->addWidget(PointTable_, 2);
  layout->addWidget(Verdict_);
  layout->addWidget(note);
}

frmOutputCheck::~frmOutputCheck() = default;

void frmOutputCheck::Init(std::int16_t part, const Expectations& expected, const WindowIdentity& window) {
  window_ = window;
  const MessageSink sink = operatorSink(operator_, this);
  for (std::int16_t p = 0; p < 2; ++p) {
    expected_[p].reset();
    samples_[p].clear();
    const std::optional<CurveSettings>& settings = expected[static_cast<std::size_t>(p)];
    if (!settings) continue;
    expected_[p].emplace(*settings, p, sink);
    const CurveTables& built = expected_[p]->tables();
    std::copy(&built.Points[p][0][0], &built.Points[p][0][0] + 8, &plotTables_.Points[p][0][0]);
    std::copy(&built.Curve[p][0][0], &built.Curve[p][0][0] + 2 * kCurveRows, &plotTables_.Curve[p][0][0]);
  }
  part_ = expected_[part] || !expected_[1 - part] ? part : static_cast<std::int16_t>(1 - part);
}

void frmOutputCheck::Form_Load() {
  for (std::int16_t p = 0; p < 2; ++p) modeAtOpen_[p] = state_.ChipState[p];
  PartSel_->setCurrentIndex(part_);
  PartSel_->setEnabled(expected_[0] && expected_[1]);
  refresh();
}

void frmOutputCheck::reject() {
  // The measurement still holds the device.
  if (busy_.busy()) return;
  for (std::int16_t p = 0; p < 2; ++p)
    if (expected_[p]) returnToMode(machine_, p, modeAtOpen_[p]);
  DisplayForm::reject();
}

void frmOutputCheck::MeasurePoint_Click() {
  if (busy_.busy() || !expected_[part_]) return;
  if (!state_.Device || state_.ProgrammerState != kConnected) {
    operator_.message(QLatin1String(device_text::kOfflineMode), this);
    return;
  }
  const BusyFlag::Hold hold(busy_);
  std::optional<OutputPointReading> reading;
  {
    WaitNotice wait(this, QStringLiteral("Measuring the output...  Please Wait..."));
    reading = measureOutputPoint(machine_, part_);
  }
  if (!reading) return;
  samples_[part_].push_back({*reading, meanAngle(reading->angleBefore, reading->angleAfter)});
  refresh();
}

void frmOutputCheck::Clear_Click() {
  if (busy_.busy()) return;
  samples_[part_].clear();
  refresh();
}

void frmOutputCheck::PartSel_Click(int index) {
  if (busy_.busy() || index < 0 || index > 1 || !expected_[index]) {
    PartSel_->setCurrentIndex(part_);
    return;
  }
  part_ = static_cast<std::int16_t>(index);
  refresh();
}

void frmOutputCheck::Tolerance_LostFocus() {
  const FieldOutcome outcome = applyFieldRule(kToleranceRule, Tolerance_->text().toStdString());
  Tolerance_->setText(QString::fromStdString(outcome.text));
  rules_.tolerance = outcome.value.value_or(kDefaultTolerance);
  refresh();
}

void frmOutputCheck::MinPoints_LostFocus() {
  const FieldOutcome outcome = applyFieldRule(kMinimumPointsRule, MinPoints_->text().toStdString());
  // A count is whole: "4.6" asks for 5 points.
  rules_.minimumPoints = static_cast<int>(std::lround(outcome.value.value_or(kDefaultMinimumPoints)));
  MinPoints_->setText(QString::number(rules_.minimumPoints));
  refresh();
}

std::vector<JudgedPoint> frmOutputCheck::judged(std::int16_t part) const {
  std::vector<JudgedPoint> points;
  for (const Sample& sample : samples_[part])
    points.push_back(judgePoint(*expected_[part], {sample.angle, sample.reading.output}, rules_.tolerance));
  return points;
}

QString frmOutputCheck::settingsText(const CurveSettings& s) const {
  QStringList points;
  const int count = s.mode == 2 ? 2 : s.mode == 3 ? 3 : 4;
  for (int k = 0; k < count; ++k)
    points << QStringLiteral("%1 %2\u00B0 \u2192 %3 %")
                  .arg(QLatin1String(kPointNames[k]))
                  .arg(s.points[k][0])
                  .arg(s.points[k][1]);
  return QStringLiteral("Expected from: %1; clamps %2 .. %3 %; DP %4\u00B0; %5")
      .arg(points.join(QStringLiteral(", ")))
      .arg(s.clampLow)
      .arg(s.clampHigh)
      .arg(s.dp)
      .arg(s.clockwise ? QStringLiteral("clockwise") : QStringLiteral("counter-clockwise"));
}

void frmOutputCheck::refresh() {
  if (!expected_[part_]) {
    Settings_->setText(QStringLiteral("No settings to check against"));
    Picture1_->setTraces({});
    marks_->setMarks({});
    PointTable_->clear();
    Verdict_->clear();
    return;
  }
  const ExpectedCurve& curve = *expected_[part_];
  Settings_->setText(settingsText(curve.settings()));
  Picture1_->setTraces({{part_, kCurveColour}});

  const std::vector<JudgedPoint> points = judged(part_);
  QList<PointMarks::Mark> marks;
  PointTable_->clear();
  for (std::size_t i = 0; i < points.size(); ++i) {
    const JudgedPoint& p = points[i];
    marks.append({p.measured.angle, p.measured.output, markColour(p.verdict)});
    const QString cells[] = {
        fixedDecimals(p.measured.angle, 2),
        fixedDecimals(p.measured.output, 2),
        p.expected ? fixedDecimals(*p.expected, 2) : QStringLiteral("-"),
        p.expected ? signedDecimals(p.error) : QStringLiteral("-"),
        verdictText(p.verdict),
    };
    auto* row = new QTreeWidgetItem(PointTable_, QStringList(std::begin(cells), std::end(cells)));
    row->setForeground(static_cast<int>(std::size(cells)) - 1, markColour(p.verdict));
  }
  marks_->setMarks(marks);
  Verdict_->setText(QString::fromStdString(judgeCheck(curve, points, rules_).text));
}

void frmOutputCheck::SaveResult_Click() {
  if (busy_.busy()) return;
  QStringList saved;
  for (std::int16_t p = 0; p < 2; ++p) {
    if (!expected_[p] || samples_[p].empty()) continue;
    const std::vector<JudgedPoint> points = judged(p);
    const CheckResult result = judgeCheck(*expected_[p], points, rules_);
    rx041::records::ProgrammingRecord record = recordOfPart(state_, window_, p);
    record.kind = rx041::records::RecordKind::OutputCheck;
    record.time = rx041::records::isoTimestamp(std::chrono::system_clock::now());
    // The chip the last point was measured on.
    record.chipId = samples_[p].back().reading.chipId;
    rx041::records::OutputCheck check;
    check.curve = checkedCurve(expected_[p]->settings());
    check.tolerance = static_cast<float>(rules_.tolerance);
    check.minimumPoints = rules_.minimumPoints;
    for (std::size_t i = 0; i < points.size(); ++i) {
      const Sample& sample = samples_[p][i];
      const JudgedPoint& judgedPoint = points[i];
      check.points.push_back(
          {sample.reading.angleBefore, sample.reading.angleAfter, static_cast<float>(sample.angle),
           sample.reading.output,
           judgedPoint.expected ? std::optional<float>(static_cast<float>(*judgedPoint.expected)) : std::nullopt,
           std::string(verdictName(judgedPoint.verdict))});
    }
    check.verdict = std::string(verdictName(result.verdict));
    check.verdictText = result.text;
    record.outcome = check.verdict;
    record.outputCheck = std::move(check);
    // A record that could not be written is told by the journal.
    if (!recordJournal().append(record, operator_, this)) return;
    saved << QString::fromStdString(partName(p));
  }
  if (saved.isEmpty()) {
    operator_.message(QStringLiteral("No point has been measured: nothing to save"), this);
    return;
  }
  operator_.message(QStringLiteral("The output check of %1 is saved in the programming records")
                        .arg(saved.join(QStringLiteral(" and "))),
                    this);
}

}  // namespace rx41
