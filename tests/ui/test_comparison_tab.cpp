// The workbench's Compare tab: results pinned from the Result tab and a study's cell under
// A–D, their curves drawn from their own station tables, the table's differences to the
// first pin, at most four pins, and the pins kept in a project and solved again to the same
// figures bit for bit.
#include <QFile>
#include <QSignalSpy>
#include <QTest>

#include <memory>

#include "comparison_tab.h"
#include "default_case_run.h"
#include "fluxeta/run/box_texts.h"
#include "fluxeta/run/calculation_run.h"
#include "fluxeta/solver/search.h"
#include "heat_map.h"
#include "main_window_fixture.h"
#include "number_presentation.h"
#include "result_tab.h"
#include "study_rows_model.h"
#include "study_tab.h"
#include "workbench.h"

namespace ui = fluxeta::ui;
namespace cases = fluxeta::cases;
using ui::ComparedCurve;
using ui::ComparisonTab;
using ui::Workbench;
using ui::testing::MainWindowFixture;
using ui::testing::ReadFileBytes;

namespace {

constexpr int kStudyTimeoutMilliseconds = 120000;

ui::FinishedRun Solve(const char* endSlotLength = nullptr) {
  return ui::testing::SolvedDefaultCase(endSlotLength,
                                        QDateTime(QDate(2026, 12, 10), QTime(11, 30, 5)));
}

// The table: a column per pin, a row per figure, then a row per input the pins differ in.
QString Cell(const ComparisonTab& tab, int row, int column) {
  const QTableWidgetItem* item = tab.Table().item(row, column);
  return item != nullptr ? item->text() : QString();
}
QString PinOfColumn(const ComparisonTab& tab, int column) {
  const QTableWidgetItem* item = tab.Table().horizontalHeaderItem(column);
  return item != nullptr ? item->text() : QString();
}
QString RowTitle(const ComparisonTab& tab, int row) {
  const QTableWidgetItem* item = tab.Table().verticalHeaderItem(row);
  return item != nullptr ? item->text() : QString();
}
enum Row { kSource, kUniformity, kUniformityDifference, kPressure, kPressureDifference, kInput };

}  // namespace

class ComparisonTabTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    fixture_ = std::make_unique<MainWindowFixture>();
    fixture_->Form().OpenWorkbench();
    workbench_ = fixture_->Form().findChild<Workbench*>();
  }
  void cleanup() {
    const QStringList failures = fixture_->watchdog.TakeFailures();
    fixture_.reset();
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QStringLiteral("; "))));
  }

  void overlaysTheResultsPinnedFromTheResultTab();
  void pinsAtMostFourAndReusesAFreedLetter();
  void pinsAStudyCellWithTheFiguresOfItsRow();
  void keepsThePinsInTheProject();
  void refusesAPinThatCannotBeSolved();

 private:
  ComparisonTab& Tab() { return workbench_->Comparison(); }
  void PinShown(const ui::FinishedRun& run) {
    workbench_->ShowResults(run);
    workbench_->Result().findChild<QPushButton*>(QStringLiteral("PinResult"))->click();
  }

  std::unique_ptr<MainWindowFixture> fixture_;
  Workbench* workbench_ = nullptr;
};

void ComparisonTabTest::overlaysTheResultsPinnedFromTheResultTab() {
  const ui::FinishedRun first = Solve();
  const ui::FinishedRun longer = Solve("2.8");
  PinShown(first);
  PinShown(longer);
  QCOMPARE(workbench_->Tabs().tabText(workbench_->Tabs().indexOf(&Tab())),
           QStringLiteral("Compare (2)"));
  QCOMPARE(Tab().Table().columnCount(), 2);

  // Each curve is its own pin's station column, X against the value, nothing rounded.
  const struct {
    ComparedCurve curve;
    const cases::StationValues cases::StationTable::*column;
    double scale;
  } curves[] = {{ComparedCurve::Deviation, &cases::StationTable::Q_DIFF, 1.0},
                {ComparedCurve::Pressure, &cases::StationTable::P, 1e-3},
                {ComparedCurve::Flow, &cases::StationTable::Q, 1.0}};
  for (const auto& curve : curves) {
    for (std::size_t slot = 0; slot < 2; ++slot) {
      const ui::FinishedRun& run = slot == 0 ? first : longer;
      const QLineSeries& series = Tab().Curve(curve.curve, slot);
      QVERIFY(series.isVisible());
      QCOMPARE(series.count(), cases::StationCount);
      for (int station = 1; station <= cases::StationCount; ++station) {
        QCOMPARE(series.at(station - 1).x(), run.table.X[station]);
        QCOMPARE(series.at(station - 1).y(), curve.scale * (run.table.*curve.column)[station]);
      }
    }
    QVERIFY(!Tab().Curve(curve.curve, 2).isVisible());
  }

  // The table: figures as every tab shows them, the differences to A with their sign.
  const double uniformityDifference = longer.table.Uniformity - first.table.Uniformity;
  const double pressureDifference = longer.table.P[1] - first.table.P[1];
  QCOMPARE(PinOfColumn(Tab(), 0), QStringLiteral("A"));
  QCOMPARE(Cell(Tab(), kSource, 0), QStringLiteral("Result tab, run 2026-12-10 11:30:05"));
  QCOMPARE(Cell(Tab(), kUniformity, 0), ui::ScreenNumber(first.table.Uniformity, '.'));
  QCOMPARE(Cell(Tab(), kUniformityDifference, 0), QString());
  QCOMPARE(Cell(Tab(), kPressure, 0), ui::ScreenPressure(first.table.P[1], '.'));
  QCOMPARE(PinOfColumn(Tab(), 1), QStringLiteral("B"));
  QString expected = ui::ScreenNumber(uniformityDifference, '.');
  QCOMPARE(Cell(Tab(), kUniformityDifference, 1),
           uniformityDifference > 0 ? u'+' + expected : expected);
  expected = ui::ScreenPressure(pressureDifference, '.');
  QCOMPARE(Cell(Tab(), kPressureDifference, 1),
           pressureDifference > 0 ? u'+' + expected : expected);
  // The one input the two differ in, and no other.
  QCOMPARE(Tab().Table().rowCount(), kInput + 1);
  QCOMPARE(RowTitle(Tab(), kInput), QStringLiteral("Lend (cm)"));
  QCOMPARE(Cell(Tab(), kInput, 0), QStringLiteral("2.5"));
  QCOMPARE(Cell(Tab(), kInput, 1), QStringLiteral("2.8"));
  QCOMPARE(Tab().Table().item(kUniformity, 1)->toolTip(),
           ui::FullNumber(longer.table.Uniformity, '.'));
}

void ComparisonTabTest::pinsAtMostFourAndReusesAFreedLetter() {
  const char* lengths[] = {"2.2", "2.4", "2.6", "2.8"};
  for (const char* length : lengths) {
    QVERIFY(Tab().Pin(Solve(length), QStringLiteral("Lend ") + QLatin1String(length)));
  }
  QVERIFY(!Tab().Pin(Solve("3.0"), QStringLiteral("a fifth")));
  QCOMPARE(fixture_->presenter.messages.size(), 1);
  QVERIFY(fixture_->presenter.messages.first().startsWith(QStringLiteral("Four results")));

  // Unpinning B leaves the others' letters; the next pin takes B, and A stays the first.
  Tab().Unpin(u'B');
  QCOMPARE(Tab().Table().columnCount(), 3);
  QCOMPARE(PinOfColumn(Tab(), 1), QStringLiteral("C"));
  QVERIFY(!Tab().Curve(ComparedCurve::Deviation, 1).isVisible());
  QCOMPARE(Tab().Pin(Solve("3.0"), QStringLiteral("Lend 3")), std::optional<QChar>(u'B'));
  QCOMPARE(PinOfColumn(Tab(), 1), QStringLiteral("B"));
  QCOMPARE(Cell(Tab(), kSource, 1), QStringLiteral("Lend 3"));
  QCOMPARE(Cell(Tab(), kInput, 1), QStringLiteral("3"));

  // Without A, the differences are to the first pin left. The Unpin button takes the pin of
  // the column chosen.
  auto* unpin = workbench_->findChild<QPushButton*>(QStringLiteral("UnpinResult"));
  const_cast<QTableWidget&>(Tab().Table()).setCurrentCell(kUniformity, 0);
  unpin->click();
  QCOMPARE(PinOfColumn(Tab(), 0), QStringLiteral("B"));
  QCOMPARE(Cell(Tab(), kUniformityDifference, 0), QString());
  QCOMPARE(Cell(Tab(), kUniformityDifference, 1),
           ui::ScreenNumber(
               Tab().Pins()[2]->run.table.Uniformity - Tab().Pins()[1]->run.table.Uniformity, '.'));
  QCOMPARE(Cell(Tab(), kInput, 1), QStringLiteral("2.6"));

  workbench_->findChild<QPushButton*>(QStringLiteral("ClearPins"))->click();
  QCOMPARE(Tab().Table().columnCount(), 0);
  QCOMPARE(workbench_->Tabs().tabText(workbench_->Tabs().indexOf(&Tab())),
           QStringLiteral("Compare"));
}

void ComparisonTabTest::pinsAStudyCellWithTheFiguresOfItsRow() {
  ui::StudyTab& study = workbench_->Study();
  workbench_->Tabs().setCurrentWidget(&study);
  study.SetDimension(0, QStringLiteral("gamma"), QStringLiteral("0"), QStringLiteral("1.5"), 4);
  study.SetDimension(1, QStringLiteral("Lend"), QStringLiteral("1"), QStringLiteral("4"), 3);
  QSignalSpy finished(&study, &ui::StudyTab::finished);
  QVERIFY(study.Start() && finished.wait(kStudyTimeoutMilliseconds));
  auto* pin = study.findChild<QPushButton*>(QStringLiteral("PinStudyCase"));
  QVERIFY(!pin->isEnabled());
  // Case 7 of the grid: γ 1, Lend 2.5.
  constexpr std::uint64_t kCase = 7;
  QTest::mouseClick(&study.Map(), Qt::LeftButton, {}, study.Map().CentreOf(kCase));
  QVERIFY(pin->isEnabled());
  pin->click();
  QVERIFY(Tab().Pins()[0].has_value());
  const ui::PinnedResult& pinned = *Tab().Pins()[0];
  QCOMPARE(pinned.source, QStringLiteral("study cell γ 1, Lend 2.5"));
  QCOMPARE(pinned.run.search, QStringLiteral("robust"));
  const auto& row = study.Rows().Rows()[kCase];
  QCOMPARE(pinned.run.table.Uniformity, row.uniformity);
  QCOMPARE(pinned.run.table.P[1], row.entrancePressure);
}

void ComparisonTabTest::keepsThePinsInTheProject() {
  const ui::FinishedRun first = Solve();
  const ui::FinishedRun longer = Solve("2.8");
  Tab().Pin(first, QStringLiteral("the die we have"));
  Tab().Pin(longer, QStringLiteral("a longer end"));
  Tab().Unpin(u'A');
  Tab().Pin(first, QStringLiteral("the die we have, again"));  // A after B in the file
  const QString path = fixture_->PathOf(QStringLiteral("compared.fluxeta"));
  QVERIFY(workbench_->Project().SaveAs(path));
  QVERIFY(workbench_->Project().New());
  QCOMPARE(Tab().Table().columnCount(), 0);

  QVERIFY(workbench_->Project().Open(path));
  QVERIFY(!workbench_->Project().Modified());
  for (const auto& [slot, run, source] :
       {std::tuple{0, &first, "the die we have, again"}, std::tuple{1, &longer, "a longer end"}}) {
    QVERIFY(Tab().Pins()[slot].has_value());
    const ui::PinnedResult& pin = *Tab().Pins()[slot];
    QCOMPARE(pin.source, QString::fromUtf8(source));
    QCOMPARE(pin.run.search, QStringLiteral("window"));
    QCOMPARE(pin.run.table.Uniformity, run->table.Uniformity);
    QCOMPARE(pin.run.table.P, run->table.P);
    QCOMPARE(pin.run.table.Q_DIFF, run->table.Q_DIFF);
  }
  const QString again = fixture_->PathOf(QStringLiteral("again.fluxeta"));
  QVERIFY(workbench_->Project().SaveAs(again));
  QCOMPARE(ReadFileBytes(again), ReadFileBytes(path));
}

void ComparisonTabTest::refusesAPinThatCannotBeSolved() {
  Tab().Pin(Solve(), QStringLiteral("kept"));
  const std::string before = workbench_->Project().Text();
  nlohmann::json project = nlohmann::json::parse(before);
  project["comparison"]["pins"][0]["inputs"]["W"] = 0;
  const QString path = fixture_->PathOf(QStringLiteral("no width.fluxeta"));
  {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray::fromStdString(project.dump()));
  }
  fixture_->presenter.unsavedChoices.push_back(ui::UnsavedChoice::Discard);
  QVERIFY(!workbench_->Project().Open(path));
  QCOMPARE(fixture_->presenter.messages.size(), 1);
  QVERIFY2(fixture_->presenter.messages.first().contains(
               QStringLiteral("comparison.pins[0]: the case cannot be solved")),
           qPrintable(fixture_->presenter.messages.first()));
  QCOMPARE(workbench_->Project().Text(), before);
}

QTEST_MAIN(ComparisonTabTest)
#include "test_comparison_tab.moc"
