#include "batch_runner.h"

#include <QFile>
#include <QProcess>

#include "fluxeta/case/input_table.h"

namespace fluxeta::ui::testing {

int RunBatch(const QString& directory, const QStringList& arguments) {
  QProcess batch;
  batch.setWorkingDirectory(directory);
  batch.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  batch.start(QStringLiteral(FLUXETA_BATCH), arguments);
  constexpr int kBatchTimeoutMilliseconds = 60000;
  if (!batch.waitForFinished(kBatchTimeoutMilliseconds) ||
      batch.exitStatus() != QProcess::NormalExit) {
    return -1;
  }
  return batch.exitCode();
}

void WriteDataFile(const QString& path, const cases::BoxTexts& boxes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    qFatal("cannot write the data file %s", qPrintable(path));
  }
  int line = 0;
  for (const cases::InputSpec& input : cases::kInputs) {
    file.write(QStringLiteral("input %1 = ").arg(++line).toUtf8());
    file.write(QByteArray::fromStdString(boxes.Edit(input.box)));
    file.write("\r\n");
  }
}

}  // namespace fluxeta::ui::testing
