// The workbench's Die tab: boxes built from the families table, refusals that name the key,
// a solved T-die on the Result tab at the closed form's figures, documents saved as the core
// writes them, and the plan view of the outline the DXF export draws.
#include <QFile>
#include <QFormLayout>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include <cmath>
#include <memory>

#include "cavity_chart.h"
#include "deviation_chart.h"
#include "die_plan_view.h"
#include "die_tab.h"
#include "document_boxes.h"
#include "flow_curve_chart.h"
#include "fluxeta/case/die_document.h"
#include "fluxeta/case/document_error.h"
#include "fluxeta/solver/die_model.h"
#include "fluxeta/solver/die_outline.h"
#include "fluxeta/solver/die_shear_rates.h"
#include "fluxeta/solver/die_solve.h"
#include "liquid_tab.h"
#include "locale_number_text.h"
#include "main_window_fixture.h"
#include "number_presentation.h"
#include "result_tab.h"
#include "utf8_text.h"
#include "workbench.h"

using namespace fluxeta;
using ui::DieTab;
using ui::Workbench;
using ui::testing::MainWindowFixture;
using ui::testing::ReadFileBytes;

namespace {

constexpr int kSolveMilliseconds = 120000;

// The label beside a box of a form.
QString LabelOf(QLineEdit* box) {
  auto* form = qobject_cast<QFormLayout*>(box->parentWidget()->layout());
  auto* label = form != nullptr ? qobject_cast<QLabel*>(form->labelForField(box)) : nullptr;
  return label != nullptr ? label->text() : QString();
}

// The closed form of a Newtonian end-fed T-die without inertia: p₀ = 12μLQk/(H³·tanh kW),
// k² = 2H³/(3πR⁴L); in Pa for μ in Pa.s, lengths in cm and Q in cm3/s.
double ClosedFormEntrancePressure(double H, double L, double W, double mu, double Q, double R) {
  const double k = std::sqrt(2 * H * H * H / (3 * M_PI * std::pow(R, 4) * L));
  return 12 * mu * L * Q * k / (H * H * H * std::tanh(k * W));
}

}  // namespace

class DieTabTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    fixture_ = std::make_unique<MainWindowFixture>();
    fixture_->Form().OpenWorkbench();
    workbench_ = fixture_->Form().findChild<Workbench*>();
    workbench_->Tabs().setCurrentWidget(&workbench_->Die());
  }
  void cleanup() {
    const QStringList failures = fixture_->watchdog.TakeFailures();
    fixture_.reset();
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QStringLiteral("; "))));
  }

  void boxesFollowTheFamiliesTable();
  void refusedValueIsMarkedAndSolveNamesItsKey_data();
  void refusedValueIsMarkedAndSolveNamesItsKey();
  void solvedTDieShowsTheClosedFormOnTheResultTab();
  void savedDocumentIsTheCoreWritersByteForByte_data();
  void savedDocumentIsTheCoreWritersByteForByte();
  void stateKeepsTypedTextsAndRefusesAnUnknownFamily();
  void planIsTheOutlineOfTheDieAndFollowsItsValues();

 private:
  DieTab& Tab() { return workbench_->Die(); }
  bool SolveAndWait() {
    QSignalSpy finished(&Tab(), &DieTab::finished);
    return Tab().Solve() && finished.wait(kSolveMilliseconds);
  }

  std::unique_ptr<MainWindowFixture> fixture_;
  Workbench* workbench_ = nullptr;
};

void DieTabTest::boxesFollowTheFamiliesTable() {
  const auto expectBoxes = [this](std::span<const cases::DieKeySpec> keys,
                                  const std::string& path) {
    for (const cases::DieKeySpec& key : keys) {
      QLineEdit* box = Tab().Box(path + '.' + std::string(key.key));
      QVERIFY2(box != nullptr, key.key.data());
      QCOMPARE(LabelOf(box),
               QStringLiteral("%1 (%2)").arg(ui::Utf8Text(key.key), ui::Utf8Text(key.unit)));
    }
  };
  for (const cases::DieFamilySpec& family : cases::kDieFamilies) {
    Tab().SetFamily(family.name);
    expectBoxes(family.numbers, "geometry");
    for (const cases::DieProcessKeySpec& key : cases::kDieProcessKeys) {
      QVERIFY(Tab().Box(std::string(key.key)) != nullptr);
    }
    QVERIFY(Tab().Box("stations") != nullptr);
  }
  Tab().SetFamily("t-die");
  for (const cases::ManifoldShapeSpec& shape : cases::kManifoldShapes) {
    Tab().SetShape(shape.name);
    expectBoxes(shape.sizes, "geometry.manifold");
  }
  // Only the chosen shape's sizes: a teardrop's height is no circle's.
  Tab().SetShape("circle");
  QVERIFY(Tab().Box("geometry.manifold.height") == nullptr);
  Tab().SetFamily("coat-hanger");
  Tab().SetUniformDesign(true);
  expectBoxes(cases::kUniformCoatHangerKeys, "geometry");
  Tab().SetUniformDesign(false);
  QVERIFY(Tab().Box("geometry.end_land_length") == nullptr);
  QVERIFY(Tab().Box("geometry.radius") != nullptr);
  QVERIFY(Tab().Box("geometry.land_length") != nullptr);
  // Every starting die of a family is one the core reads.
  for (const cases::DieFamilySpec& family : cases::kDieFamilies) {
    if (family.family == cases::DieFamily::Profile) {
      continue;
    }
    Tab().SetFamily(family.name);
    QString refusal;
    QVERIFY2(Tab().CheckedDocument(&refusal).has_value(), qPrintable(refusal));
  }
}

void DieTabTest::refusedValueIsMarkedAndSolveNamesItsKey_data() {
  QTest::addColumn<QString>("key");
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("message");
  QTest::newRow("not a number")
      << QStringLiteral("geometry.manifold.radius") << QStringLiteral("1,0")
      << QStringLiteral(
             "The die cannot be solved: geometry.manifold.radius (cm): '1,0' is not "
             "a number; write it as 0.05");
  QTest::newRow("negative gap") << QStringLiteral("geometry.gap") << QStringLiteral("-0.05")
                                << QStringLiteral("The die cannot be solved: geometry.gap: ");
  QTest::newRow("no flow") << QStringLiteral("flow_rate") << QStringLiteral("0")
                           << QStringLiteral("The die cannot be solved: flow_rate: ");
  QTest::newRow("odd stations of a centre feed")
      << QStringLiteral("stations") << QStringLiteral("51")
      << QStringLiteral("The die cannot be solved: stations: ");
}

void DieTabTest::refusedValueIsMarkedAndSolveNamesItsKey() {
  QFETCH(QString, key);
  QFETCH(QString, text);
  QFETCH(QString, message);
  Tab().SetFeed("centre");
  Tab().SetBox(key.toStdString(), text);
  QLineEdit* box = Tab().Box(key.toStdString());
  QCOMPARE(ui::MarkOf(*box), ui::BoxMark::Refused);
  QVERIFY2(box->toolTip().startsWith(message.mid(message.indexOf(u':') + 2)),
           qPrintable(box->toolTip()));
  QVERIFY(!Tab().Solve());
  QCOMPARE(fixture_->presenter.messages.size(), 1);
  QVERIFY2(fixture_->presenter.messages[0].startsWith(message),
           qPrintable(fixture_->presenter.messages[0]));
  // Mended, the mark goes.
  Tab().SetBox(key.toStdString(),
               key == QStringLiteral("stations") ? QStringLiteral("50") : QStringLiteral("0.5"));
  QCOMPARE(ui::MarkOf(*box), ui::BoxMark::None);
  QVERIFY(Tab().StatusText().isEmpty());
}

void DieTabTest::solvedTDieShowsTheClosedFormOnTheResultTab() {
  // H 0.05 cm, L 5 cm, W 50 cm, μ 1 Pa.s, Q 10 cm3/s, R 1 cm, end-fed, without inertia.
  Tab().SetBox("density", QStringLiteral("0"));
  Tab().SetBox("stations", QStringLiteral("400"));
  QVERIFY(SolveAndWait());
  QVERIFY2(fixture_->presenter.messages.isEmpty(),
           qPrintable(fixture_->presenter.messages.join(u'\n')));
  const ui::ResultTab& result = workbench_->Result();
  QCOMPARE(workbench_->Tabs().currentWidget(), &workbench_->Result());
  QVERIFY(result.ShowsDie());
  const double closedForm = ClosedFormEntrancePressure(0.05, 5, 50, 1, 10, 1.0);
  QCOMPARE(std::round(closedForm), 96424.0);
  // Within 1e-6 of the closed form at 400 stations: the six figures on screen are its own.
  QCOMPARE(result.EntrancePressureText(), ui::ScreenPressure(closedForm, '.'));
  QCOMPARE(result.EntrancePressureText(), QStringLiteral("96.424 kPa"));

  const solver::DieSolution direct = solver::SolveDie(*Tab().CheckedDocument(nullptr));
  QCOMPARE(Tab().LastSolution()->entrancePressure, direct.entrancePressure);
  QCOMPARE(result.UniformityText(), ui::ScreenNumber(direct.uniformity, '.'));
  QVERIFY(result.HeadingText().startsWith(QStringLiteral("Die solved at ")));
  QVERIFY2(result.HeadingText().contains(QStringLiteral("400 stations\nt-die, end feed")),
           qPrintable(result.HeadingText()));
  QCOMPARE(result.Deviation().DeviationSeries().count(), 400);
  QCOMPARE(result.Cavity().PressureSeries().at(0), QPointF(0, direct.entrancePressure / 1000));
  QVERIFY(result.TableCsv().contains(QStringLiteral("station,X (cm),P (Pa)")));

  // The Liquid tab marks the shear rates of the solve.
  const solver::DieShearRates rates = solver::SeenShearRates(direct);
  const QAreaSeries& slot = workbench_->Liquid().Chart().SlotBand();
  QVERIFY(slot.isVisible());
  QCOMPARE(slot.upperSeries()->at(0).x(), rates.slot->lowest);
  QCOMPARE(slot.upperSeries()->at(1).x(), rates.slot->highest);
  QCOMPARE(workbench_->Liquid().Chart().ManifoldBand().upperSeries()->at(1).x(),
           rates.manifold->highest);
}

void DieTabTest::savedDocumentIsTheCoreWritersByteForByte_data() {
  QTest::addColumn<QString>("source");
  QTest::newRow("centre-fed T-die") << QStringLiteral(FLUXETA_TEST_DATA "/die/t_die_centre.json");
  QTest::newRow("uniform coat-hanger")
      << QStringLiteral(FLUXETA_TEST_DATA "/die/coat_hanger_uniform.json");
}

void DieTabTest::savedDocumentIsTheCoreWritersByteForByte() {
  QFETCH(QString, source);
  const std::string written = cases::DieDocumentText(
      cases::ReadDieDocument(cases::ReadDieDocumentFile(source.toStdString()), FLUXETA_TEST_DATA));
  const QString original = fixture_->PathOf(QStringLiteral("original.json"));
  QFile file(original);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(written.data(), static_cast<qint64>(written.size()));
  file.close();

  QVERIFY(Tab().Open(original));
  const QString saved = fixture_->PathOf(QStringLiteral("saved.json"));
  QVERIFY(Tab().Save(saved));
  QCOMPARE(ReadFileBytes(saved), QByteArray::fromStdString(written));
  QVERIFY(fixture_->presenter.messages.isEmpty());

  // A refused die is not written, and the file keeps what it held.
  Tab().SetBox("flow_rate", QStringLiteral("-1"));
  QVERIFY(!Tab().Save(saved));
  QCOMPARE(ReadFileBytes(saved), QByteArray::fromStdString(written));
  QVERIFY(fixture_->presenter.messages.value(0).startsWith(
      QStringLiteral("The die is not saved: flow_rate: ")));
}

void DieTabTest::stateKeepsTypedTextsAndRefusesAnUnknownFamily() {
  Tab().SetBox("geometry.land_length", QStringLiteral("five"));
  workbench_->Liquid().SetBox("fluid.viscosity", QStringLiteral("2.5"));
  const nlohmann::json state = Tab().DocumentState();
  QVERIFY(state["fluid"]["viscosity"] == 2.5);

  Tab().SetFamily("tapered");
  workbench_->Liquid().SetModel("power-law");
  Tab().SetDocumentState(state);
  QCOMPARE(Tab().Box("geometry.land_length")->text(), QStringLiteral("five"));
  QCOMPARE(ui::MarkOf(*Tab().Box("geometry.land_length")), ui::BoxMark::Refused);
  QCOMPARE(workbench_->Liquid().Box("fluid.viscosity")->text(), QStringLiteral("2.5"));
  QVERIFY(Tab().DocumentState() == state);

  nlohmann::json unknown = state;
  unknown["geometry"]["family"] = "slot";
  QVERIFY_THROWS_EXCEPTION(cases::DocumentError, Tab().SetDocumentState(unknown));
  unknown = state;
  unknown["fluid"]["model"] = "honey";
  QVERIFY_THROWS_EXCEPTION(cases::DocumentError, Tab().SetDocumentState(unknown));
  QVERIFY(Tab().DocumentState() == state);
}

void DieTabTest::planIsTheOutlineOfTheDieAndFollowsItsValues() {
  Tab().SetFamily("coat-hanger");
  Tab().SetUniformDesign(true);
  Tab().RedrawNow();
  const std::optional<ui::DiePlan>& plan = Tab().Plan().Plan();
  QVERIFY2(plan.has_value(), qPrintable(Tab().Plan().Note()));
  const solver::DieOutline outline =
      solver::SampleDieOutline(solver::DieModel(*Tab().CheckedDocument(nullptr)), 400);
  QCOMPARE(plan->outline.x, outline.x);
  QCOMPARE(plan->outline.land, outline.land);
  QCOMPARE(plan->outline.depth, outline.depth);
  // The land is longest at the feed and as given at the closed end.
  QVERIFY(plan->outline.land.front() > plan->outline.land.back());
  QCOMPARE(plan->outline.land.back(), 4.0);

  Tab().SetBox("geometry.width", QStringLiteral("80"));
  Tab().RedrawNow();
  QCOMPARE(Tab().Plan().Plan()->outline.width, 80.0);
  // Drawn to one scale: the width across the view, with its margins.
  const QImage picture = const_cast<ui::DiePlanView&>(Tab().Plan()).grab().toImage();
  QVERIFY(!picture.isNull());
  const double scale = Tab().Plan().Scale();
  QVERIFY(scale > 0);
  QVERIFY(scale * 80 <= Tab().Plan().width());

  Tab().SetBox("geometry.gap", QStringLiteral("0"));
  Tab().RedrawNow();
  QVERIFY(!Tab().Plan().Plan().has_value());
  QVERIFY2(Tab().Plan().Note().startsWith(QStringLiteral("No drawing: geometry.gap: ")),
           qPrintable(Tab().Plan().Note()));
}

QTEST_MAIN(DieTabTest)
#include "test_die_tab.moc"
