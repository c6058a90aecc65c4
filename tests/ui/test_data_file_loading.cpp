// "Read Data File": the open-file dialog as set up by the window, a data file filling
// exactly the enabled boxes, and the three refusals that leave every box as it was.
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>

#include <memory>

#include "directory_list_box.h"
#include "main_window_fixture.h"
#include "modal_watchdog.h"

using fluxeta::ui::testing::MainWindowFixture;
using fluxeta::ui::testing::ModalWatchdog;
using fluxeta::ui::testing::ReadFileBytes;

namespace {

const QString kSelectOne = QStringLiteral("Select one data file! Please try again.");
const QString kCanNotOpen = QStringLiteral("Data file can not open!");

// Fifteen lines, each value with a unit or comment after it; line 13 (gamma cr) and the
// other lines of disabled boxes carry values too.
const QByteArray kDataFile =
    "Ain = 2.5 cm2\r\n"
    "gamma =0.2\r\n"
    "Pein  =   5.5 (cm)\r\n"
    "Lin = 2.8\r\n"
    "Lend = 2.2 = 9\r\n"
    "W = 50.0\r\n"
    "H = 0.03\r\n"
    "lambda = 99\r\n"
    "alpha = 1.1\r\n"
    "eta0 = 99\r\n"
    "gamma0 = 99\r\n"
    "n = 0.99\r\n"
    "gammacr = 99\r\n"
    "rho = 0.9\r\n"
    "Qin = 20.0\r\n"
    "anything after line fifteen\r\n";

// Box texts after loading kDataFile, in box order Edit1 … Edit16.
const QStringList kLoadedBoxes = {"2.5", "0.2",  "5.5", "2.8", "2.2", "50.0", "0.03",       "16.0",
                                  "1.1", "10.0", "1.0", "0.5", "0.9", "20.0", "Result.txt", "50.0"};

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(bytes);
}

// Chooses `path` in the open-file dialog and confirms it.
ModalWatchdog::Handler Choose(const QString& path) {
  return [path](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    if (dialog == nullptr) {
      fluxeta::ui::testing::CloseModal(modal);
      return;
    }
    // Typed into the file name box, as selectFile() leaves a focused box alone.
    auto* fileName = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (fileName == nullptr) {
      fluxeta::ui::testing::CloseModal(modal);
      return;
    }
    fileName->setText(path);
    static_cast<QDialog*>(dialog)->accept();
  };
}

}  // namespace

class DataFileLoadingTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { fixture_ = std::make_unique<MainWindowFixture>(); }
  void cleanup() {
    const QStringList failures = fixture_->watchdog.TakeFailures();
    fixture_.reset();
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QStringLiteral("; "))));
  }

  void dialogOpensInTheListedDirectoryForTextFiles() {
    QDir(fixture_->Directory()).mkdir(QStringLiteral("cases"));
    auto* directories = fixture_->Find<fluxeta::ui::DirectoryListBox>("DirectoryListBox1");
    emit directories->DirectoryOpened(fixture_->PathOf(QStringLiteral("cases")));
    QString shownDirectory;
    QStringList filters;
    QFileDialog::FileMode mode = QFileDialog::AnyFile;
    bool nonNative = false;
    fixture_->watchdog.ExpectModal([&](QWidget* modal) {
      auto* dialog = qobject_cast<QFileDialog*>(modal);
      if (dialog != nullptr) {
        shownDirectory = dialog->directory().absolutePath();
        filters = dialog->nameFilters();
        mode = dialog->fileMode();
        nonNative = dialog->testOption(QFileDialog::DontUseNativeDialog);
      }
      fluxeta::ui::testing::CloseModal(modal);
    });
    QTest::mouseClick(fixture_->Button("BitBtn3"), Qt::LeftButton);
    QCOMPARE(shownDirectory, fixture_->PathOf(QStringLiteral("cases")));
    QCOMPARE(filters, QStringList{QStringLiteral("Text File (*.txt)")});
    QCOMPARE(mode, QFileDialog::ExistingFile);
    QVERIFY(nonNative);
    // Cancelled.
    QCOMPARE(fixture_->presenter.messages, QStringList{kSelectOne});
  }

  void dataFileFillsExactlyTheEnabledBoxes() {
    fixture_->Edit(15)->setText(QStringLiteral("Result.txt"));
    const QString path = fixture_->PathOf(QStringLiteral("case.txt"));
    WriteFile(path, kDataFile);
    fixture_->watchdog.ExpectModal(Choose(path));
    QTest::mouseClick(fixture_->Button("BitBtn3"), Qt::LeftButton);
    QVERIFY(fixture_->presenter.messages.isEmpty());
    QCOMPARE(BoxTexts(), kLoadedBoxes);

    // The case takes the values at the next run.
    QTest::mouseClick(fixture_->Button("BitBtn1"), Qt::LeftButton);
    QCOMPARE(fixture_->presenter.completions, 1);
    QVERIFY(fixture_->presenter.errors.isEmpty());
  }

  void focusGoesToTheFirstBoxSoThatEnterRunsTheLoadedCase() {
    fixture_->Edit(15)->setText(QStringLiteral("Result.txt"));
    const QString path = fixture_->PathOf(QStringLiteral("case.txt"));
    WriteFile(path, kDataFile);
    fixture_->watchdog.ExpectModal(Choose(path));
    QTest::mouseClick(fixture_->Button("BitBtn3"), Qt::LeftButton);
    QCOMPARE(BoxTexts(), kLoadedBoxes);
    ActivateMainWindowAgain();
    QCOMPARE(QApplication::focusWidget(), fixture_->Edit(1));

    // Enter runs the case; the open-file dialog does not come up again.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(fixture_->presenter.completions, 1);
    QCOMPARE(fixture_->watchdog.PendingHandlers(), 0);
    QVERIFY(ReadFileBytes(fixture_->PathOf(QStringLiteral("Result.txt"))).contains("50.0"));
  }

  void focusStaysWhenNothingWasLoaded() {
    QPushButton* readDataFile = fixture_->Button("BitBtn3");
    fixture_->watchdog.ExpectModal(fluxeta::ui::testing::CloseModal);
    QTest::mouseClick(readDataFile, Qt::LeftButton);
    QCOMPARE(fixture_->presenter.messages, QStringList{kSelectOne});
    ActivateMainWindowAgain();
    QCOMPARE(QApplication::focusWidget(), readDataFile);
  }

  void valueThatIsNotANumberReachesItsBoxAndStopsTheNextRun() {
    QByteArray withText = kDataFile;
    withText.replace("W = 50.0", "W = \t50.0");
    withText.replace("H = 0.03", "H =");
    const QString path = fixture_->PathOf(QStringLiteral("text.txt"));
    WriteFile(path, withText);
    fixture_->watchdog.ExpectModal(Choose(path));
    QTest::mouseClick(fixture_->Button("BitBtn3"), Qt::LeftButton);
    QVERIFY(fixture_->presenter.messages.isEmpty());
    QCOMPARE(fixture_->Edit(6)->text(), QStringLiteral("\t50.0"));
    QCOMPARE(fixture_->Edit(7)->text(), QString());
    QTest::mouseClick(fixture_->Button("BitBtn1"), Qt::LeftButton);
    QCOMPARE(fixture_->presenter.errors,
             QStringList{QStringLiteral("'\t50.0' は浮動小数点数ではありません.")});
  }

  void fileWithALineWithoutEqualsIsRefused_data() {
    QTest::addColumn<QByteArray>("content");
    QByteArray disabledLineBroken = kDataFile;
    disabledLineBroken.replace("eta0 = 99", "eta0 99");
    QTest::newRow("line of a disabled box") << disabledLineBroken;
    QTest::newRow("fourteen lines") << kDataFile.left(kDataFile.indexOf("Qin"));
    QTest::newRow("a result file") << QByteArray("\r\n[INPUT DATA]\r\n") + kDataFile;
  }
  void fileWithALineWithoutEqualsIsRefused() {
    QFETCH(QByteArray, content);
    const QStringList before = BoxTexts();
    const QString path = fixture_->PathOf(QStringLiteral("bad.txt"));
    WriteFile(path, content);
    fixture_->watchdog.ExpectModal(Choose(path));
    QTest::mouseClick(fixture_->Button("BitBtn3"), Qt::LeftButton);
    QCOMPARE(fixture_->presenter.messages,
             QStringList{u'"' + path + QStringLiteral("\" is not a correct data file!")});
    QCOMPARE(BoxTexts(), before);
  }

  void fileThatCannotBeReadIsRefused() {
    const QStringList before = BoxTexts();
    const QString path = fixture_->PathOf(QStringLiteral("vanishing.txt"));
    WriteFile(path, kDataFile);
    fixture_->watchdog.ExpectModal([path](QWidget* modal) {
      auto* dialog = qobject_cast<QFileDialog*>(modal);
      // Gone between the choice and the reading.
      QObject::connect(dialog, &QFileDialog::fileSelected, [path] { QFile::remove(path); });
      Choose(path)(modal);
    });
    QTest::mouseClick(fixture_->Button("BitBtn3"), Qt::LeftButton);
    QCOMPARE(fixture_->presenter.messages, QStringList{kCanNotOpen});
    QCOMPARE(BoxTexts(), before);
  }

  void enabledStateDecidesWhichBoxesAreFilled() {
    fixture_->Edit(8)->setEnabled(true);
    fixture_->Edit(1)->setEnabled(false);
    const QString edit1Before = fixture_->Edit(1)->text();
    const QString path = fixture_->PathOf(QStringLiteral("case.txt"));
    WriteFile(path, kDataFile);
    fixture_->watchdog.ExpectModal(Choose(path));
    QTest::mouseClick(fixture_->Button("BitBtn3"), Qt::LeftButton);
    QCOMPARE(fixture_->Edit(8)->text(), QStringLiteral("99"));
    QCOMPARE(fixture_->Edit(1)->text(), edit1Before);
  }

 private:
  // As the window system does when the open-file dialog has closed.
  void ActivateMainWindowAgain() {
    fixture_->Form().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&fixture_->Form()));
  }

  QStringList BoxTexts() const {
    QStringList texts;
    for (int box = 1; box <= 16; ++box) {
      texts.append(fixture_->Edit(box)->text());
    }
    return texts;
  }

  std::unique_ptr<MainWindowFixture> fixture_;
};

QTEST_MAIN(DataFileLoadingTest)
#include "test_data_file_loading.moc"
