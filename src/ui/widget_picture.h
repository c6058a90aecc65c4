// A widget's current look written to a picture file.
#pragma once

#include <QImage>
#include <QPainter>
#include <QRect>
#include <QSize>

#include <functional>

#include <QString>
#include <QWidget>

namespace fluxeta::ui {

// The widget drawn at `size` on white, as if it had that size; it keeps its own size.
QImage WidgetImage(QWidget& widget, const QSize& size);

// A raster picture of the widget at its present size. Returns false when the file could not
// be written; an existing file is then left as it was.
bool SaveWidgetAsPng(QWidget& widget, const QString& path);

// A scalable vector picture of the widget at its present size, titled `title`. Returns false
// when the file could not be written; an existing file is then left as it was.
bool SaveWidgetAsSvg(QWidget& widget, const QString& path, const QString& title);

// A picture of `size` pixels painted by `paint` into `area`, written whole as PNG.
bool SavePaintingAsPng(const QSize& size, const std::function<void(QPainter&, const QRect&)>& paint,
                       const QString& path);
// The same as scalable vectors, titled `title`.
bool SavePaintingAsSvg(const QSize& size, const std::function<void(QPainter&, const QRect&)>& paint,
                       const QString& path, const QString& title);

}  // namespace fluxeta::ui
