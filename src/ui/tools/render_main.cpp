// fluxeta_render: draws the program's windows and icon into PNG files without a display.
//   fluxeta_render screenshots DIRECTORY   the main window (design size, wider, smaller)
//                                          and the completion dialog; the workbench after a
//                                          run of the default case, alone and beside the
//                                          main window on a 1366 × 768 screen, and after a
//                                          run that stopped; its Study tab for the taper
//                                          factor alone and by the end slot length, its
//                                          Design tab for the end slot length alone and
//                                          its Sensitivity tab and its Coating tab at its
//                                          own operating point, all for the default case;
//                                          its Die tab with a uniform coat-hanger and its
//                                          Liquid tab with a Carreau–Yasuda liquid fitted to
//                                          measured points and the bands of that die's solve,
//                                          also at the workbench's least size; then
//                                          every tab at the least size, 1366 × 768 and
//                                          1920 × 1080, into DIRECTORY/sizes
//   fluxeta_render icon FILE               the application icon at 32 × 32
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QString>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTextStream>
#include <QTimer>

#include <functional>

#include <nlohmann/json.hpp>

#include <QEventLoop>

#include "artwork.h"
#include "case_panel.h"
#include "coating_tab.h"
#include "comparison_tab.h"
#include "design_tab.h"
#include "die_tab.h"
#include "fluxeta/case/case_parameters.h"
#include "fluxeta/case/default_case.h"
#include "fluxeta/case/input_table.h"
#include "fluxeta/run/box_texts.h"
#include "heat_map.h"
#include "liquid_tab.h"
#include "locale_number_text.h"
#include "program_windows.h"
#include "sensitivity_tab.h"
#include "start_up.h"
#include "study_tab.h"
#include "workbench.h"

namespace {

using fluxeta::ui::ProgramWindows;
namespace cases = fluxeta::cases;
namespace run = fluxeta::run;

// The screen the windows are drawn on: the smallest the workbench is made for, with frames.
constexpr char kScreenConfiguration[] = R"({
  "windowFrameMargins": true,
  "screens": [{"name": "screen", "x": 0, "y": 0, "width": 1366, "height": 768,
               "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]
})";
const QColor kDesktopColour(0x3a, 0x6e, 0xa5);
const QColor kFrameColour(0x2b, 0x2b, 0x2b);
constexpr int kModalPollMilliseconds = 50;
// The least size the workbench is placed at beside the main window.
constexpr QSize kLeastWorkbenchSize(540, 560);

bool Save(const QPixmap& picture, const QString& path) {
  if (!picture.save(path, "PNG")) {
    QTextStream(stderr) << "fluxeta_render: cannot write " << path << "\n";
    return false;
  }
  QTextStream(stdout) << path << "\n";
  return true;
}

// Draws the windows as a desktop of the size of `screen` shows them: each window's frame as a
// dark border, its client area as the window draws it.
QPixmap DesktopPicture(const QRect& screen, const QList<QWidget*>& windows) {
  QPixmap desktop(screen.size());
  desktop.fill(kDesktopColour);
  QPainter painter(&desktop);
  for (QWidget* window : windows) {
    const QRect frame = window->frameGeometry().translated(-screen.topLeft());
    const QRect client = window->geometry().translated(-screen.topLeft());
    painter.fillRect(frame, kFrameColour);
    painter.drawPixmap(client.topLeft(), window->grab());
  }
  return desktop;
}

// Presses OK on the main window and closes every box and dialog the run shows, as a user
// who reads them would.
void RunFromMainWindow(ProgramWindows& windows) {
  QTimer closeModal;
  QObject::connect(&closeModal, &QTimer::timeout, [] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      modal->close();
    }
  });
  closeModal.start(kModalPollMilliseconds);
  windows.Form1().findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
}

// A run of the default case from the main window: the workbench opens beside it on the
// screen. Then a run stopped by a fault (H = 0): the workbench says so.
bool SaveWorkbench(ProgramWindows& windows, const QDir& into) {
  QTemporaryDir resultDirectory;
  run::BoxTexts boxes = windows.Form1().Boxes();
  boxes.Edit(run::kResultFileNameBox) =
      QFile::encodeName(resultDirectory.filePath(QStringLiteral("Result.txt"))).toStdString();
  windows.Form1().SetBoxes(boxes);
  RunFromMainWindow(windows);

  auto* workbench = windows.Form1().findChild<fluxeta::ui::Workbench*>();
  if (workbench == nullptr) {
    QTextStream(stderr) << "fluxeta_render: the run did not open the workbench\n";
    return false;
  }
  QApplication::processEvents();
  bool saved = Save(workbench->grab(), into.filePath(QStringLiteral("workbench-result.png")));
  const QRect screen = windows.Form1().screen()->geometry();
  saved = Save(DesktopPicture(screen, {&windows.Form1(), workbench}),
               into.filePath(QStringLiteral("main-window-with-workbench-%1x%2.png")
                                 .arg(screen.width())
                                 .arg(screen.height()))) &&
          saved;

  constexpr int kSlotGapBox = 7;
  const QByteArray noSlotGap = QByteArrayLiteral("0");
  boxes.Edit(kSlotGapBox) = noSlotGap.toStdString();
  windows.Form1().SetBoxes(boxes);
  RunFromMainWindow(windows);
  QApplication::processEvents();
  return Save(workbench->grab(),
              into.filePath(QStringLiteral("workbench-result-after-a-stopped-run.png"))) &&
         saved;
}

// Runs the event loop until `sender` sends `finished`, after `start` has started the work.
template <typename Sender, typename Signal>
void RunToItsEnd(Sender* sender, Signal finished, const std::function<bool()>& start) {
  QEventLoop loop;
  QObject::connect(sender, finished, &loop, &QEventLoop::quit);
  if (start()) {
    loop.exec();
  }
}

// The Study, Design, Sensitivity and Coating tabs worked on the default case.
bool SaveWorkbenchTabs(ProgramWindows& windows, const QDir& into) {
  using fluxeta::ui::DesignTab;
  using fluxeta::ui::SensitivityTab;
  using fluxeta::ui::StudyTab;
  auto* workbench = windows.Form1().findChild<fluxeta::ui::Workbench*>();
  const char separator = workbench->Case().Separator();
  workbench->Case().SetBoxes(run::DefaultBoxTexts(separator));
  const auto number = [separator](double value) {
    return fluxeta::ui::NumberText(value, separator);
  };
  const cases::InputSpec& gamma = cases::kInputs[*cases::FindInput("gamma")];
  const cases::InputSpec& lend = cases::kInputs[*cases::FindInput("Lend")];
  constexpr int kGammaCount = 16;
  constexpr int kMapSide = 12;

  StudyTab& study = workbench->Study();
  workbench->Tabs().setCurrentWidget(&study);
  study.SetDimension(0, QStringLiteral("gamma"), number(gamma.plausibleLow),
                     number(gamma.plausibleHigh), kGammaCount);
  study.SetDimension(1, QString(), QString(), QString(), 1);
  RunToItsEnd(&study, &StudyTab::finished, [&] { return study.Start(); });
  QApplication::processEvents();
  bool saved = Save(workbench->grab(), into.filePath(QStringLiteral("workbench-study-gamma.png")));

  study.SetDimension(0, QStringLiteral("gamma"), number(gamma.plausibleLow),
                     number(gamma.plausibleHigh), kMapSide);
  study.SetDimension(1, QStringLiteral("Lend"), number(lend.plausibleLow),
                     number(lend.plausibleHigh), kMapSide);
  RunToItsEnd(&study, &StudyTab::finished, [&] { return study.Start(); });
  QApplication::processEvents();
  // The read-out of the case under the pointer, as a user sees it over the map.
  constexpr std::uint64_t kPointedCase = 2 * kMapSide + 5;
  emit study.Map().hovered(kPointedCase);
  QApplication::processEvents();
  saved =
      Save(workbench->grab(), into.filePath(QStringLiteral("workbench-study-gamma-by-lend.png"))) &&
      saved;

  // A map with a row of cases that give no figure (a gap of 0 faults), the best cell ringed,
  // and the same map exported with its title and case.
  study.SetDimension(0, QStringLiteral("H"), number(0), number(0.05), kMapSide);
  study.SetDimension(1, QStringLiteral("Lend"), number(lend.plausibleLow),
                     number(lend.plausibleHigh), kMapSide);
  RunToItsEnd(&study, &StudyTab::finished, [&] { return study.Start(); });
  QApplication::processEvents();
  saved = Save(workbench->grab(), into.filePath(QStringLiteral("workbench-study-bad-row.png"))) &&
          saved;
  saved = study.ExportPlot(into.filePath(QStringLiteral("study-map-export.png"))) && saved;

  DesignTab& design = workbench->Design();
  workbench->Tabs().setCurrentWidget(&design);
  design.SetVariable(*cases::FindInput("Lend"), true, number(lend.plausibleLow),
                     number(lend.plausibleHigh));
  RunToItsEnd(&design, &DesignTab::finished, [&] { return design.Start(); });
  QApplication::processEvents();
  saved =
      Save(workbench->grab(), into.filePath(QStringLiteral("workbench-design-lend.png"))) && saved;

  // Two designs compared: the end slot length alone, and with the taper factor free too.
  fluxeta::ui::ComparisonTab& comparison = workbench->Comparison();
  if (const auto optimum = design.OptimumRun()) {
    comparison.Pin(*optimum, QStringLiteral("design: Lend"));
  }
  design.SetVariable(*cases::FindInput("gamma"), true, number(gamma.plausibleLow),
                     number(gamma.plausibleHigh));
  RunToItsEnd(&design, &DesignTab::finished, [&] { return design.Start(); });
  if (const auto optimum = design.OptimumRun()) {
    comparison.Pin(*optimum, QStringLiteral("design: Lend and γ"));
  }
  design.SetVariable(*cases::FindInput("gamma"), false, number(gamma.plausibleLow),
                     number(gamma.plausibleHigh));
  workbench->Tabs().setCurrentWidget(&comparison);
  QApplication::processEvents();
  saved =
      Save(workbench->grab(), into.filePath(QStringLiteral("workbench-compare-two-designs.png"))) &&
      saved;
  // The report of all of it, whose pages scripts/screenshot draws.
  saved = workbench->ExportReport(into.filePath(QStringLiteral("report.pdf"))) && saved;

  SensitivityTab& sensitivity = workbench->Sensitivity();
  workbench->Tabs().setCurrentWidget(&sensitivity);
  sensitivity.SetTolerance(
      *cases::FindInput("H"),
      QStringLiteral("±0") + QChar::fromLatin1(separator) + QStringLiteral("0005"));
  sensitivity.SetTolerance(*cases::FindInput("Lend"), QStringLiteral("±2%"));
  RunToItsEnd(&sensitivity, &SensitivityTab::finished, [&] { return sensitivity.Start(); });
  QApplication::processEvents();
  saved =
      Save(workbench->grab(), into.filePath(QStringLiteral("workbench-sensitivity.png"))) && saved;

  // The tab's own operating point: the middle of the web inside, the fed edge too thin.
  fluxeta::ui::CoatingTab& coating = workbench->Coating();
  workbench->Tabs().setCurrentWidget(&coating);
  coating.Compute();
  QApplication::processEvents();
  return Save(workbench->grab(), into.filePath(QStringLiteral("workbench-coating.png"))) && saved;
}

// The Die and Liquid tabs: a uniform coat-hanger die of the example slurry, fitted to its
// measured flow curve, solved; then both tabs at the workbench's least size.
bool SaveDieAndLiquidTabs(ProgramWindows& windows, const QDir& into) {
  auto* workbench = windows.Form1().findChild<fluxeta::ui::Workbench*>();
  fluxeta::ui::LiquidTab& liquid = workbench->Liquid();
  fluxeta::ui::DieTab& die = workbench->Die();
  QFile slurry(QStringLiteral(FLUXETA_EXAMPLE_LIQUIDS "/shear_thinning_slurry.json"));
  if (!slurry.open(QIODevice::ReadOnly)) {
    QTextStream(stderr) << "fluxeta_render: cannot read the example slurry\n";
    return false;
  }
  liquid.SetDocumentState(nlohmann::json::parse(slurry.readAll().toStdString()));
  if (!liquid.LoadMeasured(QStringLiteral(FLUXETA_EXAMPLE_LIQUIDS "/slurry_flow_curve.csv")) ||
      !liquid.Fit()) {
    return false;
  }
  die.SetFamily("coat-hanger");
  die.SetUniformDesign(true);
  die.SetBox("stations", QStringLiteral("100"));
  die.SetBox("description", QStringLiteral("uniform coat-hanger for the slurry"));
  RunToItsEnd(&die, &fluxeta::ui::DieTab::finished, [&] { return die.Solve(); });
  QApplication::processEvents();
  bool saved = Save(workbench->grab(), into.filePath(QStringLiteral("workbench-die-result.png")));
  const QSize size = workbench->size();
  for (const auto& [least, suffix] :
       {std::pair{false, QString()}, std::pair{true, QStringLiteral("-least-size")}}) {
    if (least) {
      workbench->resize(workbench->minimumSizeHint().expandedTo(kLeastWorkbenchSize));
    }
    workbench->Tabs().setCurrentWidget(&die);
    die.RedrawNow();
    QApplication::processEvents();
    saved =
        Save(workbench->grab(), into.filePath(QStringLiteral("workbench-die%1.png").arg(suffix))) &&
        saved;
    workbench->Tabs().setCurrentWidget(&liquid);
    QApplication::processEvents();
    saved = Save(workbench->grab(),
                 into.filePath(QStringLiteral("workbench-liquid%1.png").arg(suffix))) &&
            saved;
  }
  workbench->resize(size);
  return saved;
}

// Every tab as the work above left it, at the workbench's least size and filling a
// 1366 × 768 and a 1920 × 1080 screen: "sizes/workbench-TAB-WIDTHxHEIGHT.png".
bool SaveEveryTabAtEverySize(ProgramWindows& windows, const QDir& into) {
  auto* workbench = windows.Form1().findChild<fluxeta::ui::Workbench*>();
  into.mkpath(QStringLiteral("sizes"));
  const QDir sizes(into.filePath(QStringLiteral("sizes")));
  const QSize kept = workbench->size();
  bool saved = true;
  for (const QSize size : {workbench->minimumSizeHint().expandedTo(kLeastWorkbenchSize),
                           QSize(1366, 768), QSize(1920, 1080)}) {
    workbench->resize(size);
    for (int tab = 0; tab < workbench->Tabs().count(); ++tab) {
      workbench->Tabs().setCurrentIndex(tab);
      QApplication::processEvents();
      const QString name =
          workbench->Tabs().tabText(tab).section(u' ', 0, 0).remove(u'&').toLower();
      saved = Save(workbench->grab(), sizes.filePath(QStringLiteral("workbench-%1-%2x%3.png")
                                                         .arg(name)
                                                         .arg(workbench->width())
                                                         .arg(workbench->height()))) &&
              saved;
    }
  }
  workbench->resize(kept);
  return saved;
}

bool SaveScreenshots(const QString& directory) {
  QDir().mkpath(directory);
  const QDir into(directory);
  ProgramWindows windows;
  windows.ShowMainWindow();
  QApplication::processEvents();
  bool saved = Save(windows.Form1().grab(), into.filePath(QStringLiteral("main-window.png")));

  const QSize designSize = windows.Form1().size();
  constexpr QSize kWider{860, 640};
  constexpr QSize kSmaller{600, 470};
  for (const auto& [size, name] : {std::pair{kWider, "main-window-wider.png"},
                                   std::pair{kSmaller, "main-window-smaller.png"}}) {
    windows.Form1().resize(size);
    QApplication::processEvents();
    saved = Save(windows.Form1().grab(), into.filePath(QString::fromLatin1(name))) && saved;
  }
  windows.Form1().resize(designSize);

  windows.FinishForm().show();
  QApplication::processEvents();
  saved =
      Save(windows.FinishForm().grab(), into.filePath(QStringLiteral("completion-dialog.png"))) &&
      saved;
  windows.FinishForm().hide();
  windows.ShowMainWindow();
  QApplication::processEvents();
  saved = SaveWorkbench(windows, into) && saved;
  saved = SaveWorkbenchTabs(windows, into) && saved;
  saved = SaveDieAndLiquidTabs(windows, into) && saved;
  return SaveEveryTabAtEverySize(windows, into) && saved;
}

}  // namespace

int main(int argc, char* argv[]) {
  QTemporaryFile screenConfiguration;
  const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
  if (platform.isEmpty() || platform == "offscreen") {
    const bool configured = screenConfiguration.open() &&
                            screenConfiguration.write(kScreenConfiguration) ==
                                static_cast<qint64>(sizeof kScreenConfiguration - 1) &&
                            screenConfiguration.flush();
    qputenv("QT_QPA_PLATFORM",
            configured ? "offscreen:configfile=" + QFile::encodeName(screenConfiguration.fileName())
                       : QByteArray("offscreen"));
  }
  QApplication application(argc, argv);
  fluxeta::ui::InitialiseApplication();
  const QStringList arguments = QApplication::arguments();
  if (arguments.size() == 3 && arguments[1] == QStringLiteral("screenshots")) {
    return SaveScreenshots(arguments[2]) ? 0 : 1;
  }
  if (arguments.size() == 3 && arguments[1] == QStringLiteral("icon")) {
    const int size = fluxeta::ui::kIconSize;
    return Save(fluxeta::ui::ApplicationIcon().pixmap(size, size), arguments[2]) ? 0 : 1;
  }
  QTextStream(stderr) << "usage: fluxeta_render screenshots DIRECTORY | icon FILE\n";
  return 2;
}
