#include "document_boxes.h"

#include <QStyle>

#include "locale_number_text.h"

namespace fluxeta::ui {

namespace {

constexpr char kProblemProperty[] = "problem";
const QString kRefused = QStringLiteral("refused");
const QString kImplausible = QStringLiteral("implausible");

}  // namespace

QString BoxMarkStyle() {
  return QStringLiteral(
      "QLineEdit[problem=\"refused\"] { background: #ffd9d6; }"
      "QLineEdit[problem=\"implausible\"] { background: #fff1c2; }");
}

void MarkBox(QLineEdit& box, BoxMark mark, const QString& problem, const QString& help) {
  const QString value = mark == BoxMark::Refused
                            ? kRefused
                            : (mark == BoxMark::Implausible ? kImplausible : QString());
  if (box.property(kProblemProperty).toString() != value) {
    box.setProperty(kProblemProperty, value);
    box.style()->unpolish(&box);
    box.style()->polish(&box);
  }
  box.setToolTip(problem.isEmpty() ? help : problem + u'\n' + help);
}

BoxMark MarkOf(const QLineEdit& box) {
  const QString value = box.property(kProblemProperty).toString();
  return value == kRefused ? BoxMark::Refused
                           : (value == kImplausible ? BoxMark::Implausible : BoxMark::None);
}

nlohmann::json BoxValue(const QString& text, char separator) {
  const std::optional<double> number = NumberOfText(text.trimmed(), separator);
  if (!number) {
    return text.toStdString();
  }
  return *number;
}

QString BoxText(const nlohmann::json& value, char separator) {
  if (value.is_number_integer()) {
    return QString::number(value.get<long long>());
  }
  if (value.is_number()) {
    return NumberText(value.get<double>(), separator);
  }
  if (value.is_string()) {
    return QString::fromStdString(value.get<std::string>());
  }
  return QString::fromStdString(value.dump());
}

QString NotANumberMessage(const std::string& keyPath, const QString& unit, const QString& text,
                          char separator) {
  if (NumberOfText(text.trimmed(), separator)) {
    return {};
  }
  const QString example = NumberText(0.05, separator);
  return QStringLiteral("%1 (%2): '%3' is not a number; write it as %4")
      .arg(QString::fromStdString(keyPath), unit, text, example);
}

std::string RefusedKeyPath(const std::string& message) {
  const std::size_t colon = message.find(": ");
  if (colon == std::string::npos || message.find(' ') < colon) {
    return {};
  }
  return message.substr(0, colon);
}

}  // namespace fluxeta::ui
