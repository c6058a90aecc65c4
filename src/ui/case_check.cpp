#include "case_check.h"

#include "fluxeta/base/checked_real.h"
#include "fluxeta/base/errors.h"
#include "fluxeta/case/input_domain.h"
#include "fluxeta/case/number_text.h"
#include "fluxeta/run/box_texts.h"
#include "input_title.h"
#include "locale_number_text.h"

namespace fluxeta::ui {

namespace {

QString SeparatorName(char separator) {
  return separator == ',' ? QStringLiteral("a comma") : QStringLiteral("a point");
}

// The text of `input` the main window starts with, as an example of a number.
QString ExampleOf(std::size_t input, char separator) {
  return QString::fromStdString(run::DefaultBoxTexts(separator).Input(input));
}

QString NotANumber(std::size_t input, const QString& text, char separator) {
  const QString title = InputTitle(input);
  if (text.trimmed().isEmpty()) {
    return QStringLiteral("%1: the box is empty; write a number, e.g. %2")
        .arg(title, ExampleOf(input, separator));
  }
  return QStringLiteral("%1: '%2' is not a number; write it with %3, e.g. %4")
      .arg(title, text, SeparatorName(separator), ExampleOf(input, separator));
}

QString RangeText(const cases::InputSpec& spec, char separator) {
  return QStringLiteral("%1 … %2").arg(NumberText(spec.plausibleLow, separator),
                                       NumberText(spec.plausibleHigh, separator));
}

// Inputs within their domains can fault only in the viscosity at the critical shear rate,
// the power law taken to extreme rates.
QString DerivedFaultText(const base::FluxetaError& error) {
  QString fault;
  switch (error.outcome()) {
    case base::Outcome::DivisionByZero:
      fault = QStringLiteral("a division by zero");
      break;
    case base::Outcome::Overflow:
      fault = QStringLiteral("a number too large");
      break;
    default:
      fault = QStringLiteral("an invalid operation");
      break;
  }
  return QStringLiteral(
             "η0, γ0, n and γcr give no viscosity at the critical shear rate ηcr: the power law "
             "gives %1.")
      .arg(fault);
}

}  // namespace

QString CaseCheck::RefusalText() const {
  QStringList lines;
  for (const InputProblem& refusal : refusals) {
    lines.append(refusal.message);
  }
  if (!derivedFault.isEmpty()) {
    lines.append(derivedFault);
  }
  return lines.join(u'\n');
}

CaseCheck CheckCase(const std::array<QString, cases::kInputCount>& texts, char separator) {
  CaseCheck check;
  cases::CaseValues values{};
  for (std::size_t input = 0; input < cases::kInputCount; ++input) {
    const QString& text = texts[input];
    const QString title = InputTitle(input);
    long double parsed = 0;
    try {
      parsed = cases::ParseNumber(text.toStdString(), separator);
    } catch (const base::ConversionError&) {
      check.refusals.push_back({input, NotANumber(input, text, separator)});
      continue;
    }
    try {
      values[input] = base::StoreAsDouble(parsed).value();
    } catch (const base::FloatingPointError&) {
      check.refusals.push_back(
          {input, QStringLiteral("%1: '%2' is too large for a number").arg(title, text.trimmed())});
      continue;
    }
    if (const auto refusal = cases::InputDomainRefusal(input, values[input])) {
      check.refusals.push_back(
          {input, QStringLiteral("%1: %2 %3")
                      .arg(title, text.trimmed(), QString::fromStdString(*refusal))});
      continue;
    }
    if (!cases::WithinPlausibleRange(input, values[input])) {
      const cases::InputSpec& spec = cases::kInputs[input];
      check.warnings.push_back(
          {input, QStringLiteral("%1: %2 is outside the plausible range %3")
                      .arg(title, text.trimmed(), RangeText(spec, separator))});
    }
  }
  if (!check.refusals.empty()) {
    return check;
  }
  try {
    cases::MakeCase(values);
  } catch (const base::FluxetaError& error) {
    check.derivedFault = DerivedFaultText(error);
    return check;
  }
  check.values = values;
  return check;
}

}  // namespace fluxeta::ui
