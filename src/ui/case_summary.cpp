#include "case_summary.h"

#include <QStringList>

#include "fluxeta/case/input_table.h"
#include "fluxeta/case/number_text.h"
#include "number_presentation.h"

namespace fluxeta::ui {

namespace {

const QString kSeparator = QStringLiteral(" · ");
const QString kRunTimeFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString Term(const cases::InputSpec& input, const QString& value) {
  const QString symbol = FromUtf8(input.symbol);
  return input.unit == "-" ? symbol + u' ' + value
                           : symbol + u' ' + value + u' ' + FromUtf8(input.unit);
}

QString CsvLine(const QString& name, const QString& value, const QString& unit) {
  return QStringLiteral("# ") + CsvField(name) + u',' + CsvField(value) + u',' + CsvField(unit) +
         u'\n';
}

}  // namespace

QString CaseLine(const cases::CaseParameters& parameters) {
  QStringList terms;
  for (const cases::InputSpec& input : cases::kInputs) {
    terms.append(
        Term(input, ScreenNumber(parameters.*input.field, cases::LocaleDecimalSeparator())));
  }
  return terms.join(kSeparator);
}

QString CaseLine(const run::BoxTexts& boxes) {
  QStringList terms;
  for (std::size_t input = 0; input < cases::kInputCount; ++input) {
    terms.append(Term(cases::kInputs[input], QString::fromStdString(boxes.Input(input)).trimmed()));
  }
  return terms.join(kSeparator);
}

QString RunTimeText(const QDateTime& at) {
  return at.toString(kRunTimeFormat);
}

QString CaseCsvComments(const cases::CaseParameters& parameters, const QDateTime& at,
                        const QString& search) {
  QString lines = CsvLine(QStringLiteral("run at"), RunTimeText(at), QString()) +
                  CsvLine(QStringLiteral("search"), search, QString());
  for (const cases::InputSpec& input : cases::kInputs) {
    lines += CsvLine(FromUtf8(input.name),
                     QString::fromStdString(cases::ShortestText(parameters.*input.field)),
                     FromUtf8(input.unit));
  }
  return lines;
}

QString CsvField(const QString& text) {
  if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n') &&
      !text.contains(u'\r')) {
    return text;
  }
  QString quoted = text;
  quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
  return u'"' + quoted + u'"';
}

}  // namespace fluxeta::ui
