// The main window as laid out: every control's place, size, caption, typeface, colour,
// enabled state and focus behaviour, and how the layout answers resizing.
#include <QApplication>
#include <QComboBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <map>
#include <memory>
#include <set>

#include "bevel_panel.h"
#include "main_window_fixture.h"

using fluxeta::ui::Bevel;
using fluxeta::ui::BevelPanel;
using fluxeta::ui::testing::MainWindowFixture;

namespace {

const QColor kBlue(Qt::blue);
const QColor kRed(Qt::red);
const QColor kBlack(Qt::black);

// Controls placed directly on the window's client area.
struct WindowControl {
  const char* name;
  QRect geometry;
};
const WindowControl kWindowControls[] = {
    {"GroupBox1", {16, 216, 321, 137}},
    {"GroupBox5", {16, 360, 321, 57}},
    {"GroupBox3", {16, 424, 321, 105}},
    {"GroupBox2", {352, 220, 321, 45}},
    {"GroupBox4", {512, 272, 161, 49}},
    {"Panel1", {32, 8, 409, 201}},
    {"BitBtn1", {504, 24, 130, 49}},
    {"BitBtn2", {504, 96, 130, 49}},
    {"BitBtn3", {504, 168, 130, 33}},
    {"DriveComboBox1", {352, 296, 137, 19}},
    {"DirectoryListBox1", {352, 336, 145, 185}},
    {"FileListBox1", {512, 336, 161, 185}},
};

struct CaseRow {
  const char* group;
  const char* label;
  const char* text;
  QPoint labelAt;
  int box;
  int editTop;
  const char* defaultText;
  bool enabled;
};
const CaseRow kCaseRows[] = {
    {"GroupBox1",
     "Label1",
     "Entrance cross sectional area   Ain (cm2)",
     {16, 16},
     1,
     16,
     "3.0",
     true},
    {"GroupBox1", "Label2", "Cavity taper factor   γ (-)", {16, 32}, 2, 32, "0.1", true},
    {"GroupBox1", "Label3", "Entrance cavity perimeter   Pein (cm)", {16, 48}, 3, 48, "6.14", true},
    {"GroupBox1", "Label4", "Entrance slot length   Lin (cm)", {16, 64}, 4, 64, "3.0", true},
    {"GroupBox1", "Label5", "End slot length   Lend (cm)", {16, 80}, 5, 80, "2.5", true},
    {"GroupBox1", "Label14", "Die width   W (cm)", {16, 96}, 6, 96, "66.0", true},
    {"GroupBox1", "Label15", "Slot gap   H (cm)", {16, 112}, 7, 112, "0.0254", true},
    {"GroupBox5",
     "Label6",
     "Shape factor for viscous friction   λ (-)",
     {16, 16},
     8,
     16,
     "16.0",
     false},
    {"GroupBox5", "Label12", "Shape factor for inertia   α (-)", {16, 32}, 9, 32, "1.3", true},
    {"GroupBox3", "Label9", "Reference viscosity   η0 (Pa.s)", {8, 16}, 10, 16, "10.0", false},
    {"GroupBox3", "Label10", "Reference shear rate   γ0 (1/s)", {8, 32}, 11, 32, "1.0", false},
    {"GroupBox3", "Label11", "Power-law index   n (-)", {8, 48}, 12, 48, "0.5", false},
    {"GroupBox3", "Label13", "Critical shear rate   γcr (1/s)", {8, 64}, 16, 64, "50.0", false},
    {"GroupBox3", "Label16", "Density   ρ  (g/cm3)", {8, 80}, 13, 81, "1.2", true},
    {"GroupBox2", "Label7", "Initial flow rate   Qin (cm3/s)", {16, 16}, 14, 16, "33.0", true},
};

bool IsTahoma(const QWidget& widget, int pixelSize) {
  return widget.font().family() == QStringLiteral("Tahoma") &&
         QFontInfo(widget.font()).family() == QStringLiteral("Tahoma") &&
         widget.font().pixelSize() == pixelSize;
}

QColor TextColour(const QWidget& widget, QPalette::ColorRole role) {
  return widget.palette().color(QPalette::Active, role);
}

}  // namespace

class MainWindowLayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { fixture_ = std::make_unique<MainWindowFixture>(); }
  void cleanup() {
    const QStringList failures = fixture_->watchdog.TakeFailures();
    fixture_.reset();
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QStringLiteral("; "))));
  }

  void windowHasItsCaptionSizeAndIcon() {
    QCOMPARE(fixture_->Form().windowTitle(), QStringLiteral("Horizontal Slot Die"));
    QCOMPARE(fixture_->Form().size(), QSize(689, 541));
    QVERIFY(!fixture_->Form().windowIcon().isNull());
    QVERIFY(IsTahoma(fixture_->Form(), 11));
  }

  void controlsOnTheWindowAreWhereDesigned() {
    QWidget* client = fixture_->Find("GroupBox1")->parentWidget();
    for (const WindowControl& control : kWindowControls) {
      QWidget* widget = fixture_->Find(control.name);
      QVERIFY2(widget != nullptr, control.name);
      QCOMPARE(widget->parentWidget(), client);
      QVERIFY2(widget->geometry() == control.geometry, control.name);
    }
  }

  void groupBoxesHaveTheirCaptionsAndColours() {
    const std::map<std::string, std::pair<QString, QColor>> captions = {
        {"GroupBox1", {QStringLiteral("Die Shape"), kBlue}},
        {"GroupBox5", {QStringLiteral("Shape Factors"), kBlue}},
        {"GroupBox3", {QStringLiteral("Material Properties"), kBlue}},
        {"GroupBox2", {QStringLiteral("Operating Condition"), kBlue}},
        {"GroupBox4", {QStringLiteral("Save File Name"), kRed}},
    };
    for (const auto& [name, caption] : captions) {
      auto* group = fixture_->Find<QGroupBox>(name.c_str());
      QCOMPARE(group->title(), caption.first);
      QCOMPARE(TextColour(*group, QPalette::WindowText), caption.second);
      QVERIFY(IsTahoma(*group, 11));
    }
  }

  void labelsAndBoxesAreWhereDesignedWithTheirDefaults() {
    for (const CaseRow& row : kCaseRows) {
      auto* group = fixture_->Find<QGroupBox>(row.group);
      auto* label = fixture_->Find<QLabel>(row.label);
      QLineEdit* edit = fixture_->Edit(row.box);
      QVERIFY2(label != nullptr && edit != nullptr, row.label);
      QCOMPARE(label->parentWidget(), group);
      QCOMPARE(edit->parentWidget(), group);
      QCOMPARE(label->text(), QString::fromUtf8(row.text));
      // Sized to its text, 13 pixels high.
      const int textWidth = QFontMetrics(label->font()).horizontalAdvance(label->text());
      QCOMPARE(label->geometry(), QRect(row.labelAt, QSize(textWidth, 13)));
      QVERIFY(IsTahoma(*label, 11));
      QCOMPARE(TextColour(*label, QPalette::WindowText), kBlack);

      QCOMPARE(edit->geometry(), QRect(240, row.editTop, 65, 21));
      QCOMPARE(edit->text(), QString::fromLatin1(row.defaultText));
      QCOMPARE(edit->isEnabled(), row.enabled);
      QVERIFY(IsTahoma(*edit, 11));
      QCOMPARE(TextColour(*edit, QPalette::Text), kBlack);
    }
  }

  void resultFileNameBoxSitsInItsGroup() {
    QLineEdit* edit15 = fixture_->Edit(15);
    QCOMPARE(edit15->parentWidget(), fixture_->Find("GroupBox4"));
    QCOMPARE(edit15->geometry(), QRect(24, 20, 113, 21));
    QCOMPARE(edit15->text(), QStringLiteral("Result.txt"));
    QVERIFY(edit15->isEnabled());
  }

  void buttonsHaveTheirCaptionsGlyphsAndFonts() {
    QPushButton* ok = fixture_->Button("BitBtn1");
    QPushButton* close = fixture_->Button("BitBtn2");
    QPushButton* readDataFile = fixture_->Button("BitBtn3");
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    QCOMPARE(close->text(), QStringLiteral("Close(&C)"));
    QCOMPARE(readDataFile->text(), QStringLiteral("Read Data File"));
    QVERIFY(!ok->icon().isNull());
    QVERIFY(!close->icon().isNull());
    QVERIFY(readDataFile->icon().isNull());
    for (QPushButton* button : {ok, close, readDataFile}) {
      QVERIFY(IsTahoma(*button, 15));
    }
    QCOMPARE(TextColour(*readDataFile, QPalette::ButtonText), kRed);
    QCOMPARE(TextColour(*ok, QPalette::ButtonText),
             fixture_->Form().palette().color(QPalette::Active, QPalette::ButtonText));
  }

  void dieDrawingIsShownUnscaledAndClipped() {
    auto* panel = fixture_->Find<BevelPanel>("Panel1");
    QCOMPARE(panel->OuterBevel(), Bevel::Raised);
    QCOMPARE(panel->InnerBevel(), Bevel::Lowered);
    auto* image = fixture_->Find<QLabel>("Image1");
    QCOMPARE(image->parentWidget(), panel);
    QCOMPARE(image->geometry(), QRect(2, 2, 405, 197));
    QCOMPARE(image->pixmap().size(), QSize(408, 203));
    QVERIFY(!image->hasScaledContents());
    QCOMPARE(image->alignment(), Qt::AlignLeft | Qt::AlignTop);
  }

  void focusStartsInEdit1AndTabVisitsTheEnabledBoxes() {
    QTRY_COMPARE(QApplication::focusWidget(), fixture_->Edit(1));
    const int tabVisits[] = {2, 3, 4, 5, 6, 7, 9, 13, 14, 15, 1, 2};
    for (const int box : tabVisits) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget(), fixture_->Edit(box));
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), fixture_->Edit(1));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), fixture_->Edit(15));
  }

  void onlyTheEnabledBoxesAreTabStops() {
    for (QWidget* widget : fixture_->Form().findChildren<QWidget*>()) {
      if (widget->objectName().isEmpty()) {
        continue;  // the parts of a control
      }
      const bool isBox = qobject_cast<QLineEdit*>(widget) != nullptr &&
                         qobject_cast<QComboBox*>(widget->parentWidget()) == nullptr;
      const bool tabStop = (widget->focusPolicy() & Qt::TabFocus) != 0;
      QVERIFY2(tabStop == isBox, qPrintable(widget->objectName()));
    }
    // Buttons and views take the focus when clicked.
    for (const char* name :
         {"BitBtn1", "BitBtn2", "BitBtn3", "DriveComboBox1", "DirectoryListBox1", "FileListBox1"}) {
      QCOMPARE(fixture_->Find(name)->focusPolicy(), Qt::ClickFocus);
    }
  }

  void widerAndTallerWindowGrowsOnlyTheAnchoredControls() {
    const std::map<QWidget*, QRect> before = Geometries();
    constexpr int kWider = 120;
    constexpr int kTaller = 70;
    fixture_->Form().resize(689 + kWider, 541 + kTaller);
    QTRY_COMPARE(fixture_->Find("FileListBox1")->geometry(),
                 QRect(512, 336, 161 + kWider, 185 + kTaller));
    QCOMPARE(fixture_->Find("DirectoryListBox1")->geometry(), QRect(352, 336, 145, 185 + kTaller));
    QCOMPARE(fixture_->Find("GroupBox4")->geometry(), QRect(512, 272, 161 + kWider, 49));
    QCOMPARE(fixture_->Edit(15)->geometry(), QRect(24, 20, 113 + kWider, 21));
    const std::set<QString> anchored = {"FileListBox1", "DirectoryListBox1", "GroupBox4", "Edit15"};
    for (const auto& [widget, geometry] : before) {
      if (anchored.count(widget->objectName()) == 0) {
        QVERIFY2(widget->geometry() == geometry, qPrintable(widget->objectName()));
      }
    }
    QVERIFY(!ScrollBarShown(Qt::Horizontal));
    QVERIFY(!ScrollBarShown(Qt::Vertical));

    fixture_->Form().resize(689, 541);
    QTRY_COMPARE(fixture_->Find("FileListBox1")->geometry(), QRect(512, 336, 161, 185));
  }

  void smallerWindowScrolls() {
    QVERIFY(!ScrollBarShown(Qt::Horizontal));
    QVERIFY(!ScrollBarShown(Qt::Vertical));
    // Narrower than GroupBox2's right edge: the content scrolls sideways.
    fixture_->Form().resize(650, 600);
    QTRY_VERIFY(ScrollBarShown(Qt::Horizontal) && !ScrollBarShown(Qt::Vertical));
    // Lower than GroupBox3's bottom edge: it scrolls up and down.
    fixture_->Form().resize(720, 500);
    QTRY_VERIFY(ScrollBarShown(Qt::Vertical) && !ScrollBarShown(Qt::Horizontal));
    fixture_->Form().resize(600, 470);
    QTRY_VERIFY(ScrollBarShown(Qt::Vertical) && ScrollBarShown(Qt::Horizontal));
    // Down to 673 × 529 every control keeps its place; the anchored ones shrink.
    QCOMPARE(fixture_->Find("GroupBox2")->geometry(), QRect(352, 220, 321, 45));
    QCOMPARE(fixture_->Find("FileListBox1")->geometry(), QRect(512, 336, 161 - 16, 185 - 12));
  }

  void enterOnAFocusedButtonPressesThatButton() {
    // Read Data File opens the open-file dialog; cancelling it shows its message.
    fixture_->watchdog.ExpectModal(
        [](QWidget* dialog) { fluxeta::ui::testing::CloseModal(dialog); });
    QPushButton* readDataFile = fixture_->Button("BitBtn3");
    readDataFile->setFocus();
    QTest::keyClick(readDataFile, Qt::Key_Return);
    QCOMPARE(fixture_->presenter.messages,
             QStringList{QStringLiteral("Select one data file! Please try again.")});
    QCOMPARE(fixture_->presenter.completions, 0);
  }

  void altCClosesTheWindow() {
    QSignalSpy clicked(fixture_->Button("BitBtn2"), &QPushButton::clicked);
    QTest::keyClick(fixture_->Edit(4), Qt::Key_C, Qt::AltModifier);
    QTRY_COMPARE(clicked.count(), 1);
    QTRY_VERIFY(!fixture_->Form().isVisible());
    QVERIFY(fixture_->presenter.messages.isEmpty());
  }

 private:
  std::map<QWidget*, QRect> Geometries() const {
    std::map<QWidget*, QRect> geometries;
    for (QWidget* widget : fixture_->Find("GroupBox1")->parentWidget()->findChildren<QWidget*>()) {
      if (!widget->objectName().isEmpty() && !widget->objectName().startsWith(u"qt_")) {
        geometries[widget] = widget->geometry();
      }
    }
    return geometries;
  }

  bool ScrollBarShown(Qt::Orientation orientation) const {
    auto* area = fixture_->Form().findChild<QScrollArea*>();
    QScrollBar* bar =
        orientation == Qt::Horizontal ? area->horizontalScrollBar() : area->verticalScrollBar();
    return bar->isVisible();
  }

  std::unique_ptr<MainWindowFixture> fixture_;
};

QTEST_MAIN(MainWindowLayoutTest)
#include "test_main_window_layout.moc"
