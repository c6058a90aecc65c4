// One run of the program: the boxes of the window to a result file.
#pragma once

#include <string>
#include <string_view>

#include "fluxeta/case/case_parameters.h"
#include "fluxeta/case/station_table.h"
#include "fluxeta/run/box_texts.h"
#include "fluxeta/solver/search.h"

namespace fluxeta::run {

// The case a run starts from: its inputs and the name of its result file.
struct RunCase {
  cases::CaseInputs inputs;
  std::string resultFileName;
};

// What a run needs of the front that started it.
class RunFrontEnd {
 public:
  virtual ~RunFrontEnd() = default;
  // The case at the moment the run starts.
  virtual RunCase Case() const = 0;
  // The decimal separator of the result file (and of the texts of the case).
  virtual char DecimalSeparator() const = 0;
  // A plain message box; returns when the user has closed it.
  virtual void ShowMessage(std::string_view text) = 0;
  // The completion dialog, modally; returns when the user has closed it.
  virtual void ShowCompletion() = 0;
  // The solution of a run that converged and wrote its result section, just before the
  // completion dialog; a front end without a view of it ignores it.
  virtual void ShowSolution(const cases::CaseParameters& /*parameters*/,
                            const solver::Solution& /*solution*/) {}
  // A warning about a solution that was written: stations off the physical branch, or a
  // robust answer at a regime gap. A front end without a place for it ignores it.
  virtual void ShowWarning(const std::string& /*text*/) {}
  // Why the result file `path` could not be opened, just before "File can not open!";
  // a front end whose box says all it shows ignores it.
  virtual void ShowFileFailure(std::string_view /*path*/, std::string_view /*reason*/) {}
};

// A front whose case is the texts of the window's boxes.
class WindowFrontEnd : public RunFrontEnd {
 public:
  // The texts of the sixteen boxes at the moment the run starts.
  virtual BoxTexts Boxes() const = 0;
  RunCase Case() const override;
};

enum class RunOutcome {
  Finished,       // converged, both sections written, completion shown
  NotConverged,   // the search gave up; the file holds the last sweep with zeroed results
  FileNotOpened,  // "File can not open!" was shown
};

struct RunReport {
  RunOutcome outcome = RunOutcome::Finished;
  // Meaningful once the solve has run. A run whose search gave up prints it as it is,
  // with zero Q_DIFF, RTime, DelQRms and Uniformity rather than the figures of some
  // earlier case.
  solver::Solution solution;
};

// Reads the case of the front into `parameters`, writes the input section, solves,
// writes the result section and shows the completion dialog. A conversion error, a
// floating-point fault or an input/output error after a file was opened ends the run and
// propagates to the caller; `parameters` then holds the fields read before it.
// `search` solves the case: the window's by default.
RunReport CalculationRun(RunFrontEnd& frontEnd, cases::CaseParameters& parameters,
                         solver::Search search = solver::Search::Window);

}  // namespace fluxeta::run
