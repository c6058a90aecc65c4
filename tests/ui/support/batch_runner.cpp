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

void WriteDataFile(const QString& path, const run::BoxTexts& boxes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    qFatal("cannot write the data file %s", qPrintable(path));
  }
  int line = 0;
  for (std::size_t input = 0; input < cases::kInputCount; ++input) {
    file.write(QStringLiteral("input %1 = ").arg(++line).toUtf8());
    file.write(QByteArray::fromStdString(boxes.Input(input)));
    file.write("\r\n");
  }
}

}  // namespace fluxeta::ui::testing
