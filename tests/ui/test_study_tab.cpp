// The workbench's Study tab: the same rows as fluxeta-batch for a study of one and of two
// inputs, a cancel that stops a long study at once and keeps its rows, an event loop that
// keeps turning during a study of a million cases, and the plot and colour map of the rows;
// the keyboard starts a study from where the user is and keeps the focus there.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <memory>

#include "batch_runner.h"
#include "case_panel.h"
#include "heat_map.h"
#include "main_window_fixture.h"
#include "study_plot.h"
#include "study_rows_model.h"
#include "study_tab.h"
#include "workbench.h"

using fluxeta::ui::StudyTab;
using fluxeta::ui::Workbench;
using fluxeta::ui::testing::MainWindowFixture;
using fluxeta::ui::testing::ReadFileBytes;
using fluxeta::ui::testing::RunBatch;

namespace {

constexpr int kStudyTimeoutMilliseconds = 120000;
// A cancel ends the study within this time. A study run on the window's own thread would take
// tens of seconds; the margin is for a machine busy with other work, not for the study.
constexpr qint64 kCancelMilliseconds = 1000;
// The event loop is never blocked for longer than this during a study (same margin).
constexpr qint64 kLongestTickGapMilliseconds = 500;
constexpr int kTickMilliseconds = 10;
constexpr int kWatchedMilliseconds = 1000;

struct SweepSettings {
  QString name;
  QString from;
  QString to;
  int count;
};

QString SweepArgument(const SweepSettings& sweep) {
  return QStringLiteral("%1=%2:%3:%4").arg(sweep.name, sweep.from, sweep.to).arg(sweep.count);
}

}  // namespace

Q_DECLARE_METATYPE(QList<SweepSettings>)

class StudyTabTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    fixture_ = std::make_unique<MainWindowFixture>();
    fixture_->Form().OpenWorkbench();
    Workbench* workbench = fixture_->Form().findChild<Workbench*>();
    QVERIFY(workbench != nullptr);
    workbench->Tabs().setCurrentWidget(&workbench->Study());
    tab_ = &workbench->Study();
  }
  void cleanup() {
    tab_->Cancel();
    const QStringList failures = fixture_->watchdog.TakeFailures();
    fixture_.reset();
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QStringLiteral("; "))));
  }

  void givesTheRowsOfTheCommandLine_data();
  void givesTheRowsOfTheCommandLine();
  void cancelStopsALongStudyAtOnceAndKeepsItsRows();
  void windowStaysResponsiveDuringAMillionCases();
  void plotsOneInputAndMarksCasesThatDidNotConverge();
  void colourMapPutsTheCaseClickedIntoTheCasePanel();
  void refusesAStudyTooLargeForTheWindow();
  void refusesTheCaseThePanelRefuses();
  void mapScaleIgnoresAnOutlierRow();
  void mapGreysAndCountsTheCasesWithoutAFigure();
  void exportsWithASuggestedNameAndSaysWhere();
  void enterStartsAStudyAndTheFocusStays_data();
  void enterStartsAStudyAndTheFocusStays();
  void tabWalksPastTheRowsTable();

 private:
  void Study(const QList<SweepSettings>& sweeps) {
    tab_->SetDimension(1, QString(), QString(), QString(), 1);
    for (int k = 0; k < sweeps.size(); ++k) {
      tab_->SetDimension(k, sweeps[k].name, sweeps[k].from, sweeps[k].to, sweeps[k].count);
    }
  }
  bool RunToItsEnd() {
    QSignalSpy finished(tab_, &StudyTab::finished);
    return tab_->Start() && finished.wait(kStudyTimeoutMilliseconds);
  }

  // The workbench in front, as when the user turns to it: once it has opened, when it hands
  // the focus back to the main window.
  bool ActivateWorkbench() {
    constexpr int kOpeningMilliseconds = 1100;
    QWidget* workbench = tab_->window();
    QTest::qWait(kOpeningMilliseconds);
    workbench->activateWindow();
    return QTest::qWaitFor([workbench] { return QApplication::activeWindow() == workbench; },
                           kOpeningMilliseconds);
  }

  std::unique_ptr<MainWindowFixture> fixture_;
  StudyTab* tab_ = nullptr;
};

void StudyTabTest::givesTheRowsOfTheCommandLine_data() {
  QTest::addColumn<QList<SweepSettings>>("sweeps");
  QTest::newRow("1 x 11") << QList<SweepSettings>{{"gamma", "0", "1.5", 11}};
  QTest::newRow("5 x 5") << QList<SweepSettings>{{"gamma", "0", "1.5", 5},
                                                 {"Lend", "0.3", "10", 5}};
}

void StudyTabTest::givesTheRowsOfTheCommandLine() {
  QFETCH(QList<SweepSettings>, sweeps);
  Study(sweeps);
  QVERIFY(RunToItsEnd());
  QVERIFY(tab_->ExportCsv(fixture_->PathOf(QStringLiteral("window.csv"))));

  QStringList arguments = {QStringLiteral("--search"), QStringLiteral("robust"),
                           QStringLiteral("-o"), QStringLiteral("batch.csv")};
  for (const SweepSettings& sweep : sweeps) {
    arguments << QStringLiteral("--sweep") << SweepArgument(sweep);
  }
  QCOMPARE(RunBatch(fixture_->Directory(), arguments), 0);
  const QByteArray batch = ReadFileBytes(fixture_->PathOf(QStringLiteral("batch.csv")));
  QVERIFY(!batch.isEmpty());
  QCOMPARE(ReadFileBytes(fixture_->PathOf(QStringLiteral("window.csv"))), batch);
}

void StudyTabTest::cancelStopsALongStudyAtOnceAndKeepsItsRows() {
  constexpr int kCases = 100000;
  Study({{"gamma", "0", "1.5", kCases}});
  QSignalSpy finished(tab_, &StudyTab::finished);
  QVERIFY(tab_->Start());
  QTRY_VERIFY_WITH_TIMEOUT(!tab_->Rows().Rows().empty(), kStudyTimeoutMilliseconds);

  QElapsedTimer sinceCancel;
  sinceCancel.start();
  tab_->Cancel();
  QVERIFY(finished.wait(kStudyTimeoutMilliseconds));
  const qint64 cancelMilliseconds = sinceCancel.elapsed();
  qInfo("the study ended %lld ms after the cancel", cancelMilliseconds);
  QVERIFY2(cancelMilliseconds < kCancelMilliseconds,
           qPrintable(QString::number(cancelMilliseconds)));
  QVERIFY(!tab_->Running());

  const auto kept = static_cast<qsizetype>(tab_->Rows().Rows().size());
  QVERIFY(kept > 0 && kept < kCases);
  QCOMPARE(tab_->StatusText(),
           QStringLiteral("cancelled after %1 of %2 cases").arg(kept).arg(kCases));
  // The kept rows are the first of the study, exported as such.
  QVERIFY(tab_->ExportCsv(fixture_->PathOf(QStringLiteral("cancelled.csv"))));
  const QByteArray csv = ReadFileBytes(fixture_->PathOf(QStringLiteral("cancelled.csv")));
  QCOMPARE(csv.count('\n'), kept + 1);
  QVERIFY(csv.split('\n').at(1).startsWith("0,true,converged,"));
}

void StudyTabTest::windowStaysResponsiveDuringAMillionCases() {
  constexpr int kSide = 1000;  // 1000 × 1000 cases
  Study({{"gamma", "0", "1.5", kSide}, {"Lend", "0.3", "10", kSide}});
  QElapsedTimer clock;
  QList<qint64> ticks;
  QTimer ticker;
  ticker.setTimerType(Qt::PreciseTimer);
  connect(&ticker, &QTimer::timeout, [&] { ticks.append(clock.elapsed()); });
  QVERIFY(tab_->Start());
  clock.start();
  ticker.start(kTickMilliseconds);
  QTest::qWait(kWatchedMilliseconds);
  ticker.stop();
  QVERIFY(tab_->Running());
  QVERIFY(!tab_->Rows().Rows().empty());

  qint64 longestGap = ticks.isEmpty() ? kWatchedMilliseconds : ticks.first();
  for (qsizetype k = 1; k < ticks.size(); ++k) {
    longestGap = std::max(longestGap, ticks[k] - ticks[k - 1]);
  }
  qInfo("%lld ticks, longest gap %lld ms, %zu rows", static_cast<long long>(ticks.size()),
        longestGap, tab_->Rows().Rows().size());
  QVERIFY2(longestGap < kLongestTickGapMilliseconds, qPrintable(QString::number(longestGap)));

  QSignalSpy finished(tab_, &StudyTab::finished);
  tab_->Cancel();
  QVERIFY(finished.wait(kStudyTimeoutMilliseconds));
}

void StudyTabTest::plotsOneInputAndMarksCasesThatDidNotConverge() {
  // H = 0 faults; the other gaps converge.
  constexpr int kCases = 6;
  Study({{"H", "0", "0.05", kCases}});
  QVERIFY(RunToItsEnd());
  int converged = 0;
  int other = 0;
  for (const auto& row : tab_->Rows().Rows()) {
    converged += row.converged ? 1 : 0;
    other += row.status != fluxeta::base::Outcome::Converged ? 1 : 0;
  }
  QCOMPARE(converged + other, kCases);
  QVERIFY(other >= 1);
  QCOMPARE(tab_->Plot().Uniformity().count(), converged);
  QCOMPARE(tab_->Plot().Pressure().count(), converged);
  QCOMPARE(tab_->Plot().NotConverged().count(), other);
  QCOMPARE(tab_->Plot().NotConverged().at(0).x(), 0.0);

  const QString png = fixture_->PathOf(QStringLiteral("plot.png"));
  const QString svg = fixture_->PathOf(QStringLiteral("plot.svg"));
  QVERIFY(tab_->ExportPlot(png));
  QVERIFY(tab_->ExportPlot(svg));
  QCOMPARE(QImage(png).size(), tab_->Plot().size());
  QVERIFY(ReadFileBytes(svg).contains("<svg"));
}

void StudyTabTest::colourMapPutsTheCaseClickedIntoTheCasePanel() {
  Study({{"gamma", "0", "1.5", 4}, {"Lend", "1", "4", 3}});
  QVERIFY(RunToItsEnd());
  fluxeta::ui::HeatMap& map = tab_->Map();
  QVERIFY(map.isVisible());
  // Case 7 of the grid: γ the third value (1), Lend the second (2.5).
  constexpr std::uint64_t kCase = 7;
  QCOMPARE(map.CellAt(map.CentreOf(kCase)).value(), kCase);
  // The pointer over the cell, as the window system reports it.
  const QPointF centre = map.CentreOf(kCase);
  QMouseEvent move(QEvent::MouseMove, centre, map.mapToGlobal(centre), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QApplication::sendEvent(&map, &move);
  QVERIFY(tab_->ReadOutText().startsWith(QStringLiteral("γ = 1   Lend = 2.5   uniformity ")));
  // The read-out stays in its place and goes with the pointer.
  const int readOutTop = tab_->findChild<QLabel*>(QStringLiteral("StudyReadOut"))->y();
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(&map, &leave);
  QVERIFY(tab_->ReadOutText().isEmpty());
  QCOMPARE(tab_->findChild<QLabel*>(QStringLiteral("StudyReadOut"))->y(), readOutTop);

  // A click chooses the cell; the case changes only on "Use this case".
  QTest::mouseClick(&map, Qt::LeftButton, {}, map.CentreOf(kCase));
  Workbench* workbench = fixture_->Form().findChild<Workbench*>();
  QCOMPARE(map.Chosen(), std::optional<std::uint64_t>(kCase));
  QCOMPARE(workbench->Case().Edit(1).text(), QStringLiteral("0.1"));
  auto* useCase = tab_->findChild<QPushButton*>(QStringLiteral("UseThisCase"));
  QVERIFY(useCase != nullptr && useCase->isEnabled());
  useCase->click();
  QCOMPARE(workbench->Case().Edit(1).text(), QStringLiteral("1"));
  QCOMPARE(workbench->Case().Edit(4).text(), QStringLiteral("2.5"));
  QCOMPARE(workbench->Case().Edit(0).text(), QStringLiteral("3.0"));
  QVERIFY(map.LowestValue() < map.HighestValue());
}

void StudyTabTest::refusesAStudyTooLargeForTheWindow() {
  constexpr int kSide = 4000;  // 16 million cases
  Study({{"gamma", "0", "1.5", kSide}, {"Lend", "0.3", "10", kSide}});
  QVERIFY(!tab_->Start());
  QVERIFY(!tab_->Running());
  QCOMPARE(fixture_->presenter.messages,
           QStringList{QStringLiteral("A study in the workbench has at most 10000000 cases; "
                                      "fluxeta-batch solves larger ones.")});
}

// A case that no die has (a negative gap) is no base of a study: nothing starts, and the
// panel's own message names the box.
void StudyTabTest::refusesTheCaseThePanelRefuses() {
  Workbench* workbench = fixture_->Form().findChild<Workbench*>();
  workbench->Case().Edit(*fluxeta::cases::FindInput("H")).setText(QStringLiteral("-0.0254"));
  Study({{"gamma", "0", "1.5", 80}, {"Lend", "0.3", "10", 60}});
  QVERIFY(!tab_->Start());
  QVERIFY(!tab_->Running());
  QCOMPARE(fixture_->presenter.messages,
           QStringList{QStringLiteral("H (cm): -0.0254 must be above 0")});
  QCOMPARE(tab_->Rows().Rows().size(), std::size_t{0});
}

void StudyTabTest::enterStartsAStudyAndTheFocusStays_data() {
  QTest::addColumn<QString>("focused");
  QTest::newRow("FROM") << QStringLiteral("StudyFrom1");
  QTest::newRow("TO") << QStringLiteral("StudyTo1");
  QTest::newRow("COUNT") << QStringLiteral("StudyCount1");
  QTest::newRow("Run Study") << QStringLiteral("RunStudy");
}

void StudyTabTest::enterStartsAStudyAndTheFocusStays() {
  QFETCH(QString, focused);
  QVERIFY(ActivateWorkbench());
  Study({{"gamma", "0", "1.5", 4}});
  auto* widget = tab_->findChild<QWidget*>(focused);
  QVERIFY(widget != nullptr);
  widget->setFocus();
  QSignalSpy finished(tab_, &StudyTab::finished);
  QTest::keyClick(widget, Qt::Key_Return);
  QVERIFY(tab_->Running() || finished.count() == 1);
  QVERIFY(finished.count() == 1 || finished.wait(kStudyTimeoutMilliseconds));
  QCOMPARE(tab_->Rows().Rows().size(), std::size_t{4});
  QCOMPARE(QApplication::focusWidget(), widget);
}

void StudyTabTest::tabWalksPastTheRowsTable() {
  QVERIFY(ActivateWorkbench());
  Study({{"gamma", "0", "1.5", 4}});
  QVERIFY(RunToItsEnd());
  auto* table = tab_->findChild<QTableView*>(QStringLiteral("StudyRows"));
  QVERIFY(table != nullptr && table->model()->rowCount() == 4);
  tab_->findChild<QWidget*>(QStringLiteral("RunStudy"))->setFocus();
  // Round the whole window and back: the table is never a stop.
  constexpr int kPresses = 80;
  for (int press = 0; press < kPresses; ++press) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QVERIFY(QApplication::focusWidget() != table);
    QVERIFY(!table->isAncestorOf(QApplication::focusWidget()));
  }
}

// One bad case among a hundred near one: the scale runs over the others, so that their
// differences keep their colours; the bad case takes the lowest colour.
void StudyTabTest::mapScaleIgnoresAnOutlierRow() {
  fluxeta::ui::HeatMap map;
  constexpr std::uint64_t kSide = 10;
  map.Reset(kSide, kSide, 0, 1, 0, 1, QStringLiteral("x"), QStringLiteral("y"),
            QStringLiteral("uniformity"));
  for (std::uint64_t index = 0; index < kSide * kSide; ++index) {
    map.SetCell(index, index == 37 ? -0.5074 : 0.9 + 0.001 * static_cast<double>(index));
  }
  map.Settle();
  const auto scale = map.Scale();
  QVERIFY(scale.has_value());
  QVERIFY2(scale->low > 0.9 && scale->low < 0.905, qPrintable(QString::number(scale->low)));
  QVERIFY2(scale->high > 0.99 && scale->high < 0.999, qPrintable(QString::number(scale->high)));
  QCOMPARE(map.Best(), std::optional<std::uint64_t>(kSide * kSide - 1));
  QVERIFY(map.AutomaticScale());
  // A scale the user sets is the one the colours follow.
  map.SetScale(fluxeta::ui::ScaleRange{0.5, 1.0});
  QCOMPARE(map.Scale()->low, 0.5);
  QVERIFY(!map.AutomaticScale());
}

void StudyTabTest::mapGreysAndCountsTheCasesWithoutAFigure() {
  // H = 0 faults: one column of the map has no figure.
  Study({{"H", "0", "0.05", 5}, {"Lend", "1", "4", 3}});
  QVERIFY(RunToItsEnd());
  const auto& missing = tab_->Map().MissingByVerdict();
  std::uint64_t counted = 0;
  for (const auto& [verdict, count] : missing) {
    QVERIFY(verdict != "converged");
    counted += count;
  }
  QVERIFY(counted >= 3);
  QVERIFY(tab_->Map().Best().has_value());
  QVERIFY(tab_->Map().Best().value() >= 3);  // not in the faulting column
}

// The export suggests a name from the study in the project's folder, adds the extension to a
// name typed without it and says where it wrote.
void StudyTabTest::exportsWithASuggestedNameAndSaysWhere() {
  Study({{"gamma", "0", "1.5", 3}, {"Lend", "1", "4", 3}});
  QVERIFY(RunToItsEnd());
  const QString typed = fixture_->PathOf(QStringLiteral("my map"));
  fixture_->presenter.savePaths = {typed};
  fixture_->presenter.pictureSizes = {QSize(640, 480)};
  tab_->findChild<QPushButton*>(QStringLiteral("ExportPng"))->click();
  QCOMPARE(fixture_->presenter.suggestedPaths.size(), 1);
  QVERIFY2(fixture_->presenter.suggestedPaths.first().endsWith(
               QStringLiteral("/study-gamma-by-Lend.png")),
           qPrintable(fixture_->presenter.suggestedPaths.first()));
  const QImage picture(typed + QStringLiteral(".png"));
  QCOMPARE(picture.size(), QSize(640, 480));
  QVERIFY2(tab_->ExportNotice().startsWith(QStringLiteral("Saved the plot to ")),
           qPrintable(tab_->ExportNotice()));

  // SVG holds the cells as vectors, not one picture.
  const QString svg = fixture_->PathOf(QStringLiteral("map.svg"));
  QVERIFY(tab_->ExportPlot(svg));
  const QByteArray content = ReadFileBytes(svg);
  QVERIFY(!content.contains("<image"));
  QVERIFY(content.count("<rect") + content.count("<path") >= 9);
}

QTEST_MAIN(StudyTabTest)
#include "test_study_tab.moc"
