// The workbench's Coating tab: the window of fluxeta-batch --coating-window for the case
// panel's die at the typed operating point, drawn with the parts outside it in red.
#include <QChart>
#include <QChartView>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineSeries>
#include <QProcess>
#include <QScatterSeries>
#include <QTest>

#include <algorithm>
#include <memory>

#include "coating_tab.h"
#include "main_window_fixture.h"
#include "workbench.h"

using fluxeta::ui::CoatingTab;
using fluxeta::ui::PointBox;
using fluxeta::ui::Workbench;
using fluxeta::ui::testing::MainWindowFixture;

namespace {

constexpr int kTimeoutMilliseconds = 120000;

// The tab's own operating point, as a file.
const QByteArray kTabPoint =
    R"({"web_speed": 5, "coating_gap": 0.17, "upstream_lip": 0.2, "downstream_lip": 0.2,
        "surface_tension": 0.03, "vacuum": [0, 300]})";

QJsonObject BatchWindow(const QString& directory) {
  QFile point(directory + QStringLiteral("/point.json"));
  if (!point.open(QIODevice::WriteOnly) || point.write(kTabPoint) != kTabPoint.size()) {
    return {};
  }
  point.close();
  QProcess batch;
  batch.setWorkingDirectory(directory);
  batch.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  batch.start(QStringLiteral(FLUXETA_BATCH),
              {QStringLiteral("--coating-window"), QStringLiteral("point.json"),
               QStringLiteral("--table"), QStringLiteral("json")});
  if (!batch.waitForFinished(kTimeoutMilliseconds) || batch.exitCode() != 0) {
    return {};
  }
  return QJsonDocument::fromJson(batch.readAllStandardOutput()).object();
}

QList<QLineSeries*> OutsideParts(QChartView& view) {
  QList<QLineSeries*> parts;
  for (QAbstractSeries* series : view.chart()->series()) {
    if (series->objectName() == QStringLiteral("OutsidePart")) {
      parts.append(qobject_cast<QLineSeries*>(series));
    }
  }
  return parts;
}

QScatterSeries* OutsideStations(QChartView& view) {
  for (QAbstractSeries* series : view.chart()->series()) {
    if (series->objectName() == QStringLiteral("OutsideStations")) {
      return qobject_cast<QScatterSeries*>(series);
    }
  }
  return nullptr;
}

}  // namespace

class CoatingTabTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    fixture_ = std::make_unique<MainWindowFixture>();
    fixture_->Form().OpenWorkbench();
    workbench_ = fixture_->Form().findChild<Workbench*>();
    workbench_->Tabs().setCurrentWidget(&workbench_->Coating());
  }
  void cleanup() {
    const QStringList failures = fixture_->watchdog.TakeFailures();
    fixture_.reset();
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QStringLiteral("; "))));
  }

  void givesTheWindowOfTheCommandLine();
  void drawsTheFedEdgeOutsideInRed();
  void holdsTheWholeWebAtAThinnerGap();
  void refusesABadOperatingPointByItsKey_data();
  void refusesABadOperatingPointByItsKey();

 private:
  std::unique_ptr<MainWindowFixture> fixture_;
  Workbench* workbench_ = nullptr;
};

void CoatingTabTest::givesTheWindowOfTheCommandLine() {
  CoatingTab& tab = workbench_->Coating();
  QVERIFY(tab.Compute());
  const QJsonObject expected = BatchWindow(fixture_->Directory());
  QVERIFY(!expected.isEmpty());
  QVERIFY(tab.Window().has_value());
  const auto& window = *tab.Window();
  QCOMPARE(QString::fromLatin1(fluxeta::coating::WebVerdictName(window.verdict)),
           expected[QStringLiteral("verdict")].toString());
  const QJsonObject figures = expected[QStringLiteral("window")].toObject();
  QCOMPARE(window.limits.lowFlow,
           figures[QStringLiteral("low_flow_thickness")][QStringLiteral("value")].toDouble());
  const QJsonArray stations = expected[QStringLiteral("stations")].toArray();
  QCOMPARE(static_cast<qsizetype>(window.stations.size()), stations.size());
  for (qsizetype k = 0; k < stations.size(); ++k) {
    const QJsonObject row = stations[k].toObject();
    QCOMPARE(window.stations[k].wetThickness, row[QStringLiteral("wet_thickness")].toDouble());
    QCOMPARE(QString::fromLatin1(fluxeta::coating::VerdictName(window.stations[k].verdict)),
             row[QStringLiteral("verdict")].toString());
  }
  QCOMPARE(tab.VerdictText(), QStringLiteral("outside: stations 1–12 low_flow by 0.00518 cm"));
  // The plane spans a decade either side of the operating speed, ends exactly.
  QCOMPARE(tab.Curves().front().webSpeed, 0.5);
  QCOMPARE(tab.Curves().back().webSpeed, 50.0);
}

void CoatingTabTest::drawsTheFedEdgeOutsideInRed() {
  CoatingTab& tab = workbench_->Coating();
  QVERIFY(tab.Compute());
  const auto& window = *tab.Window();
  // The films below the low-flow limit, from the thinnest station's up to the limit.
  const QList<QLineSeries*> parts = OutsideParts(tab.WindowChart());
  QCOMPARE(parts.size(), 1);
  QCOMPARE(parts[0]->count(), 2);
  QCOMPARE(parts[0]->at(0), QPointF(5, window.stations.front().wetThickness));
  QCOMPARE(parts[0]->at(1), QPointF(5, window.limits.lowFlow));
  QScatterSeries* outside = OutsideStations(tab.WebChart());
  QVERIFY(outside != nullptr);
  QCOMPARE(outside->count(), 12);
  QCOMPARE(outside->at(11).x(), window.stations[11].x);
}

void CoatingTabTest::holdsTheWholeWebAtAThinnerGap() {
  CoatingTab& tab = workbench_->Coating();
  tab.SetBox(PointBox::CoatingGap, QStringLiteral("0.15"));
  QVERIFY(tab.Compute());
  QVERIFY2(tab.VerdictText().startsWith(QStringLiteral("inside: one vacuum of ")),
           qPrintable(tab.VerdictText()));
  QVERIFY(OutsideParts(tab.WindowChart()).isEmpty());
  QCOMPARE(OutsideStations(tab.WebChart())->count(), 0);
}

void CoatingTabTest::refusesABadOperatingPointByItsKey_data() {
  QTest::addColumn<int>("box");
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("message");
  QTest::newRow("not a number") << static_cast<int>(PointBox::SurfaceTension)
                                << QStringLiteral("wet")
                                << QStringLiteral("surface tension (N/m): \"wet\" is not a number");
  QTest::newRow("no speed") << static_cast<int>(PointBox::WebSpeed) << QStringLiteral("0")
                            << QStringLiteral(
                                   "operating point: web_speed: must be a positive "
                                   "number (cm/s), not 0");
  QTest::newRow("negative lip") << static_cast<int>(PointBox::UpstreamLip) << QStringLiteral("-0.2")
                                << QStringLiteral("operating point: upstream_lip: ");
  QTest::newRow("vacuum reversed")
      << static_cast<int>(PointBox::LowestVacuum) << QStringLiteral("400")
      << QStringLiteral("operating point: vacuum: ");
  QTest::newRow("gap below the film")
      << static_cast<int>(PointBox::CoatingGap) << QStringLiteral("0.05")
      << QStringLiteral("operating point: coating_gap: ");
}

void CoatingTabTest::refusesABadOperatingPointByItsKey() {
  QFETCH(int, box);
  QFETCH(QString, text);
  QFETCH(QString, message);
  CoatingTab& tab = workbench_->Coating();
  tab.SetBox(static_cast<PointBox>(box), text);
  QVERIFY(!tab.Compute());
  QCOMPARE(fixture_->presenter.messages.size(), 1);
  QVERIFY2(fixture_->presenter.messages[0].startsWith(message),
           qPrintable(fixture_->presenter.messages[0]));
  QVERIFY(!tab.Window().has_value());
}

QTEST_MAIN(CoatingTabTest)
#include "test_coating_tab.moc"
