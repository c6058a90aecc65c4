#include "coating_tab.h"

#include <QChart>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QPen>
#include <QScatterSeries>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "case_panel.h"
#include "fluxeta/base/errors.h"
#include "fluxeta/base/messages.h"
#include "fluxeta/case/document_error.h"
#include "fluxeta/coating/case_coating_window.h"
#include "fluxeta/coating/coating_columns.h"
#include "fluxeta/coating/operating_point.h"
#include "locale_number_text.h"
#include "utf8_text.h"

namespace fluxeta::ui {

namespace {

using coating::CoatingWindow;
using coating::StationWindow;
using coating::WindowLimits;

struct PointBoxSpec {
  const char* label;  // UTF-8, short: the tab shares the workbench with the case panel
  const char* name;   // in messages and the box's tool tip
  const char* objectName;
  const char* projectKey;
  double defaultValue;
  int row;
  int column;
};

// A bead the window's default die can hold across most of its web: films near 1 mm.
constexpr std::array<PointBoxSpec, kPointBoxCount> kPointBoxes = {{
    {"V (cm/s)", "web speed (cm/s)", "WebSpeed", "web_speed", 5, 0, 0},
    {"G (cm)", "coating gap, lips to web (cm)", "CoatingGap", "coating_gap", 0.17, 0, 1},
    {"Lu (cm)", "upstream lip length (cm)", "UpstreamLip", "upstream_lip", 0.2, 1, 0},
    {"Ld (cm)", "downstream lip length (cm)", "DownstreamLip", "downstream_lip", 0.2, 1, 1},
    {"σ (N/m)", "surface tension (N/m)", "SurfaceTension", "surface_tension", 0.03, 2, 0},
    {"vacuum (Pa)", "lowest vacuum (Pa)", "LowestVacuum", "lowest_vacuum", 0, 3, 0},
    {"to", "highest vacuum (Pa)", "HighestVacuum", "highest_vacuum", 300, 3, 1},
}};
constexpr int kComputeRow = 2;
constexpr int kComputeColumn = 1;

// The document's keys of the boxes before the vacuum's two.
constexpr std::array<std::string_view, 5> kPositiveKeys = {
    "web_speed", "coating_gap", "upstream_lip", "downstream_lip", "surface_tension"};

// The plane spans a decade of speed either side of the operating speed.
constexpr double kSpeedDecades = 10;
constexpr int kCurvePoints = 61;
// Headroom above the gap and around the web's films, as a fraction of the range shown.
constexpr double kThicknessHeadroom = 0.1;
constexpr int kChartMargin = 2;
constexpr int kBandPenWidth = 7;
constexpr int kCurvePenWidth = 2;
constexpr qreal kOperatingPointSize = 15;
constexpr qreal kOutsideStationSize = 7;
constexpr int kLegendPixels = 10;
// Wide enough for "0.003" whole.
constexpr int kBoxCharacters = 7;

const QColor kLowFlowColour(0x1f, 0x5f, 0xa8);
const QColor kHighestVacuumColour(0x2a, 0x8f, 0x3a);
const QColor kLowestVacuumColour(0x8a, 0x4f, 0xb0);
const QColor kGapColour(0x80, 0x80, 0x80);
const QColor kBandColour(0x30, 0x30, 0x30);
const QColor kOutsideColour(0xd6, 0x20, 0x20);
const QColor kOperatingPointColour(0xe0, 0x80, 0x00);

// Three significant figures, with the boxes' separator.
QString Figure(double value, char separator) {
  QString text = QString::number(value, 'g', 3);
  return text.replace(QLatin1Char('.'), QChar::fromLatin1(separator));
}

// The legend beside the plot, where its names stay whole, or under it.
QChartView* MakeChartView(const QString& name, Qt::Alignment legend) {
  auto* view = new QChartView(new QChart);
  view->setObjectName(name);
  view->setRenderHint(QPainter::Antialiasing);
  view->chart()->setMargins(QMargins(kChartMargin, kChartMargin, kChartMargin, kChartMargin));
  view->chart()->legend()->setAlignment(legend);
  QFont font = view->chart()->legend()->font();
  font.setPixelSize(kLegendPixels);
  view->chart()->legend()->setFont(font);
  return view;
}

void ClearChart(QChart& chart) {
  chart.removeAllSeries();
  for (QAbstractAxis* axis : chart.axes()) {
    chart.removeAxis(axis);
    delete axis;
  }
}

QLineSeries* Line(const QString& name, const QColor& colour, int width,
                  Qt::PenStyle style = Qt::SolidLine) {
  auto* series = new QLineSeries;
  series->setName(name);
  QPen pen(colour, width, style);
  pen.setCapStyle(Qt::FlatCap);
  series->setPen(pen);
  return series;
}

void Attach(QChart& chart, QAbstractSeries* series, QAbstractAxis* x, QAbstractAxis* y) {
  chart.addSeries(series);
  series->attachAxis(x);
  series->attachAxis(y);
}

// A second piece of a series already named keeps out of the legend.
void HideFromLegend(QChart& chart, QAbstractSeries* series) {
  for (QLegendMarker* marker : chart.legend()->markers(series)) {
    marker->setVisible(false);
  }
}

QString LowFlowName() {
  return QStringLiteral("low flow");
}

// The limit of the films a vacuum holds.
QString VacuumName(double vacuum, char separator) {
  return QStringLiteral("vacuum %1 Pa").arg(Figure(vacuum, separator));
}

std::pair<double, double> FilmRange(const CoatingWindow& window) {
  const auto [thinnest, thickest] =
      std::minmax_element(window.stations.begin(), window.stations.end(),
                          [](const StationWindow& a, const StationWindow& b) {
                            return a.wetThickness < b.wetThickness;
                          });
  return {thinnest->wetThickness, thickest->wetThickness};
}

double MeanFilm(const CoatingWindow& window) {
  double sum = 0;
  for (const StationWindow& station : window.stations) {
    sum += station.wetThickness;
  }
  return sum / static_cast<double>(window.stations.size());
}

QString StationsText(const coating::OutsideRun& run) {
  return run.firstStation == run.lastStation
             ? QStringLiteral("station %1").arg(run.firstStation)
             : QStringLiteral("stations %1–%2").arg(run.firstStation).arg(run.lastStation);
}

QString VerdictTextOf(const CoatingWindow& window, char separator) {
  const QString verdict = Utf8Text(coating::WebVerdictName(window.verdict));
  if (window.verdict == coating::WebVerdict::Inside) {
    return QStringLiteral("%1: one vacuum of %2 to %3 Pa holds the whole web")
        .arg(verdict, Figure(window.webVacuum->lowest, separator),
             Figure(window.webVacuum->highest, separator));
  }
  if (window.verdict == coating::WebVerdict::NoCommonVacuum) {
    return QStringLiteral("%1: each station is inside alone, but no one vacuum holds them all")
        .arg(verdict);
  }
  QStringList runs;
  for (const coating::OutsideRun& run : window.outside) {
    runs.append(QStringLiteral("%1 %2 by %3 %4")
                    .arg(StationsText(run), Utf8Text(coating::VerdictName(run.verdict)),
                         Figure(-run.worstMargin, separator),
                         Utf8Text(coating::MarginUnit(run.verdict))));
  }
  return QStringLiteral("%1: %2").arg(verdict, runs.join(QStringLiteral("; ")));
}

}  // namespace

CoatingTab::CoatingTab(Presenter& presenter, CasePanel& casePanel, QWidget* parent)
    : QWidget(parent),
      presenter_(presenter),
      casePanel_(casePanel),
      compute_(new QPushButton(QStringLiteral("Compute"))),
      verdict_(new QLabel),
      windowChart_(MakeChartView(QStringLiteral("CoatingWindowPlane"), Qt::AlignRight)),
      webChart_(MakeChartView(QStringLiteral("CoatingWebProfile"), Qt::AlignRight)) {
  setObjectName(QStringLiteral("CoatingTab"));
  compute_->setObjectName(QStringLiteral("ComputeCoatingWindow"));
  verdict_->setObjectName(QStringLiteral("CoatingVerdict"));
  verdict_->setWordWrap(true);
  verdict_->setTextInteractionFlags(Qt::TextSelectableByMouse);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(MakePointBoxes());
  layout->addWidget(verdict_);
  layout->addWidget(windowChart_, 3);
  layout->addWidget(webChart_, 2);
  connect(compute_, &QPushButton::clicked, this, [this] { Compute(); });
}

QWidget* CoatingTab::MakePointBoxes() {
  auto* widget = new QWidget;
  auto* grid = new QGridLayout(widget);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setVerticalSpacing(1);
  for (std::size_t box = 0; box < kPointBoxCount; ++box) {
    const PointBoxSpec& spec = kPointBoxes[box];
    auto* edit = new QLineEdit(NumberText(spec.defaultValue, casePanel_.Separator()));
    edit->setObjectName(QString::fromLatin1(spec.objectName));
    edit->setToolTip(QString::fromLatin1(spec.name));
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('0')) * kBoxCharacters);
    boxes_[box] = edit;
    grid->addWidget(new QLabel(QString::fromUtf8(spec.label)), spec.row, spec.column * 2);
    grid->addWidget(edit, spec.row, spec.column * 2 + 1);
  }
  grid->addWidget(compute_, kComputeRow, kComputeColumn * 2, 1, 2);
  grid->setColumnStretch(kComputeColumn * 2 + 2, 1);
  return widget;
}

void CoatingTab::SetBox(PointBox box, const QString& text) {
  boxes_.at(static_cast<std::size_t>(box))->setText(text);
}

std::vector<ProjectField> CoatingTab::ProjectFields() {
  std::vector<ProjectField> fields;
  for (std::size_t box = 0; box < kPointBoxCount; ++box) {
    fields.push_back(
        ProjectField::Box(kPointBoxes[box].projectKey, *boxes_[box], casePanel_.Separator()));
  }
  return fields;
}

bool CoatingTab::Compute() {
  const auto values = casePanel_.Values();
  if (!values) {
    return false;
  }
  const char separator = casePanel_.Separator();
  std::array<double, kPointBoxCount> numbers{};
  for (std::size_t box = 0; box < kPointBoxCount; ++box) {
    const auto number = NumberOfText(boxes_[box]->text(), separator);
    if (!number) {
      presenter_.ShowMessage(
          QStringLiteral("%1: \"%2\" is not a number")
              .arg(QString::fromLatin1(kPointBoxes[box].name), boxes_[box]->text()));
      return false;
    }
    numbers[box] = *number;
  }
  // The boxes become the operating point's document, checked as a file is.
  nlohmann::json document;
  for (std::size_t key = 0; key < kPositiveKeys.size(); ++key) {
    document[std::string(kPositiveKeys[key])] = numbers[key];
  }
  document["vacuum"] = {numbers[static_cast<std::size_t>(PointBox::LowestVacuum)],
                        numbers[static_cast<std::size_t>(PointBox::HighestVacuum)]};
  coating::CaseCoatingWindow result;
  try {
    const coating::OperatingPoint point = coating::ReadOperatingPoint(document);
    result =
        coating::EvaluateCaseCoatingWindow(cases::MakeCase(*values), solver::Search::Window, point);
    if (result.window) {
      curves_ = coating::WindowCurves(point, result.flow->liquid, point.webSpeed / kSpeedDecades,
                                      point.webSpeed * kSpeedDecades, kCurvePoints);
    }
  } catch (const cases::DocumentError& error) {
    presenter_.ShowMessage(QStringLiteral("operating point: ") + Utf8Text(error.what()));
    return false;
  } catch (const base::FluxetaError& error) {
    presenter_.ShowError(Utf8Text(base::messages::ErrorBoxText(error.what())));
    return false;
  }
  window_ = result.window;
  if (!window_) {
    curves_.clear();
    verdict_->setText(
        QStringLiteral("The case does not converge (%1); the coating window needs a converged die.")
            .arg(Utf8Text(base::OutcomeCode(result.status))));
    ClearChart(*windowChart_->chart());
    ClearChart(*webChart_->chart());
    return false;
  }
  verdict_->setText(VerdictTextOf(*window_, separator));
  ShowWindowPlane();
  ShowWebProfile();
  return true;
}

void CoatingTab::ShowWindowPlane() {
  const CoatingWindow& window = *window_;
  const char separator = casePanel_.Separator();
  QChart& chart = *windowChart_->chart();
  ClearChart(chart);
  chart.setTitle(QStringLiteral("coating window"));
  auto* speeds = new QLogValueAxis;
  speeds->setTitleText(QStringLiteral("V (cm/s)"));
  speeds->setLabelFormat(QStringLiteral("%g"));
  speeds->setRange(curves_.front().webSpeed, curves_.back().webSpeed);
  auto* films = new QValueAxis;
  films->setTitleText(QStringLiteral("t (cm)"));
  films->setRange(0, window.point.coatingGap * (1 + kThicknessHeadroom));
  films->applyNiceNumbers();
  chart.addAxis(speeds, Qt::AlignBottom);
  chart.addAxis(films, Qt::AlignLeft);

  auto* lowFlow = Line(LowFlowName(), kLowFlowColour, kCurvePenWidth);
  auto* highestVacuum =
      Line(VacuumName(window.point.highestVacuum, separator), kHighestVacuumColour, kCurvePenWidth);
  auto* lowestVacuum =
      Line(VacuumName(window.point.lowestVacuum, separator), kLowestVacuumColour, kCurvePenWidth);
  auto* gap = Line(QStringLiteral("gap"), kGapColour, 1, Qt::DashLine);
  for (const WindowLimits& limits : curves_) {
    lowFlow->append(limits.webSpeed, limits.lowFlow);
    highestVacuum->append(limits.webSpeed, limits.vacuumTooLow);
    lowestVacuum->append(limits.webSpeed, limits.vacuumTooHigh);
    gap->append(limits.webSpeed, limits.gap);
  }
  for (QLineSeries* series : {lowFlow, highestVacuum, lowestVacuum, gap}) {
    Attach(chart, series, speeds, films);
  }

  // The web's films at the operating speed, the parts outside the window over them in red.
  const double speed = window.point.webSpeed;
  const auto [thinnest, thickest] = FilmRange(window);
  // A disc at the mean film, behind the band.
  auto* operatingPoint = new QScatterSeries;
  operatingPoint->setName(QStringLiteral("operating point"));
  operatingPoint->setMarkerSize(kOperatingPointSize);
  operatingPoint->setColor(kOperatingPointColour);
  operatingPoint->setBorderColor(kOperatingPointColour);
  operatingPoint->append(speed, MeanFilm(window));
  Attach(chart, operatingPoint, speeds, films);
  auto* band = Line(QStringLiteral("web's films"), kBandColour, kBandPenWidth);
  band->append(speed, thinnest);
  band->append(speed, thickest);
  Attach(chart, band, speeds, films);
  const double held = window.limits.Thinnest();
  const double bearable = window.limits.Thickest();
  bool named = false;
  const auto outside = [&](double from, double to) {
    auto* part = Line(QStringLiteral("outside"), kOutsideColour, kBandPenWidth);
    part->setObjectName(QStringLiteral("OutsidePart"));
    part->append(speed, from);
    part->append(speed, to);
    Attach(chart, part, speeds, films);
    if (named) {
      HideFromLegend(chart, part);
    }
    named = true;
  };
  if (thinnest < held) {
    outside(thinnest, std::min(thickest, held));
  }
  if (thickest > bearable) {
    outside(std::max(thinnest, bearable), thickest);
  }
}

void CoatingTab::ShowWebProfile() {
  const CoatingWindow& window = *window_;
  const char separator = casePanel_.Separator();
  QChart& chart = *webChart_->chart();
  ClearChart(chart);
  chart.setTitle(QStringLiteral("films across the web at %1 cm/s")
                     .arg(Figure(window.point.webSpeed, separator)));
  const double left = window.stations.front().x;
  const double right = window.stations.back().x;
  auto* positions = new QValueAxis;
  positions->setTitleText(QStringLiteral("x (cm)"));
  positions->setRange(left, right);
  const auto [thinnest, thickest] = FilmRange(window);
  // Every limit the gap leaves room for, beside the films.
  const WindowLimits& limits = window.limits;
  const double low = std::min({thinnest, limits.lowFlow, limits.vacuumTooLow});
  const double high = std::max(thickest, std::min(limits.vacuumTooHigh, limits.gap));
  const double headroom = (high - low) * kThicknessHeadroom;
  auto* films = new QValueAxis;
  films->setTitleText(QStringLiteral("t (cm)"));
  films->setRange(std::max(0.0, low - headroom), high + headroom);
  films->applyNiceNumbers();
  chart.addAxis(positions, Qt::AlignBottom);
  chart.addAxis(films, Qt::AlignLeft);

  const auto level = [&](const QString& name, const QColor& colour, double thickness) {
    auto* series = Line(name, colour, kCurvePenWidth, Qt::DashLine);
    series->append(left, thickness);
    series->append(right, thickness);
    Attach(chart, series, positions, films);
  };
  level(LowFlowName(), kLowFlowColour, window.limits.lowFlow);
  level(VacuumName(window.point.highestVacuum, separator), kHighestVacuumColour,
        window.limits.vacuumTooLow);
  level(VacuumName(window.point.lowestVacuum, separator), kLowestVacuumColour,
        window.limits.vacuumTooHigh);

  auto* film = Line(QStringLiteral("film"), kBandColour, kCurvePenWidth);
  auto* outside = new QScatterSeries;
  outside->setObjectName(QStringLiteral("OutsideStations"));
  outside->setName(QStringLiteral("outside"));
  outside->setMarkerSize(kOutsideStationSize);
  outside->setColor(kOutsideColour);
  outside->setBorderColor(kOutsideColour);
  for (const StationWindow& station : window.stations) {
    film->append(station.x, station.wetThickness);
    if (station.verdict != coating::Verdict::Inside) {
      outside->append(station.x, station.wetThickness);
    }
  }
  Attach(chart, film, positions, films);
  Attach(chart, outside, positions, films);
}

}  // namespace fluxeta::ui
