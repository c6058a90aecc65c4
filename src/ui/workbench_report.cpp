#include "workbench_report.h"

#include <QChartView>
#include <QDateTime>
#include <QFileInfo>
#include <QLineSeries>

#include "case_panel.h"
#include "comparison_tab.h"
#include "design_tab.h"
#include "die_drawing.h"
#include "fluxeta/case/input_table.h"
#include "fluxeta/case/number_text.h"
#include "heat_map.h"
#include "input_title.h"
#include "number_presentation.h"
#include "result_tab.h"
#include "study_plot.h"
#include "study_rows_model.h"
#include "study_tab.h"
#include "utf8_text.h"
#include "widget_picture.h"
#include "workbench.h"

namespace fluxeta::ui {

namespace {

// Pictures are drawn at these pixel sizes and set this many points wide on the page.
constexpr QSize kPlotsPicture(900, 700);
constexpr QSize kChartPicture(900, 380);
constexpr QSize kMapPicture(760, 600);
constexpr int kFullWidth = 480;
constexpr int kMapWidth = 400;
constexpr int kDieWidth = 340;

char Separator() {
  return cases::LocaleDecimalSeparator();
}

void AddCase(ReportDocument& report, const cases::CaseValues& values) {
  QList<QStringList> rows;
  for (std::size_t input = 0; input < cases::kInputCount; ++input) {
    const cases::InputSpec& spec = cases::kInputs[input];
    rows.append({Utf8Text(spec.symbol), Utf8Text(spec.name), FullNumber(values[input], Separator()),
                 Utf8Text(spec.unit)});
  }
  report.AddTable({QStringLiteral("input"), QStringLiteral("name"), QStringLiteral("value"),
                   QStringLiteral("unit")},
                  rows);
}

void AddStationTable(ReportDocument& report, const cases::StationTable& table) {
  QList<QStringList> rows;
  for (int station = 1; station <= cases::StationCount; ++station) {
    rows.append({QString::number(station), ScreenNumber(table.X[station], Separator()),
                 ScreenNumber(table.P[station] / kPascalsPerKilopascal, Separator()),
                 ScreenNumber(table.Q[station], Separator()),
                 ScreenNumber(table.DelQ[station], Separator()),
                 ScreenNumber(table.Q_DIFF[station], Separator()),
                 ScreenNumber(table.SR_S[station], Separator()),
                 ScreenNumber(table.RTime[station], Separator())});
  }
  report.AddTable(
      {QStringLiteral("station"), QStringLiteral("X (cm)"), QStringLiteral("P (kPa)"),
       QStringLiteral("Q (cm3/s)"), QStringLiteral("DelQ (cm3/s)"), QStringLiteral("Q_DIFF (%)"),
       QStringLiteral("SR_S (1/s)"), QStringLiteral("RTime (s)")},
      rows);
}

void AddComparison(ReportDocument& report, ComparisonTab& comparison) {
  const QTableWidget& table = comparison.Table();
  if (table.columnCount() == 0) {
    return;
  }
  report.AddHeading(QStringLiteral("Comparison of the pinned results"));
  QStringList header = {QString()};
  for (int column = 0; column < table.columnCount(); ++column) {
    header.append(table.horizontalHeaderItem(column)->text());
  }
  QList<QStringList> rows;
  for (int row = 0; row < table.rowCount(); ++row) {
    QStringList cells = {table.verticalHeaderItem(row)->text()};
    for (int column = 0; column < table.columnCount(); ++column) {
      const QTableWidgetItem* item = table.item(row, column);
      cells.append(item != nullptr ? item->text() : QString());
    }
    rows.append(cells);
  }
  report.AddTable(header, rows);
  for (const auto& [curve, caption] :
       {std::pair{ComparedCurve::Deviation, "Slot-flow deviation of the pins"},
        std::pair{ComparedCurve::Pressure, "Cavity pressure of the pins"},
        std::pair{ComparedCurve::Flow, "Cavity flow of the pins"}}) {
    report.AddPicture(WidgetImage(comparison.CurveView(curve), kChartPicture),
                      QString::fromUtf8(caption), kFullWidth);
  }
}

void AddStudy(ReportDocument& report, StudyTab& study) {
  const auto& sweeps = study.Rows().Sweeps();
  if (study.Rows().Rows().empty() || sweeps.empty()) {
    return;
  }
  QStringList over;
  for (const auto& sweep : sweeps) {
    over.append(QStringLiteral("%1 from %2 to %3 in %4 steps")
                    .arg(Utf8Text(sweep.input->symbol), ScreenNumber(sweep.from, Separator()),
                         ScreenNumber(sweep.to, Separator()))
                    .arg(sweep.count));
  }
  report.AddHeading(QStringLiteral("Study"));
  report.AddParagraph(QStringLiteral("Uniformity over %1; %2 cases solved.")
                          .arg(over.join(QStringLiteral(" and ")))
                          .arg(study.Rows().Rows().size()));
  if (sweeps.size() == 1) {
    report.AddPicture(WidgetImage(study.Plot(), kChartPicture), QStringLiteral("The study"),
                      kFullWidth);
  } else {
    report.AddPicture(WidgetImage(study.Map(), kMapPicture),
                      QStringLiteral("The study's map of the uniformity"), kMapWidth);
  }
}

void AddDesign(ReportDocument& report, DesignTab& design) {
  if (!design.Result()) {
    return;
  }
  report.AddHeading(QStringLiteral("Design"));
  report.AddParagraph(design.StatusText() + u'\n' + design.OptimumText());
  if (auto* progress = design.findChild<QChartView*>(QStringLiteral("DesignProgress"))) {
    report.AddPicture(WidgetImage(*progress, kChartPicture),
                      QStringLiteral("The best uniformity so far against the evaluations"),
                      kFullWidth);
  }
}

}  // namespace

ReportDocument WorkbenchReport(Workbench& workbench) {
  ReportDocument report(QStringLiteral("Fluxeta report"));
  const QString project = workbench.Project().Path();
  report.AddParagraph(
      QStringLiteral("Written %1%2")
          .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")),
               project.isEmpty()
                   ? QString()
                   : QStringLiteral(" from the project %1").arg(QFileInfo(project).fileName())));

  ResultTab& result = workbench.Result();
  report.AddHeading(QStringLiteral("Case"));
  if (result.HasRun()) {
    report.AddParagraph(result.HeadingText());
    AddCase(report, cases::InputValues(result.Shown()->parameters));
  } else if (const auto values = workbench.Case().Check().values) {
    report.AddParagraph(QStringLiteral("The case panel's case, not run yet."));
    AddCase(report, *values);
  } else {
    report.AddParagraph(workbench.Case().CaseLine());
  }
  report.AddPicture(DrawDie().toImage(), QStringLiteral("The die"), kDieWidth);

  if (result.HasRun()) {
    report.AddHeading(QStringLiteral("Result"));
    if (!result.StatusText().isEmpty()) {
      report.AddParagraph(result.StatusText());
    }
    report.AddParagraph(
        QStringLiteral("Uniformity: %1\nEntrance pressure: %2\nSweeps: %3")
            .arg(result.UniformityText(), result.EntrancePressureText(), result.SweepsText()));
    report.AddPicture(result.PlotsPicture(kPlotsPicture),
                      QStringLiteral("Slot-flow deviation, cavity pressure and cavity flow"),
                      kFullWidth);
    report.AddHeading(QStringLiteral("Stations"));
    AddStationTable(report, result.Shown()->table);
  }
  AddComparison(report, workbench.Comparison());
  AddStudy(report, workbench.Study());
  AddDesign(report, workbench.Design());
  return report;
}

}  // namespace fluxeta::ui
