// The workbench's case panel: filled from the main window's boxes when the workbench opens
// and by "Take from Main Window"; "Apply to Main Window" sets exactly the boxes the main
// window lets the user change, with texts they show whole, and says which material values
// it could not carry over. Texts that are no value are refused in English naming the box,
// and every edit can be undone.
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <cmath>
#include <memory>

#include "case_panel.h"
#include "fluxeta/case/default_case.h"
#include "fluxeta/case/input_table.h"
#include "line_edit_room.h"
#include "locale_number_text.h"
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
  void appliesTextsTheMainWindowShowsWhole();
  void refusesTextsInEnglishNamingTheBox();
  void marksRefusedAndImplausibleBoxes();
  void refusesToApplyACaseItRefuses();
  void undoesAndRedoesEdits();

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

// Texts that fit are written as typed and read back to the same double; a value whose
// shortest text is wider than its box is rounded to what the box shows, and the status says so.
void CasePanelTest::appliesTextsTheMainWindowShowsWhole() {
  CasePanel& panel = Panel();
  const std::size_t taper = *cases::FindInput("gamma");
  const std::size_t endSlot = *cases::FindInput("Lend");
  const double longTaper = 0.9710482272839982;
  panel.SetValue(taper, longTaper);
  panel.SetValue(endSlot, 2.75);
  panel.ApplyToMainWindow();

  for (std::size_t input = 0; input < cases::kInputCount; ++input) {
    const int box = run::kInputBoxes[input];
    const QLineEdit& edit = *fixture_->Edit(box);
    QVERIFY2(edit.fontMetrics().horizontalAdvance(edit.text()) <= fluxeta::ui::TextRoom(edit),
             qPrintable(edit.text()));
    if (input != taper && run::kBoxEnabledByDesign[box - 1]) {
      QCOMPARE(fluxeta::ui::NumberOfText(edit.text(), '.'),
               fluxeta::ui::NumberOfText(panel.Edit(input).text(), '.'));
    }
  }
  QCOMPARE(fixture_->Edit(5)->text(), QStringLiteral("2.75"));
  const QString applied = fixture_->Edit(run::kInputBoxes[taper])->text();
  QVERIFY2(applied.startsWith(QStringLiteral("0.97104")) && applied.size() < 18,
           qPrintable(applied));
  QVERIFY(std::abs(applied.toDouble() - longTaper) < 1e-5);
  QVERIFY2(panel.StatusText().contains(QStringLiteral("γ ") + applied),
           qPrintable(panel.StatusText()));
  // The panel keeps the full value.
  QCOMPARE(panel.Edit(taper).text(), QStringLiteral("0.9710482272839982"));
}

void CasePanelTest::refusesTextsInEnglishNamingTheBox() {
  CasePanel& panel = Panel();
  const std::size_t gap = *cases::FindInput("H");
  panel.Edit(gap).setText(QStringLiteral("abc"));
  QVERIFY(!panel.Values().has_value());
  QCOMPARE(fixture_->presenter.messages,
           QStringList{QStringLiteral(
               "H (cm): 'abc' is not a number; write it with a point, e.g. 0.0254")});

  fixture_->presenter.Clear();
  panel.Edit(gap).setText(QStringLiteral("-0.0254"));
  panel.Edit(*cases::FindInput("gamma")).setText(QString());
  QVERIFY(!panel.Values().has_value());
  QCOMPARE(fixture_->presenter.messages,
           QStringList{QStringLiteral("γ (-): the box is empty; write a number, e.g. 0.1\n"
                                      "H (cm): -0.0254 must be above 0")});

  // A comma where the boxes read a point.
  fixture_->presenter.Clear();
  panel.Edit(gap).setText(QStringLiteral("0,0254"));
  panel.Edit(*cases::FindInput("gamma")).setText(QStringLiteral("0.2"));
  QVERIFY(!panel.Values().has_value());
  QCOMPARE(fixture_->presenter.messages,
           QStringList{QStringLiteral(
               "H (cm): '0,0254' is not a number; write it with a point, e.g. 0.0254")});
}

void CasePanelTest::marksRefusedAndImplausibleBoxes() {
  CasePanel& panel = Panel();
  QLineEdit& gap = panel.Edit(*cases::FindInput("H"));
  QLineEdit& width = panel.Edit(*cases::FindInput("W"));
  QVERIFY(panel.StatusText().isEmpty());
  gap.setText(QStringLiteral("-1"));
  width.setText(QStringLiteral("5000"));
  QCOMPARE(gap.property("problem").toString(), QStringLiteral("refused"));
  QCOMPARE(width.property("problem").toString(), QStringLiteral("implausible"));
  QVERIFY2(width.toolTip().startsWith(
               QStringLiteral("W (cm): 5000 is outside the plausible range 10 … 300")),
           qPrintable(width.toolTip()));
  QCOMPARE(panel.StatusText(), QStringLiteral("H (cm): -1 must be above 0"));
  // An implausible value is worth a word, not a refusal.
  gap.setText(QStringLiteral("0.0254"));
  QCOMPARE(gap.property("problem").toString(), QString());
  QVERIFY(panel.Values().has_value());
  QVERIFY(panel.StatusText().startsWith(QStringLiteral("W (cm): 5000 is outside")));
}

void CasePanelTest::refusesToApplyACaseItRefuses() {
  CasePanel& panel = Panel();
  const run::BoxTexts before = fixture_->Form().Boxes();
  panel.Edit(*cases::FindInput("Lend")).setText(QStringLiteral("3.25"));
  panel.Edit(*cases::FindInput("H")).setText(QStringLiteral("x"));
  panel.ApplyToMainWindow();
  QCOMPARE(fixture_->Form().Boxes().texts, before.texts);
  QCOMPARE(fixture_->presenter.messages.size(), 1);
  QVERIFY(fixture_->presenter.messages.first().startsWith(
      QStringLiteral("Nothing was applied to the main window.\nH (cm): 'x' is not a number")));
}

// Typing into one box in a row is one step; a value set by a tab is another; Ctrl+Z and
// Ctrl+Shift+Z in any box step through them.
void CasePanelTest::undoesAndRedoesEdits() {
  CasePanel& panel = Panel();
  QLineEdit& endSlot = panel.Edit(*cases::FindInput("Lend"));
  QLineEdit& gap = panel.Edit(*cases::FindInput("H"));
  QSignalSpy changed(&panel, &CasePanel::changed);
  endSlot.setFocus();
  endSlot.selectAll();
  QTest::keyClicks(&endSlot, QStringLiteral("3.5"));
  QCOMPARE(endSlot.text(), QStringLiteral("3.5"));
  panel.SetValue(*cases::FindInput("H"), 0.03);
  QCOMPARE(gap.text(), QStringLiteral("0.03"));

  QTest::keyClick(&endSlot, Qt::Key_Z, Qt::ControlModifier);
  QCOMPARE(gap.text(), QStringLiteral("0.0254"));
  QCOMPARE(endSlot.text(), QStringLiteral("3.5"));
  QTest::keyClick(&endSlot, Qt::Key_Z, Qt::ControlModifier);
  QCOMPARE(endSlot.text(), QStringLiteral("2.5"));
  QVERIFY(!panel.UndoStack().canUndo());

  QTest::keyClick(&gap, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  QCOMPARE(endSlot.text(), QStringLiteral("3.5"));
  QTest::keyClick(&gap, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  QCOMPARE(gap.text(), QStringLiteral("0.03"));
  QVERIFY(!panel.UndoStack().canRedo());
  // Every change tells the tabs: three letters typed, a value set, two steps undone, two redone.
  QCOMPARE(changed.count(), 8);

  // Undone marks go with their texts.
  gap.setText(QStringLiteral("-1"));
  QCOMPARE(gap.property("problem").toString(), QStringLiteral("refused"));
  panel.UndoStack().undo();
  QCOMPARE(gap.property("problem").toString(), QString());
}

QTEST_MAIN(CasePanelTest)
#include "test_case_panel.moc"
