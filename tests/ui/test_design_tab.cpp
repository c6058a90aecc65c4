// The workbench's Design tab: the optimum of fluxeta-batch --optimise for the same settings,
// the best uniformity so far plotted against the evaluations, a cancel, and the optimum in
// the main window's boxes and in the Result tab.
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <cmath>
#include <memory>

#include "case_panel.h"
#include "design_tab.h"
#include "fluxeta/case/input_table.h"
#include "line_edit_room.h"
#include "locale_number_text.h"
#include "main_window_fixture.h"
#include "result_tab.h"
#include "workbench.h"

using fluxeta::ui::DesignTab;
using fluxeta::ui::Workbench;
using fluxeta::ui::testing::MainWindowFixture;
namespace cases = fluxeta::cases;

namespace {

constexpr int kDesignTimeoutMilliseconds = 120000;
constexpr std::size_t kLend = 4;

// The JSON report of fluxeta-batch with `arguments`, run in `directory`.
QJsonObject BatchReport(const QString& directory, const QStringList& arguments) {
  QProcess batch;
  batch.setWorkingDirectory(directory);
  batch.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  batch.start(QStringLiteral(FLUXETA_BATCH), arguments);
  if (!batch.waitForFinished(kDesignTimeoutMilliseconds) || batch.exitCode() != 0) {
    return {};
  }
  return QJsonDocument::fromJson(batch.readAllStandardOutput()).object();
}

}  // namespace

class DesignTabTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    fixture_ = std::make_unique<MainWindowFixture>();
    fixture_->Form().OpenWorkbench();
    workbench_ = fixture_->Form().findChild<Workbench*>();
    workbench_->Tabs().setCurrentWidget(&workbench_->Design());
  }
  void cleanup() {
    workbench_->Design().Cancel();
    const QStringList failures = fixture_->watchdog.TakeFailures();
    fixture_.reset();
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QStringLiteral("; "))));
  }

  void findsTheOptimumOfTheCommandLine_data();
  void findsTheOptimumOfTheCommandLine();
  void cancelKeepsTheBestSoFar();
  void appliesAndShowsTheOptimum();
  void refusesADesignWithoutVariables();
  void plotsOnNiceAxesAndMarksTheOptimum();
  void enterStartsTheSearch_data();
  void enterStartsTheSearch();

 private:
  bool RunToItsEnd() {
    QSignalSpy finished(&workbench_->Design(), &DesignTab::finished);
    return workbench_->Design().Start() && finished.wait(kDesignTimeoutMilliseconds);
  }
  void ChooseLend() {
    const cases::InputSpec& lend = cases::kInputs[kLend];
    workbench_->Design().SetVariable(kLend, true, QString::number(lend.plausibleLow),
                                     QString::number(lend.plausibleHigh));
  }

  std::unique_ptr<MainWindowFixture> fixture_;
  Workbench* workbench_ = nullptr;
};

void DesignTabTest::findsTheOptimumOfTheCommandLine_data() {
  QTest::addColumn<QStringList>("limits");  // max pressure, min uniformity, max residence time
  QTest::addColumn<QStringList>("arguments");
  QTest::newRow("uniformity") << QStringList{QString(), QString(), QString()} << QStringList{};
  QTest::newRow("within a pressure limit")
      << QStringList{QStringLiteral("150"), QString(), QString()}
      << QStringList{QStringLiteral("--max-pressure"), QStringLiteral("150000")};
}

void DesignTabTest::findsTheOptimumOfTheCommandLine() {
  QFETCH(QStringList, limits);
  QFETCH(QStringList, arguments);
  ChooseLend();
  DesignTab& tab = workbench_->Design();
  tab.SetLimits(limits[0], limits[1], limits[2]);
  QVERIFY(RunToItsEnd());
  QVERIFY(tab.Result().has_value());

  const QJsonObject batch = BatchReport(
      fixture_->Directory(), QStringList{QStringLiteral("--optimise"), QStringLiteral("Lend"),
                                         QStringLiteral("-o"), QStringLiteral("optimum.txt")} +
                                 arguments);
  QVERIFY(!batch.isEmpty());
  const auto& best = tab.Result()->best;
  const QJsonObject inputs = batch[QStringLiteral("inputs")].toObject();
  for (std::size_t input = 0; input < cases::kInputCount; ++input) {
    const QString name =
        QString::fromLatin1(cases::kInputs[input].name.data(),
                            static_cast<qsizetype>(cases::kInputs[input].name.size()));
    QCOMPARE(best.values[input], inputs[name].toDouble());
  }
  QCOMPARE(best.figures.uniformity, batch[QStringLiteral("uniformity")].toDouble());
  QCOMPARE(tab.Result()->evaluations, batch[QStringLiteral("evaluations")].toInt());
  QVERIFY(tab.StatusText().startsWith(batch[QStringLiteral("status")].toString()));

  // The plot: one point per evaluation from the first feasible one, never falling.
  const QList<QPointF> points = tab.Progress().points();
  QVERIFY(!points.isEmpty());
  QCOMPARE(points.last().x(), static_cast<double>(tab.Result()->evaluations));
  for (qsizetype k = 1; k < points.size(); ++k) {
    QVERIFY(points[k].y() >= points[k - 1].y());
  }
}

void DesignTabTest::cancelKeepsTheBestSoFar() {
  ChooseLend();
  DesignTab& tab = workbench_->Design();
  QSignalSpy finished(&tab, &DesignTab::finished);
  // Cancelled before the search could have gone far: the first evaluation stops it.
  tab.Cancel();
  QVERIFY(tab.Start());
  tab.Cancel();
  QVERIFY(finished.wait(kDesignTimeoutMilliseconds));
  QVERIFY(tab.Result().has_value());
  QCOMPARE(QString::fromLatin1(fluxeta::design::OptimiseStatusName(tab.Result()->status).data()),
           QStringLiteral("stopped"));
  QVERIFY(tab.Result()->evaluations < fluxeta::design::DefaultEvaluationBudget(1));
}

void DesignTabTest::appliesAndShowsTheOptimum() {
  ChooseLend();
  QVERIFY(RunToItsEnd());
  DesignTab& tab = workbench_->Design();
  const double lend = tab.Result()->best.values[kLend];
  tab.ApplyToMainWindow();
  // The panel keeps the optimum whole; the main window's narrow box gets it rounded to
  // what the box shows, and the panel's status says so.
  QCOMPARE(workbench_->Case().Edit(kLend).text(), fluxeta::ui::NumberText(lend, '.'));
  const QLineEdit& box = *fixture_->Edit(5);
  QVERIFY(box.fontMetrics().horizontalAdvance(box.text()) <= fluxeta::ui::TextRoom(box));
  QVERIFY(std::abs(box.text().toDouble() - lend) < 1e-6 * lend);
  QVERIFY2(workbench_->Case().StatusText().contains(QStringLiteral("Rounded")),
           qPrintable(workbench_->Case().StatusText()));
  QVERIFY(fixture_->presenter.messages.isEmpty());

  tab.ShowResult();
  QCOMPARE(workbench_->Tabs().currentWidget(), &workbench_->Result());
  QVERIFY(workbench_->Result().HasRun());
  QVERIFY2(workbench_->Result().UniformityText().contains(QStringLiteral("0.996735")),
           qPrintable(workbench_->Result().UniformityText()));
}

void DesignTabTest::refusesADesignWithoutVariables() {
  QVERIFY(!workbench_->Design().Start());
  QCOMPARE(fixture_->presenter.messages,
           QStringList{QStringLiteral("Choose at least one design variable.")});
}

// The evaluations tick at whole round numbers, the empty plot too, and the optimum is a mark
// on the best-so-far line where the search found it.
void DesignTabTest::plotsOnNiceAxesAndMarksTheOptimum() {
  DesignTab& tab = workbench_->Design();
  QCOMPARE(tab.EvaluationAxis().min(), 0.0);
  QCOMPARE(tab.EvaluationAxis().max(), 1.0);
  QCOMPARE(tab.EvaluationAxis().tickInterval(), 1.0);
  ChooseLend();
  QVERIFY(RunToItsEnd());
  const double interval = tab.EvaluationAxis().tickInterval();
  const double decade = std::pow(10.0, std::floor(std::log10(interval)));
  const double mantissa = interval / decade;
  QVERIFY2(mantissa == 1 || mantissa == 2 || mantissa == 5, qPrintable(QString::number(interval)));
  QVERIFY(tab.EvaluationAxis().max() >= tab.Result()->evaluations);
  QCOMPARE(tab.OptimumMark().count(), 1);
  QCOMPARE(tab.OptimumMark().at(0).y(), tab.Result()->best.figures.uniformity);
}

void DesignTabTest::enterStartsTheSearch_data() {
  QTest::addColumn<QString>("box");
  QTest::newRow("a bound") << QStringLiteral("DesignHigh_Lend");
  QTest::newRow("a limit") << QStringLiteral("DesignMaxPressure");
  QTest::newRow("the Run button") << QStringLiteral("RunDesign");
}

void DesignTabTest::enterStartsTheSearch() {
  QFETCH(QString, box);
  ChooseLend();
  QWidget* widget = workbench_->Design().findChild<QWidget*>(box);
  QVERIFY(widget != nullptr);
  QSignalSpy finished(&workbench_->Design(), &DesignTab::finished);
  QTest::keyClick(widget, Qt::Key_Return);
  QVERIFY(workbench_->Design().Running() || !finished.isEmpty());
  QVERIFY(finished.wait(kDesignTimeoutMilliseconds) || finished.size() == 1);
  QVERIFY(workbench_->Design().Result().has_value());
}

QTEST_MAIN(DesignTabTest)
#include "test_design_tab.moc"
