#include "liquid_tab.h"

#include <QChartView>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <span>

#include "document_boxes.h"
#include "flow_curve_chart.h"
#include "fluxeta/base/errors.h"
#include "fluxeta/case/die_document.h"
#include "fluxeta/case/document_error.h"
#include "fluxeta/case/document_values.h"
#include "fluxeta/liquids/liquid.h"
#include "locale_number_text.h"
#include "number_presentation.h"
#include "project_values.h"
#include "scrolling_page.h"
#include "utf8_text.h"

namespace fluxeta::ui {

namespace {

using cases::LiquidModelSpec;
using cases::LiquidParameterSpec;
using cases::TemperatureLawSpec;

const std::string kFluidPath = "fluid";
const std::string kTemperaturePath = "fluid.temperature";
constexpr char kModelKey[] = "model";
constexpr char kLawKey[] = "law";
constexpr char kTemperatureKey[] = "temperature";
constexpr char kNameKey[] = "name";
constexpr char kSourceKey[] = "source";
constexpr char kProjectKey[] = "liquid";
const QString kNoTemperatureLaw = QStringLiteral("none (one temperature)");
const QString kLoadCaption = QStringLiteral("Load Measured…");
const QString kFitCaption = QStringLiteral("Fit");
const QStringList kFlowCurveFilters = {QStringLiteral("Flow curves (*.csv)"),
                                       QStringLiteral("All files (*)")};
const QString kStatusStyle = QStringLiteral("QLabel { color: #8a1c00; }");

constexpr int kControlsWidth = 210;    // pixels: the chart takes the rest
constexpr int kLeastChartWidth = 260;  // pixels
constexpr int kTypingPauseMilliseconds = 150;
constexpr int kSamplesPerDecade = 20;
constexpr double kRoomTemperature = 25;  // °C: where a new temperature box starts
constexpr double kPercent = 100;

std::string KeyPath(const std::string& path, std::string_view key) {
  return path + '.' + std::string(key);
}

// A new box starts at a value in the middle of its plausible range, to one figure; at the
// range's foot where that is zero.
double StartingValue(const LiquidParameterSpec& spec) {
  if (spec.domain == cases::ParameterDomain::AboveAbsoluteZero) {
    return kRoomTemperature;
  }
  if (!(spec.plausibleLow > 0)) {
    return spec.plausibleLow;
  }
  const double middle = std::sqrt(spec.plausibleLow * spec.plausibleHigh);
  const double decade = std::pow(10.0, std::floor(std::log10(middle)));
  return std::round(middle / decade) * decade;
}

QString RangeHelp(const LiquidParameterSpec& spec, char separator) {
  return QStringLiteral("%1 %2 (%3), plausible %4 … %5")
      .arg(Utf8Text(spec.symbol), Utf8Text(spec.description), Utf8Text(spec.unit),
           NumberText(spec.plausibleLow, separator), NumberText(spec.plausibleHigh, separator));
}

std::vector<FlowCurveSample> SampleCurve(const liquids::Liquid& liquid, double lowest,
                                         double highest) {
  const int decades = static_cast<int>(std::lround(std::log10(highest / lowest)));
  const int count = decades * kSamplesPerDecade;
  std::vector<FlowCurveSample> samples;
  samples.reserve(static_cast<std::size_t>(count) + 1);
  for (int k = 0; k <= count; ++k) {
    const double rate = lowest * std::pow(10.0, static_cast<double>(k) / kSamplesPerDecade);
    samples.push_back({rate, liquid.Viscosity(rate), liquid.Stress(rate)});
  }
  return samples;
}

// Raises DocumentError for a parameter of `parameters` missing from `object` or neither a
// number nor a box's text, and returns their keys.
std::vector<std::string_view> CheckParameters(const nlohmann::json& object,
                                              std::span<const LiquidParameterSpec> parameters,
                                              const std::string& path) {
  std::vector<std::string_view> keys;
  for (const LiquidParameterSpec& spec : parameters) {
    const nlohmann::json& value = cases::RequireMember(object, spec.key, path);
    if (!cases::IsDocumentNumber(value) && !value.is_string()) {
      throw cases::DocumentError(MemberPath(path, spec.key) +
                                 ": must be a number, or the box's text");
    }
    keys.push_back(spec.key);
  }
  return keys;
}

}  // namespace

LiquidTab::LiquidTab(Presenter& presenter, char separator, QWidget* parent)
    : QWidget(parent),
      presenter_(presenter),
      separator_(separator),
      model_(new QComboBox),
      formula_(new QLabel),
      parameters_(new QWidget),
      law_(new QComboBox),
      temperature_(new QWidget),
      status_(new QLabel),
      loadButton_(new QPushButton(kLoadCaption)),
      fitButton_(new QPushButton(kFitCaption)),
      fitLabel_(new QLabel),
      ratesLabel_(new QLabel),
      chart_(new FlowCurveChart) {
  setObjectName(QStringLiteral("LiquidTab"));
  setStyleSheet(BoxMarkStyle());
  model_->setObjectName(QStringLiteral("LiquidModel"));
  for (const LiquidModelSpec& spec : cases::kLiquidModels) {
    model_->addItem(Utf8Text(spec.name));
  }
  law_->setObjectName(QStringLiteral("TemperatureLaw"));
  law_->addItem(kNoTemperatureLaw);
  for (const TemperatureLawSpec& spec : cases::kTemperatureLaws) {
    law_->addItem(Utf8Text(spec.name));
  }
  formula_->setWordWrap(true);
  status_->setObjectName(QStringLiteral("LiquidStatus"));
  status_->setWordWrap(true);
  status_->setStyleSheet(kStatusStyle);
  fitLabel_->setObjectName(QStringLiteral("FitResult"));
  fitLabel_->setWordWrap(true);
  fitLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  loadButton_->setObjectName(QStringLiteral("LoadMeasured"));
  fitButton_->setObjectName(QStringLiteral("FitLiquid"));
  fitButton_->setEnabled(false);

  auto* controls = new QWidget;
  controls->setFixedWidth(kControlsWidth);
  auto* column = new QVBoxLayout(controls);
  column->setContentsMargins(0, 0, 0, 0);
  auto* modelRow = new QFormLayout;
  modelRow->addRow(QStringLiteral("Model"), model_);
  column->addLayout(modelRow);
  column->addWidget(formula_);
  column->addWidget(parameters_);
  column->addWidget(new QLabel(QStringLiteral("Temperature shift")));
  column->addWidget(law_);
  column->addWidget(temperature_);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(loadButton_);
  buttons->addWidget(fitButton_);
  column->addLayout(buttons);
  column->addWidget(fitLabel_);
  column->addWidget(status_);
  column->addStretch(1);

  auto* view = new QChartView(chart_);
  view->setObjectName(QStringLiteral("FlowCurveView"));
  view->setRenderHint(QPainter::Antialiasing);
  view->setMinimumWidth(kLeastChartWidth);
  ratesLabel_->setObjectName(QStringLiteral("DieShearRates"));
  ratesLabel_->setWordWrap(true);
  auto* plot = new QVBoxLayout;
  plot->addWidget(view, 1);
  plot->addWidget(ratesLabel_);
  auto* contents = new QWidget;
  auto* layout = new QHBoxLayout(contents);
  layout->addWidget(controls);
  layout->addLayout(plot, 1);
  PutInScrollArea(*this, contents);

  redrawTimer_.setSingleShot(true);
  redrawTimer_.setInterval(kTypingPauseMilliseconds);
  connect(&redrawTimer_, &QTimer::timeout, this, [this] { Redraw(); });
  connect(model_, &QComboBox::currentIndexChanged, this, [this] {
    BuildBoxes();
    Edited();
  });
  connect(law_, &QComboBox::currentIndexChanged, this, [this] {
    BuildBoxes();
    Edited();
  });
  connect(loadButton_, &QPushButton::clicked, this, [this] { ChooseMeasured(); });
  connect(fitButton_, &QPushButton::clicked, this, [this] { Fit(); });
  BuildBoxes();
  Edited();
  RedrawNow();
  firstState_ = DocumentState();
  firstTexts_ = texts_;
}

std::string LiquidTab::ModelName() const {
  return std::string(cases::kLiquidModels[static_cast<std::size_t>(model_->currentIndex())].name);
}

std::string LiquidTab::LawName() const {
  const int index = law_->currentIndex();
  return index <= 0
             ? std::string()
             : std::string(cases::kTemperatureLaws[static_cast<std::size_t>(index - 1)].name);
}

void LiquidTab::BuildBoxes() {
  for (QWidget* holder : {parameters_, temperature_}) {
    delete holder->layout();
    qDeleteAll(holder->findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
  }
  boxes_.clear();
  const LiquidModelSpec& model =
      cases::kLiquidModels[static_cast<std::size_t>(model_->currentIndex())];
  formula_->setText(Utf8Text(model.formula));
  formula_->setToolTip(QStringLiteral("Slot and manifold flows: ") + Utf8Text(model.flows));
  auto* parameterForm = new QFormLayout(parameters_);
  parameterForm->setContentsMargins(0, 0, 0, 0);
  for (const LiquidParameterSpec& spec : model.parameters) {
    AddBox(*parameterForm, KeyPath(kFluidPath, spec.key), spec);
  }
  auto* temperatureForm = new QFormLayout(temperature_);
  temperatureForm->setContentsMargins(0, 0, 0, 0);
  const cases::TemperatureLawSpec* law = cases::FindTemperatureLaw(LawName());
  law_->setToolTip(law != nullptr ? Utf8Text(law->formula) : QString());
  if (law != nullptr) {
    for (const LiquidParameterSpec& spec : law->parameters) {
      AddBox(*temperatureForm, KeyPath(kTemperaturePath, spec.key), spec);
    }
  }
}

void LiquidTab::AddBox(QFormLayout& form, const std::string& keyPath,
                       const LiquidParameterSpec& spec) {
  auto* edit = new QLineEdit;
  edit->setObjectName(QString::fromStdString(keyPath));
  const auto typed = texts_.find(keyPath);
  edit->setText(typed != texts_.end() ? typed->second
                                      : NumberText(StartingValue(spec), separator_));
  texts_[keyPath] = edit->text();
  const QString help = RangeHelp(spec, separator_);
  edit->setToolTip(help);
  form.addRow(QStringLiteral("%1 (%2)").arg(Utf8Text(spec.symbol), Utf8Text(spec.unit)), edit);
  connect(edit, &QLineEdit::textEdited, this, [this] { Edited(); });
  boxes_.push_back(
      {keyPath, Utf8Text(spec.unit), help, spec.plausibleLow, spec.plausibleHigh, edit});
}

nlohmann::json LiquidTab::DocumentState() const {
  nlohmann::json fluid = nlohmann::json::object();
  if (!name_.empty()) {
    fluid[kNameKey] = name_;
  }
  if (!source_.empty()) {
    fluid[kSourceKey] = source_;
  }
  fluid[kModelKey] = ModelName();
  const std::string law = LawName();
  if (!law.empty()) {
    fluid[kTemperatureKey] = {{kLawKey, law}};
  }
  for (const Field& box : boxes_) {
    const nlohmann::json value = BoxValue(box.edit->text(), separator_);
    const std::string key = box.keyPath.substr(box.keyPath.rfind('.') + 1);
    if (box.keyPath.starts_with(kTemperaturePath + '.')) {
      fluid[kTemperatureKey][key] = value;
    } else {
      fluid[key] = value;
    }
  }
  return fluid;
}

void LiquidTab::SetDocumentState(const nlohmann::json& fluid) {
  const auto text = [&](const nlohmann::json& object, const char* key) {
    return object.contains(key) && object[key].is_string() ? object[key].get<std::string>()
                                                           : std::string();
  };
  if (!fluid.is_object()) {
    throw cases::DocumentError(kFluidPath + ": must be an object");
  }
  const LiquidModelSpec* model = cases::FindLiquidModel(text(fluid, kModelKey));
  if (model == nullptr) {
    throw cases::DocumentError(KeyPath(kFluidPath, kModelKey) + ": unknown liquid model \"" +
                               text(fluid, kModelKey) + "\"");
  }
  const TemperatureLawSpec* law = nullptr;
  const bool shifted = fluid.contains(kTemperatureKey) && fluid[kTemperatureKey].is_object();
  if (shifted) {
    law = cases::FindTemperatureLaw(text(fluid[kTemperatureKey], kLawKey));
    if (law == nullptr) {
      throw cases::DocumentError(KeyPath(kTemperaturePath, kLawKey) +
                                 ": unknown temperature law \"" +
                                 text(fluid[kTemperatureKey], kLawKey) + "\"");
    }
  }
  for (const LiquidParameterSpec& spec : model->parameters) {
    if (fluid.contains(spec.key)) {
      texts_[KeyPath(kFluidPath, spec.key)] = BoxText(fluid[spec.key], separator_);
    }
  }
  if (law != nullptr) {
    for (const LiquidParameterSpec& spec : law->parameters) {
      if (fluid[kTemperatureKey].contains(spec.key)) {
        texts_[KeyPath(kTemperaturePath, spec.key)] =
            BoxText(fluid[kTemperatureKey][spec.key], separator_);
      }
    }
  }
  name_ = text(fluid, kNameKey);
  source_ = text(fluid, kSourceKey);
  const QSignalBlocker modelBlocker(model_);
  const QSignalBlocker lawBlocker(law_);
  model_->setCurrentIndex(static_cast<int>(model - cases::kLiquidModels.data()));
  law_->setCurrentIndex(
      law == nullptr ? 0 : static_cast<int>(law - cases::kTemperatureLaws.data()) + 1);
  BuildBoxes();
  Edited();
}

std::optional<cases::LiquidDocument> LiquidTab::CheckedLiquid(QString* refusal) const {
  for (const Field& box : boxes_) {
    const QString message = NotANumberMessage(box.keyPath, box.unit, box.edit->text(), separator_);
    if (!message.isEmpty()) {
      if (refusal != nullptr) {
        *refusal = message;
      }
      return std::nullopt;
    }
  }
  try {
    return cases::ReadLiquidDocument(DocumentState(), kFluidPath);
  } catch (const cases::DocumentError& error) {
    if (refusal != nullptr) {
      *refusal = QString::fromUtf8(error.what());
    }
  }
  return std::nullopt;
}

void LiquidTab::SetModel(std::string_view name) {
  const LiquidModelSpec* model = cases::FindLiquidModel(name);
  if (model != nullptr) {
    model_->setCurrentIndex(static_cast<int>(model - cases::kLiquidModels.data()));
  }
}

void LiquidTab::SetTemperatureLaw(std::string_view name) {
  const TemperatureLawSpec* law = cases::FindTemperatureLaw(name);
  law_->setCurrentIndex(
      law == nullptr ? 0 : static_cast<int>(law - cases::kTemperatureLaws.data()) + 1);
}

QLineEdit* LiquidTab::Box(const std::string& keyPath) const {
  for (const Field& box : boxes_) {
    if (box.keyPath == keyPath) {
      return box.edit;
    }
  }
  return nullptr;
}

void LiquidTab::SetBox(const std::string& keyPath, const QString& text) {
  if (QLineEdit* edit = Box(keyPath)) {
    edit->setText(text);
    Edited();
  }
}

void LiquidTab::Edited() {
  QString firstRefusal;
  for (const Field& box : boxes_) {
    texts_[box.keyPath] = box.edit->text();
    const QString notANumber =
        NotANumberMessage(box.keyPath, box.unit, box.edit->text(), separator_);
    if (!notANumber.isEmpty()) {
      MarkBox(*box.edit, BoxMark::Refused, notANumber, box.help);
      firstRefusal = firstRefusal.isEmpty() ? notANumber : firstRefusal;
      continue;
    }
    const double value = *NumberOfText(box.edit->text().trimmed(), separator_);
    if (value < box.plausibleLow || value > box.plausibleHigh) {
      MarkBox(
          *box.edit, BoxMark::Implausible,
          QStringLiteral("%1 (%2): %3 is outside the plausible range")
              .arg(QString::fromStdString(box.keyPath), box.unit, NumberText(value, separator_)),
          box.help);
    } else {
      MarkBox(*box.edit, BoxMark::None, QString(), box.help);
    }
  }
  if (firstRefusal.isEmpty()) {
    QString refusal;
    if (!CheckedLiquid(&refusal)) {
      firstRefusal = refusal;
      if (QLineEdit* edit = Box(RefusedKeyPath(refusal.toStdString()))) {
        for (const Field& box : boxes_) {
          if (box.edit == edit) {
            MarkBox(*edit, BoxMark::Refused, refusal, box.help);
          }
        }
      }
    }
  }
  status_->setText(firstRefusal);
  redrawTimer_.start();
  emit changed();
}

void LiquidTab::RedrawNow() {
  redrawTimer_.stop();
  Redraw();
}

void LiquidTab::Redraw() {
  const std::optional<cases::LiquidDocument> document = CheckedLiquid(nullptr);
  if (!document) {
    chart_->ShowCurve({});
    return;
  }
  const auto [lowest, highest] = chart_->ShearRateSpan();
  try {
    chart_->ShowCurve(SampleCurve(liquids::MakeLiquid(*document), lowest, highest));
  } catch (const base::FluxetaError& error) {
    status_->setText(QString::fromUtf8(error.what()));
    chart_->ShowCurve({});
  } catch (const cases::DocumentError& error) {
    status_->setText(QString::fromUtf8(error.what()));
    chart_->ShowCurve({});
  }
}

void LiquidTab::ShowShearRates(const solver::DieShearRates& rates) {
  chart_->ShowShearRates(rates);
  ratesLabel_->setText(chart_->ShearRatesText());
  RedrawNow();
}

void LiquidTab::ChooseMeasured() {
  const QString path = presenter_.ChooseFileToOpen(kLoadCaption, QString(), kFlowCurveFilters);
  if (!path.isEmpty()) {
    LoadMeasured(path);
  }
}

bool LiquidTab::LoadMeasured(const QString& path) {
  const QString name = QFileInfo(path).fileName();
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    presenter_.ShowMessage(
        QStringLiteral("The flow curve \"%1\" cannot be read: %2").arg(path, file.errorString()));
    return false;
  }
  if (file.size() > static_cast<qint64>(cases::kMostDocumentBytes)) {
    presenter_.ShowMessage(QStringLiteral("The flow curve \"%1\" is larger than %2 MB")
                               .arg(path)
                               .arg(cases::kMostDocumentBytes >> 20));
    return false;
  }
  const QByteArray bytes = file.readAll();
  try {
    measured_ = liquids::ReadFlowCurveCsv(bytes.toStdString(), name.toStdString());
  } catch (const cases::DocumentError& error) {
    presenter_.ShowMessage(QString::fromUtf8(error.what()));
    return false;
  }
  measuredName_ = name;
  fit_.reset();
  fitLabel_->setText(QStringLiteral("%1: %2 measured points").arg(name).arg(measured_.size()));
  fitButton_->setEnabled(true);
  chart_->ShowMeasured(measured_);
  RedrawNow();
  return true;
}

std::string LiquidTab::ProjectKey() const {
  return kProjectKey;
}

std::function<void()> LiquidTab::ReadProject(const nlohmann::json& section,
                                             const std::string& path) {
  cases::RequireObject(section, path);
  std::vector<std::string_view> keys = {kModelKey};
  for (const char* key : {kNameKey, kSourceKey}) {
    if (FindMember(section, key) != nullptr) {
      cases::RequireText(section, key, path);
      keys.push_back(key);
    }
  }
  const std::string modelName = cases::RequireText(section, kModelKey, path);
  const LiquidModelSpec* model = cases::FindLiquidModel(modelName);
  if (model == nullptr) {
    throw cases::DocumentError(MemberPath(path, kModelKey) + ": unknown liquid model \"" +
                               modelName + "\"");
  }
  std::ranges::copy(CheckParameters(section, model->parameters, path), std::back_inserter(keys));
  if (const nlohmann::json* temperature = FindMember(section, kTemperatureKey)) {
    const std::string temperaturePath = MemberPath(path, kTemperatureKey);
    const std::string lawName = cases::RequireText(*temperature, kLawKey, temperaturePath);
    const TemperatureLawSpec* law = cases::FindTemperatureLaw(lawName);
    if (law == nullptr) {
      throw cases::DocumentError(MemberPath(temperaturePath, kLawKey) +
                                 ": unknown temperature law \"" + lawName + "\"");
    }
    std::vector<std::string_view> lawKeys = {kLawKey};
    std::ranges::copy(CheckParameters(*temperature, law->parameters, temperaturePath),
                      std::back_inserter(lawKeys));
    cases::RefuseUnknownKeys(*temperature, lawKeys, temperaturePath);
    keys.push_back(kTemperatureKey);
  }
  cases::RefuseUnknownKeys(section, keys, path);
  return [this, section] {
    DropMeasured();
    SetDocumentState(section);
  };
}

void LiquidTab::ClearProject() {
  DropMeasured();
  texts_ = firstTexts_;
  SetDocumentState(firstState_);
}

void LiquidTab::WatchProject(const std::function<void()>& changed) {
  connect(this, &LiquidTab::changed, this, changed);
}

void LiquidTab::DropMeasured() {
  measured_.clear();
  measuredName_.clear();
  fit_.reset();
  fitLabel_->clear();
  fitButton_->setEnabled(false);
  chart_->ShowMeasured(measured_);
}

bool LiquidTab::Fit() {
  if (measured_.empty()) {
    presenter_.ShowMessage(QStringLiteral("Load a measured flow curve before fitting a model."));
    return false;
  }
  const cases::LiquidModel model =
      cases::kLiquidModels[static_cast<std::size_t>(model_->currentIndex())].model;
  try {
    fit_ = liquids::FitFlowCurve(model, measured_, measuredName_.toStdString());
  } catch (const cases::DocumentError& error) {
    presenter_.ShowMessage(QString::fromUtf8(error.what()));
    return false;
  } catch (const base::FluxetaError& error) {
    presenter_.ShowMessage(QString::fromUtf8(error.what()));
    return false;
  }
  SetDocumentState(liquids::FittedLiquidDocument(
      *fit_, QStringLiteral("fitted to %1").arg(measuredName_).toStdString()));
  fitLabel_->setText(
      QStringLiteral("%1 fitted to %2 points of %3: RMS relative residual %4 %")
          .arg(QString::fromStdString(ModelName()))
          .arg(measured_.size())
          .arg(measuredName_, ScreenNumber(kPercent * fit_->rmsRelativeResidual, separator_)));
  RedrawNow();
  return true;
}

}  // namespace fluxeta::ui
