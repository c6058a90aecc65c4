#include "application_title.h"

#include <QFileInfo>

namespace fluxeta::ui {

QString ApplicationTitle(const QString& programPath) {
  const QString fileName = QFileInfo(programPath).fileName();
  const QString name = fileName.left(fileName.indexOf(u'.'));
  return name.left(1) + name.mid(1).toLower();
}

}  // namespace fluxeta::ui
