// The result file: the case and its solution along the die width, as code page 932
// text with CR LF line ends, 75 lines in two sections written at two moments of a run.
#pragma once

#include <string>

#include "case/case_parameters.h"
#include "case/station_table.h"

namespace fluxeta::cases {

// Numbers are written with `separator`, the decimal separator of the user's locale.

// Lines 1 to 17: an empty line, "[INPUT DATA]" and one labelled line per input.
std::string InputSectionText(const CaseParameters& parameters, char separator);

// Lines 18 to 75: "[RESULT]", the column names and units, one row per station, the note,
// the entrance pressure and the uniformity.
std::string ResultSectionText(const StationTable& table, char separator);

// The entrance pressure P_1 (Pa) as the file prints it: MPa with three decimals.
std::string EntrancePressureText(double entrancePressure, char separator);

// The row of station 1 … 50 without its line end: fourteen cells, two blanks apart.
std::string StationRowText(const StationTable& table, int station, char separator);

// Creates the file named by ResultFileName, or empties an existing one, and writes the
// input section. Returns false, having created or changed nothing, when the file cannot be
// opened; the caller shows "File can not open!". A failed write or close raises
// InputOutputError.
bool WriteInputSection(const CaseParameters& parameters, char separator);

// Appends the result section to the existing file named by ResultFileName. Returns false,
// having written nothing, when that file cannot be opened for appending (also when it is
// missing). A failed write or close raises InputOutputError.
bool WriteResultSection(const CaseParameters& parameters, const StationTable& table,
                        char separator);

}  // namespace fluxeta::cases
