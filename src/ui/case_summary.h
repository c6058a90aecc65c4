// The case a result belongs to, as one line of text and as comment lines above the station
// table's comma-separated text.
#pragma once

#include <QDateTime>
#include <QString>

#include "fluxeta/case/case_parameters.h"
#include "fluxeta/run/box_texts.h"

namespace fluxeta::ui {

// "Ain 3 cm2 · γ 0.1 · … · Qin 33 cm3/s": the fifteen inputs, numbers with the decimal
// separator in force.
QString CaseLine(const cases::CaseParameters& parameters);
// The same with the texts of the main window's boxes as typed.
QString CaseLine(const run::BoxTexts& boxes);

// The time of a run as the workbench writes it, "2024-05-01 14:03:27".
QString RunTimeText(const QDateTime& at);

// Lines "# name,value,unit", each ending in "\n": the time of the run, the search, then the
// fifteen inputs in their shortest exact form with a point.
QString CaseCsvComments(const cases::CaseParameters& parameters, const QDateTime& at,
                        const QString& search);

// A field of comma-separated text: in double quotes, doubled inside, when it holds a comma,
// a double quote or a line break.
QString CsvField(const QString& text);

}  // namespace fluxeta::ui
