#include "case_panel.h"

#include <QEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QStringList>
#include <QStyle>
#include <QUndoCommand>

#include "case_summary.h"
#include "fluxeta/case/default_case.h"
#include "fluxeta/case/document_error.h"
#include "input_title.h"
#include "line_edit_room.h"
#include "locale_number_text.h"
#include "main_window.h"
#include "number_presentation.h"
#include "project_values.h"
#include "utf8_text.h"

namespace fluxeta::ui {

namespace {

const QString kTakeCaption = QStringLiteral("Take from Main Window");
const QString kApplyCaption = QStringLiteral("Apply to Main Window");
constexpr int kEditWidth = 64;

// Boxes with a problem stand out: a refused text on pale red, a value outside its plausible
// range on pale amber.
constexpr char kProblemProperty[] = "problem";
const QString kRefused = QStringLiteral("refused");
const QString kImplausible = QStringLiteral("implausible");
const QString kProblemStyle = QStringLiteral(
    "QLineEdit[problem=\"refused\"] { background: #ffd9d6; }"
    "QLineEdit[problem=\"implausible\"] { background: #fff1c2; }");
const QString kStatusStyle = QStringLiteral("QLabel { color: #8a1c00; }");

constexpr char kInputsKey[] = "inputs";

QString RangeText(const cases::InputSpec& spec, char separator) {
  return QStringLiteral("%1 … %2 %3")
      .arg(NumberText(spec.plausibleLow, separator), NumberText(spec.plausibleHigh, separator),
           Utf8Text(spec.unit));
}

bool IsKey(const QKeyEvent& key, QKeySequence::StandardKey standard, QKeyCombination alternative) {
  return key.matches(standard) || key.keyCombination() == alternative;
}
constexpr QKeyCombination kUndoKeys(Qt::CTRL, Qt::Key_Z);
constexpr QKeyCombination kRedoKeys(Qt::CTRL | Qt::SHIFT, Qt::Key_Z);

}  // namespace

// One step of the panel's texts, before and after.
class CaseTextsCommand : public QUndoCommand {
 public:
  CaseTextsCommand(CasePanel& panel, CaseTexts before, CaseTexts after, const QString& what,
                   int mergeKey)
      : QUndoCommand(what),
        panel_(panel),
        before_(std::move(before)),
        after_(std::move(after)),
        mergeKey_(mergeKey) {}

  void undo() override { panel_.ShowTexts(before_); }
  void redo() override { panel_.ShowTexts(after_); }
  int id() const override { return mergeKey_; }
  bool mergeWith(const QUndoCommand* other) override {
    after_ = static_cast<const CaseTextsCommand*>(other)->after_;
    return true;
  }

 private:
  CasePanel& panel_;
  CaseTexts before_;
  CaseTexts after_;
  int mergeKey_;
};

CasePanel::CasePanel(Presenter& presenter, char separator, TForm1* mainWindow, QWidget* parent)
    : QWidget(parent),
      presenter_(presenter),
      separator_(separator),
      mainWindow_(mainWindow),
      status_(new QLabel),
      undo_(undoStack_.createUndoAction(this, QStringLiteral("Undo"))),
      redo_(undoStack_.createRedoAction(this, QStringLiteral("Redo"))) {
  setObjectName(QStringLiteral("CasePanel"));
  setStyleSheet(kProblemStyle);
  undo_->setObjectName(QStringLiteral("UndoCaseEdit"));
  redo_->setObjectName(QStringLiteral("RedoCaseEdit"));
  undo_->setShortcut(kUndoKeys);
  redo_->setShortcut(kRedoKeys);
  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setVerticalSpacing(2);
  for (std::size_t input = 0; input < cases::kInputCount; ++input) {
    const cases::InputSpec& spec = cases::kInputs[input];
    auto* label = new QLabel(InputTitle(spec));
    auto* edit = new QLineEdit;
    edit->setObjectName(QStringLiteral("Case_%1").arg(Utf8Text(spec.name)));
    edit->setFixedWidth(kEditWidth);
    rangeTips_[input] = QStringLiteral("%1\nplausible %2")
                            .arg(Utf8Text(spec.windowLabel), RangeText(spec, separator));
    edit->setToolTip(rangeTips_[input]);
    label->setToolTip(rangeTips_[input]);
    edit->installEventFilter(this);
    const int row = static_cast<int>(input);
    layout->addWidget(label, row, 0);
    layout->addWidget(edit, row, 1);
    edits_[input] = edit;
    // Any change of a box's text is a step, typed or set by a test or a tab through the box.
    connect(edit, &QLineEdit::textChanged, this, [this, input] {
      if (!showing_) {
        Typed(input);
      }
    });
    connect(edit, &QLineEdit::editingFinished, this, [this] { ++typingRun_; });
  }
  auto* take = new QPushButton(kTakeCaption);
  take->setObjectName(QStringLiteral("TakeFromMainWindow"));
  auto* apply = new QPushButton(kApplyCaption);
  apply->setObjectName(QStringLiteral("ApplyToMainWindow"));
  take->setEnabled(mainWindow_ != nullptr);
  apply->setEnabled(mainWindow_ != nullptr);
  status_->setObjectName(QStringLiteral("CaseStatus"));
  status_->setWordWrap(true);
  status_->setStyleSheet(kStatusStyle);
  const int buttonRow = static_cast<int>(cases::kInputCount);
  layout->addWidget(take, buttonRow, 0, 1, 2);
  layout->addWidget(apply, buttonRow + 1, 0, 1, 2);
  layout->addWidget(status_, buttonRow + 2, 0, 1, 2);
  layout->setRowStretch(buttonRow + 3, 1);
  connect(take, &QPushButton::clicked, this, &CasePanel::TakeFromMainWindow);
  connect(apply, &QPushButton::clicked, this, &CasePanel::ApplyToMainWindow);

  SetBoxes(mainWindow_ != nullptr ? mainWindow_->Boxes() : run::DefaultBoxTexts(separator_));
  undoStack_.clear();
}

CaseTexts CasePanel::Texts() const {
  CaseTexts texts;
  for (std::size_t input = 0; input < cases::kInputCount; ++input) {
    texts[input] = edits_[input]->text();
  }
  return texts;
}

run::BoxTexts CasePanel::Boxes() const {
  run::BoxTexts boxes;
  for (std::size_t input = 0; input < cases::kInputCount; ++input) {
    boxes.Input(input) = edits_[input]->text().toStdString();
  }
  boxes.Edit(run::kResultFileNameBox) = resultFileName_;
  return boxes;
}

void CasePanel::SetBoxes(const run::BoxTexts& boxes) {
  CaseTexts texts;
  for (std::size_t input = 0; input < cases::kInputCount; ++input) {
    texts[input] = QString::fromStdString(boxes.Input(input));
  }
  resultFileName_ = boxes.Edit(run::kResultFileNameBox);
  ChangeTexts(texts, QStringLiteral("take the case"));
}

QString CasePanel::CaseLine() const {
  return fluxeta::ui::CaseLine(Boxes());
}

cases::CaseInputs CasePanel::Inputs() const {
  return run::InputsOfBoxes(Boxes(), separator_);
}

CaseCheck CasePanel::Check() const {
  return CheckCase(Texts(), separator_);
}

std::optional<cases::CaseValues> CasePanel::Values() const {
  CaseCheck check = Check();
  if (!check.Passed()) {
    presenter_.ShowMessage(check.RefusalText());
  }
  return check.values;
}

void CasePanel::SetValue(std::size_t input, double value) {
  CaseTexts texts = Texts();
  texts.at(input) = NumberText(value, separator_);
  ChangeTexts(texts, QStringLiteral("set %1").arg(InputTitle(input)));
}

void CasePanel::SetValues(const cases::CaseValues& values) {
  CaseTexts texts;
  for (std::size_t input = 0; input < cases::kInputCount; ++input) {
    texts[input] = NumberText(values[input], separator_);
  }
  ChangeTexts(texts, QStringLiteral("set the case"));
}

void CasePanel::ChangeTexts(const CaseTexts& after, const QString& what, int mergeKey) {
  if (after == shown_ && mergeKey < 0) {
    return;
  }
  undoStack_.push(new CaseTextsCommand(*this, shown_, after, what, mergeKey));
}

void CasePanel::ShowTexts(const CaseTexts& texts) {
  showing_ = true;
  for (std::size_t input = 0; input < cases::kInputCount; ++input) {
    if (edits_[input]->text() != texts[input]) {
      edits_[input]->setText(texts[input]);
      edits_[input]->setCursorPosition(0);
    }
  }
  showing_ = false;
  const bool differs = texts != shown_;
  shown_ = texts;
  MarkProblems();
  if (differs) {
    emit changed();
  }
}

void CasePanel::Typed(std::size_t input) {
  // A merge key per box and run of typing: the letters typed into one box in a row are undone
  // together.
  const int mergeKey = static_cast<int>(input) + static_cast<int>(cases::kInputCount) * typingRun_;
  ChangeTexts(Texts(), QStringLiteral("edit %1").arg(InputTitle(input)), mergeKey);
}

void CasePanel::MarkProblems() {
  const CaseCheck check = Check();
  std::array<const InputProblem*, cases::kInputCount> problems{};
  std::array<bool, cases::kInputCount> refused{};
  for (const InputProblem& problem : check.warnings) {
    problems[problem.input] = &problem;
  }
  for (const InputProblem& problem : check.refusals) {
    problems[problem.input] = &problem;
    refused[problem.input] = true;
  }
  for (std::size_t input = 0; input < cases::kInputCount; ++input) {
    QLineEdit& edit = *edits_[input];
    const QString mark =
        problems[input] == nullptr ? QString() : (refused[input] ? kRefused : kImplausible);
    if (edit.property(kProblemProperty).toString() != mark) {
      edit.setProperty(kProblemProperty, mark);
      edit.style()->unpolish(&edit);
      edit.style()->polish(&edit);
    }
    edit.setToolTip(problems[input] == nullptr
                        ? rangeTips_[input]
                        : problems[input]->message + u'\n' + rangeTips_[input]);
  }
  QString status;
  if (!check.refusals.empty()) {
    status = check.refusals.front().message;
  } else if (!check.derivedFault.isEmpty()) {
    status = check.derivedFault;
  } else if (!check.warnings.empty()) {
    status = check.warnings.front().message;
  }
  status_->setText(status);
}

bool CasePanel::eventFilter(QObject* watched, QEvent* event) {
  // The panel's undo takes the keys from the boxes' own, so that a step undone is a step of
  // the panel, whichever box it was in.
  if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
    const auto& key = *static_cast<QKeyEvent*>(event);
    const bool undo = IsKey(key, QKeySequence::Undo, kUndoKeys);
    const bool redo = IsKey(key, QKeySequence::Redo, kRedoKeys);
    if (undo || redo) {
      event->accept();
      if (event->type() == QEvent::KeyPress) {
        ++typingRun_;
        redo ? undoStack_.redo() : undoStack_.undo();
      }
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void CasePanel::TakeFromMainWindow() {
  if (mainWindow_ != nullptr) {
    SetBoxes(mainWindow_->Boxes());
  }
}

void CasePanel::ApplyToMainWindow() {
  if (mainWindow_ == nullptr) {
    return;
  }
  const CaseCheck check = Check();
  if (!check.Passed()) {
    presenter_.ShowMessage(QStringLiteral("Nothing was applied to the main window.\n") +
                           check.RefusalText());
    return;
  }
  const cases::CaseValues& values = *check.values;
  run::BoxTexts boxes = mainWindow_->Boxes();
  QStringList notCarried;
  QStringList rounded;
  for (std::size_t input = 0; input < cases::kInputCount; ++input) {
    const cases::InputSpec& spec = cases::kInputs[input];
    const QString text = edits_[input]->text();
    const int boxNumber = run::kInputBoxes[input];
    std::string& box = boxes.Input(input);
    if (run::kBoxEnabledByDesign[boxNumber - 1]) {
      // The text as typed where the box shows it whole, else the value written to fit.
      const QLineEdit& target = mainWindow_->CaseBox(boxNumber);
      const int room = TextRoom(target);
      if (target.fontMetrics().horizontalAdvance(text) <= room) {
        box = text.toStdString();
        continue;
      }
      const FittedNumber fitted =
          FittingNumber(values[input], separator_, target.fontMetrics(), room);
      box = fitted.text.toStdString();
      if (fitted.rounded) {
        rounded.append(QStringLiteral("%1 %2").arg(Utf8Text(spec.symbol), fitted.text));
      }
      continue;
    }
    const QString shown = QString::fromStdString(box);
    if (text.toStdString() != box && NumberOfText(shown, separator_) != values[input]) {
      notCarried.append(QStringLiteral("%1 = %2").arg(Utf8Text(spec.symbol), text));
    }
  }
  mainWindow_->SetBoxes(boxes);
  status_->setText(rounded.isEmpty()
                       ? QString()
                       : QStringLiteral("Rounded to fit the main window's boxes: %1; the panel "
                                        "keeps the full values.")
                             .arg(rounded.join(QStringLiteral(", "))));
  if (!notCarried.isEmpty()) {
    presenter_.ShowMessage(
        QStringLiteral("The main window keeps these material values fixed; they were not "
                       "carried over: %1")
            .arg(notCarried.join(QStringLiteral(", "))));
  }
}

std::string CasePanel::ProjectKey() const {
  return "case";
}

// The inputs by their short names: each a number, or the text as typed where it reads as
// none, so that a project keeps a case being mended as it was left.
nlohmann::json CasePanel::SaveProject() const {
  nlohmann::json inputs = nlohmann::json::object();
  for (std::size_t input = 0; input < cases::kInputCount; ++input) {
    const std::string name(cases::kInputs[input].name);
    const auto value = NumberOfText(edits_[input]->text(), separator_);
    if (value && std::isfinite(*value)) {
      inputs[name] = *value;
    } else {
      inputs[name] = edits_[input]->text().toStdString();
    }
  }
  return {{kInputsKey, inputs}};
}

std::function<void()> CasePanel::ReadProject(const nlohmann::json& section,
                                             const std::string& path) {
  cases::RequireObject(section, path);
  cases::RefuseUnknownKeys(section, {kInputsKey}, path);
  const nlohmann::json& inputs = cases::RequireMember(section, kInputsKey, path);
  const std::string inputsPath = MemberPath(path, kInputsKey);
  cases::RequireObject(inputs, inputsPath);
  std::vector<std::string_view> names;
  CaseTexts texts;
  for (std::size_t input = 0; input < cases::kInputCount; ++input) {
    const std::string_view name = cases::kInputs[input].name;
    names.push_back(name);
    const nlohmann::json& member = cases::RequireMember(inputs, name, inputsPath);
    texts[input] = member.is_string()
                       ? QString::fromStdString(member.get<std::string>())
                       : NumberText(cases::RequireNumber(inputs, name, inputsPath), separator_);
  }
  cases::RefuseUnknownKeys(inputs, names, inputsPath);
  return [this, texts] {
    ShowTexts(texts);
    undoStack_.clear();
  };
}

void CasePanel::WatchProject(const std::function<void()>& changed) {
  connect(this, &CasePanel::changed, this, changed);
}

void CasePanel::ClearProject() {
  TakeFromMainWindow();
  undoStack_.clear();
}

}  // namespace fluxeta::ui
