// The plain message box, the error box and the error boundary of the handlers; the
// application title that captions the boxes; what the program says without a display.
#include <QApplication>
#include <QMessageBox>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

#include <stdexcept>

#include "application_title.h"
#include "dialog_presenter.h"
#include "finish_form.h"
#include "fluxeta/base/errors.h"
#include "fluxeta/base/messages.h"
#include "guarded_call.h"
#include "main_window_fixture.h"
#include "modal_watchdog.h"
#include "recording_presenter.h"

using fluxeta::ui::ApplicationTitle;
using fluxeta::ui::GuardedCall;
using fluxeta::ui::testing::ModalWatchdog;
using fluxeta::ui::testing::RecordingPresenter;
namespace base = fluxeta::base;
namespace cases = fluxeta::cases;

namespace {

// What a box showed, read while it was open.
struct SeenBox {
  QString caption;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  int buttonCount = 0;
  bool okIsDefaultAndEscape = false;
};

ModalWatchdog::Handler ReadBoxThenPress(SeenBox& seen, Qt::Key key) {
  return [&seen, key](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (box == nullptr) {
      fluxeta::ui::testing::CloseModal(modal);
      return;
    }
    seen.caption = box->windowTitle();
    seen.text = box->text();
    seen.icon = box->icon();
    seen.buttonCount = static_cast<int>(box->buttons().size());
    QAbstractButton* ok = box->button(QMessageBox::Ok);
    seen.okIsDefaultAndEscape = ok != nullptr && box->defaultButton() == ok &&
                                box->escapeButton() == ok && ok->text().contains(u"OK");
    QTest::keyClick(box, key);
  };
}

}  // namespace

class MessageBoxesTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { fluxeta::ui::testing::PrepareApplication(); }
  void cleanup() {
    const QStringList failures = watchdog_.TakeFailures();
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QStringLiteral("; "))));
  }

  void applicationTitleComesFromTheProgramFileName_data() {
    QTest::addColumn<QString>("programPath");
    QTest::addColumn<QString>("title");
    QTest::newRow("program") << "/usr/bin/fluxeta"
                             << "fluxeta";
    QTest::newRow("extensions") << "/opt/x.y/FLUXETA.bin.exe"
                                << "Fluxeta";
    QTest::newRow("mixed case") << "build/ui_Test_Boxes"
                                << "ui_test_boxes";
    QTest::newRow("digit first") << "3d-die"
                                 << "3d-die";
    QTest::newRow("dot first") << "/tmp/.hidden"
                               << "";
  }
  void applicationTitleComesFromTheProgramFileName() {
    QFETCH(QString, programPath);
    QFETCH(QString, title);
    QCOMPARE(ApplicationTitle(programPath), title);
  }

  void startUpTitlesTheApplication() {
    QCOMPARE(QApplication::applicationName(),
             ApplicationTitle(QApplication::applicationFilePath()));
    QCOMPARE(QApplication::applicationName(), QStringLiteral("ui_test_message_boxes"));
    QVERIFY(!QApplication::windowIcon().isNull());
  }

  void plainMessageBoxHasNoIconAndOneOkButton() {
    fluxeta::ui::TFinishForm finishForm;
    fluxeta::ui::DialogPresenter presenter(finishForm);
    SeenBox seen;
    watchdog_.ExpectModal(ReadBoxThenPress(seen, Qt::Key_Escape));
    presenter.ShowMessage(QStringLiteral("File can not open!"));
    QCOMPARE(seen.caption, QApplication::applicationName());
    QCOMPARE(seen.text, QStringLiteral("File can not open!"));
    QCOMPARE(seen.icon, QMessageBox::NoIcon);
    QCOMPARE(seen.buttonCount, 1);
    QVERIFY(seen.okIsDefaultAndEscape);
    QCOMPARE(watchdog_.PendingHandlers(), 0);
  }

  void errorBoxHasTheStopIcon() {
    fluxeta::ui::TFinishForm finishForm;
    fluxeta::ui::DialogPresenter presenter(finishForm);
    SeenBox seen;
    watchdog_.ExpectModal(ReadBoxThenPress(seen, Qt::Key_Return));
    presenter.ShowError(QStringLiteral("0 による浮動小数点数除算."));
    QCOMPARE(seen.caption, QApplication::applicationName());
    QCOMPARE(seen.text, QStringLiteral("0 による浮動小数点数除算."));
    QCOMPARE(seen.icon, QMessageBox::Critical);
    QCOMPARE(seen.buttonCount, 1);
    QVERIFY(seen.okIsDefaultAndEscape);
    QCOMPARE(watchdog_.PendingHandlers(), 0);
  }

  void errorsEscapingAHandlerReachTheErrorBox() {
    RecordingPresenter presenter;
    GuardedCall(presenter, [] { throw base::ConversionError("abc"); });
    GuardedCall(presenter, [] { throw base::InputOutputError(999); });
    GuardedCall(presenter,
                [] { throw base::FloatingPointError(base::FloatingPointFault::InvalidOperation); });
    GuardedCall(presenter, [] { throw base::InputOutputError(base::messages::kIoDiskFull); });
    GuardedCall(presenter, [] { throw std::runtime_error("disk (full)"); });
    GuardedCall(presenter, [] { throw 42; });
    GuardedCall(presenter, [] {});
    const QStringList expected = {
        QStringLiteral("'abc' は浮動小数点数ではありません."),
        QStringLiteral("I/O エラー (999)"),  // ")" sorts before ".": nothing added
        QStringLiteral("不正な浮動小数点数演算命令."),
        QStringLiteral("ディスクがいっぱいです."),
        QStringLiteral("disk (full)"),
        QStringLiteral("Unknown error."),
    };
    QCOMPARE(presenter.errors, expected);
    QVERIFY(presenter.messages.isEmpty());
  }

  void withoutADisplayTheProgramPointsElsewhere() {
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
      environment.remove(QString::fromLatin1(variable));
    }
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(FLUXETA_PROGRAM), {});
    QVERIFY(program.waitForFinished(30000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 1);
    const QString said = QString::fromLocal8Bit(program.readAllStandardError());
    QVERIFY2(said.contains(u"no display"), qPrintable(said));
    QVERIFY(said.contains(u"fluxeta-batch"));
    QVERIFY(said.contains(QStringLiteral("xvfb-run ") + QStringLiteral(FLUXETA_PROGRAM)));
  }

 private:
  ModalWatchdog watchdog_;
};

QTEST_MAIN(MessageBoxesTest)
#include "test_message_boxes.moc"
