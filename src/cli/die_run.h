// fluxeta-batch --die: a die document solved by the general die model.
#pragma once

#include <ostream>

#include "batch_options.h"
#include "die_options.h"

namespace fluxeta::cli {

// Reads and solves the document, writes the exports it names and the table (or a summary)
// to `out`. Exit status: 0 converged, 1 no answer (no physical solution, or not
// converged), 2 a document refused, 3 a floating-point fault, 4 an export not written.
int RunDieDocument(const DieOptions& options, TableFormat table, std::ostream& out,
                   std::ostream& err);

// A study of the document: --sweep and --cases name its numbers by their paths
// ("geometry.manifold.radius"). Exit status as RunStudy's, and 2 for a document refused.
// The design commands on the document: --optimise (the best die document to -o, the report
// to `out`), --sensitivity and --tolerance, naming its numbers by their paths. Exit status
// as RunDesignCommands', and 2 for a document refused.
int RunDieDesign(const BatchOptions& options, std::ostream& out, std::ostream& err);

int RunDieStudy(const DieOptions& options, const StudyOptions& study, std::ostream& out,
                std::ostream& err);

}  // namespace fluxeta::cli
