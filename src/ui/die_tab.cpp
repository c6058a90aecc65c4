#include "die_tab.h"

#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <functional>
#include <iterator>
#include <span>
#include <stdexcept>

#include "die_plan_view.h"
#include "document_boxes.h"
#include "fluxeta/case/document_error.h"
#include "fluxeta/case/document_values.h"
#include "fluxeta/run/replacing_file.h"
#include "fluxeta/solver/die_model.h"
#include "fluxeta/solver/die_outline.h"
#include "fluxeta/solver/die_shear_rates.h"
#include "fluxeta/solver/die_solve.h"
#include "liquid_tab.h"
#include "locale_number_text.h"
#include "project_values.h"
#include "scrolling_page.h"
#include "utf8_text.h"

namespace fluxeta::ui {

namespace {

using cases::DieFamilySpec;
using cases::DieKeySpec;
using cases::DocumentError;
using cases::ManifoldShapeSpec;
using nlohmann::json;

const std::string kGeometryKey = "geometry";
const std::string kManifoldKey = "manifold";
constexpr char kFamilyKey[] = "family";
constexpr char kFeedKey[] = "feed";
constexpr char kShapeKey[] = "shape";
constexpr char kDesignKey[] = "design";
constexpr char kUniformDesign[] = "uniform";
constexpr char kFluidKey[] = "fluid";
constexpr char kStationsKey[] = "stations";
constexpr char kDescriptionKey[] = "description";
constexpr char kProjectKey[] = "die";
// A coat-hanger's tables of [x, value] pairs and a profile's file, read by the family's reader.
constexpr std::array<std::string_view, 2> kCoatHangerTables = {"radius", "land_length"};
constexpr char kProfileKey[] = "profile";

const QString kOpenCaption = QStringLiteral("Open Die…");
const QString kSaveCaption = QStringLiteral("Save Die…");
const QString kSolveCaption = QStringLiteral("Solve");
const QString kUniformDesignCaption = QStringLiteral("uniform");
const QString kTablesDesignCaption = QStringLiteral("tables");
const QStringList kDocumentFilters = {QStringLiteral("Die documents (*.json)"),
                                      QStringLiteral("All files (*)")};
const QString kDocumentSuffix = QStringLiteral("json");
const QString kSuggestedName = QStringLiteral("die.json");
// A refusal or failure stands out from a report of what was done.
const QString kStatusStyle = QStringLiteral("QLabel[problem=\"true\"] { color: #8a1c00; }");
constexpr char kProblemProperty[] = "problem";
const QString kPairsHelp =
    QStringLiteral("x and value pairs from the feed, apart by ';', as 0 1.2; 50 0.6");

constexpr int kTypingPauseMilliseconds = 150;
// Positions of the plan view across the width: smooth at any window size.
constexpr int kOutlineIntervals = 400;

// Where each family's boxes start: the window's default die, the T-die and the uniform
// coat-hanger of the worked examples, a profile of their width.
constexpr std::string_view kStartingGeometries = R"([
  {"family": "profile", "width": 50, "profile": ""},
  {"family": "coat-hanger", "width": 50, "gap": 0.05, "end_land_length": 4, "min_radius": 0.075,
   "radius": [[0, 1], [50, 0.5]], "land_length": [[0, 6], [50, 4]]},
  {"family": "tapered", "Ain": 3, "gamma": 0.1, "Pein": 6.14, "Lin": 3, "Lend": 2.5, "W": 66,
   "H": 0.0254},
  {"family": "t-die", "width": 50, "feed": "end", "manifold": {"shape": "circle", "radius": 1},
   "land_length": 5, "gap": 0.05}
])";
constexpr std::string_view kStartingDocument = R"({
  "fluid": {"model": "newtonian", "viscosity": 1},
  "flow_rate": 10, "density": 1, "inertia_factor": 1.3, "friction_factor": 16, "stations": 50
})";

// A table's text is kept apart from a number of the same key in another family.
constexpr char kTableTextSuffix[] = "[]";

std::string KeyPath(const std::string& path, std::string_view key) {
  return path.empty() ? std::string(key) : path + '.' + std::string(key);
}

// "0 1.2; 50 0.6" as [[0, 1.2], [50, 0.6]]; nothing for a text of other words.
std::optional<json> PairsOfText(const QString& text, char separator) {
  json pairs = json::array();
  for (const QString& pair : text.split(u';', Qt::SkipEmptyParts)) {
    const QStringList numbers = pair.split(u' ', Qt::SkipEmptyParts);
    if (numbers.size() != 2) {
      return std::nullopt;
    }
    const std::optional<double> x = NumberOfText(numbers[0], separator);
    const std::optional<double> value = NumberOfText(numbers[1], separator);
    if (!x || !value) {
      return std::nullopt;
    }
    pairs.push_back({*x, *value});
  }
  return pairs;
}

QString TextOfPairs(const json& pairs, char separator) {
  QStringList texts;
  for (const json& pair : pairs) {
    if (!pair.is_array()) {
      return BoxText(pairs, separator);
    }
    QStringList numbers;
    for (const json& number : pair) {
      numbers.append(BoxText(number, separator));
    }
    texts.append(numbers.join(u' '));
  }
  return texts.join(QStringLiteral("; "));
}

// The texts of a document's values by key path: its numbers, tables and texts, not the
// names that the choosers hold.
void CollectTexts(const json& object, const std::string& path, char separator,
                  std::map<std::string, QString>& texts) {
  for (const auto& [key, value] : object.items()) {
    const std::string keyPath = KeyPath(path, key);
    if (key == kFamilyKey || key == kFeedKey || key == kShapeKey || key == kDesignKey ||
        key == kFluidKey) {
      continue;
    }
    if (value.is_object()) {
      CollectTexts(value, keyPath, separator, texts);
    } else if (value.is_array()) {
      texts[keyPath + kTableTextSuffix] = TextOfPairs(value, separator);
    } else {
      texts[keyPath] = BoxText(value, separator);
    }
  }
}

QString Help(const DieKeySpec& key) {
  return QStringLiteral("%1 (%2)").arg(Utf8Text(key.description), Utf8Text(key.unit));
}

std::string TextAt(const json& object, const char* key) {
  return object.is_object() && object.contains(key) && object[key].is_string()
             ? object[key].get<std::string>()
             : std::string();
}

// Whether a refusal is of the box at `keyPath`: the document's reader names the key first
// (an entry of a table by its index after it), the tab's own check the key and its unit.
bool Names(const QString& refusal, const std::string& keyPath) {
  const std::string named = RefusedKeyPath(refusal.toStdString());
  return named == keyPath || named.starts_with(keyPath + '[') ||
         refusal.startsWith(QString::fromStdString(keyPath) + QStringLiteral(" ("));
}

// Whether `value` is a table of [x, value] pairs of numbers.
bool IsPairsTable(const json& value) {
  return value.is_array() && std::ranges::all_of(value, [](const json& pair) {
           return pair.is_array() && pair.size() == 2 && cases::IsDocumentNumber(pair[0]) &&
                  cases::IsDocumentNumber(pair[1]);
         });
}

// A value a section may hold at a key path, and what the check says it must be.
struct Leaf {
  std::function<bool(const json&)> accepts;
  std::string_view expected;
};
using Leaves = std::map<std::string, Leaf>;

const Leaf kTextLeaf{[](const json& value) { return value.is_string(); }, "a text"};
const Leaf kNumberLeaf{
    [](const json& value) { return cases::IsDocumentNumber(value) || value.is_string(); },
    "a number, or the box's text"};
const Leaf kPairsLeaf{[](const json& value) { return IsPairsTable(value) || value.is_string(); },
                      "a table of [x, value] pairs, or the box's text"};
const Leaf kUniformLeaf{[](const json& value) { return value == kUniformDesign; },
                        "\"uniform\" (a coat-hanger of tables has no design)"};

json::json_pointer PointerOf(const std::string& keyPath) {
  return json::json_pointer('/' +
                            QString::fromStdString(keyPath).replace(u'.', u'/').toStdString());
}

// Raises DocumentError for a member of `object` that is no leaf or a leaf's parent, or
// a leaf whose value its check refuses.
void CheckMembers(const json& object, const std::string& keyPath, const std::string& path,
                  const Leaves& leaves) {
  for (const auto& [key, value] : object.items()) {
    const std::string memberKeyPath = KeyPath(keyPath, key);
    const std::string memberPath = MemberPath(path, key);
    if (const auto leaf = leaves.find(memberKeyPath); leaf != leaves.end()) {
      if (!leaf->second.accepts(value)) {
        throw DocumentError(memberPath + ": must be " + std::string(leaf->second.expected));
      }
      continue;
    }
    const auto child = leaves.lower_bound(memberKeyPath + '.');
    if (!value.is_object() || child == leaves.end() ||
        !child->first.starts_with(memberKeyPath + '.')) {
      throw DocumentError(memberPath + ": unknown key");
    }
    CheckMembers(value, memberKeyPath, memberPath, leaves);
  }
}

}  // namespace

DieTab::DieTab(Presenter& presenter, LiquidTab& liquid, char separator, ShowSolution showSolution,
               QWidget* parent)
    : QWidget(parent),
      presenter_(presenter),
      liquid_(liquid),
      separator_(separator),
      showSolution_(std::move(showSolution)),
      family_(new QComboBox),
      familyHelp_(new QLabel),
      feed_(new QComboBox),
      shape_(new QComboBox),
      design_(new QComboBox),
      geometry_(new QWidget),
      choices_(nullptr),
      process_(new QWidget),
      openButton_(new QPushButton(kOpenCaption)),
      saveButton_(new QPushButton(kSaveCaption)),
      solveButton_(new QPushButton(kSolveCaption)),
      status_(new QLabel),
      plan_(new DiePlanView) {
  setObjectName(QStringLiteral("DieTab"));
  setStyleSheet(BoxMarkStyle());
  family_->setObjectName(QStringLiteral("DieFamily"));
  for (const DieFamilySpec& spec : cases::kDieFamilies) {
    family_->addItem(Utf8Text(spec.name));
  }
  feed_->setObjectName(QStringLiteral("DieFeed"));
  for (const cases::DieFeed feed : {cases::DieFeed::End, cases::DieFeed::Centre}) {
    feed_->addItem(Utf8Text(cases::FeedName(feed)));
  }
  shape_->setObjectName(QStringLiteral("ManifoldShape"));
  for (const ManifoldShapeSpec& spec : cases::kManifoldShapes) {
    shape_->addItem(Utf8Text(spec.name));
  }
  design_->setObjectName(QStringLiteral("CoatHangerDesign"));
  design_->addItem(kUniformDesignCaption);
  design_->addItem(kTablesDesignCaption);
  familyHelp_->setWordWrap(true);
  status_->setObjectName(QStringLiteral("DieStatus"));
  status_->setWordWrap(true);
  status_->setStyleSheet(kStatusStyle);
  status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  openButton_->setObjectName(QStringLiteral("OpenDie"));
  saveButton_->setObjectName(QStringLiteral("SaveDie"));
  solveButton_->setObjectName(QStringLiteral("SolveDie"));
  solveButton_->setDefault(true);

  auto* forms = new QHBoxLayout;
  forms->addWidget(MakeGeometry(), 1);
  forms->addWidget(MakeProcess(), 1);
  auto* contents = new QWidget;
  auto* layout = new QVBoxLayout(contents);
  layout->addWidget(plan_, 1);
  layout->addLayout(forms);
  layout->addWidget(status_);
  PutInScrollArea(*this, contents);

  const json geometries = json::parse(kStartingGeometries);
  for (const json& geometry : geometries) {
    CollectTexts(geometry, kGeometryKey, separator_, texts_);
  }
  json document = json::parse(kStartingDocument);
  document[kGeometryKey] = geometries.back();
  SetDocumentState(document);

  redrawTimer_.setSingleShot(true);
  redrawTimer_.setInterval(kTypingPauseMilliseconds);
  connect(&redrawTimer_, &QTimer::timeout, this, [this] { Redraw(); });
  for (QComboBox* chooser : {family_, feed_, shape_, design_}) {
    connect(chooser, &QComboBox::currentIndexChanged, this, [this] {
      BuildGeometryBoxes();
      Edited();
    });
  }
  connect(&liquid_, &LiquidTab::changed, this, [this] { Edited(); });
  connect(openButton_, &QPushButton::clicked, this, [this] { ChooseToOpen(); });
  connect(saveButton_, &QPushButton::clicked, this, [this] { ChooseToSave(); });
  connect(solveButton_, &QPushButton::clicked, this, [this] { Solve(); });
  connect(&job_, &BackgroundJob::finished, this, [this] { SolveEnded(); });
  RedrawNow();
  firstState_ = SaveProject();
  firstTexts_ = texts_;
}

DieTab::~DieTab() = default;

QWidget* DieTab::MakeGeometry() {
  auto* group = new QGroupBox(QStringLiteral("Die"));
  auto* column = new QVBoxLayout(group);
  choices_ = new QFormLayout;
  choices_->addRow(QStringLiteral("Family"), family_);
  choices_->addRow(QStringLiteral("Feed"), feed_);
  choices_->addRow(QStringLiteral("Manifold"), shape_);
  choices_->addRow(QStringLiteral("Design"), design_);
  column->addLayout(choices_);
  column->addWidget(familyHelp_);
  column->addWidget(geometry_);
  column->addStretch(1);
  return group;
}

QWidget* DieTab::MakeProcess() {
  auto* group = new QGroupBox(QStringLiteral("Flow"));
  auto* column = new QVBoxLayout(group);
  auto* form = new QFormLayout(process_);
  form->setContentsMargins(0, 0, 0, 0);
  for (Field& field : ProcessFields()) {
    AddBox(*form, std::move(field));
  }
  column->addWidget(process_);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(openButton_);
  buttons->addWidget(saveButton_);
  buttons->addWidget(solveButton_);
  column->addLayout(buttons);
  column->addStretch(1);
  return group;
}

std::string DieTab::TextKey(const std::string& keyPath, Field::Kind kind) {
  return kind == Field::Kind::Pairs ? keyPath + kTableTextSuffix : keyPath;
}

std::vector<DieTab::Field> DieTab::ProcessFields() {
  std::vector<Field> fields;
  for (const cases::DieProcessKeySpec& key : cases::kDieProcessKeys) {
    fields.push_back({std::string(key.key), Utf8Text(key.unit),
                      QStringLiteral("%1 (%2)").arg(Utf8Text(key.description), Utf8Text(key.unit)),
                      Field::Kind::Number, nullptr});
  }
  fields.push_back(
      {kStationsKey, QStringLiteral("-"),
       QStringLiteral("stations across the whole width, %1 … %2; even for a centre feed")
           .arg(cases::kLeastDieStations)
           .arg(cases::kMostDieStations),
       Field::Kind::Number, nullptr});
  fields.push_back({kDescriptionKey, QString(), QStringLiteral("free text, kept with the die"),
                    Field::Kind::Text, nullptr});
  return fields;
}

std::vector<DieTab::Field> DieTab::GeometryFields(const DieFamilySpec& family,
                                                  const ManifoldShapeSpec& shape, bool uniform) {
  std::vector<Field> fields;
  const auto addKeys = [&](std::span<const DieKeySpec> keys, const std::string& path) {
    for (const DieKeySpec& key : keys) {
      fields.push_back(
          {KeyPath(path, key.key), Utf8Text(key.unit), Help(key), Field::Kind::Number, nullptr});
    }
  };
  addKeys(family.numbers, kGeometryKey);
  switch (family.family) {
    case cases::DieFamily::TDie:
      addKeys(shape.sizes, KeyPath(kGeometryKey, kManifoldKey));
      break;
    case cases::DieFamily::CoatHanger:
      if (uniform) {
        addKeys(cases::kUniformCoatHangerKeys, kGeometryKey);
      } else {
        for (const std::string_view table : kCoatHangerTables) {
          fields.push_back({KeyPath(kGeometryKey, table), QStringLiteral("cm"), kPairsHelp,
                            Field::Kind::Pairs, nullptr});
        }
      }
      break;
    case cases::DieFamily::Profile:
      fields.push_back({KeyPath(kGeometryKey, kProfileKey), QString(),
                        QStringLiteral("CSV file of x, A, Pe, L, H, beside the die document"),
                        Field::Kind::Text, nullptr});
      break;
    case cases::DieFamily::Tapered:
      break;
  }
  return fields;
}

void DieTab::AddBox(QFormLayout& form, Field field) {
  auto* edit = new QLineEdit;
  edit->setObjectName(QString::fromStdString(field.keyPath));
  edit->setText(texts_[TextKey(field.keyPath, field.kind)]);
  edit->setToolTip(field.help);
  const QString label = QString::fromStdString(field.keyPath.substr(field.keyPath.rfind('.') + 1));
  form.addRow(field.unit.isEmpty() ? label : QStringLiteral("%1 (%2)").arg(label, field.unit),
              edit);
  connect(edit, &QLineEdit::textEdited, this, [this] { Edited(); });
  connect(edit, &QLineEdit::returnPressed, this, [this] { Solve(); });
  field.edit = edit;
  std::vector<Field>& boxes = form.parentWidget() == process_ ? processBoxes_ : geometryBoxes_;
  boxes.push_back(std::move(field));
}

void DieTab::BuildGeometryBoxes() {
  delete geometry_->layout();
  qDeleteAll(geometry_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
  geometryBoxes_.clear();
  const DieFamilySpec& family =
      cases::kDieFamilies[static_cast<std::size_t>(family_->currentIndex())];
  familyHelp_->setText(Utf8Text(family.description));
  choices_->setRowVisible(feed_, family.centreFeed);
  choices_->setRowVisible(shape_, family.family == cases::DieFamily::TDie);
  choices_->setRowVisible(design_, family.family == cases::DieFamily::CoatHanger);

  auto* form = new QFormLayout(geometry_);
  form->setContentsMargins(0, 0, 0, 0);
  for (Field& field : GeometryFields(
           family, cases::kManifoldShapes[static_cast<std::size_t>(shape_->currentIndex())],
           design_->currentIndex() == 0)) {
    AddBox(*form, std::move(field));
  }
}

json DieTab::DocumentState() const {
  const DieFamilySpec& family =
      cases::kDieFamilies[static_cast<std::size_t>(family_->currentIndex())];
  json geometry = {{kFamilyKey, family.name}};
  if (family.centreFeed) {
    geometry[kFeedKey] = feed_->currentText().toStdString();
  }
  if (family.family == cases::DieFamily::TDie) {
    geometry[kManifoldKey] = {
        {kShapeKey, cases::kManifoldShapes[static_cast<std::size_t>(shape_->currentIndex())].name}};
  }
  if (family.family == cases::DieFamily::CoatHanger && design_->currentIndex() == 0) {
    geometry[kDesignKey] = kUniformDesign;
  }
  json document = {{kGeometryKey, geometry}, {kFluidKey, liquid_.DocumentState()}};
  for (const std::vector<Field>* boxes : {&geometryBoxes_, &processBoxes_}) {
    for (const Field& box : *boxes) {
      const QString text = box.edit->text();
      json value = BoxValue(text, separator_);
      if (box.kind == Field::Kind::Text) {
        if (box.keyPath == kDescriptionKey && text.isEmpty()) {
          continue;
        }
        value = text.toStdString();
      } else if (box.kind == Field::Kind::Pairs) {
        value = PairsOfText(text, separator_).value_or(json(text.toStdString()));
      }
      document[PointerOf(box.keyPath)] = value;
    }
  }
  return document;
}

void DieTab::SetDocumentState(const json& document) {
  if (!document.is_object()) {
    throw cases::DocumentError("die document: must be an object");
  }
  const json geometry = document.value(kGeometryKey, json::object());
  const std::string familyName = TextAt(geometry, kFamilyKey);
  const DieFamilySpec* family = cases::FindDieFamily(familyName);
  if (family == nullptr) {
    throw cases::DocumentError(KeyPath(kGeometryKey, kFamilyKey) + ": unknown die family \"" +
                               familyName + "\"");
  }
  const std::string feed = TextAt(geometry, kFeedKey);
  const int feedIndex = feed_->findText(QString::fromStdString(feed));
  if (!feed.empty() && feedIndex < 0) {
    throw cases::DocumentError(KeyPath(kGeometryKey, kFeedKey) +
                               ": must be \"end\" or \"centre\", not \"" + feed + "\"");
  }
  const std::string shapeName = TextAt(geometry.value(kManifoldKey, json::object()), kShapeKey);
  const ManifoldShapeSpec* shape = cases::FindManifoldShape(shapeName);
  if (!shapeName.empty() && shape == nullptr) {
    throw cases::DocumentError(KeyPath(KeyPath(kGeometryKey, kManifoldKey), kShapeKey) +
                               ": unknown manifold shape \"" + shapeName + "\"");
  }
  if (document.contains(kFluidKey)) {
    liquid_.SetDocumentState(document[kFluidKey]);
  }
  CollectTexts(document, std::string(), separator_, texts_);
  // A coat-hanger's table being mended is a text where its pairs would be.
  if (family->family == cases::DieFamily::CoatHanger) {
    for (const std::string_view table : kCoatHangerTables) {
      if (geometry.contains(table) && geometry[std::string(table)].is_string()) {
        texts_[KeyPath(kGeometryKey, table) + kTableTextSuffix] =
            QString::fromStdString(geometry[std::string(table)].get<std::string>());
      }
    }
  }
  if (!document.contains(kDescriptionKey)) {
    texts_[kDescriptionKey].clear();
  }
  {
    const QSignalBlocker blockers[] = {QSignalBlocker(family_), QSignalBlocker(feed_),
                                       QSignalBlocker(shape_), QSignalBlocker(design_)};
    family_->setCurrentIndex(static_cast<int>(family - cases::kDieFamilies.data()));
    feed_->setCurrentIndex(feedIndex < 0 ? 0 : feedIndex);
    if (shape != nullptr) {
      shape_->setCurrentIndex(static_cast<int>(shape - cases::kManifoldShapes.data()));
    }
    if (family->family == cases::DieFamily::CoatHanger) {
      design_->setCurrentIndex(TextAt(geometry, kDesignKey) == kUniformDesign ? 0 : 1);
    }
  }
  for (Field& box : processBoxes_) {
    box.edit->setText(texts_[TextKey(box.keyPath, box.kind)]);
  }
  BuildGeometryBoxes();
  Edited();
}

std::optional<cases::DieDocument> DieTab::CheckedDocument(QString* refusal) const {
  const auto refuse = [refusal](const QString& message) {
    if (refusal != nullptr) {
      *refusal = message;
    }
    return std::nullopt;
  };
  for (const std::vector<Field>* boxes : {&geometryBoxes_, &processBoxes_}) {
    for (const Field& box : *boxes) {
      const QString text = box.edit->text();
      if (box.kind == Field::Kind::Number) {
        const QString message = NotANumberMessage(box.keyPath, box.unit, text, separator_);
        if (!message.isEmpty()) {
          return refuse(message);
        }
      } else if (box.kind == Field::Kind::Pairs && !PairsOfText(text, separator_)) {
        return refuse(QStringLiteral("%1 (%2): '%3' is no table; write %4")
                          .arg(QString::fromStdString(box.keyPath), box.unit, text, kPairsHelp));
      }
    }
  }
  QString liquidRefusal;
  if (!liquid_.CheckedLiquid(&liquidRefusal)) {
    return refuse(liquidRefusal + QStringLiteral(" (Liquid tab)"));
  }
  try {
    return cases::ReadDieDocument(DocumentState(), documentDirectory_.toStdString());
  } catch (const std::exception& error) {
    return refuse(QString::fromUtf8(error.what()));
  }
}

void DieTab::SetFamily(std::string_view name) {
  const int index = family_->findText(Utf8Text(name));
  if (index >= 0) {
    family_->setCurrentIndex(index);
  }
}

void DieTab::SetFeed(std::string_view name) {
  const int index = feed_->findText(Utf8Text(name));
  if (index >= 0) {
    feed_->setCurrentIndex(index);
  }
}

void DieTab::SetShape(std::string_view name) {
  const int index = shape_->findText(Utf8Text(name));
  if (index >= 0) {
    shape_->setCurrentIndex(index);
  }
}

void DieTab::SetUniformDesign(bool uniform) {
  design_->setCurrentIndex(uniform ? 0 : 1);
}

QLineEdit* DieTab::Box(const std::string& keyPath) const {
  for (const std::vector<Field>* boxes : {&geometryBoxes_, &processBoxes_}) {
    for (const Field& box : *boxes) {
      if (box.keyPath == keyPath) {
        return box.edit;
      }
    }
  }
  return nullptr;
}

std::vector<std::string> DieTab::BoxPaths() const {
  std::vector<std::string> paths;
  for (const std::vector<Field>* boxes : {&geometryBoxes_, &processBoxes_}) {
    for (const Field& box : *boxes) {
      paths.push_back(box.keyPath);
    }
  }
  return paths;
}

void DieTab::SetBox(const std::string& keyPath, const QString& text) {
  if (QLineEdit* edit = Box(keyPath)) {
    edit->setText(text);
    Edited();
  }
}

void DieTab::Edited() {
  QString refusal;
  const bool accepted = CheckedDocument(&refusal).has_value();
  for (std::vector<Field>* boxes : {&geometryBoxes_, &processBoxes_}) {
    for (Field& box : *boxes) {
      texts_[TextKey(box.keyPath, box.kind)] = box.edit->text();
      const bool refused = !accepted && Names(refusal, box.keyPath);
      MarkBox(*box.edit, refused ? BoxMark::Refused : BoxMark::None, refused ? refusal : QString(),
              box.help);
    }
  }
  SetStatus(refusal, true);
  redrawTimer_.start();
  emit changed();
}

void DieTab::RedrawNow() {
  redrawTimer_.stop();
  Redraw();
}

void DieTab::Redraw() {
  QString refusal;
  const std::optional<cases::DieDocument> die = CheckedDocument(&refusal);
  if (!die) {
    plan_->ShowNoPlan(QStringLiteral("No drawing: ") + refusal);
    return;
  }
  try {
    plan_->ShowPlan(
        {solver::SampleDieOutline(solver::DieModel(*die), kOutlineIntervals), die->feed()});
  } catch (const std::exception& error) {
    plan_->ShowNoPlan(QStringLiteral("No drawing: ") + QString::fromUtf8(error.what()));
  }
}

bool DieTab::Open(const QString& path) {
  try {
    const json document = cases::ReadDieDocumentFile(path.toStdString());
    const QString directory = QFileInfo(path).absolutePath();
    const cases::DieDocument die = cases::ReadDieDocument(document, directory.toStdString());
    documentDirectory_ = directory;
    documentPath_ = path;
    SetDocumentState(cases::DieDocumentJson(die));
  } catch (const std::exception& error) {
    presenter_.ShowMessage(QString::fromUtf8(error.what()));
    return false;
  }
  RedrawNow();
  SetStatus(QStringLiteral("Opened %1").arg(QDir::toNativeSeparators(path)), false);
  return true;
}

bool DieTab::Save(const QString& path) {
  QString refusal;
  const std::optional<cases::DieDocument> die = CheckedDocument(&refusal);
  if (!die) {
    presenter_.ShowMessage(QStringLiteral("The die is not saved: ") + refusal);
    return false;
  }
  const std::string failure = run::WriteWholeFile(path.toStdString(), cases::DieDocumentText(*die));
  if (!failure.empty()) {
    presenter_.ShowMessage(QStringLiteral("The die is not saved: ") +
                           QString::fromStdString(failure));
    return false;
  }
  documentPath_ = path;
  SetStatus(QStringLiteral("Saved to %1").arg(QDir::toNativeSeparators(path)), false);
  return true;
}

void DieTab::ChooseToOpen() {
  const QString path = presenter_.ChooseFileToOpen(
      kOpenCaption, documentDirectory_.isEmpty() ? QDir::currentPath() : documentDirectory_,
      kDocumentFilters);
  if (!path.isEmpty()) {
    Open(path);
  }
}

void DieTab::ChooseToSave() {
  const QString suggested =
      documentPath_.isEmpty() ? QDir::current().filePath(kSuggestedName) : documentPath_;
  QString path = presenter_.ChooseFileToSave(kSaveCaption, suggested, kDocumentFilters, nullptr);
  if (path.isEmpty()) {
    return;
  }
  if (QFileInfo(path).suffix().isEmpty()) {
    path += u'.' + kDocumentSuffix;
  }
  Save(path);
}

bool DieTab::Solve() {
  if (Solving()) {
    return false;
  }
  QString refusal;
  std::optional<cases::DieDocument> die = CheckedDocument(&refusal);
  if (!die) {
    Edited();
    presenter_.ShowMessage(QStringLiteral("The die cannot be solved: ") + refusal);
    return false;
  }
  solving_ = die;
  const bool started = job_.Start([document = *die, this](const std::atomic<bool>&) {
    handover_.Push(solver::SolveDie(document));
  });
  if (!started) {
    return false;
  }
  solveButton_->setEnabled(false);
  SetStatus(QStringLiteral("Solving on %1 stations…").arg(die->stations), false);
  return true;
}

void DieTab::SolveEnded() {
  solveButton_->setEnabled(true);
  std::vector<solver::DieSolution> solutions = handover_.Take();
  if (solutions.empty()) {
    const QString failure =
        QStringLiteral("The die could not be solved: ") + QString::fromStdString(job_.Failure());
    SetStatus(failure, true);
    presenter_.ShowMessage(failure);
    emit finished();
    return;
  }
  solver::DieSolution& solution = solutions.back();
  liquid_.ShowShearRates(solver::SeenShearRates(solution));
  if (!solution.converged()) {
    const QString outcome = QStringLiteral("The die has no solution: ") +
                            QString::fromStdString(solver::DescribeDieOutcome(solution));
    SetStatus(outcome, true);
    presenter_.ShowMessage(outcome);
    solution_.reset();
    emit finished();
    return;
  }
  solution_ = std::move(solution);
  SetStatus(QStringLiteral("Solved: %1").arg(Description(*solving_)), false);
  showSolution_(*solution_, Description(*solving_));
  emit finished();
}

void DieTab::SetStatus(const QString& text, bool problem) {
  status_->setText(text);
  if (status_->property(kProblemProperty).toBool() != problem) {
    status_->setProperty(kProblemProperty, problem);
    status_->style()->unpolish(status_);
    status_->style()->polish(status_);
  }
}

std::string DieTab::ProjectKey() const {
  return kProjectKey;
}

json DieTab::SaveProject() const {
  json state = DocumentState();
  state.erase(kFluidKey);
  return state;
}

void DieTab::CheckProjectSection(const json& section, const std::string& path) {
  const std::string geometryPath = MemberPath(path, kGeometryKey);
  const json& geometry = cases::RequireMember(section, kGeometryKey, path);
  cases::RequireObject(geometry, geometryPath);
  const std::string familyName = cases::RequireText(geometry, kFamilyKey, geometryPath);
  const DieFamilySpec* family = cases::FindDieFamily(familyName);
  if (family == nullptr) {
    throw DocumentError(MemberPath(geometryPath, kFamilyKey) + ": unknown die family \"" +
                        familyName + "\"");
  }
  Leaves leaves = {{KeyPath(kGeometryKey, kFamilyKey), kTextLeaf}};
  if (family->centreFeed) {
    const std::string feed = cases::RequireText(geometry, kFeedKey, geometryPath);
    if (feed != cases::FeedName(cases::DieFeed::End) &&
        feed != cases::FeedName(cases::DieFeed::Centre)) {
      throw DocumentError(MemberPath(geometryPath, kFeedKey) +
                          ": must be \"end\" or \"centre\", not \"" + feed + "\"");
    }
    leaves[KeyPath(kGeometryKey, kFeedKey)] = kTextLeaf;
  }
  const ManifoldShapeSpec* shape = cases::kManifoldShapes.data();
  if (family->family == cases::DieFamily::TDie) {
    const std::string manifoldPath = MemberPath(geometryPath, kManifoldKey);
    const std::string shapeName = cases::RequireText(
        cases::RequireMember(geometry, kManifoldKey, geometryPath), kShapeKey, manifoldPath);
    shape = cases::FindManifoldShape(shapeName);
    if (shape == nullptr) {
      throw DocumentError(MemberPath(manifoldPath, kShapeKey) + ": unknown manifold shape \"" +
                          shapeName + "\"");
    }
    leaves[KeyPath(KeyPath(kGeometryKey, kManifoldKey), kShapeKey)] = kTextLeaf;
  }
  // A coat-hanger of the uniform design says so; one without "design" is of tables.
  const bool uniform =
      family->family == cases::DieFamily::CoatHanger && FindMember(geometry, kDesignKey) != nullptr;
  if (uniform) {
    leaves[KeyPath(kGeometryKey, kDesignKey)] = kUniformLeaf;
  }
  std::vector<Field> fields = GeometryFields(*family, *shape, uniform);
  std::ranges::move(ProcessFields(), std::back_inserter(fields));
  for (const Field& field : fields) {
    leaves[field.keyPath] = field.kind == Field::Kind::Number
                                ? kNumberLeaf
                                : (field.kind == Field::Kind::Pairs ? kPairsLeaf : kTextLeaf);
  }
  CheckMembers(section, std::string(), path, leaves);
  for (const Field& field : fields) {
    if (field.keyPath != kDescriptionKey && !section.contains(PointerOf(field.keyPath))) {
      throw DocumentError(MemberPath(path, field.keyPath) + ": missing");
    }
  }
}

std::function<void()> DieTab::ReadProject(const json& section, const std::string& path) {
  cases::RequireObject(section, path);
  CheckProjectSection(section, path);
  return [this, section] { SetDocumentState(section); };
}

void DieTab::ClearProject() {
  texts_ = firstTexts_;
  documentDirectory_.clear();
  documentPath_.clear();
  SetDocumentState(firstState_);
}

void DieTab::WatchProject(const std::function<void()>& changed) {
  connect(this, &DieTab::changed, this, changed);
}

QString DieTab::Description(const cases::DieDocument& die) const {
  const DieFamilySpec& family = cases::DieFamilyRow(die.family());
  QString text = QStringLiteral("%1, %2 feed, width %3 cm · %4 liquid · flow rate %5 cm3/s")
                     .arg(Utf8Text(family.name), Utf8Text(cases::FeedName(die.feed())),
                          NumberText(die.width(), separator_),
                          Utf8Text(cases::LiquidModelRow(die.fluid.model).name),
                          NumberText(die.flowRate, separator_));
  if (!die.description.empty()) {
    text += QStringLiteral(" · ") + QString::fromStdString(die.description);
  }
  return text;
}

}  // namespace fluxeta::ui
