// The workbench's Result tab: plots and figures of real solves, the case they belong to on
// screen, in saved pictures and above the copied table, the result file, and what it says
// after runs that did not finish.
#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <string>

#include "case_summary.h"
#include "export_path.h"
#include "cavity_chart.h"
#include "deviation_chart.h"
#include "finished_run.h"
#include "fluxeta/base/messages.h"
#include "fluxeta/case/case_parameters.h"
#include "fluxeta/case/default_case.h"
#include "fluxeta/case/number_text.h"
#include "fluxeta/case/station_table.h"
#include "fluxeta/run/result_file.h"
#include "fluxeta/run/station_table_csv.h"
#include "locale_number_text.h"
#include "main_window.h"
#include "main_window_fixture.h"
#include "recording_presenter.h"
#include "result_tab.h"
#include "workbench.h"

using namespace fluxeta;

namespace {

using ui::testing::RecordingPresenter;

// Notes what the workbench shows whenever the program would show a box or the completion
// dialog over it.
class WorkbenchWatcher : public RecordingPresenter {
 public:
  void ShowMessage(const QString& text) override {
    RecordingPresenter::ShowMessage(text);
    Note();
  }
  void ShowCompletion() override {
    RecordingPresenter::ShowCompletion();
    Note();
  }
  const ui::Workbench* Workbench() const {
    return form != nullptr ? form->findChild<ui::Workbench*>() : nullptr;
  }
  const QWidget* form = nullptr;
  // Per box or dialog: whether the workbench was on the screen, and whether it showed the
  // figures of the run under way as current.
  QList<bool> shown;
  QList<bool> showedLastRun;

 private:
  void Note() {
    const auto* workbench = Workbench();
    shown.append(workbench != nullptr && workbench->isVisible());
    showedLastRun.append(workbench != nullptr && workbench->Result().ShowsLastRun());
  }
};

// A solved case: the default case, with the taper factor γ (Edit2) replaced when given.
ui::FinishedRun Solve(const char* taperFactor = nullptr) {
  run::BoxTexts boxes = run::DefaultBoxTexts('.');
  if (taperFactor != nullptr) {
    boxes.Edit(2) = taperFactor;
  }
  ui::FinishedRun run;
  run::ReadCaseFromForm(boxes, '.', run.parameters);
  const solver::Solution solution = solver::Solve(run.parameters, solver::Search::Window);
  run.table = solution.table;
  run.outcome = solution.solve;
  run.resultFile = QStringLiteral("/tmp/cases/Result.txt");
  run.finishedAt = QDateTime(QDate(2024, 5, 1), QTime(14, 3, 27));
  run.search = ui::kWindowSearchName;
  return run;
}

constexpr int kPointsPerSeries = cases::StationCount;
const QString kDefaultCaseLine = QStringLiteral(
    "Ain 3 cm2 · γ 0.1 · Pein 6.14 cm · Lin 3 cm · Lend 2.5 cm · W 66 cm · H 0.0254 cm · "
    "λ 16 · α 1.3 · η0 10 Pa.s · γ0 1 1/s · n 0.5 · γcr 50 1/s · ρ 1.2 g/cm3 · Qin 33 cm3/s");
const QStringList kDefaultCaseCsv = {"# run at,2024-05-01 14:03:27,",
                                     "# search,window,",
                                     "# Ain,3,cm2",
                                     "# gamma,0.1,-",
                                     "# Pein,6.14,cm",
                                     "# Lin,3,cm",
                                     "# Lend,2.5,cm",
                                     "# W,66,cm",
                                     "# H,0.0254,cm",
                                     "# lambda,16,-",
                                     "# alpha,1.3,-",
                                     "# eta0,10,Pa.s",
                                     "# gamma0,1,1/s",
                                     "# n,0.5,-",
                                     "# gammacr,50,1/s",
                                     "# rho,1.2,g/cm3",
                                     "# Qin,33,cm3/s"};
const QString kStationHeader = QStringLiteral(
    "station,X (cm),P (Pa),Q (cm3/s),DelQ (cm3/s),Q_DIFF (%),APP_SR_C (1/s),SR_S (1/s),"
    "APP_VIS_C (Pa.s),VIS_S (Pa.s),A (cm2),Dh (cm),H (cm),L (cm),RTime (s)");

// The main window with its boxes at the default case, writing into `directory`, with one
// box replaced when given.
void PrepareRun(ui::TForm1& form, const QTemporaryDir& directory, int box = 0,
                const char* text = nullptr) {
  run::BoxTexts boxes = run::DefaultBoxTexts('.');
  boxes.Edit(run::kResultFileNameBox) =
      directory.filePath(QStringLiteral("Result.txt")).toStdString();
  if (box != 0) {
    boxes.Edit(box) = text;
  }
  form.SetBoxes(boxes);
}

void PressOk(ui::TForm1& form) {
  form.findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
}

}  // namespace

class ResultTabTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void plotsTheFiftyStationsOfTheDefaultCase();
  void showsTheFiguresOfTheResultFile();
  void namesTheCaseItShows();
  void isUpdatedInPlace();
  void keepsTheShownTableWhenTheRunsTableChanges();
  void savesThePlotsWithTheCaseAsPngAndSvg();
  void reportsPlotsThatCannotBeSaved();
  void copiesTheCaseAndTheStationTableAsCsv();
  void opensTheFolderOfTheResultFile();
  void showsAWarningOnlyWhileThereIsOne();
  void appearsAfterAConvergedRunUnderTheCompletionDialog();
  void isTheSameWindowAfterTheNextRun();
  void doesNotAppearAfterARunThatDidNotConverge();
  void saysWhyTheLastRunDidNotFinish_data();
  void saysWhyTheLastRunDidNotFinish();
  void saysSoWhenNoRunHasFinishedYet();
  void savesPlotsUnderASuggestedNameAndSaysWhere();

 private:
  ui::FinishedRun default_;
};

void ResultTabTest::initTestCase() {
  ui::testing::PrepareApplication();
  default_ = Solve();
  QVERIFY(default_.outcome.converged);
}

void ResultTabTest::plotsTheFiftyStationsOfTheDefaultCase() {
  RecordingPresenter presenter;
  ui::ResultTab tab(presenter);
  tab.ShowResults(default_);

  const QList<QPointF> deviation = tab.Deviation().DeviationSeries().points();
  const QList<QPointF> pressure = tab.Cavity().PressureSeries().points();
  const QList<QPointF> flow = tab.Cavity().FlowSeries().points();
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
  QVERIFY(tab.Deviation().title().contains(QStringLiteral("0.91156")));
}

void ResultTabTest::showsTheFiguresOfTheResultFile() {
  RecordingPresenter presenter;
  ui::ResultTab tab(presenter);
  tab.ShowResults(default_);

  QVERIFY(tab.ShowsLastRun());
  QVERIFY(tab.StatusText().isEmpty());
  QCOMPARE(tab.UniformityText(), QStringLiteral("0.911563"));
  QCOMPARE(tab.SweepsText(), QString::number(default_.outcome.sweeps));
  QVERIFY(default_.outcome.sweeps > 0 && default_.outcome.sweeps <= 50);
  // The entrance pressure in kPa to six figures, as on every tab, the file's
  // "Entrance pressure (MPa)" line being the same rounded to its three decimals of MPa; the
  // full value in Pa in the tooltip.
  const QString resultSection = QString::fromStdString(run::ResultSectionText(default_.table, '.'));
  const QString pressureLine = resultSection.split(QStringLiteral("\r\n"))
                                   .filter(QStringLiteral("Entrance pressure"))
                                   .first();
  QCOMPARE(tab.EntrancePressureText(), QStringLiteral("173.422 kPa"));
  QVERIFY2(pressureLine.endsWith(QStringLiteral("=  0.173")), qPrintable(pressureLine));
  QCOMPARE(tab.findChild<QLabel*>(QStringLiteral("EntrancePressure"))->toolTip(),
           fluxeta::ui::NumberText(default_.table.P[1], '.') + QStringLiteral(" Pa"));

  // The path can be selected and copied, not edited.
  auto* path = tab.findChild<QLineEdit*>(QStringLiteral("ResultFile"));
  QVERIFY(path != nullptr);
  QCOMPARE(path->text(), default_.resultFile);
  QCOMPARE(tab.ResultFileText(), default_.resultFile);
  QVERIFY(path->isReadOnly());
  path->selectAll();
  QCOMPARE(path->selectedText(), default_.resultFile);
}

void ResultTabTest::namesTheCaseItShows() {
  RecordingPresenter presenter;
  ui::ResultTab tab(presenter);
  tab.ShowResults(default_);
  QCOMPARE(tab.HeadingText(),
           QStringLiteral("Run at 2024-05-01 14:03:27 · search: window\n") + kDefaultCaseLine);
  // Before a run, the texts of the boxes as typed.
  QCOMPARE(ui::CaseLine(run::DefaultBoxTexts('.')),
           QStringLiteral("Ain 3.0 cm2 · γ 0.1 · Pein 6.14 cm · Lin 3.0 cm · Lend 2.5 cm · "
                          "W 66.0 cm · H 0.0254 cm · λ 16.0 · α 1.3 · η0 10.0 Pa.s · γ0 1.0 1/s · "
                          "n 0.5 · γcr 50.0 1/s · ρ 1.2 g/cm3 · Qin 33.0 cm3/s"));
}

void ResultTabTest::isUpdatedInPlace() {
  RecordingPresenter presenter;
  ui::ResultTab tab(presenter);
  tab.ShowResults(default_);
  const ui::FinishedRun steeperTaper = Solve("1.0");
  QVERIFY(steeperTaper.outcome.converged);
  tab.ShowResults(steeperTaper);
  QCOMPARE(tab.UniformityText(), QStringLiteral("0.95842"));
  QVERIFY(tab.HeadingText().contains(QStringLiteral(" · γ 1 · ")));
  QCOMPARE(tab.Deviation().DeviationSeries().count(), kPointsPerSeries);
  QCOMPARE(tab.Deviation().DeviationSeries().at(0).y(), steeperTaper.table.Q_DIFF[1]);
}

void ResultTabTest::keepsTheShownTableWhenTheRunsTableChanges() {
  RecordingPresenter presenter;
  ui::ResultTab tab(presenter);
  ui::FinishedRun run = default_;
  tab.ShowResults(run);
  run.table.P.fill(-1);
  run.table.Q_DIFF.fill(0);
  QVERIFY(tab.TableCsv().endsWith(QString::fromStdString(run::StationTableCsv(default_.table))));
}

void ResultTabTest::savesThePlotsWithTheCaseAsPngAndSvg() {
  RecordingPresenter presenter;
  ui::ResultTab tab(presenter);
  tab.resize(640, 640);
  tab.ShowResults(default_);
  QTemporaryDir directory;
  QVERIFY(directory.isValid());

  const QString png = directory.filePath(QStringLiteral("plots.png"));
  QVERIFY(tab.SavePlots(png));
  QImage image;
  QVERIFY(image.load(png, "PNG"));
  QVERIFY(image.width() > 100 && image.height() > 200);

  for (const QString& name : {QStringLiteral("plots.svg"), QStringLiteral("PLOTS.SVG")}) {
    const QString svg = directory.filePath(name);
    QVERIFY(tab.SavePlots(svg));
    QFile file(svg);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString content = QString::fromUtf8(file.readAll());
    QVERIFY(content.startsWith(QStringLiteral("<?xml")));
    QVERIFY(content.contains(QStringLiteral("</svg>")));
    QVERIFY(
        content.contains(QStringLiteral("<title>Run at 2024-05-01 14:03:27 · search: window — ") +
                         kDefaultCaseLine + QStringLiteral("</title>")));
  }
  QVERIFY(presenter.messages.isEmpty());
}

void ResultTabTest::reportsPlotsThatCannotBeSaved() {
  RecordingPresenter presenter;
  ui::ResultTab tab(presenter);
  QTemporaryDir directory;
  const QString beforeAnyRun = directory.filePath(QStringLiteral("empty.png"));
  QVERIFY(!tab.SavePlots(beforeAnyRun));
  QVERIFY(!QFile::exists(beforeAnyRun));
  tab.ShowResults(default_);
  for (const char* name : {"missing/plots.png", "missing/plots.svg"}) {
    const QString path = directory.filePath(QString::fromLatin1(name));
    QVERIFY(!tab.SavePlots(path));
    QVERIFY(!QFile::exists(path));
  }
}

void ResultTabTest::copiesTheCaseAndTheStationTableAsCsv() {
  RecordingPresenter presenter;
  ui::ResultTab tab(presenter);
  tab.ShowResults(default_);
  tab.findChild<QPushButton*>(QStringLiteral("CopyTableAsCsv"))->click();
  const QString csv = QGuiApplication::clipboard()->text();
  QCOMPARE(csv, tab.TableCsv());

  QVERIFY(csv.endsWith(QLatin1Char('\n')));
  const QStringList lines = csv.trimmed().split(QLatin1Char('\n'));
  const auto comments = static_cast<int>(kDefaultCaseCsv.size());
  QCOMPARE(lines.size(), comments + 1 + cases::StationCount);
  QCOMPARE(lines.mid(0, comments), kDefaultCaseCsv);
  QCOMPARE(lines[comments], kStationHeader);
  QCOMPARE(csv.mid(csv.indexOf(kStationHeader)),
           QString::fromStdString(run::StationTableCsv(default_.table)));
  // Every number reads back to the very double of the table.
  const cases::StationTable& table = default_.table;
  for (int station = 1; station <= cases::StationCount; ++station) {
    const QStringList cells = lines[comments + station].split(QLatin1Char(','));
    QCOMPARE(cells.size(), 15);
    QCOMPARE(cells[0], QString::number(station));
    QCOMPARE(cells[1].toDouble(), table.X[station]);
    QCOMPARE(cells[2].toDouble(), table.P[station]);
    QCOMPARE(cells[5].toDouble(), table.Q_DIFF[station]);
    QCOMPARE(cells[14].toDouble(), table.RTime[station]);
  }
}

void ResultTabTest::opensTheFolderOfTheResultFile() {
  RecordingPresenter presenter;
  ui::ResultTab tab(presenter);
  tab.ShowResults(default_);
  auto* openFolder = tab.findChild<QPushButton*>(QStringLiteral("OpenFolder"));
  QVERIFY(openFolder->isEnabled());
  openFolder->click();
  QCOMPARE(presenter.shownFolders, QStringList{QStringLiteral("/tmp/cases")});
  QVERIFY(presenter.messages.isEmpty());

  presenter.folderShown = false;
  openFolder->click();
  QCOMPARE(presenter.messages,
           QStringList{QStringLiteral("The folder \"/tmp/cases\" can not be opened.")});
}

void ResultTabTest::showsAWarningOnlyWhileThereIsOne() {
  RecordingPresenter presenter;
  ui::ResultTab tab(presenter);
  tab.show();
  auto* warning = tab.findChild<QLabel*>(QStringLiteral("ResultWarning"));
  QVERIFY(warning != nullptr);
  tab.ShowResults(default_);
  QVERIFY(warning->isHidden());
  const QString text = QStringLiteral("Station 50: the cavity pressure is not positive.");
  tab.ShowWarning(text);
  QVERIFY(warning->isVisible());
  QCOMPARE(tab.WarningText(), text);
  // A new solution has not been checked yet.
  tab.ShowResults(Solve("1.0"));
  QVERIFY(warning->isHidden());
  QVERIFY(tab.WarningText().isEmpty());
}

void ResultTabTest::appearsAfterAConvergedRunUnderTheCompletionDialog() {
  WorkbenchWatcher presenter;
  ui::TForm1 form(presenter);
  presenter.form = &form;
  form.show();
  QTemporaryDir directory;
  PrepareRun(form, directory);
  QCOMPARE(form.findChild<ui::Workbench*>(), nullptr);

  const QDateTime before = QDateTime::currentDateTime().addMSecs(-1000);
  PressOk(form);
  QCOMPARE(presenter.shown, QList<bool>{true});
  QCOMPARE(presenter.showedLastRun, QList<bool>{true});
  QVERIFY(presenter.errors.isEmpty());
  const ui::Workbench* workbench = presenter.Workbench();
  QVERIFY(workbench != nullptr);
  QVERIFY(workbench->isVisible() && workbench->isWindow());
  const ui::ResultTab& results = workbench->Result();
  QCOMPARE(results.Deviation().DeviationSeries().count(), kPointsPerSeries);
  QCOMPARE(results.Cavity().PressureSeries().count(), kPointsPerSeries);
  QCOMPARE(results.Cavity().FlowSeries().count(), kPointsPerSeries);
  QCOMPARE(results.UniformityText(), QStringLiteral("0.911563"));
  QCOMPARE(results.ResultFileText(), directory.filePath(QStringLiteral("Result.txt")));
  // The time of the run, to the second.
  const QString heading = results.HeadingText();
  const QDateTime runAt =
      QDateTime::fromString(heading.mid(7, 19), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
  QVERIFY2(runAt.isValid() && runAt >= before && runAt <= QDateTime::currentDateTime(),
           qPrintable(heading));
  QVERIFY(heading.endsWith(kDefaultCaseLine));
}

void ResultTabTest::isTheSameWindowAfterTheNextRun() {
  WorkbenchWatcher presenter;
  ui::TForm1 form(presenter);
  presenter.form = &form;
  form.show();
  QTemporaryDir directory;
  PrepareRun(form, directory);
  PressOk(form);
  auto* first = form.findChild<ui::Workbench*>();
  QVERIFY(first != nullptr);

  PrepareRun(form, directory, 2, "1.0");
  PressOk(form);
  QCOMPARE(form.findChildren<ui::Workbench*>().size(), 1);
  QCOMPARE(form.findChild<ui::Workbench*>(), first);
  QVERIFY(first->isVisible());
  QCOMPARE(first->Result().UniformityText(), QStringLiteral("0.95842"));
  QCOMPARE(presenter.shown, (QList<bool>{true, true}));
  QCOMPARE(presenter.showedLastRun, (QList<bool>{true, true}));
}

void ResultTabTest::doesNotAppearAfterARunThatDidNotConverge() {
  WorkbenchWatcher presenter;
  ui::TForm1 form(presenter);
  form.show();
  QTemporaryDir directory;
  PrepareRun(form, directory, 14, "0");
  PressOk(form);
  QCOMPARE(presenter.messages, QStringList{QString::fromUtf8(base::messages::kDoesNotConverge)});
  QCOMPARE(form.findChild<ui::Workbench*>(), nullptr);
}

void ResultTabTest::saysWhyTheLastRunDidNotFinish_data() {
  QTest::addColumn<int>("box");
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("reason");
  QTest::addColumn<QStringList>("messages");
  QTest::addColumn<QStringList>("errors");
  const QString doesNotConverge = QString::fromUtf8(base::messages::kDoesNotConverge);
  const QString canNotOpen = QString::fromUtf8(base::messages::kFileCanNotOpen);
  const QString divisionByZero = QStringLiteral("0 による浮動小数点数除算.");
  const QString notANumber = QStringLiteral("'abc' は浮動小数点数ではありません.");
  QTest::addRow("stopped by a fault, H = 0")
      << 7 << "0" << divisionByZero << QStringList() << QStringList{divisionByZero};
  QTest::addRow("did not converge, Qin = 0")
      << 14 << "0" << doesNotConverge << QStringList{doesNotConverge} << QStringList();
  QTest::addRow("file not opened")
      << run::kResultFileNameBox << "" << canNotOpen << QStringList{canNotOpen} << QStringList();
  QTest::addRow("not a number") << 1 << "abc" << notANumber << QStringList()
                                << QStringList{notANumber};
}

void ResultTabTest::saysWhyTheLastRunDidNotFinish() {
  QFETCH(int, box);
  QFETCH(QString, text);
  QFETCH(QString, reason);
  QFETCH(QStringList, messages);
  QFETCH(QStringList, errors);
  WorkbenchWatcher presenter;
  ui::TForm1 form(presenter);
  presenter.form = &form;
  form.show();
  QTemporaryDir directory;
  PrepareRun(form, directory);
  PressOk(form);
  const ui::ResultTab& results = presenter.Workbench()->Result();
  const QString shownCsv = results.TableCsv();
  const QString runAt = results.HeadingText().mid(7, 19);
  presenter.Clear();
  presenter.shown.clear();
  presenter.showedLastRun.clear();

  PrepareRun(form, directory, box, text.toUtf8().constData());
  PressOk(form);
  QCOMPARE(presenter.messages, messages);
  QCOMPARE(presenter.errors, errors);
  QCOMPARE(presenter.completions, 0);
  // Not even under its own message box did the workbench pass the old figures off as current.
  QCOMPARE(presenter.showedLastRun, QList<bool>(messages.size(), false));

  QVERIFY(!results.ShowsLastRun());
  QCOMPARE(results.StatusText(), QStringLiteral("The last run did not finish: ") + reason +
                                     QStringLiteral(" Shown below: the previous case, run at ") +
                                     runAt + u'.');
  QVERIFY(results.findChild<QLabel*>(QStringLiteral("ResultStatus"))->isVisible());
  QVERIFY(results.HeadingText().startsWith(QStringLiteral("Previous case, run at ") + runAt));
  QVERIFY(results.HeadingText().endsWith(kDefaultCaseLine));
  // The copied table says whose it is before anything else.
  const QString csv = results.TableCsv();
  QCOMPARE(csv.section(u'\n', 0, 0),
           QStringLiteral("# status,") +
               ui::CsvField(QStringLiteral("previous case; ") + results.StatusText()) + u',');
  QCOMPARE(csv.section(u'\n', 1), shownCsv);

  // The next finished run is current again.
  PrepareRun(form, directory);
  PressOk(form);
  QVERIFY(results.ShowsLastRun());
  QVERIFY(results.StatusText().isEmpty());
  QVERIFY(results.HeadingText().startsWith(QStringLiteral("Run at ")));
  QVERIFY(!results.TableCsv().startsWith(QStringLiteral("# status")));
}

void ResultTabTest::saysSoWhenNoRunHasFinishedYet() {
  WorkbenchWatcher presenter;
  ui::TForm1 form(presenter);
  presenter.form = &form;
  form.show();
  QTemporaryDir directory;
  PrepareRun(form, directory, 7, "0");
  form.OpenWorkbench();
  PressOk(form);
  const ui::ResultTab& results = presenter.Workbench()->Result();
  QCOMPARE(results.StatusText(),
           QStringLiteral("The last run did not finish: 0 による浮動小数点数除算. No run has "
                          "finished yet."));
  QVERIFY(results.UniformityText().isEmpty());
  QVERIFY(results.TableCsv().isEmpty());
}

// As the Study tab's exports: a name after the result file suggested in the export folder, the
// chosen kind's extension added to a name typed without one, and a line saying where.
void ResultTabTest::savesPlotsUnderASuggestedNameAndSaysWhere() {
  QTemporaryDir directory;
  RecordingPresenter presenter;
  ui::ResultTab tab(presenter);
  tab.resize(640, 600);
  tab.ShowResults(default_);
  presenter.savePaths.push_back(directory.filePath(QStringLiteral("for the report")));
  presenter.chosenFilters.push_back(QStringLiteral("SVG images (*.svg)"));
  tab.SavePlotsChosenByUser();
  QCOMPARE(presenter.suggestedPaths.value(0),
           QDir::current().filePath(QStringLiteral("Result-plots.png")));
  QCOMPARE(presenter.offeredFilters.value(0),
           QStringLiteral("PNG images (*.png);;SVG images (*.svg)"));
  const QString saved = directory.filePath(QStringLiteral("for the report.svg"));
  QVERIFY(QFile::exists(saved));
  QCOMPARE(tab.ExportNotice(), ui::SavedText(QStringLiteral("the plots"), saved));
}

QTEST_MAIN(ResultTabTest)
#include "test_result_tab.moc"
