// The workbench's project file: saved and opened again byte for byte with every setting in
// place, a newer or broken file refused with the window as it was, the title's file and
// modified mark, and the question before unsaved changes are lost.
#include <QComboBox>
#include <QFile>
#include <QMenu>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include "case_panel.h"
#include "coating_tab.h"
#include "design_tab.h"
#include "die_tab.h"
#include "fluxeta/case/input_table.h"
#include "liquid_tab.h"
#include "main_window_fixture.h"
#include "project_file.h"
#include "project_keeper.h"
#include "sensitivity_tab.h"
#include "study_tab.h"
#include "workbench.h"

using fluxeta::ui::ProjectKeeper;
using fluxeta::ui::UnsavedChoice;
using fluxeta::ui::Workbench;
using fluxeta::ui::testing::MainWindowFixture;
using fluxeta::ui::testing::ReadFileBytes;
namespace cases = fluxeta::cases;

namespace {

constexpr std::size_t kGamma = 1;
constexpr std::size_t kLend = 4;
constexpr std::size_t kH = 6;

bool WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

}  // namespace

class ProjectTest : public QObject {
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

  void writesTheCaseSectionAsDocumented();
  void writesTheDieAndLiquidSectionsAsDocumented();
  void roundTripKeepsEverySettingByteForByte();
  void opensAnOlderFileWithoutSomeSectionsAsNew();
  void refusesABrokenFileAndChangesNothing_data();
  void refusesABrokenFileAndChangesNothing();
  void titleShowsTheFileAndUnsavedChanges();
  void editsOfTheDieAndLiquidAreUnsavedChanges();
  void asksBeforeUnsavedChangesAreLost();
  void remembersRecentProjects();

 private:
  ProjectKeeper& Project() { return workbench_->Project(); }
  QComboBox* Combo(const char* name) {
    return workbench_->findChild<QComboBox*>(QString::fromLatin1(name));
  }
  // A state unlike a new project's in every tab.
  void ChangeEveryTab() {
    workbench_->Case().Edit(kH).setText(QStringLiteral("0.0312"));
    workbench_->Case().Edit(kGamma).setText(QStringLiteral("0,5x"));  // kept as typed
    workbench_->Study().SetDimension(0, QStringLiteral("Lend"), QStringLiteral("2.25"),
                                     QStringLiteral("3.5"), 7);
    workbench_->Study().SetDimension(1, QStringLiteral("H"), QStringLiteral("0.02"),
                                     QStringLiteral("0.03"), 4);
    workbench_->Study().SetSearch(fluxeta::solver::Search::Window);
    workbench_->Design().SetVariable(kLend, true, QStringLiteral("2.1"), QStringLiteral("3.3"));
    workbench_->Design().SetObjective(fluxeta::design::Objective::Pressure);
    workbench_->Design().SetLimits(QStringLiteral("150000"), QStringLiteral("0.95"), QString());
    workbench_->Sensitivity().SetTolerance(kH, QStringLiteral("±0.0005"));
    workbench_->Sensitivity().SetTolerance(kLend, QStringLiteral("0.01"));
    workbench_->Coating().SetBox(fluxeta::ui::PointBox::WebSpeed, QStringLiteral("7.5"));
    workbench_->Coating().SetBox(fluxeta::ui::PointBox::HighestVacuum, QStringLiteral("450"));
    ChangeDieAndLiquid();
  }
  // A coat-hanger of tables with a table being mended, and a shifted Carreau liquid.
  void ChangeDieAndLiquid() {
    fluxeta::ui::DieTab& die = workbench_->Die();
    die.SetFamily("coat-hanger");
    die.SetUniformDesign(false);
    die.SetBox("geometry.radius", QStringLiteral("0 1.1; 50 0.55"));
    die.SetBox("geometry.land_length", QStringLiteral("0 6; 50"));  // kept as typed
    die.SetBox("flow_rate", QStringLiteral("12.5"));
    die.SetBox("description", QStringLiteral("trial B"));
    fluxeta::ui::LiquidTab& liquid = workbench_->Liquid();
    liquid.SetModel("carreau");
    liquid.SetTemperatureLaw("wlf");
    liquid.SetBox("fluid.eta0", QStringLiteral("42.5"));
    liquid.SetBox("fluid.temperature.C1", QStringLiteral("17,4"));  // kept as typed
  }

  std::unique_ptr<MainWindowFixture> fixture_;
  Workbench* workbench_ = nullptr;
};

void ProjectTest::writesTheCaseSectionAsDocumented() {
  workbench_->Case().Edit(kH).setText(QStringLiteral("0.0312"));
  workbench_->Case().Edit(kGamma).setText(QStringLiteral("abc"));
  const std::string text = fluxeta::ui::ProjectText({&workbench_->Case()});
  const QByteArray expected =
      ReadFileBytes(QStringLiteral(FLUXETA_TEST_DATA "/project/case_section.fluxeta"));
  QVERIFY(!expected.isEmpty());
  QCOMPARE(QByteArray::fromStdString(text), expected);
}

void ProjectTest::writesTheDieAndLiquidSectionsAsDocumented() {
  ChangeDieAndLiquid();
  const std::string text = fluxeta::ui::ProjectText({&workbench_->Die(), &workbench_->Liquid()});
  const QByteArray expected =
      ReadFileBytes(QStringLiteral(FLUXETA_TEST_DATA "/project/die_and_liquid_sections.fluxeta"));
  QVERIFY(!expected.isEmpty());
  QCOMPARE(QByteArray::fromStdString(text), expected);
}

void ProjectTest::roundTripKeepsEverySettingByteForByte() {
  ChangeEveryTab();
  const QString path = fixture_->PathOf(QStringLiteral("die A.fluxeta"));
  QVERIFY(Project().SaveAs(path));
  const QByteArray saved = ReadFileBytes(path);
  QCOMPARE(QByteArray::fromStdString(Project().Text()), saved);

  QVERIFY(Project().New());
  QVERIFY(QByteArray::fromStdString(Project().Text()) != saved);
  QCOMPARE(workbench_->Case().Edit(kH).text(), QStringLiteral("0.0254"));

  QVERIFY(Project().Open(path));
  QVERIFY(!Project().Modified());
  QCOMPARE(workbench_->Case().Edit(kH).text(), QStringLiteral("0.0312"));
  QCOMPARE(workbench_->Case().Edit(kGamma).text(), QStringLiteral("0,5x"));
  QCOMPARE(Combo("StudyVariable1")->currentData().toString(), QStringLiteral("Lend"));
  QCOMPARE(workbench_->findChild<QLineEdit*>(QStringLiteral("StudyFrom1"))->text(),
           QStringLiteral("2.25"));
  QCOMPARE(Combo("StudyVariable2")->currentData().toString(), QStringLiteral("H"));
  QCOMPARE(workbench_->findChild<QSpinBox*>(QStringLiteral("StudyCount2"))->value(), 4);
  QCOMPARE(Combo("StudySearch")->currentText(), QStringLiteral("window"));
  QVERIFY(workbench_->findChild<QCheckBox*>(QStringLiteral("DesignVary_Lend"))->isChecked());
  QCOMPARE(workbench_->findChild<QLineEdit*>(QStringLiteral("DesignHigh_Lend"))->text(),
           QStringLiteral("3.3"));
  QCOMPARE(Combo("DesignObjective")->currentText(), QStringLiteral("pressure"));
  QCOMPARE(workbench_->findChild<QLineEdit*>(QStringLiteral("DesignMaxPressure"))->text(),
           QStringLiteral("150000"));
  QCOMPARE(workbench_->findChild<QLineEdit*>(QStringLiteral("Tolerance_H"))->text(),
           QStringLiteral("±0.0005"));
  QCOMPARE(workbench_->findChild<QLineEdit*>(QStringLiteral("HighestVacuum"))->text(),
           QStringLiteral("450"));
  QCOMPARE(Combo("DieFamily")->currentText(), QStringLiteral("coat-hanger"));
  QCOMPARE(Combo("CoatHangerDesign")->currentText(), QStringLiteral("tables"));
  QCOMPARE(workbench_->Die().Box("geometry.radius")->text(), QStringLiteral("0 1.1; 50 0.55"));
  QCOMPARE(workbench_->Die().Box("geometry.land_length")->text(), QStringLiteral("0 6; 50"));
  QCOMPARE(workbench_->Die().Box("flow_rate")->text(), QStringLiteral("12.5"));
  QCOMPARE(workbench_->Die().Box("description")->text(), QStringLiteral("trial B"));
  QCOMPARE(Combo("LiquidModel")->currentText(), QStringLiteral("carreau"));
  QCOMPARE(Combo("TemperatureLaw")->currentText(), QStringLiteral("wlf"));
  QCOMPARE(workbench_->Liquid().Box("fluid.eta0")->text(), QStringLiteral("42.5"));
  QCOMPARE(workbench_->Liquid().Box("fluid.temperature.C1")->text(), QStringLiteral("17,4"));

  const QString again = fixture_->PathOf(QStringLiteral("again.fluxeta"));
  QVERIFY(Project().SaveAs(again));
  QCOMPARE(ReadFileBytes(again), saved);
}

void ProjectTest::opensAnOlderFileWithoutSomeSectionsAsNew() {
  const std::string fresh = Project().Text();
  const QString path = fixture_->PathOf(QStringLiteral("case only.fluxeta"));
  QVERIFY(WriteFile(path, QByteArray(R"({"format": "fluxeta-project", "version": 1})")));
  ChangeEveryTab();
  fixture_->presenter.unsavedChoices.push_back(UnsavedChoice::Discard);
  QVERIFY(Project().Open(path));
  // Without a case section the case is the main window's, as in a new project.
  QCOMPARE(Project().Text(), fresh);
}

void ProjectTest::refusesABrokenFileAndChangesNothing_data() {
  QTest::addColumn<QByteArray>("file");
  QTest::addColumn<QString>("reason");
  const QByteArray good = R"("format": "fluxeta-project", "version": 1)";
  QTest::newRow("cut short") << QByteArray(R"({"format": "fluxeta-project", "vers)")
                             << QStringLiteral("not JSON");
  QTest::newRow("empty") << QByteArray() << QStringLiteral("not JSON");
  QTest::newRow("another JSON file")
      << QByteArray(R"({"geometry": {}})") << QStringLiteral("not a Fluxeta project");
  QTest::newRow("newer version")
      << QByteArray(R"({"format": "fluxeta-project", "version": 2, "case": 7})")
      << QStringLiteral("newer Fluxeta (project version 2); this one reads version 1");
  QTest::newRow("version as text") << QByteArray(R"({"format": "fluxeta-project", "version": "1"})")
                                   << QStringLiteral("version: must be a whole number");
  QTest::newRow("unknown section")
      << "{" + good + R"(, "plots": {}})" << QStringLiteral("plots: unknown key");
  // A good case section is not put in place when a later section is refused.
  QTest::newRow("a count no study has")
      << "{" + good + R"(, "case": {"inputs": {"Ain": 3, "gamma": 0.4, "Pein": 0, "Lin": 0,
         "Lend": 2.5, "W": 100, "H": 0.04, "lambda": 1, "alpha": 1, "eta0": 1, "gamma0": 1,
         "n": 1, "gammacr": 1, "rho": 1, "Qin": 1}},
         "study": {"outer": {"input": "gamma", "from": 0, "to": 1, "count": 0},
                   "inner": {"input": "", "from": 0, "to": 1, "count": 1},
                   "search": "robust"}})"
      << QStringLiteral("study.outer.count: must be a whole number from 1 to");
  QTest::newRow("an input no study has")
      << "{" + good + R"(, "study": {"outer": {"input": "width", "from": 0, "to": 1,
         "count": 3}, "inner": {"input": "", "from": 0, "to": 1, "count": 1},
         "search": "robust"}})"
      << QStringLiteral("study.outer.input: must be one of 'Ain', 'gamma'");
  QTest::newRow("a missing input")
      << "{" + good + R"(, "case": {"inputs": {"Ain": 3}}})" << QStringLiteral("case.inputs.gamma");
  QTest::newRow("a die family that does not exist")
      << "{" + good + R"(, "die": {"geometry": {"family": "fishtail"}}})"
      << QStringLiteral("die.geometry.family: unknown die family \"fishtail\"");
  const QByteArray tDie = R"("geometry": {"family": "t-die", "feed": "end", "width": 50,
      "land_length": 5, "gap": 0.05, "manifold": {"shape": "circle", "radius": 1}},
      "flow_rate": 10, "density": 1, "inertia_factor": 1.3, "friction_factor": 16,
      "stations": 50)";
  QTest::newRow("a die feed that does not exist")
      << "{" + good + R"(, "die": {)" + QByteArray(tDie).replace(R"("end")", R"("side")") + "}}"
      << QStringLiteral("die.geometry.feed: must be \"end\" or \"centre\", not \"side\"");
  QTest::newRow("a die box as a list")
      << "{" + good + R"(, "die": {)" + QByteArray(tDie).replace("0.05", "[0.05]") + "}}"
      << QStringLiteral("die.geometry.gap: must be a number, or the box's text");
  QTest::newRow("a die box missing")
      << "{" + good + R"(, "die": {)" + QByteArray(tDie).replace(R"("gap": 0.05,)", "") + "}}"
      << QStringLiteral("die.geometry.gap: missing");
  QTest::newRow("a size of another manifold")
      << "{" + good + R"(, "die": {)" + QByteArray(tDie).replace(R"("radius")", R"("side")") + "}}"
      << QStringLiteral("die.geometry.manifold.side: unknown key");
  QTest::newRow("the liquid inside the die")
      << "{" + good + R"(, "die": {)" + tDie +
             R"(, "fluid": {"model": "newtonian", "viscosity": 1}}})"
      << QStringLiteral("die.fluid: unknown key");
  QTest::newRow("a table of a coat-hanger of the uniform design")
      << "{" + good + R"(, "die": {"geometry": {"family": "coat-hanger", "feed": "end",
         "design": "uniform", "width": 50, "gap": 0.05, "end_land_length": 4,
         "min_radius": 0.075, "radius": [[0, 1], [50, 0.5]]}}})"
      << QStringLiteral("die.geometry.radius: unknown key");
  QTest::newRow("a liquid model that does not exist")
      << "{" + good + R"(, "liquid": {"model": "honey", "viscosity": 1}})"
      << QStringLiteral("liquid.model: unknown liquid model \"honey\"");
  QTest::newRow("a parameter of another model")
      << "{" + good + R"(, "liquid": {"model": "newtonian", "viscosity": 1, "n": 0.5}})"
      << QStringLiteral("liquid.n: unknown key");
  QTest::newRow("a temperature law without its constants")
      << "{" + good + R"(, "liquid": {"model": "newtonian", "viscosity": 1,
         "temperature": {"law": "wlf"}}})"
      << QStringLiteral("liquid.temperature.C1: missing");
  QTest::newRow("a tick as a number")
      << "{" + good + R"(, "design": {"variables": {"Ain": {"vary": 1}}}})"
      << QStringLiteral("design.variables.Ain.vary: must be true or false");
}

void ProjectTest::refusesABrokenFileAndChangesNothing() {
  QFETCH(QByteArray, file);
  QFETCH(QString, reason);
  ChangeEveryTab();
  const QString kept = fixture_->PathOf(QStringLiteral("kept.fluxeta"));
  QVERIFY(Project().SaveAs(kept));
  workbench_->Case().Edit(kLend).setText(QStringLiteral("2.75"));  // unsaved, and kept so
  const std::string before = Project().Text();
  const QString title = workbench_->windowTitle();

  const QString path = fixture_->PathOf(QStringLiteral("broken.fluxeta"));
  QVERIFY(WriteFile(path, file));
  fixture_->presenter.unsavedChoices.push_back(UnsavedChoice::Discard);
  QVERIFY(!Project().Open(path));
  QCOMPARE(fixture_->presenter.messages.size(), 1);
  const QString message = fixture_->presenter.messages.first();
  QVERIFY2(message.contains(path) && message.contains(reason) &&
               message.endsWith(QStringLiteral("The workbench is as it was.")),
           qPrintable(message));
  QCOMPARE(Project().Text(), before);
  QCOMPARE(Project().Path(), kept);
  QCOMPARE(workbench_->windowTitle(), title);
  QVERIFY(workbench_->isWindowModified());
  QCOMPARE(ReadFileBytes(path), file);
}

void ProjectTest::titleShowsTheFileAndUnsavedChanges() {
  QCOMPARE(workbench_->windowTitle(), QStringLiteral("untitled[*] — Workbench"));
  QVERIFY(!workbench_->isWindowModified());
  workbench_->Study().SetDimension(0, QStringLiteral("W"), QStringLiteral("90"),
                                   QStringLiteral("110"), 3);
  QVERIFY(workbench_->isWindowModified());
  QVERIFY(Project().SaveAs(fixture_->PathOf(QStringLiteral("wide.fluxeta"))));
  QCOMPARE(workbench_->windowTitle(), QStringLiteral("wide.fluxeta[*] — Workbench"));
  QVERIFY(!workbench_->isWindowModified());
  // A change and its undoing: the project is as saved again.
  QLineEdit& h = workbench_->Case().Edit(kH);
  const QString saved = h.text();
  h.setText(QStringLiteral("0.03"));
  QVERIFY(workbench_->isWindowModified());
  h.setText(saved);
  QVERIFY(!workbench_->isWindowModified());
  // Exports are suggested beside the project.
  QCOMPARE(workbench_->property(fluxeta::ui::kProjectFolderProperty).toString(),
           fixture_->Directory());
}

void ProjectTest::editsOfTheDieAndLiquidAreUnsavedChanges() {
  QVERIFY(Project().SaveAs(fixture_->PathOf(QStringLiteral("die.fluxeta"))));
  QVERIFY(!workbench_->isWindowModified());
  QLineEdit& gap = *workbench_->Die().Box("geometry.gap");
  gap.selectAll();
  QTest::keyClicks(&gap, QStringLiteral("0.06"));
  QVERIFY(workbench_->isWindowModified());
  QVERIFY(Project().Save());
  Combo("ManifoldShape")->setCurrentIndex(1);
  QVERIFY(workbench_->isWindowModified());
  QVERIFY(Project().Save());
  QLineEdit& viscosity = *workbench_->Liquid().Box("fluid.viscosity");
  viscosity.selectAll();
  QTest::keyClicks(&viscosity, QStringLiteral("2"));
  QVERIFY(workbench_->isWindowModified());
  QVERIFY(Project().Save());
  Combo("TemperatureLaw")->setCurrentIndex(1);
  QVERIFY(workbench_->isWindowModified());
}

void ProjectTest::asksBeforeUnsavedChangesAreLost() {
  auto& presenter = fixture_->presenter;
  // Nothing changed: nothing to ask.
  QVERIFY(Project().New());
  QVERIFY(presenter.questions.isEmpty());

  workbench_->Sensitivity().SetTolerance(kH, QStringLiteral("±1%"));
  const std::string changed = Project().Text();
  presenter.unsavedChoices.push_back(UnsavedChoice::Cancel);
  QVERIFY(!Project().New());
  QCOMPARE(presenter.questions.size(), 1);
  QVERIFY(presenter.questions.first().contains(QStringLiteral("not saved")));
  QCOMPARE(Project().Text(), changed);

  // Closing the program asks too, and Cancel keeps it open.
  presenter.unsavedChoices.push_back(UnsavedChoice::Cancel);
  QVERIFY(!fixture_->Form().close());
  QCOMPARE(presenter.questions.size(), 2);
  QCOMPARE(Project().Text(), changed);

  // Save on a new project asks where; cancelling that keeps everything.
  presenter.unsavedChoices.push_back(UnsavedChoice::Save);
  QVERIFY(!Project().New());
  QCOMPARE(presenter.saveCaptions.size(), 1);
  QCOMPARE(presenter.suggestedPaths.first(), fixture_->PathOf(QStringLiteral("project.fluxeta")));
  QCOMPARE(Project().Text(), changed);

  // Save into a chosen name without its extension: written, then the new project.
  const QString path = fixture_->PathOf(QStringLiteral("tolerance"));
  presenter.unsavedChoices.push_back(UnsavedChoice::Save);
  presenter.savePaths.push_back(path);
  QVERIFY(Project().New());
  QCOMPARE(ReadFileBytes(path + QStringLiteral(".fluxeta")), QByteArray::fromStdString(changed));
  QVERIFY(Project().Path().isEmpty());
  QVERIFY(Project().Text() != changed);

  // Discard: the changes go.
  workbench_->Coating().SetBox(fluxeta::ui::PointBox::WebSpeed, QStringLiteral("9"));
  presenter.unsavedChoices.push_back(UnsavedChoice::Discard);
  QVERIFY(Project().New());
  QCOMPARE(workbench_->findChild<QLineEdit*>(QStringLiteral("WebSpeed"))->text(),
           QStringLiteral("5"));
  QCOMPARE(presenter.questions.size(), 5);
}

void ProjectTest::remembersRecentProjects() {
  const QString first = fixture_->PathOf(QStringLiteral("first.fluxeta"));
  const QString second = fixture_->PathOf(QStringLiteral("second.fluxeta"));
  QVERIFY(Project().SaveAs(first));
  QVERIFY(Project().SaveAs(second));
  QVERIFY(Project().Open(first));
  QCOMPARE(Project().RecentProjects().mid(0, 2), (QStringList{first, second}));
  auto* recent = workbench_->findChild<QMenu*>(QStringLiteral("RecentProjects"));
  QVERIFY(recent != nullptr);
  QVERIFY(recent->isEnabled());
  QCOMPARE(recent->actions().value(1)->text(), second);
  recent->actions().value(1)->trigger();
  QCOMPARE(Project().Path(), second);
}

QTEST_MAIN(ProjectTest)
#include "test_project.moc"
