// The completion dialog: its fixed content, and one window shown again by every run,
// reopened where it was last closed, closed by OK, Enter or its close box but not Escape.
#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "bevel_panel.h"
#include "dialog_presenter.h"
#include "finish_form.h"
#include "main_window_fixture.h"
#include "modal_watchdog.h"

using fluxeta::ui::DialogPresenter;
using fluxeta::ui::TFinishForm;
using fluxeta::ui::testing::ModalWatchdog;

namespace {

bool IsTahoma(const QWidget& widget, int pixelSize) {
  return QFontInfo(widget.font()).family() == QStringLiteral("Tahoma") &&
         widget.font().pixelSize() == pixelSize;
}

QColor TextColour(const QWidget& widget) {
  return widget.palette().color(QPalette::Active, QPalette::WindowText);
}

QPushButton* OkButton(QWidget* dialog) {
  return dialog->findChild<QPushButton*>(QStringLiteral("BitBtn1"));
}

}  // namespace

class CompletionDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { fluxeta::ui::testing::PrepareApplication(); }
  void cleanup() {
    const QStringList failures = watchdog_.TakeFailures();
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QStringLiteral("; "))));
  }

  void hasItsFixedContent() {
    TFinishForm finishForm;
    QVERIFY(finishForm.isHidden());
    QCOMPARE(finishForm.objectName(), QStringLiteral("FinishForm"));
    QCOMPARE(finishForm.windowTitle(), QStringLiteral("Finsh"));
    QCOMPARE(finishForm.size(), QSize(334, 205));
    QCOMPARE(finishForm.minimumSize(), QSize(334, 205));
    QCOMPARE(finishForm.maximumSize(), QSize(334, 205));
    const Qt::WindowFlags flags = finishForm.windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(!finishForm.windowIcon().isNull());

    auto* panel = finishForm.findChild<fluxeta::ui::BevelPanel*>(QStringLiteral("Panel1"));
    QCOMPARE(panel->geometry(), QRect(24, 16, 289, 49));
    QCOMPARE(panel->OuterBevel(), fluxeta::ui::Bevel::Raised);

    auto* message = finishForm.findChild<QLabel*>(QStringLiteral("Label1"));
    QCOMPARE(message->parentWidget(), panel);
    QCOMPARE(message->text(), QStringLiteral("Calculation is successfully finished !"));
    QCOMPARE(message->pos(), QPoint(26, 16));
    QCOMPARE(message->height(), 18);
    QVERIFY(IsTahoma(*message, 15));
    QCOMPARE(TextColour(*message), QColor(Qt::blue));

    auto* title = finishForm.findChild<QLabel*>(QStringLiteral("Label4"));
    QCOMPARE(title->text(), QStringLiteral("Fluxeta (Ver. 1.0)"));
    QCOMPARE(title->y(), 80);
    QCOMPARE(title->height(), 16);
    QVERIFY(qAbs(title->geometry().center().x() * 2 + 1 - 334) <= 1);
    QVERIFY(IsTahoma(*title, 13));
    QCOMPARE(TextColour(*title), QColor(Qt::red));

    auto* date = finishForm.findChild<QLabel*>(QStringLiteral("Label2"));
    QCOMPARE(date->text(), QStringLiteral("2008.6.20"));
    QCOMPARE(date->pos(), QPoint(129, 133));
    QCOMPARE(date->height(), 16);
    QVERIFY(IsTahoma(*date, 13));
    QCOMPARE(TextColour(*date), QColor(Qt::black));

    // Every text is sized to itself, so none is cut off.
    for (QLabel* label : {message, title, date}) {
      QCOMPARE(label->width(), QFontMetrics(label->font()).horizontalAdvance(label->text()));
      QVERIFY(label->parentWidget()->rect().contains(label->geometry()));
    }

    QPushButton* ok = OkButton(&finishForm);
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    QCOMPARE(ok->geometry(), QRect(120, 159, 81, 34));
    QVERIFY(ok->isDefault());
    QVERIFY(!ok->icon().isNull());
    QVERIFY(IsTahoma(*ok, 13));
  }

  void oneWindowReopensWhereItWasLastClosed() {
    TFinishForm finishForm;
    DialogPresenter presenter(finishForm);
    const QPoint movedTo(40, 60);
    QPointer<QWidget> firstShown;
    watchdog_.ExpectModal([&](QWidget* modal) {
      firstShown = modal;
      QCOMPARE(modal, static_cast<QWidget*>(&finishForm));
      QCOMPARE(modal->windowModality(), Qt::ApplicationModal);
      // Centred on the screen the first time.
      const QPoint screenCentre = modal->screen()->availableGeometry().center();
      QVERIFY((modal->frameGeometry().center() - screenCentre).manhattanLength() <= 2);
      QTRY_COMPARE(QApplication::focusWidget(), OkButton(modal));
      modal->move(movedTo);
      QTest::mouseClick(OkButton(modal), Qt::LeftButton);
    });
    presenter.ShowCompletion();
    QVERIFY(firstShown);
    QVERIFY(finishForm.isHidden());

    watchdog_.ExpectModal([&](QWidget* modal) {
      QCOMPARE(modal, firstShown.data());
      QCOMPARE(modal->pos(), movedTo);
      QTRY_COMPARE(QApplication::focusWidget(), OkButton(modal));
      QTest::keyClick(modal, Qt::Key_Return);
    });
    presenter.ShowCompletion();
    QVERIFY(finishForm.isHidden());
    QCOMPARE(watchdog_.PendingHandlers(), 0);
  }

  void escapeDoesNothingTheCloseBoxAndSpaceClose() {
    TFinishForm finishForm;
    watchdog_.ExpectModal([&](QWidget* modal) {
      QTest::keyClick(modal, Qt::Key_Escape);
      QTest::keyClick(OkButton(modal), Qt::Key_Escape);
      QVERIFY(modal->isVisible());
      modal->close();  // the title bar's close box
    });
    finishForm.ShowModally();
    QVERIFY(finishForm.isHidden());

    watchdog_.ExpectModal([&](QWidget* modal) { QTest::keyClick(OkButton(modal), Qt::Key_Space); });
    finishForm.ShowModally();
    QVERIFY(finishForm.isHidden());
    QCOMPARE(watchdog_.PendingHandlers(), 0);
  }

 private:
  ModalWatchdog watchdog_;
};

QTEST_MAIN(CompletionDialogTest)
#include "test_completion_dialog.moc"
