// fluxeta_render: draws the program's windows and icon into PNG files without a display.
//   fluxeta_render screenshots DIRECTORY   the main window (design size, wider, smaller)
//                                          and the completion dialog; the results window
//                                          of the default case
//   fluxeta_render icon FILE               the application icon at 32 × 32
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QString>
#include <QTextStream>

#include "artwork.h"
#include "case/case_parameters.h"
#include "case/station_table.h"
#include "program_windows.h"
#include "result_tab.h"
#include "solver/solve_die_flow.h"
#include "start_up.h"
#include "workbench.h"

namespace {

using fluxeta::ui::ProgramWindows;
namespace cases = fluxeta::cases;

bool Save(const QPixmap& picture, const QString& path) {
  if (!picture.save(path, "PNG")) {
    QTextStream(stderr) << "fluxeta_render: cannot write " << path << "\n";
    return false;
  }
  QTextStream(stdout) << path << "\n";
  return true;
}

// The results window as a run of the case in the main window's boxes leaves it.
bool SaveResultsWindow(ProgramWindows& windows, const QDir& into) {
  cases::CaseParameters parameters;
  cases::StationTable table;
  cases::SolverState state;
  cases::ReadCaseFromForm(windows.Form1().Boxes(), parameters);
  const auto outcome = fluxeta::solver::SolveDieFlow(parameters, table, state);
  fluxeta::ui::DialogPresenter presenter(windows.FinishForm());
  fluxeta::ui::Workbench workbench(presenter, &windows.Form1());
  workbench.ShowResults(
      {parameters, table, outcome,
       QDir::current().absoluteFilePath(QFile::decodeName(parameters.ResultFileName.c_str())),
       QDateTime::currentDateTime(), fluxeta::ui::kWindowSearchName});
  QApplication::processEvents();
  return Save(workbench.grab(), into.filePath(QStringLiteral("workbench-result.png")));
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
  return SaveResultsWindow(windows, into) && saved;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
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
