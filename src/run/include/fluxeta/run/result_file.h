// The result file: the case and its solution along the die width, as code page 932
// text with CR LF line ends, 75 lines in two sections written at two moments of a run.
#pragma once

#include <string>

#include "fluxeta/case/case_parameters.h"
#include "fluxeta/case/station_table.h"
#include "fluxeta/run/text_file_writer.h"

namespace fluxeta::run {

// Numbers are written with `separator`, the decimal separator of the user's locale.

// Lines 1 to 17: an empty line, "[INPUT DATA]" and one labelled line per input.
std::string InputSectionText(const cases::CaseParameters& parameters, char separator);

// Lines 18 to 75: "[RESULT]", the column names and units, one row per station, the note,
// the entrance pressure and the uniformity.
std::string ResultSectionText(const cases::StationTable& table, char separator);

// The entrance pressure P_1 (Pa) as the file prints it: MPa with three decimals.
std::string EntrancePressureText(double entrancePressure, char separator);

// The row of station 1 … 50 without its line end: fourteen cells, two blanks apart.
std::string StationRowText(const cases::StationTable& table, int station, char separator);

// Creates the file named by ResultFileName, or cuts an existing one to zero length,
// locks it for the run held by `file` and writes the input section. Returns the reason,
// having created or changed nothing, when the file cannot be opened (also when another
// run holds it); the caller shows "File can not open!". A failed write raises
// InputOutputError.
OpenFailure WriteInputSection(const cases::CaseParameters& parameters, char separator,
                              ClaimedFile& file);

// Appends the result section to the file named by ResultFileName once it is sure to be
// the one `file` holds with this run's input section alone. Returns the reason, having
// written nothing, when that file cannot be opened for appending (also when it is
// missing) or is not this run's. A failed write or close raises InputOutputError.
OpenFailure WriteResultSection(const cases::CaseParameters& parameters,
                               const cases::StationTable& table, char separator,
                               const ClaimedFile& file);

}  // namespace fluxeta::run
