#include "artwork.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QString>
#include <QSvgRenderer>

// Resources of a static library are registered explicitly; the name is the .qrc file's.
static void RegisterArtworkResources() {
  Q_INIT_RESOURCE(fluxeta);
}

namespace fluxeta::ui {

namespace {

// The picture drawn at its pixel size; the icon engine is not needed for it.
QIcon IconFromResource(const QString& name, int size) {
  static const bool registered = (RegisterArtworkResources(), true);
  (void)registered;
  QSvgRenderer renderer(QStringLiteral(":/fluxeta/") + name);
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  renderer.render(&painter);
  painter.end();
  return QIcon(QPixmap::fromImage(image));
}

}  // namespace

QIcon ApplicationIcon() {
  return IconFromResource(QStringLiteral("icon.svg"), kIconSize);
}

QIcon OkGlyph() {
  return IconFromResource(QStringLiteral("ok-glyph.svg"), kGlyphSize);
}

QIcon CloseGlyph() {
  return IconFromResource(QStringLiteral("close-glyph.svg"), kGlyphSize);
}

}  // namespace fluxeta::ui
