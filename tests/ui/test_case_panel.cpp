// The workbench's case panel: filled from the main window's boxes when the workbench opens
// and by "Take from Main Window"; "Apply to Main Window" sets exactly the boxes the main
// window lets the user change and says which material values it could not carry over.
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

#include "case_panel.h"
#include "fluxeta/case/default_case.h"
#include "fluxeta/case/input_table.h"
#include "main_window_fixture.h"
#include "result_tab.h"
#include "workbench.h"

using fluxeta::ui::CasePanel;
using fluxeta::ui::Workbench;
using fluxeta::ui::testing::MainWindowFixture;
namespace cases = fluxeta::cases;
namespace run = fluxeta::run;

namespace {

// A text for every input that no box holds by default: "1.5", "2.5", …
QString DistinctText(std::size_t input) {
  return QStringLiteral("%1.5").arg(input + 1);
}

}  // namespace

class CasePanelTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { fixture_ = std::make_unique<MainWindowFixture>(); }
  void cleanup() {
    const QStringList failures = fixture_->watchdog.TakeFailures();
    fixture_.reset();
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QStringLiteral("; "))));
  }

  void showsEveryInputWithItsUnitAndRange();
  void takesTheBoxesWhenTheWorkbenchOpensAndWhenAsked();
  void appliesExactlyTheEditableBoxes();
  void appliesUnchangedMaterialValuesWithoutAWord();
  void fitsTheWorkbenchAsItWasPlaced();
  void writesAndReadsNumbersWithTheSeparatorOfTheBoxes();

 private:
  CasePanel& Panel() {
    fixture_->Form().OpenWorkbench();
    return fixture_->Form().findChild<Workbench*>()->Case();
  }

  std::unique_ptr<MainWindowFixture> fixture_;
};

void CasePanelTest::showsEveryInputWithItsUnitAndRange() {
  CasePanel& panel = Panel();
  for (std::size_t input = 0; input < cases::kInputCount; ++input) {
    QLineEdit& edit = panel.Edit(input);
    QVERIFY(edit.isEnabled());
    QVERIFY2(edit.toolTip().contains(QStringLiteral("plausible")), qPrintable(edit.toolTip()));
  }
  // η0: a material value, with its unit and range.
  const QString tip = panel.Edit(9).toolTip();
  QVERIFY2(
      tip.contains(QStringLiteral("(Pa.s)")) && tip.contains(QStringLiteral("0.01 … 1000 Pa.s")),
      qPrintable(tip));
}

void CasePanelTest::takesTheBoxesWhenTheWorkbenchOpensAndWhenAsked() {
  fixture_->Edit(2)->setText(QStringLiteral("0.3"));
  CasePanel& panel = Panel();
  QCOMPARE(panel.Edit(1).text(), QStringLiteral("0.3"));
  QCOMPARE(panel.Boxes().texts, fixture_->Form().Boxes().texts);

  fixture_->Edit(5)->setText(QStringLiteral("4.25"));
  QCOMPARE(panel.Edit(4).text(), QStringLiteral("2.5"));
  panel.findChild<QPushButton*>(QStringLiteral("TakeFromMainWindow"))->click();
  QCOMPARE(panel.Edit(4).text(), QStringLiteral("4.25"));
}

void CasePanelTest::appliesExactlyTheEditableBoxes() {
  CasePanel& panel = Panel();
  const run::BoxTexts before = fixture_->Form().Boxes();
  for (std::size_t input = 0; input < cases::kInputCount; ++input) {
    panel.Edit(input).setText(DistinctText(input));
  }
  panel.findChild<QPushButton*>(QStringLiteral("ApplyToMainWindow"))->click();

  const run::BoxTexts after = fixture_->Form().Boxes();
  for (std::size_t input = 0; input < cases::kInputCount; ++input) {
    const int box = run::kInputBoxes[input];
    const std::string expected =
        run::kBoxEnabledByDesign[box - 1] ? DistinctText(input).toStdString() : before.Edit(box);
    QCOMPARE(after.Edit(box), expected);
  }
  QCOMPARE(after.Edit(run::kResultFileNameBox), before.Edit(run::kResultFileNameBox));
  QCOMPARE(fixture_->presenter.messages,
           QStringList{QStringLiteral(
               "The main window keeps these material values fixed; they were not carried over: "
               "λ = 8.5, η0 = 10.5, γ0 = 11.5, n = 12.5, γcr = 13.5")});
}

void CasePanelTest::appliesUnchangedMaterialValuesWithoutAWord() {
  CasePanel& panel = Panel();
  panel.Edit(4).setText(QStringLiteral("3.75"));
  // The same value written otherwise is no change.
  panel.Edit(9).setText(QStringLiteral("10"));
  panel.ApplyToMainWindow();
  QCOMPARE(fixture_->Edit(5)->text(), QStringLiteral("3.75"));
  QCOMPARE(fixture_->Edit(10)->text(), QStringLiteral("10.0"));
  QVERIFY(fixture_->presenter.messages.isEmpty());
}

// The panel shows beside the tabs that use it within the width the workbench may be placed at,
// the least that keeps it off the main window on a 1366 × 768 screen, and those tabs ask for
// no more height than the Result tab.
void CasePanelTest::fitsTheWorkbenchAsItWasPlaced() {
  constexpr int kLeastWorkbenchWidth = 540;
  Panel();
  Workbench* workbench = fixture_->Form().findChild<Workbench*>();
  const int resultHeight = workbench->Result().minimumSizeHint().height();
  for (int tab = 0; tab < workbench->Tabs().count(); ++tab) {
    workbench->Tabs().setCurrentIndex(tab);
    const int width = workbench->minimumSizeHint().width();
    const int height = workbench->Tabs().widget(tab)->minimumSizeHint().height();
    QVERIFY2(width <= kLeastWorkbenchWidth && height <= resultHeight,
             qPrintable(QStringLiteral("tab %1: %2 x %3").arg(tab).arg(width).arg(height)));
  }
}

// A locale that writes a decimal comma: the panel's texts are written and read with it.
void CasePanelTest::writesAndReadsNumbersWithTheSeparatorOfTheBoxes() {
  CasePanel panel(fixture_->presenter, ',', nullptr);
  QCOMPARE(panel.Edit(6).text(), QStringLiteral("0,0254"));
  panel.SetValue(4, 2.75);
  QCOMPARE(panel.Edit(4).text(), QStringLiteral("2,75"));
  const auto values = panel.Values();
  QVERIFY(values.has_value());
  QCOMPARE((*values)[4], 2.75);
  QCOMPARE((*values)[6], 0.0254);

  panel.Edit(1).setText(QStringLiteral("0.1"));
  QVERIFY(!panel.Values().has_value());
  QCOMPARE(fixture_->presenter.messages.size(), 1);
}

QTEST_MAIN(CasePanelTest)
#include "test_case_panel.moc"
