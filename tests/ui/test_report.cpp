// The workbench's report: a PDF through Qt's PDF writer whose pages poppler's tools can draw
// and whose text holds the Result tab's figures as the tab shows them, more pages for a
// comparison, the same as one HTML file with its pictures embedded, both written whole.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

#include <memory>
#include <optional>

#include "comparison_tab.h"
#include "default_case_run.h"
#include "fluxeta/run/box_texts.h"
#include "fluxeta/run/calculation_run.h"
#include "fluxeta/solver/search.h"
#include "main_window_fixture.h"
#include "result_tab.h"
#include "workbench.h"

namespace ui = fluxeta::ui;
using ui::Workbench;
using ui::testing::MainWindowFixture;
using ui::testing::ReadFileBytes;

namespace {

constexpr int kToolMilliseconds = 60000;

ui::FinishedRun Solve(const char* endSlotLength = nullptr) {
  return ui::testing::SolvedDefaultCase(endSlotLength,
                                        QDateTime(QDate(2026, 12, 10), QTime(12, 0, 0)));
}

// The standard output of a poppler tool; nothing when it fails.
std::optional<QByteArray> Poppler(const QString& tool, const QStringList& arguments) {
  QProcess process;
  process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  process.start(tool, arguments);
  if (!process.waitForFinished(kToolMilliseconds) || process.exitStatus() != QProcess::NormalExit ||
      process.exitCode() != 0) {
    return std::nullopt;
  }
  return process.readAllStandardOutput();
}

// The pages of the PDF drawn as PNG files by pdftoppm.
int DrawnPages(const QString& pdf, const QString& directory) {
  const QString prefix = QDir(directory).filePath(QStringLiteral("page"));
  if (!Poppler(QStringLiteral("pdftoppm"),
               {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("40"), pdf, prefix})) {
    return -1;
  }
  return static_cast<int>(
      QDir(directory).entryList({QStringLiteral("page-*.png")}, QDir::Files).size());
}

}  // namespace

class ReportTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    fixture_ = std::make_unique<MainWindowFixture>();
    fixture_->Form().OpenWorkbench();
    workbench_ = fixture_->Form().findChild<Workbench*>();
  }
  void cleanup() {
    const QStringList failures = fixture_->watchdog.TakeFailures();
    fixture_.reset();
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QStringLiteral("; "))));
  }

  void pdfHoldsTheResultAsTheTabShowsIt();
  void htmlEmbedsItsPictures();
  void isAskedForUnderANameAndNeverLeftHalfWritten();

 private:
  std::unique_ptr<MainWindowFixture> fixture_;
  Workbench* workbench_ = nullptr;
};

void ReportTest::pdfHoldsTheResultAsTheTabShowsIt() {
  workbench_->ShowResults(Solve());
  const QString alone = fixture_->PathOf(QStringLiteral("alone.pdf"));
  QVERIFY(workbench_->ExportReport(alone));
  QVERIFY(ReadFileBytes(alone).startsWith("%PDF-"));
  const QString aloneDirectory = fixture_->PathOf(QStringLiteral("alone"));
  QVERIFY(QDir().mkpath(aloneDirectory));
  // The case, the die, the plots and the fifty stations.
  QCOMPARE(DrawnPages(alone, aloneDirectory), 3);
  const QString text = QString::fromUtf8(
      Poppler(QStringLiteral("pdftotext"), {alone, QStringLiteral("-")}).value_or(""));
  const QString uniformity = workbench_->Result().UniformityText();
  QVERIFY(!uniformity.isEmpty());
  QVERIFY2(text.contains(QStringLiteral("Uniformity: ") + uniformity), qPrintable(text.left(2000)));
  QVERIFY(text.contains(QStringLiteral("Entrance pressure: ") +
                        workbench_->Result().EntrancePressureText()));
  QVERIFY(text.contains(QStringLiteral("Stations")));

  // A comparison of two results adds its table and three plots.
  workbench_->Comparison().Pin(Solve(), QStringLiteral("the die we have"));
  workbench_->Comparison().Pin(Solve("2.8"), QStringLiteral("a longer end"));
  const QString compared = fixture_->PathOf(QStringLiteral("compared.pdf"));
  QVERIFY(workbench_->ExportReport(compared));
  const QString comparedDirectory = fixture_->PathOf(QStringLiteral("compared"));
  QVERIFY(QDir().mkpath(comparedDirectory));
  QCOMPARE(DrawnPages(compared, comparedDirectory), 4);
  const QString comparedText = QString::fromUtf8(
      Poppler(QStringLiteral("pdftotext"), {compared, QStringLiteral("-")}).value_or(""));
  QVERIFY(comparedText.contains(QStringLiteral("Comparison of the pinned results")));
  QVERIFY(comparedText.contains(QStringLiteral("a longer end")));
}

void ReportTest::htmlEmbedsItsPictures() {
  workbench_->ShowResults(Solve());
  workbench_->Comparison().Pin(Solve("2.8"), QStringLiteral("a longer end"));
  const QString path = fixture_->PathOf(QStringLiteral("report.html"));
  QVERIFY(workbench_->ExportReport(path));
  const QString html = QString::fromUtf8(ReadFileBytes(path));
  QVERIFY(html.startsWith(QStringLiteral("<!DOCTYPE html>")));
  QVERIFY(html.contains(QStringLiteral("Uniformity: ") + workbench_->Result().UniformityText()));
  // The die, the Result tab's plots and the comparison's three, each a PNG of its own.
  QCOMPARE(html.count(QStringLiteral("src=\"data:image/png;base64,")), 5);
  QVERIFY(!html.contains(QStringLiteral("@picture-")));
  QCOMPARE(QDir(fixture_->Directory()).entryList(QDir::Files), QStringList{"report.html"});
}

void ReportTest::isAskedForUnderANameAndNeverLeftHalfWritten() {
  workbench_->ShowResults(Solve());
  auto& presenter = fixture_->presenter;
  presenter.savePaths.push_back(fixture_->PathOf(QStringLiteral("for Ana")));
  QVERIFY(workbench_->ExportReportChosen());
  QCOMPARE(presenter.suggestedPaths.first(), fixture_->PathOf(QStringLiteral("report.pdf")));
  QVERIFY(ReadFileBytes(fixture_->PathOf(QStringLiteral("for Ana.pdf"))).startsWith("%PDF-"));

  const QString nowhere = fixture_->PathOf(QStringLiteral("missing/report.pdf"));
  QVERIFY(!workbench_->ExportReport(nowhere));
  QCOMPARE(presenter.messages.size(), 1);
  QVERIFY2(presenter.messages.first().startsWith(QStringLiteral("The report was not written")),
           qPrintable(presenter.messages.first()));
  QVERIFY(!QFile::exists(nowhere));
}

QTEST_MAIN(ReportTest)
#include "test_report.moc"
