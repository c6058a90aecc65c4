// A report to hand a colleague: headings, paragraphs, tables and pictures in order, written
// as a PDF (through Qt's PDF writer, with a text layer) or as one HTML file with its
// pictures embedded.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

namespace fluxeta::ui {

class ReportDocument {
 public:
  explicit ReportDocument(QString title);

  void AddHeading(const QString& text);
  void AddParagraph(const QString& text);
  // A table with a header row; every cell plain text.
  void AddTable(const QStringList& header, const QList<QStringList>& rows);
  // A picture `width` points wide on the page (its height in proportion).
  void AddPicture(const QImage& picture, const QString& caption, int width);

  // The report as HTML; pictures embedded as PNG data where `embedded`, else named
  // "picture-N.png" for a document that has them as resources.
  QString Html(bool embedded) const;
  // The report as an A4 PDF.
  QByteArray Pdf() const;

 private:
  QString title_;
  QStringList blocks_;  // HTML, with a picture's source as "@picture-N@"
  std::vector<QImage> pictures_;
};

}  // namespace fluxeta::ui
