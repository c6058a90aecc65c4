#include "widget_picture.h"

#include <QBuffer>
#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QLayout>
#include <QPainter>
#include <QPixmap>
#include <QSvgGenerator>

#include <string_view>

#include "fluxeta/run/replacing_file.h"

namespace fluxeta::ui {

namespace {

// The picture is made in memory first and then written whole by the run layer's writer,
// so that a failure never leaves half a picture behind.
bool WriteWholeFile(const QString& path, const QByteArray& content) {
  if (content.isEmpty()) {
    return false;
  }
  return run::WriteWholeFile(
             QFile::encodeName(path).toStdString(),
             std::string_view(content.constData(), static_cast<std::size_t>(content.size())))
      .empty();
}

}  // namespace

QImage WidgetImage(QWidget& widget, const QSize& size) {
  const QSize before = widget.size();
  widget.resize(size);
  if (widget.layout() != nullptr) {
    widget.layout()->activate();
  }
  // Charts lay themselves out on posted events.
  QCoreApplication::sendPostedEvents();
  QImage image(size, QImage::Format_ARGB32);
  image.fill(Qt::white);
  widget.render(&image);
  widget.resize(before);
  return image;
}

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

bool SavePaintingAsPng(const QSize& size, const std::function<void(QPainter&, const QRect&)>& paint,
                       const QString& path) {
  QImage picture(size, QImage::Format_ARGB32_Premultiplied);
  picture.fill(Qt::white);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  paint(painter, picture.rect());
  painter.end();
  QByteArray content;
  QBuffer buffer(&content);
  buffer.open(QIODevice::WriteOnly);
  if (!picture.save(&buffer, "PNG")) {
    return false;
  }
  return WriteWholeFile(path, content);
}

bool SavePaintingAsSvg(const QSize& size, const std::function<void(QPainter&, const QRect&)>& paint,
                       const QString& path, const QString& title) {
  QByteArray content;
  QBuffer buffer(&content);
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator generator;
  generator.setOutputDevice(&buffer);
  generator.setSize(size);
  generator.setViewBox(QRect(QPoint(0, 0), size));
  generator.setTitle(title);
  QPainter painter;
  if (!painter.begin(&generator)) {
    return false;
  }
  paint(painter, QRect(QPoint(0, 0), size));
  painter.end();
  return WriteWholeFile(path, content);
}

}  // namespace fluxeta::ui
