// fluxeta-batch for comparisons with the window, and data files to feed both.
#pragma once

#include <QString>
#include <QStringList>

#include "fluxeta/case/case_parameters.h"
#include "fluxeta/run/box_texts.h"

namespace fluxeta::ui::testing {

// Runs fluxeta-batch in `directory`; its exit status, or -1 when it did not run to its end.
int RunBatch(const QString& directory, const QStringList& arguments);

// A data file of fifteen "label = value" lines carrying the texts of the case boxes.
void WriteDataFile(const QString& path, const run::BoxTexts& boxes);

}  // namespace fluxeta::ui::testing
