#include "report_document.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>
#include <QUrl>

namespace fluxeta::ui {

namespace {

constexpr int kPdfResolution = 300;  // dots per inch of the pictures on the page
constexpr double kPageMarginMillimetres = 15;
// The page's text in points: small enough for the station table's columns.
constexpr int kBodyFontPoints = 9;

QString PictureName(std::size_t index) {
  return QStringLiteral("picture-%1.png").arg(index + 1);
}

QString PictureMark(std::size_t index) {
  return QStringLiteral("@%1@").arg(PictureName(index));
}

QByteArray PngOf(const QImage& picture) {
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  picture.save(&buffer, "PNG");
  return png;
}

const QString kStyle = QStringLiteral(
    "body { font-family: sans-serif; font-size: %1pt; }"
    "h1 { font-size: 16pt; } h2 { font-size: 12pt; margin-top: 14px; }"
    "table { border-collapse: collapse; }"
    "td, th { border: 1px solid #999; padding: 1px 4px; }"
    "th { background: #e8e8e8; }"
    "p.caption { color: #444; }");

}  // namespace

ReportDocument::ReportDocument(QString title) : title_(std::move(title)) {
  blocks_.append(QStringLiteral("<h1>%1</h1>").arg(title_.toHtmlEscaped()));
}

void ReportDocument::AddHeading(const QString& text) {
  blocks_.append(QStringLiteral("<h2>%1</h2>").arg(text.toHtmlEscaped()));
}

void ReportDocument::AddParagraph(const QString& text) {
  QString html = text.toHtmlEscaped();
  html.replace(u'\n', QStringLiteral("<br>"));
  blocks_.append(QStringLiteral("<p>%1</p>").arg(html));
}

void ReportDocument::AddTable(const QStringList& header, const QList<QStringList>& rows) {
  QString html = QStringLiteral("<table cellspacing=\"0\" cellpadding=\"2\" border=\"1\"><tr>");
  for (const QString& title : header) {
    html += QStringLiteral("<th>%1</th>").arg(title.toHtmlEscaped());
  }
  html += QStringLiteral("</tr>");
  for (const QStringList& row : rows) {
    html += QStringLiteral("<tr>");
    for (const QString& cell : row) {
      html += QStringLiteral("<td>%1</td>").arg(cell.toHtmlEscaped());
    }
    html += QStringLiteral("</tr>");
  }
  blocks_.append(html + QStringLiteral("</table>"));
}

void ReportDocument::AddPicture(const QImage& picture, const QString& caption, int width) {
  const std::size_t index = pictures_.size();
  pictures_.push_back(picture);
  const int height = picture.width() > 0 ? width * picture.height() / picture.width() : 0;
  blocks_.append(QStringLiteral("<p><img src=\"%1\" width=\"%2\" height=\"%3\" alt=\"%4\"></p>"
                                "<p class=\"caption\">%4</p>")
                     .arg(PictureMark(index))
                     .arg(width)
                     .arg(height)
                     .arg(caption.toHtmlEscaped()));
}

QString ReportDocument::Html(bool embedded) const {
  QString body = blocks_.join(u'\n');
  for (std::size_t index = 0; index < pictures_.size(); ++index) {
    body.replace(PictureMark(index),
                 embedded ? QStringLiteral("data:image/png;base64,") +
                                QString::fromLatin1(PngOf(pictures_[index]).toBase64())
                          : PictureName(index));
  }
  return QStringLiteral(
             "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>%1</title>"
             "<style>%2</style></head>\n<body>\n%3\n</body></html>\n")
      .arg(title_.toHtmlEscaped(), kStyle.arg(kBodyFontPoints), body);
}

QByteArray ReportDocument::Pdf() const {
  QByteArray pdf;
  QBuffer buffer(&pdf);
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter writer(&buffer);
  writer.setTitle(title_);
  writer.setCreator(QStringLiteral("Fluxeta"));
  writer.setResolution(kPdfResolution);
  writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                   QMarginsF(kPageMarginMillimetres, kPageMarginMillimetres,
                                             kPageMarginMillimetres, kPageMarginMillimetres),
                                   QPageLayout::Millimeter));
  QTextDocument document;
  for (std::size_t index = 0; index < pictures_.size(); ++index) {
    document.addResource(QTextDocument::ImageResource, QUrl(PictureName(index)),
                         QVariant(pictures_[index]));
  }
  document.setHtml(Html(false));
  document.print(&writer);
  return pdf;
}

}  // namespace fluxeta::ui
