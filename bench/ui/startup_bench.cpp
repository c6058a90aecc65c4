// Start-up of the desktop program on the offscreen platform, to the main window shown
// (both windows created, the die drawn, the directory views filled, the first paint).
// Each repetition is one start-up; the median is the figure to watch (target < 300 ms).
//   ProcessStartUp   a new process of this program: loading, the application object,
//                    the platform plugin and fonts, then the windows
//   WindowsStartUp   the windows alone, in this process's application object
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QWindow>

#include <cstring>
#include <memory>

#include "program_windows.h"
#include "start_up.h"

namespace {

// The argument that makes this program start the way the desktop program does.
constexpr char kStartUpChild[] = "--start-up-child";
constexpr int kChildTimeoutMilliseconds = 30000;

void ChooseOffscreenPlatform() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
}

void ShowAndWaitUntilExposed(fluxeta::ui::ProgramWindows& windows) {
  windows.ShowMainWindow();
  QWindow* window = windows.Form1().windowHandle();
  while (window == nullptr || !window->isExposed()) {
    QApplication::processEvents();
    window = windows.Form1().windowHandle();
  }
  QApplication::processEvents();  // the first paint
}

// The child: start up, say so on standard output, end.
int StartUpChild(int argc, char** argv) {
  QApplication application(argc, argv);
  fluxeta::ui::InitialiseApplication();
  fluxeta::ui::ProgramWindows windows;
  ShowAndWaitUntilExposed(windows);
  std::fputs("shown\n", stdout);
  std::fflush(stdout);
  return 0;
}

QApplication& Application(char* programName) {
  static int argc = 1;
  static char* argv[] = {programName, nullptr};
  static QApplication application(argc, argv);
  static const bool initialised = (fluxeta::ui::InitialiseApplication(), true);
  (void)initialised;
  return application;
}

void ProcessStartUp(benchmark::State& state) {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  for (auto _ : state) {
    QProcess child;
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QApplication::applicationFilePath(), {QString::fromLatin1(kStartUpChild)});
    while (!child.canReadLine() && child.waitForReadyRead(kChildTimeoutMilliseconds)) {
    }
    state.PauseTiming();
    if (!child.readLine().startsWith("shown")) {
      state.SkipWithError("the child did not show its window");
    }
    child.waitForFinished(kChildTimeoutMilliseconds);
    state.ResumeTiming();
  }
}

void WindowsStartUp(benchmark::State& state) {
  for (auto _ : state) {
    auto windows = std::make_unique<fluxeta::ui::ProgramWindows>();
    ShowAndWaitUntilExposed(*windows);
    state.PauseTiming();
    windows.reset();
    QApplication::processEvents();
    state.ResumeTiming();
  }
}

constexpr int kRepetitions = 25;
BENCHMARK(ProcessStartUp)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true);
BENCHMARK(WindowsStartUp)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  ChooseOffscreenPlatform();
  if (argc == 2 && std::strcmp(argv[1], kStartUpChild) == 0) {
    return StartUpChild(argc, argv);
  }
  Application(argv[0]);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    return 1;
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
