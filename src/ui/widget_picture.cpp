#include "widget_picture.h"

#include <QBuffer>
#include <QByteArray>
#include <QPainter>
#include <QPixmap>
#include <QSaveFile>
#include <QSvgGenerator>

namespace fluxeta::ui {

namespace {

// The picture is made in memory first and then replaces the file in one step, so that a
// failure never leaves half a picture behind.
bool WriteWholeFile(const QString& path, const QByteArray& content) {
  if (content.isEmpty()) {
    return false;
  }
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    return false;
  }
  if (file.write(content) != content.size()) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

}  // namespace

bool SaveWidgetAsPng(QWidget& widget, const QString& path) {
  QByteArray content;
  QBuffer buffer(&content);
  buffer.open(QIODevice::WriteOnly);
  if (!widget.grab().save(&buffer, "PNG")) {
    return false;
  }
  return WriteWholeFile(path, content);
}

bool SaveWidgetAsSvg(QWidget& widget, const QString& path, const QString& title) {
  QByteArray content;
  QBuffer buffer(&content);
  buffer.open(QIODevice::WriteOnly);

  QSvgGenerator generator;
  generator.setOutputDevice(&buffer);
  generator.setSize(widget.size());
  generator.setViewBox(widget.rect());
  // The widget's own resolution, so that viewers show the picture at the widget's size.
  generator.setResolution(widget.logicalDpiX());
  generator.setTitle(title);
  QPainter painter;
  if (!painter.begin(&generator)) {
    return false;
  }
  widget.render(&painter);
  painter.end();
  return WriteWholeFile(path, content);
}

}  // namespace fluxeta::ui
