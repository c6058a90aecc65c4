#include "tahoma_font.h"

#include <QFile>
#include <QFontDatabase>
#include <QString>

namespace fluxeta::ui {

namespace {
const QString kFamily = QStringLiteral("Tahoma");
const char* const kFallbackFontFiles[] = {"/usr/share/wine/fonts/tahoma.ttf",
                                          "/usr/share/wine/fonts/tahomabd.ttf"};
}  // namespace

void EnsureTahomaFont() {
  if (QFontDatabase::families().contains(kFamily, Qt::CaseInsensitive)) {
    return;
  }
  for (const char* file : kFallbackFontFiles) {
    if (QFile::exists(QString::fromLatin1(file))) {
      QFontDatabase::addApplicationFont(QString::fromLatin1(file));
    }
  }
}

QFont TahomaFont(int pixelSize) {
  QFont font(kFamily);
  font.setPixelSize(pixelSize);
  return font;
}

}  // namespace fluxeta::ui
