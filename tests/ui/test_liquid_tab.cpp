// The workbench's Liquid tab: boxes built from the liquid models table, the flow curve drawn
// from the core's liquid, and a measured flow curve fitted by the core's fit.
#include <QFormLayout>
#include <QLabel>
#include <QTest>

#include <memory>

#include "die_tab.h"
#include "document_boxes.h"
#include "flow_curve_chart.h"
#include "fluxeta/case/liquid_models.h"
#include "fluxeta/liquids/flow_curve_fit.h"
#include "fluxeta/liquids/liquid.h"
#include "liquid_tab.h"
#include "locale_number_text.h"
#include "main_window_fixture.h"
#include "number_presentation.h"
#include "utf8_text.h"
#include "workbench.h"

using namespace fluxeta;
using ui::LiquidTab;
using ui::Workbench;
using ui::testing::MainWindowFixture;
using ui::testing::ReadFileBytes;

namespace {

const QString kSlurryCurve =
    QStringLiteral(FLUXETA_TEST_DATA "/../../examples/liquids/slurry_flow_curve.csv");

QString LabelOf(QLineEdit* box) {
  auto* form = qobject_cast<QFormLayout*>(box->parentWidget()->layout());
  auto* label = form != nullptr ? qobject_cast<QLabel*>(form->labelForField(box)) : nullptr;
  return label != nullptr ? label->text() : QString();
}

}  // namespace

class LiquidTabTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    fixture_ = std::make_unique<MainWindowFixture>();
    fixture_->Form().OpenWorkbench();
    workbench_ = fixture_->Form().findChild<Workbench*>();
    workbench_->Tabs().setCurrentWidget(&workbench_->Liquid());
  }
  void cleanup() {
    const QStringList failures = fixture_->watchdog.TakeFailures();
    fixture_.reset();
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QStringLiteral("; "))));
  }

  void boxesFollowTheModelsTableAndMarkTheirRanges();
  void curveIsTheLiquidsViscosityAndStress_data();
  void curveIsTheLiquidsViscosityAndStress();
  void fitOfAMeasuredCurveShowsTheCoreFit();
  void refusesAFlowCurveItCannotReadByItsLine();

 private:
  LiquidTab& Tab() { return workbench_->Liquid(); }

  std::unique_ptr<MainWindowFixture> fixture_;
  Workbench* workbench_ = nullptr;
};

void LiquidTabTest::boxesFollowTheModelsTableAndMarkTheirRanges() {
  for (const cases::LiquidModelSpec& model : cases::kLiquidModels) {
    Tab().SetModel(model.name);
    for (const cases::LiquidParameterSpec& parameter : model.parameters) {
      QLineEdit* box = Tab().Box("fluid." + std::string(parameter.key));
      QVERIFY2(box != nullptr, parameter.key.data());
      QCOMPARE(LabelOf(box), QStringLiteral("%1 (%2)").arg(ui::Utf8Text(parameter.symbol),
                                                           ui::Utf8Text(parameter.unit)));
    }
    // Every model starts as a liquid the die document takes.
    QString refusal;
    QVERIFY2(Tab().CheckedLiquid(&refusal).has_value(), qPrintable(refusal));
  }
  for (const cases::TemperatureLawSpec& law : cases::kTemperatureLaws) {
    Tab().SetTemperatureLaw(law.name);
    for (const cases::LiquidParameterSpec& parameter : law.parameters) {
      QVERIFY(Tab().Box("fluid.temperature." + std::string(parameter.key)) != nullptr);
    }
    QVERIFY(Tab().CheckedLiquid(nullptr).has_value());
  }
  Tab().SetTemperatureLaw("");
  QVERIFY(!Tab().DocumentState().contains("temperature"));

  Tab().SetModel("carreau-yasuda");
  // Beyond the plausible range: marked, still a liquid.
  Tab().SetBox("fluid.lambda", QStringLiteral("500"));
  QCOMPARE(ui::MarkOf(*Tab().Box("fluid.lambda")), ui::BoxMark::Implausible);
  QVERIFY(Tab().CheckedLiquid(nullptr).has_value());
  // Outside the domain, or above η0: refused by the key.
  Tab().SetBox("fluid.n", QStringLiteral("1.5"));
  QCOMPARE(ui::MarkOf(*Tab().Box("fluid.n")), ui::BoxMark::Refused);
  QString refusal;
  QVERIFY(!Tab().CheckedLiquid(&refusal));
  QVERIFY2(refusal.startsWith(QStringLiteral("fluid.n: ")), qPrintable(refusal));
  QCOMPARE(Tab().StatusText(), refusal);
  Tab().SetBox("fluid.n", QStringLiteral("0.4"));
  Tab().SetBox("fluid.eta_inf", QStringLiteral("1e6"));
  QCOMPARE(ui::MarkOf(*Tab().Box("fluid.eta_inf")), ui::BoxMark::Refused);
  QVERIFY(!Tab().CheckedLiquid(&refusal));
  QVERIFY2(refusal.startsWith(QStringLiteral("fluid.eta_inf: ")), qPrintable(refusal));
}

void LiquidTabTest::curveIsTheLiquidsViscosityAndStress_data() {
  QTest::addColumn<QString>("fluid");
  QTest::newRow("carreau-yasuda at 40 °C")
      << QStringLiteral(R"({"model": "carreau-yasuda", "eta0": 25, "eta_inf": 0.02, "lambda": 1.2,
                           "a": 1.8, "n": 0.35, "temperature": {"law": "arrhenius",
                           "activation_energy": 35000, "reference_temperature": 25,
                           "die_temperature": 40}})");
  QTest::newRow("window") << QStringLiteral(
      R"({"model": "window", "eta0": 10, "gamma0": 1, "n": 0.5, "gammacr": 50})");
  QTest::newRow("herschel-bulkley")
      << QStringLiteral(R"({"model": "herschel-bulkley", "tau_y": 20, "K": 3, "n": 0.45})");
}

void LiquidTabTest::curveIsTheLiquidsViscosityAndStress() {
  QFETCH(QString, fluid);
  const nlohmann::json document = nlohmann::json::parse(fluid.toStdString());
  Tab().SetDocumentState(document);
  Tab().RedrawNow();
  const liquids::Liquid liquid = liquids::MakeLiquid(cases::ReadLiquidDocument(document, "fluid"));
  const QLineSeries& viscosity = Tab().Chart().ViscositySeries();
  const QLineSeries& stress = Tab().Chart().StressSeries();
  // 20 points a decade over 0.01 … 10⁴ 1/s, each the liquid's own figure.
  QCOMPARE(viscosity.count(), 121);
  QCOMPARE(stress.count(), 121);
  for (const int k : {0, 37, 60, 120}) {
    const double rate = viscosity.at(k).x();
    QCOMPARE(viscosity.at(k).y(), liquid.Viscosity(rate));
    QCOMPARE(stress.at(k).y(), liquid.Stress(rate));
  }
  QCOMPARE(viscosity.at(0).x(), 0.01);
  QCOMPARE(viscosity.at(120).x(), 1e4);
  // Axes from decade to decade around the curves (a hair beyond, for the end labels).
  const QLogValueAxis& axis = Tab().Chart().ViscosityAxis();
  for (const double end : {axis.min(), axis.max()}) {
    const double decade = std::pow(10.0, std::round(std::log10(end)));
    QCOMPARE(QString::number(end, 'g', 6), QString::number(decade, 'g', 6));
  }
  QVERIFY(axis.min() <= liquid.Viscosity(1e4));
  QVERIFY(axis.max() >= liquid.Viscosity(0.01));
}

void LiquidTabTest::fitOfAMeasuredCurveShowsTheCoreFit() {
  QVERIFY(Tab().LoadMeasured(kSlurryCurve));
  const std::vector<liquids::FlowCurvePoint> points =
      liquids::ReadFlowCurveCsv(ReadFileBytes(kSlurryCurve).toStdString(), "slurry_flow_curve.csv");
  QCOMPARE(Tab().Measured().size(), points.size());
  QCOMPARE(Tab().Chart().MeasuredSeries().count(), static_cast<qsizetype>(points.size()));
  QCOMPARE(Tab().Chart().MeasuredSeries().at(3), QPointF(points[3].shearRate, points[3].viscosity));

  Tab().SetModel("carreau-yasuda");
  QVERIFY(Tab().Fit());
  const liquids::FlowCurveFit fit =
      liquids::FitFlowCurve(cases::LiquidModel::CarreauYasuda, points, "slurry_flow_curve.csv");
  const cases::LiquidModelSpec& model = cases::LiquidModelRow(cases::LiquidModel::CarreauYasuda);
  for (std::size_t k = 0; k < model.parameters.size(); ++k) {
    const std::string key = "fluid." + std::string(model.parameters[k].key);
    QCOMPARE(Tab().Box(key)->text(), ui::NumberText(fit.liquid.parameters[k], '.'));
  }
  QVERIFY2(Tab().FitText().contains(QStringLiteral("RMS relative residual %1 %")
                                        .arg(ui::ScreenNumber(100 * fit.rmsRelativeResidual, '.'))),
           qPrintable(Tab().FitText()));
  // The fitted liquid is the die's, its source said.
  const nlohmann::json state = Tab().DocumentState();
  QVERIFY(state["source"] == "fitted to slurry_flow_curve.csv");
  QVERIFY(state["eta0"] == fit.liquid.Parameter("eta0"));
  QVERIFY(workbench_->Die().DocumentState()["fluid"] == state);
}

void LiquidTabTest::refusesAFlowCurveItCannotReadByItsLine() {
  const QString path = fixture_->PathOf(QStringLiteral("bad.csv"));
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write("shear_rate,viscosity\n1,10\n10,-3\n");
  file.close();
  QVERIFY(!Tab().LoadMeasured(path));
  QCOMPARE(fixture_->presenter.messages.size(), 1);
  QVERIFY2(fixture_->presenter.messages[0].contains(QStringLiteral("bad.csv")) &&
               fixture_->presenter.messages[0].contains(QStringLiteral("3")),
           qPrintable(fixture_->presenter.messages[0]));
  QVERIFY(Tab().Measured().empty());
  QVERIFY(!Tab().Fit());
  QCOMPARE(fixture_->presenter.messages.size(), 2);
}

QTEST_MAIN(LiquidTabTest)
#include "test_liquid_tab.moc"
