// Runs started from the window: OK and Enter, the result file compared with
// fluxeta-batch's, and what the user sees when a run fails.
#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

#include <locale.h>

#include <memory>

#include "batch_runner.h"
#include "fluxeta/case/number_text.h"
#include "main_window_fixture.h"

using fluxeta::ui::testing::MainWindowFixture;
using fluxeta::ui::testing::ReadFileBytes;
using fluxeta::ui::testing::RunBatch;
using fluxeta::ui::testing::WriteDataFile;

namespace {

const QString kResultFile = QStringLiteral("Result.txt");
const char kCommaLocale[] = "de_DE.UTF-8";
// Set in the child process that runs the comma-locale test under that locale.
const char kCommaLocaleChild[] = "FLUXETA_TEST_COMMA_LOCALE_CHILD";

bool LocaleAvailable(const char* name) {
  const locale_t locale = newlocale(LC_ALL_MASK, name, static_cast<locale_t>(0));
  if (locale == static_cast<locale_t>(0)) {
    return false;
  }
  freelocale(locale);
  return true;
}

}  // namespace

class CalculationRunTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { fixture_ = std::make_unique<MainWindowFixture>(); }
  void cleanup() {
    const QStringList failures = fixture_->watchdog.TakeFailures();
    fixture_.reset();
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QStringLiteral("; "))));
  }

  void defaultCaseWritesTheKnownResultFile() {
    if (fluxeta::cases::LocaleDecimalSeparator() != '.') {
      QSKIP("the known result file is written with a decimal point");
    }
    QTest::mouseClick(fixture_->Button("BitBtn1"), Qt::LeftButton);
    QCOMPARE(fixture_->presenter.completions, 1);
    QVERIFY(fixture_->presenter.messages.isEmpty());
    QVERIFY(fixture_->presenter.errors.isEmpty());
    const QByteArray expected =
        ReadFileBytes(QStringLiteral(FLUXETA_TEST_DATA "/default_result.txt"));
    QVERIFY(!expected.isEmpty());
    QVERIFY(ReadFileBytes(fixture_->PathOf(kResultFile)) == expected);
  }

  void enterInABoxRunsExactlyLikeOk() {
    fixture_->Edit(3)->setText(QStringLiteral("6.5"));
    fixture_->Edit(9)->setText(QStringLiteral("1.25"));
    fixture_->Edit(14)->setText(QStringLiteral("30"));
    fixture_->Edit(3)->setFocus();
    QTest::keyClick(fixture_->Edit(3), Qt::Key_Return);
    QCOMPARE(fixture_->presenter.completions, 1);
    const QByteArray byEnter = ReadFileBytes(fixture_->PathOf(kResultFile));
    QVERIFY(!byEnter.isEmpty());
    QVERIFY(QFile::remove(fixture_->PathOf(kResultFile)));

    QTest::mouseClick(fixture_->Button("BitBtn1"), Qt::LeftButton);
    QCOMPARE(fixture_->presenter.completions, 2);
    QVERIFY(ReadFileBytes(fixture_->PathOf(kResultFile)) == byEnter);

    // fluxeta-batch given the same texts writes the same bytes.
    WriteDataFile(fixture_->PathOf(QStringLiteral("case.txt")), fixture_->Form().Boxes());
    QCOMPARE(RunBatch(fixture_->Directory(), {QStringLiteral("case.txt"), QStringLiteral("-o"),
                                              QStringLiteral("batch.txt")}),
             0);
    QVERIFY(ReadFileBytes(fixture_->PathOf(QStringLiteral("batch.txt"))) == byEnter);
    QVERIFY(fixture_->presenter.messages.isEmpty());
    QVERIFY(fixture_->presenter.errors.isEmpty());
  }

  void enterWithAModifierDoesNotRun() {
    for (const Qt::KeyboardModifier modifier :
         {Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier}) {
      QTest::keyClick(fixture_->Edit(3), Qt::Key_Return, modifier);
    }
    QCOMPARE(fixture_->presenter.completions, 0);
    QVERIFY(!QFile::exists(fixture_->PathOf(kResultFile)));
  }

  void enterInTheDirectoryListRuns() {
    QWidget* directories = fixture_->Find("DirectoryListBox1");
    directories->setFocus();
    QTest::keyClick(directories, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(fixture_->presenter.completions, 1);
    QVERIFY(QFile::exists(fixture_->PathOf(kResultFile)));
  }

  void textThatIsNotANumberShowsTheErrorBoxAndTheWindowGoesOn() {
    fixture_->Edit(2)->setText(QStringLiteral("abc"));
    fixture_->Edit(5)->setText(QStringLiteral("xyz"));
    QTest::mouseClick(fixture_->Button("BitBtn1"), Qt::LeftButton);
    QCOMPARE(fixture_->presenter.errors,
             QStringList{QStringLiteral("'abc' は浮動小数点数ではありません.")});
    QCOMPARE(fixture_->presenter.completions, 0);
    QVERIFY(fixture_->presenter.messages.isEmpty());
    QVERIFY(!QFile::exists(fixture_->PathOf(kResultFile)));
    // The boxes are as they were.
    QCOMPARE(fixture_->Edit(2)->text(), QStringLiteral("abc"));

    fixture_->Edit(2)->setText(QStringLiteral("0.1"));
    fixture_->Edit(5)->setText(QStringLiteral("2.5"));
    QTest::keyClick(fixture_->Edit(5), Qt::Key_Return);
    QCOMPARE(fixture_->presenter.completions, 1);
    QCOMPARE(fixture_->presenter.errors.size(), 1);
    QVERIFY(QFile::exists(fixture_->PathOf(kResultFile)));
  }

  void resultFileThatCannotBeCreatedIsReportedOnce_data() {
    QTest::addColumn<QString>("fileName");
    QTest::newRow("empty name") << QString();
    QTest::newRow("missing directory") << QStringLiteral("missing/Result.txt");
  }
  void resultFileThatCannotBeCreatedIsReportedOnce() {
    QFETCH(QString, fileName);
    fixture_->Edit(15)->setText(fileName);
    QTest::mouseClick(fixture_->Button("BitBtn1"), Qt::LeftButton);
    QCOMPARE(fixture_->presenter.messages, QStringList{QStringLiteral("File can not open!")});
    QCOMPARE(fixture_->presenter.completions, 0);
    QVERIFY(fixture_->presenter.errors.isEmpty());
  }

  void caseThatDoesNotConvergeIsNotAnnouncedAsFinished() {
    fixture_->Edit(14)->setText(QStringLiteral("0"));
    QTest::mouseClick(fixture_->Button("BitBtn1"), Qt::LeftButton);
    QCOMPARE(fixture_->presenter.messages,
             QStringList{QStringLiteral("Sorry, this case does not converge.")});
    QCOMPARE(fixture_->presenter.completions, 0);
    QVERIFY(fixture_->presenter.errors.isEmpty());
    QVERIFY(QFile::exists(fixture_->PathOf(kResultFile)));
  }

  // The window under a locale that writes numbers with a comma: run in a child process of
  // this program started with that locale.
  void commaLocaleShowsAndWritesCommas() {
    if (qEnvironmentVariableIsSet(kCommaLocaleChild)) {
      CheckCommaLocaleWindow();
      return;
    }
    if (!LocaleAvailable(kCommaLocale)) {
      QSKIP("the de_DE.UTF-8 locale is not installed (scripts/test generates it)");
    }
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QString::fromLatin1(kCommaLocale));
    environment.insert(QString::fromLatin1(kCommaLocaleChild), QStringLiteral("1"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QApplication::applicationFilePath(),
                {QStringLiteral("commaLocaleShowsAndWritesCommas")});
    QVERIFY(child.waitForFinished(120000));
    const QByteArray output = child.readAll();
    QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0,
             output.constData());
  }

 private:
  void CheckCommaLocaleWindow() {
    QCOMPARE(fixture_->Edit(1)->text(), QStringLiteral("3,0"));
    QCOMPARE(fixture_->Edit(7)->text(), QStringLiteral("0,0254"));
    QCOMPARE(fixture_->Edit(8)->text(), QStringLiteral("16,0"));
    QCOMPARE(fixture_->Edit(15)->text(), QStringLiteral("Result.txt"));
    QTest::mouseClick(fixture_->Button("BitBtn1"), Qt::LeftButton);
    QVERIFY(fixture_->presenter.errors.isEmpty());
    QCOMPARE(fixture_->presenter.completions, 1);
    const QByteArray written = ReadFileBytes(fixture_->PathOf(kResultFile));
    QVERIFY(written.contains("3,0000"));
    QVERIFY(!written.contains("3.0000"));
    QCOMPARE(RunBatch(fixture_->Directory(), {QStringLiteral("-o"), QStringLiteral("batch.txt")}),
             0);
    QVERIFY(ReadFileBytes(fixture_->PathOf(QStringLiteral("batch.txt"))) == written);
  }

  std::unique_ptr<MainWindowFixture> fixture_;
};

QTEST_MAIN(CalculationRunTest)
#include "test_calculation_run.moc"
