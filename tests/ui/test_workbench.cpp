// The workbench window beside the main window: opened by its key or at start-up, placed so
// that it covers none of the main window on a 1366 × 768 and a 1920 × 1080 screen, never
// taking the focus, and kept where the user puts it.
#include <QApplication>
#include <QLineEdit>
#include <QScreen>
#include <QTemporaryFile>
#include <QTest>

#include <memory>

#include "case_summary.h"
#include "main_window_fixture.h"
#include "result_tab.h"
#include "start_up.h"
#include "workbench.h"

using fluxeta::ui::ResultTab;
using fluxeta::ui::Workbench;
using fluxeta::ui::testing::MainWindowFixture;

namespace {

// Two screens side by side, and window frames, as a desktop with a window manager has them.
constexpr char kScreens[] = R"({
  "windowFrameMargins": true,
  "screens": [
    {"name": "laptop", "x": 0, "y": 0, "width": 1366, "height": 768,
     "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1},
    {"name": "desktop", "x": 1366, "y": 0, "width": 1920, "height": 1080,
     "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}
  ]
})";

QScreen* ScreenNamed(const QString& name) {
  for (QScreen* screen : QGuiApplication::screens()) {
    if (screen->name() == name) {
      return screen;
    }
  }
  return nullptr;
}

void PressOpenWorkbench(QWidget* focused) {
  QTest::keyClick(focused, Qt::Key_B, Qt::ControlModifier | Qt::ShiftModifier);
}

}  // namespace

class WorkbenchTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { fixture_ = std::make_unique<MainWindowFixture>(); }
  void cleanup() {
    const QStringList failures = fixture_->watchdog.TakeFailures();
    fixture_.reset();
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QStringLiteral("; "))));
  }

  void coversNoneOfTheMainWindow_data();
  void coversNoneOfTheMainWindow();
  void keepsWhereTheUserPutsIt();
  void opensWithTheCaseOfTheBoxesBeforeAnyRun();
  void isAskedForOnTheCommandLine();

 private:
  // The main window centred on the screen, as the program first shows it.
  void CentreMainWindowOn(const QString& screenName) {
    QScreen* screen = ScreenNamed(screenName);
    QVERIFY(screen != nullptr);
    QWidget& form = fixture_->Form();
    form.move(screen->availableGeometry().center() - form.frameGeometry().center() + form.pos());
    QTRY_COMPARE(form.screen(), screen);
  }
  Workbench* TheWorkbench() const { return fixture_->Form().findChild<Workbench*>(); }

  std::unique_ptr<MainWindowFixture> fixture_;
};

void WorkbenchTest::coversNoneOfTheMainWindow_data() {
  QTest::addColumn<QString>("screen");
  QTest::addColumn<bool>("mainWindowMoves");
  QTest::addRow("1366 x 768") << QStringLiteral("laptop") << true;
  QTest::addRow("1920 x 1080") << QStringLiteral("desktop") << false;
}

void WorkbenchTest::coversNoneOfTheMainWindow() {
  QFETCH(QString, screen);
  QFETCH(bool, mainWindowMoves);
  CentreMainWindowOn(screen);
  QWidget& form = fixture_->Form();
  const QRect mainBefore = form.frameGeometry();
  QLineEdit* edit3 = fixture_->Edit(3);
  edit3->setFocus();

  PressOpenWorkbench(edit3);
  Workbench* workbench = TheWorkbench();
  QVERIFY(workbench != nullptr);
  QVERIFY(workbench->isVisible());
  QVERIFY(workbench->isWindow());
  QVERIFY(QTest::qWaitForWindowExposed(workbench));

  const QRect available = ScreenNamed(screen)->availableGeometry();
  const QRect mainFrame = form.frameGeometry();
  QVERIFY2(mainFrame != form.geometry(), "the windows must have frames for this test");
  const QRect workbenchFrame = workbench->frameGeometry();
  QVERIFY2(!workbenchFrame.intersects(mainFrame),
           qPrintable(QStringLiteral("workbench %1,%2 %3x%4 over main window %5,%6 %7x%8")
                          .arg(workbenchFrame.x())
                          .arg(workbenchFrame.y())
                          .arg(workbenchFrame.width())
                          .arg(workbenchFrame.height())
                          .arg(mainFrame.x())
                          .arg(mainFrame.y())
                          .arg(mainFrame.width())
                          .arg(mainFrame.height())));
  QVERIFY(available.contains(workbenchFrame));
  QVERIFY(available.contains(mainFrame));
  QCOMPARE(mainFrame.size(), mainBefore.size());
  QCOMPARE(mainFrame.topLeft() != mainBefore.topLeft(), mainWindowMoves);
  // The user goes on typing where he was.
  QTRY_COMPARE(QApplication::activeWindow(), &form);
  QCOMPARE(QApplication::focusWidget(), edit3);
}

void WorkbenchTest::keepsWhereTheUserPutsIt() {
  CentreMainWindowOn(QStringLiteral("laptop"));
  QWidget& form = fixture_->Form();
  PressOpenWorkbench(fixture_->Edit(1));
  Workbench* workbench = TheWorkbench();
  QVERIFY(workbench != nullptr);
  const QPoint placeOfTheUser = workbench->pos() + QPoint(-200, 20);
  const QPoint mainPlaceOfTheUser = form.pos() + QPoint(150, 0);
  workbench->move(placeOfTheUser);
  form.move(mainPlaceOfTheUser);
  workbench->close();

  // Opened again by a finished run and by the key: neither window moves.
  fixture_->Edit(fluxeta::run::kResultFileNameBox)
      ->setText(fixture_->PathOf(QStringLiteral("Result.txt")));
  QTest::mouseClick(fixture_->Button("BitBtn1"), Qt::LeftButton);
  QCOMPARE(fixture_->presenter.completions, 1);
  QVERIFY(workbench->isVisible());
  QCOMPARE(workbench->pos(), placeOfTheUser);
  workbench->close();
  PressOpenWorkbench(fixture_->Edit(1));
  QVERIFY(workbench->isVisible());
  QCOMPARE(workbench->pos(), placeOfTheUser);
  QCOMPARE(form.pos(), mainPlaceOfTheUser);
  QCOMPARE(form.findChildren<Workbench*>().size(), 1);
}

void WorkbenchTest::opensWithTheCaseOfTheBoxesBeforeAnyRun() {
  fixture_->Edit(2)->setText(QStringLiteral("0.7"));
  PressOpenWorkbench(fixture_->Edit(2));
  Workbench* workbench = TheWorkbench();
  QVERIFY(workbench != nullptr);
  const ResultTab& result = workbench->Result();
  QCOMPARE(workbench->Tabs().currentWidget(), &result);
  QVERIFY(!result.HasRun());
  QCOMPARE(result.HeadingText(), QStringLiteral("Case in the main window, not run yet\n") +
                                     fluxeta::ui::CaseLine(fixture_->Form().Boxes()));
  QVERIFY(result.HeadingText().contains(QStringLiteral(" · γ 0.7 · ")));
  QVERIFY(result.UniformityText().isEmpty());
  QVERIFY(result.TableCsv().isEmpty());
  for (const char* button : {"SavePlots", "CopyTableAsCsv", "OpenFolder"}) {
    QVERIFY(!result.findChild<QWidget*>(QString::fromLatin1(button))->isEnabled());
  }
}

void WorkbenchTest::isAskedForOnTheCommandLine() {
  QVERIFY(fluxeta::ui::ParseStartOptions({QStringLiteral("fluxeta"), QStringLiteral("--workbench")})
              .openWorkbench);
  QVERIFY(!fluxeta::ui::ParseStartOptions({QStringLiteral("fluxeta")}).openWorkbench);
}

int main(int argc, char* argv[]) {
  QTemporaryFile screens;
  if (!screens.open() || screens.write(kScreens) != qint64(sizeof kScreens - 1) ||
      !screens.flush()) {
    return 1;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(screens.fileName()));
  QApplication application(argc, argv);
  WorkbenchTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "test_workbench.moc"
