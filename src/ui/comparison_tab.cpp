#include "comparison_tab.h"

#include <QGraphicsLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPainter>
#include <QPen>
#include <QPixmap>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

#include "fluxeta/base/errors.h"
#include "fluxeta/case/document_error.h"
#include "fluxeta/case/document_values.h"
#include "fluxeta/case/input_table.h"
#include "fluxeta/case/number_text.h"
#include "fluxeta/solver/search.h"
#include "input_title.h"
#include "nice_ticks.h"
#include "number_presentation.h"
#include "project_values.h"
#include "station_points.h"
#include "utf8_text.h"

namespace fluxeta::ui {

using cases::DocumentError;

namespace {

// A colour a pin keeps in every plot, told apart also in grey print.
const std::array<QColor, kMostPins> kPinColours = {QColor(0, 90, 170), QColor(214, 110, 0),
                                                   QColor(30, 140, 60), QColor(170, 30, 120)};
const std::array<Qt::PenStyle, kMostPins> kPinLines = {Qt::SolidLine, Qt::DashLine, Qt::DotLine,
                                                       Qt::DashDotLine};
constexpr int kCurveWidth = 2;
constexpr int kMinimumPlotHeight = 150;
constexpr int kRowPadding = 6;
// The plots are small: few ticks keep every label whole.
constexpr int kValueTickIntervals = 4;
// The table's key to the curves: a piece of each pin's line.
constexpr QSize kSwatchSize(28, 10);
// A long source is shortened in its cell; its tooltip has it whole.
constexpr int kWidestPinColumn = 130;
constexpr double kKilopascalsPerPascal = 1e-3;

// The table's rows: the figures of each pin, then the inputs in which the pins differ.
enum Row {
  kSourceRow,
  kUniformityRow,
  kUniformityDifferenceRow,
  kPressureRow,
  kPressureDifferenceRow,
  kFigureRows
};
const QStringList kRowTitles = {
    QStringLiteral("from"), QStringLiteral("uniformity"), QStringLiteral("Δ uniformity to first"),
    QStringLiteral("entrance pressure"), QStringLiteral("Δ pressure to first")};

constexpr char kPinsKey[] = "pins";
constexpr char kLetterKey[] = "letter";
constexpr char kSourceKey[] = "source";
constexpr char kSearchKey[] = "search";
constexpr char kInputsKey[] = "inputs";

QChar LetterOf(std::size_t slot) {
  return QChar(u'A' + static_cast<char16_t>(slot));
}

char Separator() {
  return cases::LocaleDecimalSeparator();
}

// A difference with its sign, "+0.0123" or "−4.5 kPa", so that "better" reads at a glance.
QString SignedText(double difference, const QString& text) {
  return difference > 0 ? u'+' + text : text;
}

double EntrancePressure(const FinishedRun& run) {
  return run.table.P[1];
}

QPixmap Swatch(std::size_t slot) {
  QPixmap swatch(kSwatchSize);
  swatch.fill(Qt::transparent);
  QPainter painter(&swatch);
  painter.setPen(QPen(kPinColours[slot], kCurveWidth, kPinLines[slot]));
  painter.drawLine(0, kSwatchSize.height() / 2, kSwatchSize.width(), kSwatchSize.height() / 2);
  return swatch;
}

QTableWidgetItem* Item(const QString& text, const QString& tip = QString()) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  item->setToolTip(tip.isEmpty() ? text : tip);
  return item;
}

// A pin of a project: its case solved again with its search, which gives the figures it had.
PinnedResult SolvedPin(const nlohmann::json& pin, const std::string& path) {
  PinnedResult pinned;
  pinned.source = QString::fromStdString(cases::RequireText(pin, kSourceKey, path));
  const std::string searchName = cases::RequireText(pin, kSearchKey, path);
  const auto search = solver::SearchOfName(searchName);
  if (!search) {
    throw DocumentError(MemberPath(path, kSearchKey) + ": must be 'robust' or 'window'");
  }
  const nlohmann::json& inputs = cases::RequireMember(pin, kInputsKey, path);
  const std::string inputsPath = MemberPath(path, kInputsKey);
  cases::RequireObject(inputs, inputsPath);
  cases::CaseValues values{};
  std::vector<std::string_view> names;
  for (std::size_t input = 0; input < cases::kInputCount; ++input) {
    names.push_back(cases::kInputs[input].name);
    values[input] = cases::RequireNumber(inputs, cases::kInputs[input].name, inputsPath);
  }
  cases::RefuseUnknownKeys(inputs, names, inputsPath);
  try {
    pinned.run.parameters = cases::MakeCase(values);
    const solver::Solution solution = solver::Solve(pinned.run.parameters, *search);
    if (!solution.solve.converged) {
      throw DocumentError(path + ": the case does not converge with the " + searchName + " search");
    }
    pinned.run.table = solution.table;
    pinned.run.outcome = solution.solve;
  } catch (const base::FluxetaError& error) {
    throw DocumentError(path + ": the case cannot be solved: " + error.what());
  }
  pinned.run.search = QString::fromStdString(searchName);
  pinned.run.finishedAt = QDateTime::currentDateTime();
  return pinned;
}

}  // namespace

ComparisonTab::ComparisonTab(Presenter& presenter, QWidget* parent)
    : QWidget(parent),
      presenter_(presenter),
      table_(new QTableWidget),
      unpin_(new QPushButton(QStringLiteral("Unpin"))),
      clear_(new QPushButton(QStringLiteral("Clear All"))) {
  setObjectName(QStringLiteral("ComparisonTab"));
  table_->setObjectName(QStringLiteral("ComparisonTable"));
  // Rows of one line each, close together, as in a sheet of figures.
  table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() +
                                                  kRowPadding);
  table_->setIconSize(kSwatchSize);
  table_->setSelectionBehavior(QAbstractItemView::SelectColumns);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setWordWrap(false);
  // Room for the figures and a few differing inputs; the plots take the rest.
  constexpr int kShownRows = kFigureRows + 3;
  table_->setFixedHeight(table_->horizontalHeader()->sizeHint().height() +
                         kShownRows * table_->verticalHeader()->defaultSectionSize() +
                         2 * table_->frameWidth());
  unpin_->setObjectName(QStringLiteral("UnpinResult"));
  clear_->setObjectName(QStringLiteral("ClearPins"));
  unpin_->setToolTip(QStringLiteral("Removes the pin of the column chosen in the table"));

  curves_[static_cast<std::size_t>(ComparedCurve::Deviation)] =
      MakeCurvePlot(QStringLiteral("Slot-flow deviation Q_DIFF"), QStringLiteral("Q_DIFF (%)"));
  curves_[static_cast<std::size_t>(ComparedCurve::Pressure)] =
      MakeCurvePlot(QStringLiteral("Cavity pressure P"), QStringLiteral("P (kPa)"));
  curves_[static_cast<std::size_t>(ComparedCurve::Flow)] =
      MakeCurvePlot(QStringLiteral("Cavity flow Q"), QStringLiteral("Q (cm3/s)"));

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(unpin_);
  buttons->addWidget(clear_);
  buttons->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(table_);
  layout->addLayout(buttons);
  auto* pressureAndFlow = new QHBoxLayout;
  pressureAndFlow->addWidget(&CurveView(ComparedCurve::Pressure));
  pressureAndFlow->addWidget(&CurveView(ComparedCurve::Flow));
  layout->addWidget(&CurveView(ComparedCurve::Deviation), 1);
  layout->addLayout(pressureAndFlow, 1);

  connect(unpin_, &QPushButton::clicked, this, [this] {
    const int column = table_->currentColumn();
    if (column >= 0 && table_->horizontalHeaderItem(column) != nullptr) {
      Unpin(table_->horizontalHeaderItem(column)->text().front());
    }
  });
  connect(clear_, &QPushButton::clicked, this, &ComparisonTab::Clear);
  ShowPins();
}

ComparisonTab::CurvePlot ComparisonTab::MakeCurvePlot(const QString& title,
                                                      const QString& valueTitle) {
  CurvePlot plot;
  auto* chart = new QChart;
  chart->setTitle(title);
  chart->layout()->setContentsMargins(0, 0, 0, 0);
  chart->setBackgroundRoundness(0);
  // The table's swatches are the key: a legend would take the plots' little height.
  chart->legend()->hide();
  plot.position = new QValueAxis(chart);
  plot.position->setTitleText(QStringLiteral("X (cm)"));
  plot.value = new QValueAxis(chart);
  plot.value->setTitleText(valueTitle);
  for (QValueAxis* axis : {plot.position, plot.value}) {
    axis->setTitleFont(axis->labelsFont());
  }
  chart->addAxis(plot.position, Qt::AlignBottom);
  chart->addAxis(plot.value, Qt::AlignLeft);
  for (std::size_t slot = 0; slot < kMostPins; ++slot) {
    auto* series = new QLineSeries(chart);
    series->setName(LetterOf(slot));
    series->setPen(QPen(kPinColours[slot], kCurveWidth, kPinLines[slot]));
    chart->addSeries(series);
    series->attachAxis(plot.position);
    series->attachAxis(plot.value);
    plot.series[slot] = series;
  }
  plot.view = new QChartView(chart);
  plot.view->setRenderHint(QPainter::Antialiasing);
  plot.view->setMinimumHeight(kMinimumPlotHeight);
  return plot;
}

std::optional<QChar> ComparisonTab::Pin(const FinishedRun& run, const QString& source) {
  const auto free =
      std::find_if(pins_.begin(), pins_.end(), [](const auto& pin) { return !pin.has_value(); });
  if (free == pins_.end()) {
    presenter_.ShowMessage(QStringLiteral(
        "Four results are pinned already; unpin one on the Compare tab to pin another."));
    return std::nullopt;
  }
  *free = PinnedResult{source, run};
  ShowPins();
  return LetterOf(static_cast<std::size_t>(free - pins_.begin()));
}

void ComparisonTab::Unpin(QChar letter) {
  const int slot = letter.unicode() - u'A';
  if (slot >= 0 && slot < static_cast<int>(kMostPins)) {
    pins_[static_cast<std::size_t>(slot)].reset();
    ShowPins();
  }
}

void ComparisonTab::Clear() {
  pins_ = {};
  ShowPins();
}

void ComparisonTab::ShowPins() {
  ShowTable();
  ShowCurves();
  const bool any =
      std::any_of(pins_.begin(), pins_.end(), [](const auto& pin) { return pin.has_value(); });
  unpin_->setEnabled(any);
  clear_->setEnabled(any);
  emit pinsChanged();
}

void ComparisonTab::ShowTable() {
  std::vector<std::size_t> pinned;
  for (std::size_t slot = 0; slot < kMostPins; ++slot) {
    if (pins_[slot]) {
      pinned.push_back(slot);
    }
  }
  // The inputs worth a row: those in which some pin differs from the first.
  std::vector<std::size_t> differing;
  for (std::size_t input = 0; input < cases::kInputCount && !pinned.empty(); ++input) {
    const double first = cases::InputValues(pins_[pinned.front()]->run.parameters)[input];
    if (std::any_of(pinned.begin(), pinned.end(), [&](std::size_t slot) {
          return cases::InputValues(pins_[slot]->run.parameters)[input] != first;
        })) {
      differing.push_back(input);
    }
  }
  table_->clear();
  table_->setColumnCount(static_cast<int>(pinned.size()));
  table_->setRowCount(kFigureRows + static_cast<int>(differing.size()));
  QStringList rowTitles = kRowTitles;
  for (const std::size_t input : differing) {
    rowTitles.append(InputTitle(cases::kInputs[input]));
  }
  table_->setVerticalHeaderLabels(rowTitles);
  for (std::size_t column = 0; column < pinned.size(); ++column) {
    const std::size_t slot = pinned[column];
    const FinishedRun& run = pins_[slot]->run;
    const FinishedRun& first = pins_[pinned.front()]->run;
    auto* header = new QTableWidgetItem(Swatch(slot), LetterOf(slot));
    header->setForeground(kPinColours[slot]);
    const int at = static_cast<int>(column);
    table_->setHorizontalHeaderItem(at, header);
    const auto put = [this, at](int row, const QString& text, const QString& tip = QString()) {
      table_->setItem(row, at, Item(text, tip));
    };
    put(kSourceRow, pins_[slot]->source,
        QStringLiteral("%1, %2 search").arg(pins_[slot]->source, run.search));
    const double uniformity = run.table.Uniformity;
    const double pressure = EntrancePressure(run);
    put(kUniformityRow, ScreenNumber(uniformity, Separator()), FullNumber(uniformity, Separator()));
    put(kPressureRow, ScreenPressure(pressure, Separator()), FullPressure(pressure, Separator()));
    if (column > 0) {
      const double uniformityDifference = uniformity - first.table.Uniformity;
      const double pressureDifference = pressure - EntrancePressure(first);
      put(kUniformityDifferenceRow,
          SignedText(uniformityDifference, ScreenNumber(uniformityDifference, Separator())),
          FullNumber(uniformityDifference, Separator()));
      put(kPressureDifferenceRow,
          SignedText(pressureDifference, ScreenPressure(pressureDifference, Separator())),
          FullPressure(pressureDifference, Separator()));
    }
    const cases::CaseValues values = cases::InputValues(run.parameters);
    for (std::size_t row = 0; row < differing.size(); ++row) {
      const double value = values[differing[row]];
      put(kFigureRows + static_cast<int>(row), ScreenNumber(value, Separator()),
          FullNumber(value, Separator()));
    }
    table_->resizeColumnToContents(at);
    table_->setColumnWidth(at, std::min(table_->columnWidth(at), kWidestPinColumn));
  }
}

void ComparisonTab::ShowCurves() {
  double width = 0;
  for (const auto& pin : pins_) {
    if (pin) {
      width = std::max(width, pin->run.parameters.W);
    }
  }
  for (std::size_t curve = 0; curve < kComparedCurveCount; ++curve) {
    CurvePlot& plot = curves_[curve];
    double low = std::numeric_limits<double>::infinity();
    double high = -low;
    for (std::size_t slot = 0; slot < kMostPins; ++slot) {
      QLineSeries& series = *plot.series[slot];
      if (!pins_[slot]) {
        series.clear();
        series.setVisible(false);
        continue;
      }
      const cases::StationTable& table = pins_[slot]->run.table;
      QList<QPointF> points;
      switch (static_cast<ComparedCurve>(curve)) {
        case ComparedCurve::Deviation:
          points = StationPoints(table, table.Q_DIFF);
          break;
        case ComparedCurve::Pressure:
          points = StationPoints(table, table.P, kKilopascalsPerPascal);
          break;
        case ComparedCurve::Flow:
          points = StationPoints(table, table.Q);
          break;
      }
      // The deviation and the flow are read against their zero; the pressure falls little.
      const auto [pinLow, pinHigh] = static_cast<ComparedCurve>(curve) == ComparedCurve::Pressure
                                         ? ValueRange(points)
                                         : RangeWithZero(points);
      low = std::min(low, pinLow);
      high = std::max(high, pinHigh);
      series.replace(points);
      series.setVisible(true);
    }
    if (width > 0) {
      FitPositionAxis(*plot.position, width);
      ApplyNiceScale(*plot.value, low, high, kValueTickIntervals);
    } else {
      FitPositionAxis(*plot.position, 1);
      ApplyNiceScale(*plot.value, 0, 1, kValueTickIntervals);
    }
  }
}

std::string ComparisonTab::ProjectKey() const {
  return "comparison";
}

nlohmann::json ComparisonTab::SaveProject() const {
  nlohmann::json pins = nlohmann::json::array();
  for (std::size_t slot = 0; slot < kMostPins; ++slot) {
    if (!pins_[slot]) {
      continue;
    }
    const PinnedResult& pin = *pins_[slot];
    nlohmann::json inputs = nlohmann::json::object();
    const cases::CaseValues values = cases::InputValues(pin.run.parameters);
    for (std::size_t input = 0; input < cases::kInputCount; ++input) {
      inputs[std::string(cases::kInputs[input].name)] = values[input];
    }
    pins.push_back({{kLetterKey, QString(LetterOf(slot)).toStdString()},
                    {kSourceKey, pin.source.toStdString()},
                    {kSearchKey, pin.run.search.toStdString()},
                    {kInputsKey, inputs}});
  }
  return {{kPinsKey, pins}};
}

std::function<void()> ComparisonTab::ReadProject(const nlohmann::json& section,
                                                 const std::string& path) {
  cases::RequireObject(section, path);
  cases::RefuseUnknownKeys(section, {kPinsKey}, path);
  const nlohmann::json& pins = RequireArray(section, kPinsKey, path);
  std::array<std::optional<PinnedResult>, kMostPins> read;
  const std::string pinsPath = MemberPath(path, kPinsKey);
  for (std::size_t index = 0; index < pins.size(); ++index) {
    const std::string pinPath = pinsPath + "[" + std::to_string(index) + "]";
    const nlohmann::json& pin = pins[index];
    cases::RequireObject(pin, pinPath);
    cases::RefuseUnknownKeys(pin, {kLetterKey, kSourceKey, kSearchKey, kInputsKey}, pinPath);
    const std::string letter = cases::RequireText(pin, kLetterKey, pinPath);
    const int slot = letter.size() == 1 ? letter[0] - 'A' : -1;
    if (slot < 0 || slot >= static_cast<int>(kMostPins) ||
        read[static_cast<std::size_t>(slot)].has_value()) {
      throw DocumentError(MemberPath(pinPath, kLetterKey) +
                          ": must be one of 'A', 'B', 'C', 'D', each once");
    }
    read[static_cast<std::size_t>(slot)] = SolvedPin(pin, pinPath);
  }
  return [this, read] {
    pins_ = read;
    ShowPins();
  };
}

void ComparisonTab::WatchProject(const std::function<void()>& changed) {
  connect(this, &ComparisonTab::pinsChanged, this, changed);
}

}  // namespace fluxeta::ui
