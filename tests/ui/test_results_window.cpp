// The results window on its own: plots, figures, placement, saved pictures and the copied
// table, with the solutions of real solves.
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <string>

#include "base/messages.h"
#include "case/case_parameters.h"
#include "case/default_case.h"
#include "case/number_text.h"
#include "case/station_table.h"
#include "cavity_chart.h"
#include "deviation_chart.h"
#include "main_window.h"
#include "recording_presenter.h"
#include "results_window.h"
#include "run/result_file.h"
#include "run/station_table_csv.h"
#include "solver/solve_die_flow.h"
#include "window_placement.h"

using namespace fluxeta;

namespace {

using ui::testing::RecordingPresenter;

// Notes, when the completion dialog would come up, whether the results window is on the
// screen under it.
class CompletionWatcher : public RecordingPresenter {
 public:
  void ShowCompletion() override {
    RecordingPresenter::ShowCompletion();
    const auto* results = form != nullptr ? form->findChild<ui::ResultsWindow*>() : nullptr;
    resultsShownUnderCompletion.append(results != nullptr && results->isVisible());
  }
  const QWidget* form = nullptr;
  QList<bool> resultsShownUnderCompletion;
};

// A solved case: the default case, with the taper factor γ (Edit2) replaced when given.
struct SolvedCase {
  cases::CaseParameters parameters;
  cases::StationTable table;
  solver::SolveOutcome outcome;
};

SolvedCase Solve(const char* taperFactor = nullptr) {
  cases::BoxTexts boxes = cases::DefaultBoxTexts('.');
  if (taperFactor != nullptr) {
    boxes.Edit(2) = taperFactor;
  }
  SolvedCase solved;
  solver::SolverState state;
  cases::ReadCaseFromForm(boxes, '.', solved.parameters);
  solved.outcome = solver::SolveDieFlow(solved.parameters, solved.table, state);
  return solved;
}

constexpr int kPointsPerSeries = cases::StationCount;
const QString kResultFile = QStringLiteral("/tmp/cases/Result.txt");

}  // namespace

class TestResultsWindow : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void plotsTheFiftyStationsOfTheDefaultCase();
  void showsTheFiguresOfTheResultFile();
  void isUpdatedInPlaceAndKeepsWhereTheUserPutIt();
  void opensBesideTheMainWindow();
  void placementStaysOnTheScreen_data();
  void placementStaysOnTheScreen();
  void keepsTheShownTableWhenTheRunsTableChanges();
  void savesThePlotsAsPngAndSvg();
  void reportsPlotsThatCannotBeSaved();
  void copiesTheStationTableAsCsv();
  void appearsAfterAConvergedRunUnderTheCompletionDialog();
  void isTheSameWindowAfterTheNextRun();
  void doesNotAppearAfterARunThatDidNotConverge();
  void staysAsItWasAfterRunsThatDidNotFinish();

 private:
  SolvedCase default_;
};

void TestResultsWindow::initTestCase() {
  default_ = Solve();
  QVERIFY(default_.outcome.converged);
}

void TestResultsWindow::plotsTheFiftyStationsOfTheDefaultCase() {
  RecordingPresenter presenter;
  ui::ResultsWindow window(presenter, nullptr);
  window.ShowResults(default_.parameters, default_.table, default_.outcome, kResultFile);
  QVERIFY(window.isVisible());
  QVERIFY(window.isWindow());

  const QList<QPointF> deviation = window.Deviation().DeviationSeries().points();
  const QList<QPointF> pressure = window.Cavity().PressureSeries().points();
  const QList<QPointF> flow = window.Cavity().FlowSeries().points();
  QCOMPARE(deviation.size(), kPointsPerSeries);
  QCOMPARE(pressure.size(), kPointsPerSeries);
  QCOMPARE(flow.size(), kPointsPerSeries);

  // Stations at (i − 1)·W/50: 0 cm at the fed end, 64.68 cm for station 50.
  QCOMPARE(deviation.first().x(), 0.0);
  QVERIFY(qAbs(deviation.last().x() - 64.68) < 1e-9);
  QCOMPARE(pressure.last().x(), deviation.last().x());
  QVERIFY(qAbs(deviation.first().y() - -13.153) < 5e-4);
  QVERIFY(qAbs(deviation.last().y() - 17.136) < 5e-4);
  QCOMPARE(pressure.first().y(), default_.table.P[1] / 1000);
  QCOMPARE(flow.first().y(), 33.0);
  QVERIFY(window.Deviation().title().contains(QStringLiteral("0.91156")));
}

void TestResultsWindow::showsTheFiguresOfTheResultFile() {
  RecordingPresenter presenter;
  ui::ResultsWindow window(presenter, nullptr);
  window.ShowResults(default_.parameters, default_.table, default_.outcome, kResultFile);

  QCOMPARE(window.UniformityText(), QStringLiteral("0.91156"));
  QCOMPARE(window.SweepsText(), QString::number(default_.outcome.sweeps));
  QVERIFY(default_.outcome.sweeps > 0 && default_.outcome.sweeps <= 50);
  QCOMPARE(window.ResultFileText(), kResultFile);
  // The entrance pressure reads as on the file's "Entrance pressure (MPa)" line.
  const QString resultSection =
      QString::fromStdString(cases::ResultSectionText(default_.table, '.'));
  const QString pressureLine = resultSection.split(QStringLiteral("\r\n"))
                                   .filter(QStringLiteral("Entrance pressure"))
                                   .first();
  QVERIFY(!window.EntrancePressureText().isEmpty());
  QVERIFY2(pressureLine.endsWith(QStringLiteral("=  ") + window.EntrancePressureText()),
           qPrintable(pressureLine + QStringLiteral(" / ") + window.EntrancePressureText()));
}

void TestResultsWindow::isUpdatedInPlaceAndKeepsWhereTheUserPutIt() {
  RecordingPresenter presenter;
  ui::ResultsWindow window(presenter, nullptr);
  window.ShowResults(default_.parameters, default_.table, default_.outcome, kResultFile);
  const QPoint placeOfTheUser(123, 145);
  window.move(placeOfTheUser);
  window.close();

  const SolvedCase steeperTaper = Solve("1.0");
  QVERIFY(steeperTaper.outcome.converged);
  window.ShowResults(steeperTaper.parameters, steeperTaper.table, steeperTaper.outcome,
                     kResultFile);
  QVERIFY(window.isVisible());
  QCOMPARE(window.pos(), placeOfTheUser);
  QCOMPARE(window.UniformityText(), QStringLiteral("0.95842"));
  QCOMPARE(window.Deviation().DeviationSeries().count(), kPointsPerSeries);
  QCOMPARE(window.Deviation().DeviationSeries().at(0).y(), steeperTaper.table.Q_DIFF[1]);
}

void TestResultsWindow::opensBesideTheMainWindow() {
  RecordingPresenter presenter;
  // Small enough for the results window to fit beside it on the offscreen platform's screen.
  QWidget mainWindow;
  mainWindow.setGeometry(20, 30, 100, 100);
  mainWindow.show();
  auto* window = new ui::ResultsWindow(presenter, &mainWindow);
  QVERIFY(window->isWindow());
  window->ShowResults(default_.parameters, default_.table, default_.outcome, kResultFile);
  QVERIFY(window->isVisible());
  QVERIFY2(window->frameGeometry().left() > mainWindow.frameGeometry().right(),
           "the results window must not cover the main window");
  QCOMPARE(window->frameGeometry().top(), mainWindow.frameGeometry().top());
}

void TestResultsWindow::placementStaysOnTheScreen_data() {
  QTest::addColumn<QRect>("anchor");
  QTest::addColumn<QPoint>("expected");
  const QRect screen(0, 0, 1920, 1080);
  QTest::addRow("room on the right") << QRect(100, 100, 705, 578) << QPoint(813, 100);
  QTest::addRow("room on the left only") << QRect(1100, 50, 705, 578) << QPoint(452, 50);
  QTest::addRow("room on neither side") << QRect(600, 50, 705, 578) << QPoint(1280, 50);
  QTest::addRow("low on the screen") << QRect(100, 900, 705, 578) << QPoint(813, 460);
}

void TestResultsWindow::placementStaysOnTheScreen() {
  QFETCH(QRect, anchor);
  QFETCH(QPoint, expected);
  const QRect screen(0, 0, 1920, 1080);
  const QSize results(640, 620);
  const QPoint place = ui::PlacementBeside(anchor, results, screen);
  QCOMPARE(place, expected);
  QVERIFY(screen.contains(QRect(place, results)));
}

void TestResultsWindow::keepsTheShownTableWhenTheRunsTableChanges() {
  RecordingPresenter presenter;
  ui::ResultsWindow window(presenter, nullptr);
  cases::StationTable runsTable = default_.table;
  window.ShowResults(default_.parameters, runsTable, default_.outcome, kResultFile);
  // A later run that does not converge overwrites the run's table but shows nothing.
  runsTable.P.fill(-1);
  runsTable.Q_DIFF.fill(0);

  window.CopyTableAsCsv();
  QCOMPARE(QGuiApplication::clipboard()->text(),
           QString::fromStdString(cases::StationTableCsv(default_.table)));
}

void TestResultsWindow::savesThePlotsAsPngAndSvg() {
  RecordingPresenter presenter;
  ui::ResultsWindow window(presenter, nullptr);
  window.ShowResults(default_.parameters, default_.table, default_.outcome, kResultFile);
  QTemporaryDir directory;
  QVERIFY(directory.isValid());

  const QString png = directory.filePath(QStringLiteral("plots.png"));
  QVERIFY(window.SavePlots(png));
  QImage image;
  QVERIFY(image.load(png, "PNG"));
  QVERIFY(image.width() > 100 && image.height() > 200);

  for (const QString& name : {QStringLiteral("plots.svg"), QStringLiteral("PLOTS.SVG")}) {
    const QString svg = directory.filePath(name);
    QVERIFY(window.SavePlots(svg));
    QFile file(svg);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    QVERIFY(content.startsWith("<?xml"));
    QVERIFY(content.contains("<svg"));
    QVERIFY(content.contains("</svg>"));
    QVERIFY(content.size() > 1000);
  }
  QVERIFY(presenter.messages.isEmpty());
}

void TestResultsWindow::reportsPlotsThatCannotBeSaved() {
  RecordingPresenter presenter;
  ui::ResultsWindow window(presenter, nullptr);
  window.ShowResults(default_.parameters, default_.table, default_.outcome, kResultFile);
  QTemporaryDir directory;
  for (const char* name : {"missing/plots.png", "missing/plots.svg"}) {
    const QString path = directory.filePath(QString::fromLatin1(name));
    QVERIFY(!window.SavePlots(path));
    QVERIFY(!QFile::exists(path));
  }
}

void TestResultsWindow::copiesTheStationTableAsCsv() {
  RecordingPresenter presenter;
  ui::ResultsWindow window(presenter, nullptr);
  window.ShowResults(default_.parameters, default_.table, default_.outcome, kResultFile);
  window.CopyTableAsCsv();
  const QString csv = QGuiApplication::clipboard()->text();

  QVERIFY(csv.endsWith(QLatin1Char('\n')));
  const QStringList lines = csv.trimmed().split(QLatin1Char('\n'));
  QCOMPARE(lines.size(), 1 + cases::StationCount);
  QCOMPARE(lines.first(),
           QStringLiteral("station,X (cm),P (Pa),Q (cm3/s),DelQ (cm3/s),Q_DIFF (%),"
                          "APP_SR_C (1/s),SR_S (1/s),APP_VIS_C (Pa.s),VIS_S (Pa.s),A (cm2),"
                          "Dh (cm),H (cm),L (cm),RTime (s)"));
  // Every number reads back to the very double of the table.
  const cases::StationTable& table = default_.table;
  for (int station = 1; station <= cases::StationCount; ++station) {
    const QStringList cells = lines[station].split(QLatin1Char(','));
    QCOMPARE(cells.size(), 15);
    QCOMPARE(cells[0], QString::number(station));
    QCOMPARE(cells[1].toDouble(), table.X[station]);
    QCOMPARE(cells[2].toDouble(), table.P[station]);
    QCOMPARE(cells[5].toDouble(), table.Q_DIFF[station]);
    QCOMPARE(cells[14].toDouble(), table.RTime[station]);
  }
  QCOMPARE(lines[1].split(QLatin1Char(','))[1], QStringLiteral("0"));
  QCOMPARE(lines[1].split(QLatin1Char(','))[3], QStringLiteral("33"));
}

namespace {

// The main window with its boxes at the default case, writing into `directory`.
void PrepareRun(ui::TForm1& form, const QTemporaryDir& directory, const char* qin = "33.0") {
  cases::BoxTexts boxes = cases::DefaultBoxTexts(form.DecimalSeparator());
  boxes.Edit(cases::kResultFileNameBox) =
      directory.filePath(QStringLiteral("Result.txt")).toStdString();
  boxes.Edit(14) = qin;
  form.SetBoxes(boxes);
}

void PressOk(ui::TForm1& form) {
  form.findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
}

}  // namespace

void TestResultsWindow::appearsAfterAConvergedRunUnderTheCompletionDialog() {
  CompletionWatcher presenter;
  ui::TForm1 form(presenter);
  presenter.form = &form;
  form.show();
  QTemporaryDir directory;
  PrepareRun(form, directory);
  QCOMPARE(form.findChild<ui::ResultsWindow*>(), nullptr);

  PressOk(form);
  QCOMPARE(presenter.resultsShownUnderCompletion, QList<bool>{true});
  QVERIFY(presenter.errors.isEmpty());
  const auto* results = form.findChild<ui::ResultsWindow*>();
  QVERIFY(results != nullptr);
  QVERIFY(results->isVisible() && results->isWindow());
  QCOMPARE(results->Deviation().DeviationSeries().count(), kPointsPerSeries);
  QCOMPARE(results->Cavity().PressureSeries().count(), kPointsPerSeries);
  QCOMPARE(results->Cavity().FlowSeries().count(), kPointsPerSeries);
  QCOMPARE(results->UniformityText(), QStringLiteral("0.91156"));
  QCOMPARE(results->ResultFileText(), directory.filePath(QStringLiteral("Result.txt")));
}

void TestResultsWindow::isTheSameWindowAfterTheNextRun() {
  CompletionWatcher presenter;
  ui::TForm1 form(presenter);
  presenter.form = &form;
  form.show();
  QTemporaryDir directory;
  PrepareRun(form, directory);
  PressOk(form);
  auto* first = form.findChild<ui::ResultsWindow*>();
  QVERIFY(first != nullptr);
  const QPoint placeOfTheUser = first->pos() + QPoint(-40, 30);
  first->move(placeOfTheUser);

  cases::BoxTexts boxes = form.Boxes();
  boxes.Edit(2) = "1.0";
  form.SetBoxes(boxes);
  PressOk(form);
  QCOMPARE(form.findChildren<ui::ResultsWindow*>().size(), 1);
  QCOMPARE(form.findChild<ui::ResultsWindow*>(), first);
  QVERIFY(first->isVisible());
  QCOMPARE(first->pos(), placeOfTheUser);
  QCOMPARE(first->UniformityText(), QStringLiteral("0.95842"));
  QCOMPARE(presenter.resultsShownUnderCompletion, (QList<bool>{true, true}));
}

void TestResultsWindow::doesNotAppearAfterARunThatDidNotConverge() {
  CompletionWatcher presenter;
  ui::TForm1 form(presenter);
  form.show();
  QTemporaryDir directory;
  PrepareRun(form, directory, "0");
  PressOk(form);
  QCOMPARE(presenter.messages, QStringList{QString::fromUtf8(cases::messages::kDoesNotConverge)});
  QCOMPARE(form.findChild<ui::ResultsWindow*>(), nullptr);
}

void TestResultsWindow::staysAsItWasAfterRunsThatDidNotFinish() {
  CompletionWatcher presenter;
  ui::TForm1 form(presenter);
  form.show();
  QTemporaryDir directory;
  PrepareRun(form, directory);
  PressOk(form);
  const auto* results = form.findChild<ui::ResultsWindow*>();
  QVERIFY(results != nullptr);
  const QList<QPointF> deviation = results->Deviation().DeviationSeries().points();
  const QString sweeps = results->SweepsText();

  // A search that gives up, a file that cannot be opened, a fault in the solve.
  for (const auto& [box, text] : {std::pair{14, "0"}, std::pair{15, ""}, std::pair{7, "0"}}) {
    PrepareRun(form, directory);
    cases::BoxTexts boxes = form.Boxes();
    boxes.Edit(box) = text;
    form.SetBoxes(boxes);
    PressOk(form);
  }
  QCOMPARE(presenter.messages, (QStringList{QString::fromUtf8(cases::messages::kDoesNotConverge),
                                            QString::fromUtf8(cases::messages::kFileCanNotOpen)}));
  QCOMPARE(presenter.errors.size(), 1);
  QCOMPARE(presenter.completions, 1);
  QCOMPARE(form.findChildren<ui::ResultsWindow*>().size(), 1);
  QCOMPARE(results->Deviation().DeviationSeries().points(), deviation);
  QCOMPARE(results->SweepsText(), sweeps);
  QCOMPARE(results->UniformityText(), QStringLiteral("0.91156"));
  QCOMPARE(results->ResultFileText(), directory.filePath(QStringLiteral("Result.txt")));
}

QTEST_MAIN(TestResultsWindow)
#include "test_results_window.moc"
