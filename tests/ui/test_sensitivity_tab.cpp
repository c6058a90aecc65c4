// The workbench's Sensitivity tab: the effects per 1 % change of fluxeta-batch --sensitivity,
// drawn as bars sorted by their size, and the band of fluxeta-batch --tolerance.
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QValueAxis>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <cmath>
#include <memory>

#include "case_panel.h"
#include "fluxeta/case/input_table.h"
#include "main_window_fixture.h"
#include "sensitivity_tab.h"
#include "workbench.h"

using fluxeta::ui::SensitivityTab;
using fluxeta::ui::Workbench;
using fluxeta::ui::testing::MainWindowFixture;
namespace cases = fluxeta::cases;

namespace {

constexpr int kTimeoutMilliseconds = 120000;
constexpr std::size_t kLend = 4;
constexpr std::size_t kSlotGap = 6;

QJsonObject BatchReport(const QString& directory, const QStringList& arguments) {
  QProcess batch;
  batch.setWorkingDirectory(directory);
  batch.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  batch.start(QStringLiteral(FLUXETA_BATCH), arguments);
  if (!batch.waitForFinished(kTimeoutMilliseconds) || batch.exitCode() != 0) {
    return {};
  }
  return QJsonDocument::fromJson(batch.readAllStandardOutput()).object();
}

QString NameOf(std::size_t input) {
  return QString::fromLatin1(cases::kInputs[input].name.data(),
                             static_cast<qsizetype>(cases::kInputs[input].name.size()));
}

}  // namespace

class SensitivityTabTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    fixture_ = std::make_unique<MainWindowFixture>();
    fixture_->Form().OpenWorkbench();
    workbench_ = fixture_->Form().findChild<Workbench*>();
    workbench_->Tabs().setCurrentWidget(&workbench_->Sensitivity());
  }
  void cleanup() {
    const QStringList failures = fixture_->watchdog.TakeFailures();
    fixture_.reset();
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QStringLiteral("; "))));
  }

  void givesTheSensitivitiesAndBandOfTheCommandLine();
  void refusesATextThatIsNoTolerance();
  void givesNoBandWhenACornerIsNotSolved();
  void saysWhenItsFiguresNoLongerBelongToTheCase();
  void refusesACaseThePanelRefusesNamingTheBox();

 private:
  std::unique_ptr<MainWindowFixture> fixture_;
  Workbench* workbench_ = nullptr;
};

void SensitivityTabTest::givesTheSensitivitiesAndBandOfTheCommandLine() {
  SensitivityTab& tab = workbench_->Sensitivity();
  tab.SetTolerance(kSlotGap, QStringLiteral("±0.0005"));
  tab.SetTolerance(kLend, QStringLiteral("+-2%"));
  QSignalSpy finished(&tab, &SensitivityTab::finished);
  QVERIFY(tab.Start());
  QVERIFY(finished.wait(kTimeoutMilliseconds));

  const QJsonObject sensitivities = BatchReport(
      fixture_->Directory(), {QStringLiteral("--sensitivity"), QStringLiteral("--all-inputs"),
                              QStringLiteral("--table"), QStringLiteral("json")});
  const QJsonArray rows = sensitivities[QStringLiteral("inputs")].toArray();
  // Every input a tolerance can be given for.
  QCOMPARE(static_cast<qsizetype>(tab.Rows().size()), rows.size());
  QCOMPARE(rows.size(), static_cast<qsizetype>(cases::kInputCount));
  for (qsizetype k = 0; k < rows.size(); ++k) {
    const QJsonObject row = rows[k].toObject();
    QCOMPARE(NameOf(tab.Rows()[k].quantity), row[QStringLiteral("name")].toString());
    QCOMPARE(tab.Rows()[k].uniformityPerPercent,
             row[QStringLiteral("uniformity_per_percent")].toDouble());
    QCOMPARE(tab.Rows()[k].pressurePerPercent,
             row[QStringLiteral("entrance_pressure_Pa_per_percent")].toDouble());
  }

  // The largest effect on uniformity is the first bar.
  auto* chart = tab.findChild<QChartView*>(QStringLiteral("UniformitySensitivity"))->chart();
  auto* names = qobject_cast<QBarCategoryAxis*>(chart->axes(Qt::Horizontal).value(0));
  QVERIFY(names != nullptr);
  const std::string_view top = cases::kInputs[tab.Rows().front().quantity].symbol;
  QCOMPARE(names->categories().first(),
           QString::fromUtf8(top.data(), static_cast<qsizetype>(top.size())));
  auto* bars = qobject_cast<QBarSeries*>(chart->series().value(0));
  QVERIFY(bars != nullptr);
  const QBarSet* set = bars->barSets().value(0);
  for (int k = 1; k < set->count(); ++k) {
    QVERIFY(std::abs(set->at(k)) <= std::abs(set->at(k - 1)));
  }
  // The bars' scale: symmetric about zero, ticked at 1, 2 or 5 times a power of ten, its
  // ends on ticks, and holding the largest bar.
  for (const char* name : {"UniformitySensitivity", "PressureSensitivity"}) {
    auto* view = tab.findChild<QChartView*>(QString::fromLatin1(name));
    QVERIFY(view != nullptr);
    auto* values = qobject_cast<QValueAxis*>(view->chart()->axes(Qt::Vertical).value(0));
    QVERIFY(values != nullptr);
    QCOMPARE(values->min(), -values->max());
    const double interval = values->tickInterval();
    const double decade = std::pow(10.0, std::floor(std::log10(interval)));
    const double mantissa = interval / decade;
    QVERIFY2(mantissa == 1 || mantissa == 2 || mantissa == 5,
             qPrintable(QString::number(interval)));
    const double steps = values->max() / interval;
    QCOMPARE(steps, std::round(steps));
    const QBarSet* shown =
        qobject_cast<QBarSeries*>(view->chart()->series().value(0))->barSets()[0];
    QVERIFY(std::abs(shown->at(0)) <= values->max());
  }

  const QJsonObject band = BatchReport(fixture_->Directory(),
                                       {QStringLiteral("--tolerance"), QStringLiteral("H=±0.0005"),
                                        QStringLiteral("--tolerance"), QStringLiteral("Lend=±2%")});
  QVERIFY(tab.Band().has_value());
  QCOMPARE(static_cast<double>(tab.Band()->corners), band[QStringLiteral("corners")].toDouble());
  QCOMPARE(tab.Band()->worstUniformity, band[QStringLiteral("worst_uniformity")].toDouble());
  QCOMPARE(tab.Band()->bestUniformity, band[QStringLiteral("best_uniformity")].toDouble());
  QCOMPARE(tab.Band()->lowestEntrancePressure,
           band[QStringLiteral("lowest_entrance_pressure_Pa")].toDouble());
  QCOMPARE(tab.Band()->highestEntrancePressure,
           band[QStringLiteral("highest_entrance_pressure_Pa")].toDouble());
  // Six figures shown, pressures in kPa; the full values in the tooltip.
  QVERIFY2(tab.BandText().contains(QStringLiteral("uniformity 0.899486 … ")),
           qPrintable(tab.BandText()));
  QVERIFY2(tab.BandText().contains(QStringLiteral(" kPa")), qPrintable(tab.BandText()));
  QVERIFY2(tab.BandToolTip().contains(QStringLiteral("0.8994858469172133")),
           qPrintable(tab.BandToolTip()));
}

void SensitivityTabTest::refusesATextThatIsNoTolerance() {
  workbench_->Sensitivity().SetTolerance(kSlotGap, QStringLiteral("wide"));
  QVERIFY(!workbench_->Sensitivity().Start());
  QCOMPARE(fixture_->presenter.messages.size(), 1);
  QVERIFY(!workbench_->Sensitivity().Running());
}

// A band of the corners that happened to solve would look like a robust design: a gap of
// 0.3 cm solves, 0.5 cm falls in a regime gap.
void SensitivityTabTest::givesNoBandWhenACornerIsNotSolved() {
  SensitivityTab& tab = workbench_->Sensitivity();
  cases::CaseValues values = *workbench_->Case().Values();
  values[kSlotGap] = 0.3;
  workbench_->Case().SetValues(values);
  tab.SetTolerance(kSlotGap, QStringLiteral("±0.2"));
  QSignalSpy finished(&tab, &SensitivityTab::finished);
  QVERIFY(tab.Start());
  QVERIFY(finished.wait(kTimeoutMilliseconds));
  QCOMPARE(tab.BandText(),
           QStringLiteral("no band: 1 of 2 corners could not be solved, the first at H = 0.5 "
                          "(regime_gap)"));
}

// Figures shown stay until computed again, but the status says once the case or a
// tolerance has changed under them.
void SensitivityTabTest::saysWhenItsFiguresNoLongerBelongToTheCase() {
  SensitivityTab& tab = workbench_->Sensitivity();
  QSignalSpy finished(&tab, &SensitivityTab::finished);
  QVERIFY(tab.Start());
  QVERIFY(finished.wait(kTimeoutMilliseconds));
  QVERIFY2(tab.StatusText().startsWith(QStringLiteral("uniformity 0.911563, entrance pressure ")),
           qPrintable(tab.StatusText()));
  QCOMPARE(tab.BandText(), QStringLiteral("no tolerances given"));
  tab.SetTolerance(kLend, QStringLiteral("±2%"));
  QVERIFY2(tab.StatusText().startsWith(QStringLiteral("The case or the tolerances have changed")),
           qPrintable(tab.StatusText()));

  QVERIFY(tab.Start());
  QVERIFY(finished.wait(kTimeoutMilliseconds));
  QVERIFY(tab.BandText().startsWith(QStringLiteral("band over 2 corners")));
  workbench_->Case().SetValue(kSlotGap, 0.03);
  QVERIFY(tab.StatusText().startsWith(QStringLiteral("The case or the tolerances have changed")));
}

// A negative gap is no die: refused before anything is solved, with the box named, rather
// than solved and said not to converge.
void SensitivityTabTest::refusesACaseThePanelRefusesNamingTheBox() {
  workbench_->Case().Edit(kSlotGap).setText(QStringLiteral("-0.0254"));
  QVERIFY(!workbench_->Sensitivity().Start());
  QCOMPARE(fixture_->presenter.messages,
           QStringList{QStringLiteral("H (cm): -0.0254 must be above 0")});
}

QTEST_MAIN(SensitivityTabTest)
#include "test_sensitivity_tab.moc"
