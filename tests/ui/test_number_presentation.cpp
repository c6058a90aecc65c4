// How the workbench writes numbers and scales its axes: six significant figures on screen,
// pressures in kPa, a figure compared with a limit to the limit's precision, full values
// where they are copied, and ticks at 1, 2 or 5 times a power of ten.
#include <QFont>
#include <QFontMetrics>
#include <QTest>

#include <cmath>
#include <limits>

#include "locale_number_text.h"
#include "nice_ticks.h"
#include "number_presentation.h"

namespace ui = fluxeta::ui;

class NumberPresentationTest : public QObject {
  Q_OBJECT

 private slots:
  void writesSixFiguresOnScreen_data();
  void writesSixFiguresOnScreen();
  void writesPressuresInKilopascals();
  void writesAComparedFigureToTheLimitsPrecision_data();
  void writesAComparedFigureToTheLimitsPrecision();
  void readsAKilopascalLimitAsTheDecimalItWrites();
  void keepsTheFullValueForTooltipsAndCopies();
  void fitsANumberIntoARoomOrRoundsIt();
  void ticksAtNiceSteps_data();
  void ticksAtNiceSteps();
};

void NumberPresentationTest::writesSixFiguresOnScreen_data() {
  QTest::addColumn<double>("value");
  QTest::addColumn<QString>("shown");
  // The figures that were shown with sixteen or seventeen digits.
  QTest::newRow("taper factor") << 0.8181818181818182 << QStringLiteral("0.818182");
  QTest::newRow("applied taper") << 0.9710482272839982 << QStringLiteral("0.971048");
  QTest::newRow("residence time") << 19.846567525626075 << QStringLiteral("19.8466");
  QTest::newRow("pressure at a limit") << 179999.9999999999 << QStringLiteral("180000");
  QTest::newRow("pressure") << 190156.08534420247 << QStringLiteral("190156");
  // Short values stay as typed, without trailing zeros.
  QTest::newRow("gap") << 0.0254 << QStringLiteral("0.0254");
  QTest::newRow("whole") << 40.0 << QStringLiteral("40");
  QTest::newRow("negative") << -0.5074 << QStringLiteral("-0.5074");
  QTest::newRow("zero") << 0.0 << QStringLiteral("0");
  QTest::newRow("negative zero") << -0.0 << QStringLiteral("0");
  QTest::newRow("tiny") << 1.5e-7 << QStringLiteral("1.5e-07");
  QTest::newRow("huge") << 1234567.0 << QStringLiteral("1.23457e+06");
}

void NumberPresentationTest::writesSixFiguresOnScreen() {
  QFETCH(double, value);
  QFETCH(QString, shown);
  QCOMPARE(ui::ScreenNumber(value, '.'), shown);
  QCOMPARE(ui::ScreenNumber(value, ','), QString(shown).replace(u'.', u','));
}

void NumberPresentationTest::writesPressuresInKilopascals() {
  QCOMPARE(ui::ScreenPressure(173421.76384095, '.'), QStringLiteral("173.422 kPa"));
  QCOMPARE(ui::ScreenPressure(179999.9999999999, '.'), QStringLiteral("180 kPa"));
  QCOMPARE(ui::ScreenPressure(950.5, ','), QStringLiteral("0,9505 kPa"));
}

void NumberPresentationTest::writesAComparedFigureToTheLimitsPrecision_data() {
  QTest::addColumn<double>("value");
  QTest::addColumn<QString>("limit");
  QTest::addColumn<bool>("pressure");
  QTest::addColumn<QString>("shown");
  QTest::newRow("no limit") << 0.99674321 << QString() << false << QStringLiteral("0.996743");
  QTest::newRow("coarse limit") << 0.99674321 << QStringLiteral("0.99") << false
                                << QStringLiteral("0.996743");
  QTest::newRow("finer limit") << 0.99674321 << QStringLiteral("0.9967432") << false
                               << QStringLiteral("0.9967432");
  QTest::newRow("pressure at a whole limit")
      << 179999.9999999999 << QStringLiteral("180") << true << QStringLiteral("180 kPa");
  QTest::newRow("pressure at a fine limit")
      << 180012.3456 << QStringLiteral("180.0001") << true << QStringLiteral("180.0123 kPa");
}

void NumberPresentationTest::writesAComparedFigureToTheLimitsPrecision() {
  QFETCH(double, value);
  QFETCH(QString, limit);
  QFETCH(bool, pressure);
  QFETCH(QString, shown);
  QCOMPARE(
      pressure ? ui::ComparedPressure(value, limit, '.') : ui::ComparedNumber(value, limit, '.'),
      shown);
}

void NumberPresentationTest::readsAKilopascalLimitAsTheDecimalItWrites() {
  // 1.005 × 1000 in doubles is 1004.9999999999999; the limit typed means 1005 Pa.
  QCOMPARE(ui::PascalsOfKilopascalText(QStringLiteral("1.005"), '.'), std::optional(1005.0));
  QCOMPARE(ui::PascalsOfKilopascalText(QStringLiteral(" 1,005 "), ','), std::optional(1005.0));
  QCOMPARE(ui::PascalsOfKilopascalText(QStringLiteral("150"), '.'), std::optional(150000.0));
  QCOMPARE(ui::PascalsOfKilopascalText(QStringLiteral("abc"), '.'), std::nullopt);
  QCOMPARE(ui::PascalsOfKilopascalText(QStringLiteral("1,5"), '.'), std::nullopt);
}

void NumberPresentationTest::keepsTheFullValueForTooltipsAndCopies() {
  for (const double value : {0.9710482272839982, 190156.08534420247, 0.1, 1e-300}) {
    QCOMPARE(ui::NumberOfText(ui::FullNumber(value, '.'), '.'), std::optional(value));
  }
  QCOMPARE(ui::FullPressure(190156.08534420247, '.'), QStringLiteral("190156.08534420247 Pa"));
}

void NumberPresentationTest::fitsANumberIntoARoomOrRoundsIt() {
  const QFontMetrics metrics(QFont(QStringLiteral("DejaVu Sans"), 9));
  const double value = 0.9710482272839982;
  const QString full = ui::FullNumber(value, '.');
  // Room for the whole text: the whole text, which reads back to the same double.
  const ui::FittedNumber whole =
      ui::FittingNumber(value, '.', metrics, metrics.horizontalAdvance(full));
  QCOMPARE(whole.text, full);
  QVERIFY(!whole.rounded);
  // Room for fewer figures: the most that fit, said to be rounded.
  const int room = metrics.horizontalAdvance(QStringLiteral("0.9710482"));
  const ui::FittedNumber fitted = ui::FittingNumber(value, '.', metrics, room);
  QCOMPARE(fitted.text, QStringLiteral("0.9710482"));
  QVERIFY(fitted.rounded);
  // A short value that fits is never said to be rounded.
  const ui::FittedNumber exact = ui::FittingNumber(2.5, '.', metrics, room);
  QCOMPARE(exact.text, QStringLiteral("2.5"));
  QVERIFY(!exact.rounded);
}

void NumberPresentationTest::ticksAtNiceSteps_data() {
  QTest::addColumn<double>("low");
  QTest::addColumn<double>("high");
  QTest::addColumn<int>("mostIntervals");
  QTest::addColumn<bool>("wholeNumbers");
  QTest::addColumn<QStringList>("ticks");
  // The study's γ axis, which ticked at 0.00, 0.38, 0.75, 1.13, 1.50.
  QTest::newRow("taper factor") << 0.0 << 1.5 << 4 << false
                                << QStringList{"0.0", "0.5", "1.0", "1.5"};
  // The design plot's evaluations, which ticked at 0, 67, 134, 201, 268.
  QTest::newRow("evaluations") << 0.0 << 268.0 << 4 << true
                               << QStringList{"0", "100", "200", "300"};
  QTest::newRow("few evaluations") << 0.0 << 3.0 << 4 << true << QStringList{"0", "1", "2", "3"};
  // The design plot's y axis, which ran from −0.52 to 1.01.
  QTest::newRow("uniformity with a bad case")
      << -0.52 << 1.01 << 6 << false << QStringList{"-1.0", "-0.5", "0.0", "0.5", "1.0", "1.5"};
  QTest::newRow("uniformity near one")
      << 0.9 << 1.0 << 5 << false << QStringList{"0.90", "0.92", "0.94", "0.96", "0.98", "1.00"};
  QTest::newRow("pressure in Pa") << 173421.76 << 190156.08 << 5 << false
                                  << QStringList{"170000", "175000", "180000",
                                                 "185000", "190000", "195000"};
  QTest::newRow("die width") << 0.0 << 300.0 << 8 << false
                             << QStringList{"0", "50", "100", "150", "200", "250", "300"};
  QTest::newRow("small values") << 1e-6 << 5e-6 << 4 << false
                                << QStringList{"0.000001", "0.000002", "0.000003", "0.000004",
                                               "0.000005"};
  QTest::newRow("one value") << -3.0 << -3.0 << 4 << false
                             << QStringList{"-3.4", "-3.2", "-3.0", "-2.8", "-2.6"};
  QTest::newRow("end slot length")
      << 0.3 << 10.0 << 5 << false << QStringList{"0", "2", "4", "6", "8", "10"};
}

void NumberPresentationTest::ticksAtNiceSteps() {
  QFETCH(double, low);
  QFETCH(double, high);
  QFETCH(int, mostIntervals);
  QFETCH(bool, wholeNumbers);
  QFETCH(QStringList, ticks);
  const ui::NiceScale scale = ui::NiceTicks(low, high, mostIntervals, wholeNumbers);
  QStringList texts;
  const std::vector<double> values = scale.Ticks();
  for (const double tick : values) {
    texts.append(ui::TickText(tick, scale, '.'));
  }
  QCOMPARE(texts, ticks);
  // Each tick is the double nearest its decimal value, and the scale holds the range.
  for (qsizetype k = 0; k < ticks.size(); ++k) {
    QCOMPARE(values[static_cast<std::size_t>(k)], ticks[k].toDouble());
  }
  QVERIFY(scale.Low() <= std::min(low, high) && scale.High() >= std::max(low, high));
}

QTEST_MAIN(NumberPresentationTest)
#include "test_number_presentation.moc"
