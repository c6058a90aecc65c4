// The program as it starts: both windows, the real boxes and the completion dialog over
// a run, the error report of the application object, and the end of the program.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "finish_form.h"
#include "fluxeta/base/errors.h"
#include "fluxeta_application.h"
#include "main_window_fixture.h"
#include "modal_watchdog.h"
#include "program_windows.h"

using fluxeta::ui::ProgramWindows;
using fluxeta::ui::TFinishForm;
using fluxeta::ui::testing::CloseModal;
using fluxeta::ui::testing::ModalWatchdog;

namespace {

QLineEdit* Edit(ProgramWindows& windows, int box) {
  return windows.Form1().findChild<QLineEdit*>(QStringLiteral("Edit%1").arg(box));
}

QPushButton* Button(QWidget& window, const char* name) {
  return window.findChild<QPushButton*>(QString::fromLatin1(name));
}

// Presses OK on the completion dialog, after checking that it is that dialog.
ModalWatchdog::Handler FinishFormOk(ProgramWindows& windows, int& shown) {
  return [&windows, &shown](QWidget* modal) {
    if (modal == &windows.FinishForm()) {
      ++shown;
      QTest::mouseClick(Button(*modal, "BitBtn1"), Qt::LeftButton);
    } else {
      CloseModal(modal);
    }
  };
}

// A handler that fails in a way no boundary of the program's own catches.
class FailingReceiver : public QObject {
 public:
  bool event(QEvent*) override { throw fluxeta::base::InputOutputError(5); }
};

}  // namespace

class StartUpTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    fluxeta::ui::testing::PrepareApplication();
    QVERIFY(directory_.isValid());
    previousDirectory_ = QDir::currentPath();
    QDir::setCurrent(QFileInfo(directory_.path()).canonicalFilePath());
  }
  void cleanupTestCase() { QDir::setCurrent(previousDirectory_); }
  void cleanup() {
    const QStringList failures = watchdog_.TakeFailures();
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QStringLiteral("; "))));
  }

  void mainWindowShowsCentredWithTheCompletionDialogHidden() {
    ProgramWindows windows;
    QVERIFY(windows.FinishForm().isHidden());
    windows.ShowMainWindow();
    QVERIFY(QTest::qWaitForWindowExposed(&windows.Form1()));
    QVERIFY(windows.FinishForm().isHidden());
    const QPoint screenCentre = windows.Form1().screen()->availableGeometry().center();
    // Centred to within the frame's few pixels, which are not known before the first show.
    constexpr int kFrameAllowance = 4;
    QVERIFY((windows.Form1().geometry().center() - screenCentre).manhattanLength() <=
            kFrameAllowance);
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Edit(windows, 1)));
  }

  void runEndsInTheCompletionDialogAndErrorsInTheErrorBox() {
    ProgramWindows windows;
    windows.ShowMainWindow();
    QVERIFY(QTest::qWaitForWindowExposed(&windows.Form1()));
    int completionShown = 0;

    watchdog_.ExpectModal(FinishFormOk(windows, completionShown));
    QTest::keyClick(Edit(windows, 3), Qt::Key_Return);
    QCOMPARE(completionShown, 1);
    QVERIFY(QFile::exists(QStringLiteral("Result.txt")));
    QVERIFY(windows.FinishForm().isHidden());

    Edit(windows, 1)->setText(QStringLiteral("abc"));
    QString errorText;
    QMessageBox::Icon errorIcon = QMessageBox::NoIcon;
    watchdog_.ExpectModal([&](QWidget* modal) {
      if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        errorText = box->text();
        errorIcon = box->icon();
        QTest::keyClick(box, Qt::Key_Return);
      } else {
        CloseModal(modal);
      }
    });
    QTest::mouseClick(Button(windows.Form1(), "BitBtn1"), Qt::LeftButton);
    QCOMPARE(errorText, QStringLiteral("'abc' は浮動小数点数ではありません."));
    QCOMPARE(errorIcon, QMessageBox::Critical);

    // The window goes on, and the same dialog announces the next run.
    Edit(windows, 1)->setText(QStringLiteral("3.0"));
    watchdog_.ExpectModal(FinishFormOk(windows, completionShown));
    QTest::mouseClick(Button(windows.Form1(), "BitBtn1"), Qt::LeftButton);
    QCOMPARE(completionShown, 2);
    QCOMPARE(watchdog_.PendingHandlers(), 0);
  }

  void errorsThatEscapeEveryHandlerReachTheErrorBox() {
    FailingReceiver receiver;
    QString errorText;
    watchdog_.ExpectModal([&](QWidget* modal) {
      if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        errorText = box->text();
      }
      CloseModal(modal);
    });
    QEvent event(QEvent::User);
    QVERIFY(!QApplication::sendEvent(&receiver, &event));
    QCOMPARE(errorText, QStringLiteral("ファイルへのアクセスが拒否されました."));
  }

  void closingTheMainWindowEndsTheProgram() {
    ProgramWindows windows;
    windows.ShowMainWindow();
    QVERIFY(QTest::qWaitForWindowExposed(&windows.Form1()));
    QVERIFY(QApplication::quitOnLastWindowClosed());
    // Close pressed while the event loop runs: the loop ends, as the program does.
    QTimer::singleShot(
        0, [&] { QTest::mouseClick(Button(windows.Form1(), "BitBtn2"), Qt::LeftButton); });
    bool endedByTheLimit = false;
    constexpr int kLimitMilliseconds = 10000;
    QTimer::singleShot(kLimitMilliseconds, [&] {
      endedByTheLimit = true;
      QApplication::exit(1);
    });
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!endedByTheLimit);
    QVERIFY(!windows.Form1().isVisible());
  }

 private:
  ModalWatchdog watchdog_;
  QTemporaryDir directory_;
  QString previousDirectory_;
};

// The program's own application object, so that its last-resort error report is tested.
int main(int argc, char* argv[]) {
  fluxeta::ui::FluxetaApplication application(argc, argv);
  StartUpTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "test_start_up.moc"
