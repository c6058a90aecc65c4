// Where the workbench opens beside the main window, for the screens users have: it covers
// none of the main window from 1366 × 768 up, moving the main window only when nothing else
// keeps it uncovered.
#include <QRect>
#include <QTest>

#include <optional>

#include "window_placement.h"

using fluxeta::ui::Placement;
using fluxeta::ui::PlacementBeside;

namespace {

// The workbench's outer size as it first asks for it and the least it makes do with, and the
// main window's outer size, each with a frame of 8 px at the sides and 29 px at the top.
constexpr QSize kWanted(656, 717);
constexpr QSize kLeast(556, 597);
constexpr QSize kMainFrame(705, 578);

// The main window centred on the usable area, as the program first shows it.
QRect Centred(const QRect& available) {
  return QRect(QPoint(available.left() + (available.width() - kMainFrame.width()) / 2,
                      available.top() + (available.height() - kMainFrame.height()) / 2),
               kMainFrame);
}

}  // namespace

Q_DECLARE_METATYPE(std::optional<QPoint>)

class WindowPlacementTest : public QObject {
  Q_OBJECT

 private slots:
  void placesBesideTheMainWindow_data();
  void placesBesideTheMainWindow();
};

void WindowPlacementTest::placesBesideTheMainWindow_data() {
  QTest::addColumn<QRect>("available");
  QTest::addColumn<QRect>("mainFrame");
  QTest::addColumn<QRect>("workbench");
  QTest::addColumn<std::optional<QPoint>>("mainMovesTo");
  QTest::addColumn<bool>("mayCover");

  // A 40 px panel at the bottom of 1366 × 768: 322 px free on either side, so the main
  // window goes to the left edge (the shorter move) and the workbench fills the rest.
  const QRect laptop(0, 0, 1366, 728);
  QTest::addRow("1366 x 768, centred") << laptop << Centred(laptop) << QRect(713, 11, 653, 717)
                                       << std::optional<QPoint>(QPoint(0, 75)) << false;
  // Nearer the left edge than the right: moving right is shorter.
  QTest::addRow("1366 x 768, right of centre")
      << laptop << QRect(QPoint(340, 75), kMainFrame) << QRect(0, 11, 653, 717)
      << std::optional<QPoint>(QPoint(661, 75)) << false;
  // 600 px free on the right: narrower than asked, and the main window stays.
  const QRect fullHd(0, 0, 1920, 1040);
  QTest::addRow("1920 x 1080, centred") << fullHd << Centred(fullHd) << QRect(1320, 231, 600, 717)
                                        << std::optional<QPoint>() << false;
  QTest::addRow("1920 x 1080 with a top bar")
      << QRect(0, 27, 1920, 1053) << Centred(QRect(0, 27, 1920, 1053)) << QRect(1320, 264, 600, 717)
      << std::optional<QPoint>() << false;
  QTest::addRow("1920 x 1080, room on the left only")
      << fullHd << QRect(QPoint(1100, 50), kMainFrame) << QRect(436, 50, 656, 717)
      << std::optional<QPoint>() << false;
  const QRect large(0, 0, 2560, 1400);
  QTest::addRow("2560 x 1440, centred")
      << large << Centred(large) << QRect(1640, 411, 656, 717) << std::optional<QPoint>() << false;
  // The main window on a second screen right of a first one of 1920 px.
  const QRect second(1920, 0, 1366, 728);
  QTest::addRow("second screen of 1366 x 768")
      << second << Centred(second) << QRect(2633, 11, 653, 717)
      << std::optional<QPoint>(QPoint(1920, 75)) << false;
  // Too short for the whole height: cut to the screen, from its top.
  QTest::addRow("short screen") << QRect(0, 0, 1920, 700) << QRect(QPoint(100, 50), kMainFrame)
                                << QRect(813, 0, 656, 700) << std::optional<QPoint>() << false;
  // Too narrow for both windows side by side: against the right edge, over the main window.
  const QRect small(0, 0, 1024, 728);
  QTest::addRow("1024 x 768") << small << Centred(small) << QRect(368, 11, 656, 717)
                              << std::optional<QPoint>() << true;
}

void WindowPlacementTest::placesBesideTheMainWindow() {
  QFETCH(QRect, available);
  QFETCH(QRect, mainFrame);
  QFETCH(QRect, workbench);
  QFETCH(std::optional<QPoint>, mainMovesTo);
  QFETCH(bool, mayCover);

  const Placement placement = PlacementBeside(mainFrame, kWanted, kLeast, available);
  QCOMPARE(placement.workbench, workbench);
  QCOMPARE(placement.mainWindow, mainMovesTo);

  const QRect mainAfter(placement.mainWindow.value_or(mainFrame.topLeft()), mainFrame.size());
  QVERIFY(available.contains(placement.workbench));
  QVERIFY(available.contains(mainAfter));
  QCOMPARE(placement.workbench.intersects(mainAfter), mayCover);
}

QTEST_APPLESS_MAIN(WindowPlacementTest)
#include "test_window_placement.moc"
