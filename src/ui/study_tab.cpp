#include "study_tab.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QSplitter>
#include <QVBoxLayout>

#include <cmath>

#include "case_panel.h"
#include "export_path.h"
#include "fluxeta/base/errors.h"
#include "fluxeta/case/input_table.h"
#include "fluxeta/run/replacing_file.h"
#include "fluxeta/solver/search.h"
#include "fluxeta/study/study_csv.h"
#include "fluxeta/study/study_inputs.h"
#include "fluxeta/study/study_parallel.h"
#include "heat_map.h"
#include "input_title.h"
#include "locale_number_text.h"
#include "number_presentation.h"
#include "study_job.h"
#include "study_plot.h"
#include "study_rows_model.h"
#include "utf8_text.h"
#include "widget_picture.h"

namespace fluxeta::ui {

namespace {

const QString kNoInput = QStringLiteral("(none)");
const QString kRunCaption = QStringLiteral("Run Study");
const QString kCancelCaption = QStringLiteral("Cancel");
const QString kExportCsvCaption = QStringLiteral("Export CSV…");
const QString kExportPngCaption = QStringLiteral("Export PNG…");
const QString kExportSvgCaption = QStringLiteral("Export SVG…");
const QString kUseCaseCaption = QStringLiteral("Use this case");
const FileKind kCsvKind{QStringLiteral("CSV files"), QStringLiteral("csv")};
const FileKind kPngKind{QStringLiteral("PNG pictures"), QStringLiteral("png")};
const FileKind kSvgKind{QStringLiteral("SVG pictures"), QStringLiteral("svg")};
// A map written as a picture is this size unless the user chooses another.
constexpr QSize kMapPictureSize(1200, 900);
// The read-out keeps room for two lines, so that the map above it never moves.
constexpr int kReadOutLines = 2;

// Cases a block of the background study holds: rows reach the window a block at a time.
constexpr std::uint64_t kCasesPerBlock = 256;
// Up to this many rows the plot of one input follows the study as it goes; a longer study
// is plotted once it ends.
constexpr std::size_t kLivePlotRows = 5000;
// The rows the table's columns are sized to: sizing them to every row would read a long
// study whole.
constexpr int kRowsSizedToContents = 50;
// The window keeps every row (about a hundred bytes each) and, for two inputs, a colour map
// cell per case: ten million cases take about a gigabyte. Larger studies are for
// fluxeta-batch, which writes its rows as it goes.
constexpr int kMostCases = 10000000;
// The input lists show this many characters of a name; the list itself shows them whole.
constexpr int kInputNameCharacters = 6;
constexpr int kProgressSteps = 1000;
// The sweeps the tab first shows: the taper factor over its plausible range.
constexpr int kFirstCount = 16;
constexpr int kFirstInnerCount = 12;

QString SymbolOf(const study::Sweep& sweep) {
  return QStringLiteral("%1 (%2)").arg(Utf8Text(sweep.input->symbol), Utf8Text(sweep.input->unit));
}

bool IsEnter(const QEvent& event) {
  if (event.type() != QEvent::KeyPress) {
    return false;
  }
  const int key = static_cast<const QKeyEvent&>(event).key();
  return key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace

StudyTab::StudyTab(Presenter& presenter, CasePanel& casePanel, QWidget* parent)
    : QWidget(parent),
      presenter_(presenter),
      casePanel_(casePanel),
      search_(new QComboBox),
      run_(new QPushButton(kRunCaption)),
      cancel_(new QPushButton(kCancelCaption)),
      progress_(new QProgressBar),
      status_(new QLabel),
      readOut_(new QLabel),
      exportNotice_(new QLabel),
      useCase_(new QPushButton(kUseCaseCaption)),
      pinCell_(new QPushButton(QStringLiteral("Pin"))),
      scaleFrom_(new QLineEdit),
      scaleTo_(new QLineEdit),
      plots_(new QStackedWidget),
      plot_(new StudyPlot),
      heatMap_(new HeatMap),
      rows_(new StudyRowsModel(casePanel.Separator(), this)),
      table_(new QTableView) {
  setObjectName(QStringLiteral("StudyTab"));
  status_->setObjectName(QStringLiteral("StudyStatus"));
  readOut_->setObjectName(QStringLiteral("StudyReadOut"));
  // Long texts wrap rather than widen the window beside the main window.
  status_->setWordWrap(true);
  readOut_->setWordWrap(true);
  readOut_->setFixedHeight(kReadOutLines * readOut_->fontMetrics().lineSpacing() + 4);
  readOut_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  exportNotice_->setObjectName(QStringLiteral("StudyExportNotice"));
  exportNotice_->setWordWrap(true);
  useCase_->setObjectName(QStringLiteral("UseThisCase"));
  useCase_->setEnabled(false);
  useCase_->setToolTip(QStringLiteral("Puts the case of the cell clicked into the case panel"));
  pinCell_->setObjectName(QStringLiteral("PinStudyCase"));
  pinCell_->setEnabled(false);
  pinCell_->setToolTip(QStringLiteral("Keeps the case of the cell clicked on the Compare tab"));
  scaleFrom_->setObjectName(QStringLiteral("MapScaleFrom"));
  scaleTo_->setObjectName(QStringLiteral("MapScaleTo"));
  for (QLineEdit* end : {scaleFrom_, scaleTo_}) {
    end->setPlaceholderText(QStringLiteral("auto"));
    end->setToolTip(QStringLiteral(
        "The colour map's scale; empty for the 2nd to 98th percentile of the figures"));
    connect(end, &QLineEdit::editingFinished, this, &StudyTab::SetMapScale);
  }
  progress_->setObjectName(QStringLiteral("StudyProgress"));
  progress_->setRange(0, kProgressSteps);
  progress_->setValue(0);
  plots_->addWidget(plot_);
  plots_->addWidget(heatMap_);
  table_->setObjectName(QStringLiteral("StudyRows"));
  table_->setModel(rows_);
  // Tab walks past the table rather than through its cells; a click still selects in it.
  table_->setFocusPolicy(Qt::ClickFocus);
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 4);
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  table_->horizontalHeader()->setResizeContentsPrecision(kRowsSizedToContents);

  auto* mapRow = new QHBoxLayout;
  mapRow->setContentsMargins(0, 0, 0, 0);
  mapRow->addWidget(new QLabel(QStringLiteral("colour scale")));
  mapRow->addWidget(scaleFrom_);
  mapRow->addWidget(new QLabel(QStringLiteral("…")));
  mapRow->addWidget(scaleTo_);
  mapRow->addStretch(1);
  mapRow->addWidget(useCase_);
  mapRow->addWidget(pinCell_);
  mapControls_ = new QWidget;
  mapControls_->setLayout(mapRow);
  mapControls_->setVisible(false);
  auto* plotArea = new QWidget;
  auto* plotLayout = new QVBoxLayout(plotArea);
  plotLayout->setContentsMargins(0, 0, 0, 0);
  plotLayout->addWidget(plots_, 1);
  plotLayout->addWidget(mapControls_);
  plotLayout->addWidget(readOut_);

  auto* results = new QSplitter(Qt::Vertical);
  results->addWidget(plotArea);
  results->addWidget(table_);
  results->setStretchFactor(0, 2);
  results->setStretchFactor(1, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(MakeSettings());
  layout->addWidget(MakeButtons());
  layout->addWidget(status_);
  layout->addWidget(results, 1);

  connect(heatMap_, &HeatMap::hovered, this, &StudyTab::ShowCellReadOut);
  // A click chooses a cell; only "Use this case" changes the case every tab works on.
  connect(heatMap_, &HeatMap::clicked, this, [this](std::uint64_t index) {
    useCase_->setEnabled(true);
    pinCell_->setEnabled(true);
    ShowCellReadOut(index);
  });
  connect(heatMap_, &HeatMap::left, this, [this] {
    if (const auto chosen = heatMap_->Chosen()) {
      ShowCellReadOut(*chosen);
    } else {
      readOut_->clear();
    }
  });
  connect(pinCell_, &QPushButton::clicked, this, &StudyTab::pinRequested);
  connect(useCase_, &QPushButton::clicked, this, [this] {
    if (const auto chosen = heatMap_->Chosen()) {
      PutCellIntoCasePanel(*chosen);
    }
  });

  const cases::InputSpec& gamma = cases::kInputs[*cases::FindInput("gamma")];
  SetDimension(0, Utf8Text(gamma.name), NumberText(gamma.plausibleLow, casePanel_.Separator()),
               NumberText(gamma.plausibleHigh, casePanel_.Separator()), kFirstCount);
  dimensions_[1].count->setValue(kFirstInnerCount);

  // Enter in a sweep's boxes or on the focused Run button starts the study.
  for (const DimensionControls& controls : dimensions_) {
    for (QWidget* box :
         std::initializer_list<QWidget*>{controls.from, controls.to, controls.count}) {
      box->installEventFilter(this);
    }
  }
  search_->installEventFilter(this);
  run_->installEventFilter(this);
}

bool StudyTab::eventFilter(QObject* watched, QEvent* event) {
  if (IsEnter(*event) && watched->isWidgetType()) {
    Start();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

StudyTab::~StudyTab() = default;

QWidget* StudyTab::MakeSettings() {
  auto* settings = new QWidget;
  auto* grid = new QGridLayout(settings);
  grid->setContentsMargins(0, 0, 0, 0);
  const QStringList headers = {QString(), QStringLiteral("FROM"), QStringLiteral("TO"),
                               QStringLiteral("COUNT")};
  for (int column = 0; column < headers.size(); ++column) {
    grid->addWidget(new QLabel(headers[column]), 0, column);
  }
  for (int dimension = 0; dimension < 2; ++dimension) {
    DimensionControls& controls = dimensions_[static_cast<std::size_t>(dimension)];
    controls.input = new QComboBox;
    controls.input->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    controls.input->setMinimumContentsLength(kInputNameCharacters);
    if (dimension == 1) {
      controls.input->addItem(kNoInput, QString());
    }
    for (const cases::InputSpec& input : cases::kInputs) {
      controls.input->addItem(
          QStringLiteral("%1 (%2)").arg(Utf8Text(input.symbol), Utf8Text(input.unit)),
          Utf8Text(input.name));
    }
    controls.from = new QLineEdit;
    controls.to = new QLineEdit;
    controls.count = new QSpinBox;
    controls.count->setRange(1, kMostCases);
    const QString suffix = QString::number(dimension + 1);
    controls.input->setObjectName(QStringLiteral("StudyVariable") + suffix);
    controls.from->setObjectName(QStringLiteral("StudyFrom") + suffix);
    controls.to->setObjectName(QStringLiteral("StudyTo") + suffix);
    controls.count->setObjectName(QStringLiteral("StudyCount") + suffix);
    // Choosing an input offers its plausible range.
    connect(controls.input, &QComboBox::currentIndexChanged, this, [this, &controls] {
      if (const auto input =
              cases::FindInput(controls.input->currentData().toString().toStdString())) {
        controls.from->setText(
            NumberText(cases::kInputs[*input].plausibleLow, casePanel_.Separator()));
        controls.to->setText(
            NumberText(cases::kInputs[*input].plausibleHigh, casePanel_.Separator()));
      }
    });
    grid->addWidget(controls.input, dimension + 1, 0);
    grid->addWidget(controls.from, dimension + 1, 1);
    grid->addWidget(controls.to, dimension + 1, 2);
    grid->addWidget(controls.count, dimension + 1, 3);
  }
  search_->setObjectName(QStringLiteral("StudySearch"));
  for (const solver::Search search : {solver::Search::Robust, solver::Search::Window}) {
    search_->addItem(Utf8Text(solver::SearchName(search)), static_cast<int>(search));
  }
  // What the two searches are, where the user chooses between them.
  const QString searchHelp = QStringLiteral(
      "How each case's entrance pressure is found.\n"
      "robust: the search made for studies and design, which brackets the answer and checks "
      "it; it solves cases the window's search gives up on.\n"
      "window: the main window's own search, exactly as its OK button solves a case.");
  search_->setToolTip(searchHelp);
  auto* searchLabel = new QLabel(QStringLiteral("search"));
  searchLabel->setToolTip(searchHelp);
  grid->addWidget(searchLabel, 3, 0);
  grid->addWidget(search_, 3, 1);
  return settings;
}

QWidget* StudyTab::MakeButtons() {
  auto* buttons = new QWidget;
  auto* rows = new QVBoxLayout(buttons);
  rows->setContentsMargins(0, 0, 0, 0);
  auto* row = new QHBoxLayout;
  auto* exports = new QHBoxLayout;
  rows->addLayout(row);
  rows->addLayout(exports);
  run_->setObjectName(QStringLiteral("RunStudy"));
  cancel_->setObjectName(QStringLiteral("CancelStudy"));
  cancel_->setEnabled(false);
  auto* exportCsv = new QPushButton(kExportCsvCaption);
  auto* exportPng = new QPushButton(kExportPngCaption);
  exportCsv->setObjectName(QStringLiteral("ExportCsv"));
  exportPng->setObjectName(QStringLiteral("ExportPng"));
  auto* exportSvg = new QPushButton(kExportSvgCaption);
  exportSvg->setObjectName(QStringLiteral("ExportSvg"));
  row->addWidget(run_);
  row->addWidget(cancel_);
  row->addWidget(progress_, 1);
  exports->addWidget(exportNotice_, 1);
  exports->addWidget(exportCsv);
  exports->addWidget(exportPng);
  exports->addWidget(exportSvg);
  connect(run_, &QPushButton::clicked, this, [this] { Start(); });
  connect(cancel_, &QPushButton::clicked, this, &StudyTab::Cancel);
  connect(exportCsv, &QPushButton::clicked, this,
          [this] { ExportChosenByUser(kExportCsvCaption, kCsvKind); });
  connect(exportPng, &QPushButton::clicked, this,
          [this] { ExportChosenByUser(kExportPngCaption, kPngKind); });
  connect(exportSvg, &QPushButton::clicked, this,
          [this] { ExportChosenByUser(kExportSvgCaption, kSvgKind); });
  return buttons;
}

void StudyTab::SetDimension(int dimension, const QString& inputName, const QString& from,
                            const QString& to, int count) {
  DimensionControls& controls = dimensions_.at(static_cast<std::size_t>(dimension));
  controls.input->setCurrentIndex(std::max(0, controls.input->findData(inputName)));
  controls.from->setText(from);
  controls.to->setText(to);
  controls.count->setValue(count);
}

void StudyTab::SetSearch(solver::Search search) {
  search_->setCurrentIndex(search_->findData(static_cast<int>(search)));
}

std::vector<ProjectField> StudyTab::ProjectFields() {
  std::vector<ProjectField> fields;
  const char separator = casePanel_.Separator();
  for (std::size_t dimension = 0; dimension < dimensions_.size(); ++dimension) {
    const DimensionControls& controls = dimensions_[dimension];
    // The input first: choosing it fills FROM and TO.
    fields.push_back(ProjectField::Group(dimension == 0 ? "outer" : "inner",
                                         {ProjectField::Choice("input", *controls.input),
                                          ProjectField::Box("from", *controls.from, separator),
                                          ProjectField::Box("to", *controls.to, separator),
                                          ProjectField::Count("count", *controls.count)}));
  }
  fields.push_back(ProjectField::Choice("search", *search_));
  return fields;
}

bool StudyTab::Running() const {
  return job_ != nullptr && job_->Running();
}

bool StudyTab::Start() {
  if (Running()) {
    return false;
  }
  // The base case first: a case the panel refuses is no study of it.
  if (!casePanel_.Values()) {
    return false;
  }
  std::vector<study::Sweep> sweeps;
  for (const DimensionControls& controls : dimensions_) {
    const QString name = controls.input->currentData().toString();
    if (name.isEmpty()) {
      continue;
    }
    study::Sweep sweep;
    sweep.input = &study::FindStudyInput(name.toStdString(), true);
    const auto from = NumberOfText(controls.from->text(), casePanel_.Separator());
    const auto to = NumberOfText(controls.to->text(), casePanel_.Separator());
    if (!from || !to || !std::isfinite(*from) || !std::isfinite(*to)) {
      presenter_.ShowMessage(QStringLiteral("%1: FROM and TO must be numbers, written with %2.")
                                 .arg(SymbolOf(sweep), casePanel_.Separator() == ','
                                                           ? QStringLiteral("a comma")
                                                           : QStringLiteral("a point")));
      return false;
    }

    if (!sweeps.empty() && sweeps.front().input == sweep.input) {
      presenter_.ShowMessage(QStringLiteral("%1 is varied twice.").arg(SymbolOf(sweep)));
      return false;
    }
    sweep.from = *from;
    sweep.to = *to;
    sweep.count = static_cast<std::uint64_t>(controls.count->value());
    sweeps.push_back(sweep);
  }

  std::uint64_t caseCount = 1;
  for (const study::Sweep& sweep : sweeps) {
    caseCount *= sweep.count;  // each count is below kMostCases: no overflow
  }
  if (caseCount > static_cast<std::uint64_t>(kMostCases)) {
    presenter_.ShowMessage(
        QStringLiteral(
            "A study in the workbench has at most %1 cases; fluxeta-batch solves larger ones.")
            .arg(kMostCases));
    return false;
  }
  auto grid = std::make_shared<study::StudyGrid>();
  for (const study::Sweep& sweep : sweeps) {
    grid->AddSweep(sweep);
  }
  if (sweeps.size() == 1) {
    plot_->Reset(sweeps[0].from, sweeps[0].to, SymbolOf(sweeps[0]));
    plots_->setCurrentWidget(plot_);
    mapControls_->setVisible(false);
  } else {
    heatMap_->Reset(sweeps[0].count, sweeps[1].count, sweeps[0].from, sweeps[0].to, sweeps[1].from,
                    sweeps[1].to, SymbolOf(sweeps[0]), SymbolOf(sweeps[1]),
                    QStringLiteral("uniformity"));
    plots_->setCurrentWidget(heatMap_);
    mapControls_->setVisible(true);
    useCase_->setEnabled(false);
    pinCell_->setEnabled(false);
  }
  studyTitle_.clear();
  studyFileName_ = QStringLiteral("study");
  for (const study::Sweep& sweep : sweeps) {
    studyFileName_ += (studyFileName_.size() > 5 ? QStringLiteral("-by-") : QStringLiteral("-")) +
                      Utf8Text(sweep.input->name);
    studyTitle_ += (studyTitle_.isEmpty() ? QStringLiteral("Study of uniformity over ")
                                          : QStringLiteral(" and ")) +
                   SymbolOf(sweep);
  }
  studyCaseLine_ = casePanel_.CaseLine();
  exportNotice_->clear();
  rows_->Reset(std::move(sweeps));
  readOut_->clear();
  progress_->setValue(0);

  jobSearch_ = static_cast<solver::Search>(search_->currentData().toInt());
  study::StudyRequest request;
  request.base = casePanel_.Inputs();
  jobBase_ = request.base;
  request.search = jobSearch_;
  request.threads = study::ThreadCount(0);
  request.casesPerBlock = kCasesPerBlock;
  job_.reset();
  job_ = std::make_unique<StudyJob>(std::move(grid), std::move(request));
  connect(job_.get(), &StudyJob::progress, this, &StudyTab::TakeRows);
  connect(job_.get(), &StudyJob::finished, this, &StudyTab::StudyFinished);
  status_->setText(QStringLiteral("solving %1 cases").arg(job_->CaseCount()));
  // Disabling the focused Run button would pass the focus on; it comes back at the end.
  focusBeforeRun_ = window()->focusWidget();
  run_->setEnabled(false);
  cancel_->setEnabled(true);
  return true;
}

void StudyTab::Cancel() {
  if (Running()) {
    job_->Cancel();
    cancel_->setEnabled(false);
  }
}

void StudyTab::TakeRows() {
  if (job_ == nullptr) {
    return;
  }
  std::vector<study::CaseResult> rows;
  job_->TakeRows(rows);
  const std::uint64_t first = rows_->Rows().size();
  if (rows_->Sweeps().size() == 2) {
    for (std::size_t k = 0; k < rows.size(); ++k) {
      heatMap_->SetCell(first + k,
                        rows[k].converged ? std::optional(rows[k].uniformity) : std::nullopt,
                        std::string(base::OutcomeCode(rows[k].status)));
    }
  }
  rows_->Append(rows);
  if (rows_->Sweeps().size() == 1 && (rows_->Rows().size() <= kLivePlotRows || !Running())) {
    std::vector<double> inputValues(rows_->Rows().size());
    for (std::size_t k = 0; k < inputValues.size(); ++k) {
      inputValues[k] = rows_->InputValue(k, 0);
    }
    plot_->Show(inputValues, rows_->Rows());
  }
  const auto caseCount = static_cast<double>(std::max<std::uint64_t>(job_->CaseCount(), 1));
  progress_->setValue(
      static_cast<int>(kProgressSteps * static_cast<double>(job_->Solved()) / caseCount));
}

void StudyTab::StudyFinished() {
  TakeRows();
  heatMap_->Settle();
  const std::uint64_t kept = rows_->Rows().size();
  if (!job_->Failure().empty()) {
    status_->setText(QStringLiteral("stopped after %1 of %2 cases: %3")
                         .arg(kept)
                         .arg(job_->CaseCount())
                         .arg(QString::fromStdString(job_->Failure())));
  } else if (job_->Cancelled() && kept < job_->CaseCount()) {
    status_->setText(
        QStringLiteral("cancelled after %1 of %2 cases").arg(kept).arg(job_->CaseCount()));
  } else {
    std::uint64_t converged = 0;
    for (const study::CaseResult& row : rows_->Rows()) {
      converged += row.converged ? 1 : 0;
    }
    status_->setText(QStringLiteral("%1 cases, %2 converged").arg(kept).arg(converged));
    progress_->setValue(kProgressSteps);
  }
  run_->setEnabled(true);
  cancel_->setEnabled(false);
  if (focusBeforeRun_ != nullptr && isAncestorOf(focusBeforeRun_)) {
    focusBeforeRun_->setFocus(Qt::OtherFocusReason);
  }
  emit finished();
}

void StudyTab::ShowCellReadOut(std::uint64_t index) {
  if (rows_->Sweeps().size() != 2) {
    return;
  }
  QString text;
  for (std::size_t dimension = 0; dimension < 2; ++dimension) {
    text += QStringLiteral("%1 = %2   ")
                .arg(Utf8Text(rows_->Sweeps()[dimension].input->symbol),
                     ScreenNumber(rows_->InputValue(index, dimension), casePanel_.Separator()));
  }
  if (index < rows_->Rows().size()) {
    const study::CaseResult& row = rows_->Rows()[index];
    text += row.converged ? QStringLiteral("uniformity %1   P1 %2")
                                .arg(ScreenNumber(row.uniformity, casePanel_.Separator()),
                                     ScreenPressure(row.entrancePressure, casePanel_.Separator()))
                          : Utf8Text(base::OutcomeCode(row.status));
  } else {
    text += QStringLiteral("not solved");
  }
  readOut_->setText(text);
}

void StudyTab::PutCellIntoCasePanel(std::uint64_t index) {
  for (std::size_t dimension = 0; dimension < rows_->Sweeps().size(); ++dimension) {
    const study::Sweep& sweep = rows_->Sweeps()[dimension];
    casePanel_.SetValue(*sweep.input->input, rows_->InputValue(index, dimension));
  }
  ShowCellReadOut(index);
}

std::optional<FinishedRun> StudyTab::ChosenCellRun() {
  const auto chosen = heatMap_->Chosen();
  if (!chosen || Running()) {
    return std::nullopt;
  }
  cases::CaseInputs inputs = jobBase_;
  for (std::size_t dimension = 0; dimension < rows_->Sweeps().size(); ++dimension) {
    inputs[*rows_->Sweeps()[dimension].input->input] = rows_->InputValue(*chosen, dimension);
  }
  FinishedRun run;
  try {
    run.parameters = cases::MakeCase(inputs);
    const solver::Solution solution = solver::Solve(run.parameters, jobSearch_);
    if (!solution.solve.converged) {
      presenter_.ShowMessage(
          QStringLiteral("The case of that cell does not converge; only a solved case can be "
                         "pinned."));
      return std::nullopt;
    }
    run.table = solution.table;
    run.outcome = solution.solve;
  } catch (const base::FluxetaError& error) {
    presenter_.ShowMessage(QStringLiteral("The case of that cell cannot be solved: %1")
                               .arg(QString::fromUtf8(error.what())));
    return std::nullopt;
  }
  run.search = Utf8Text(solver::SearchName(jobSearch_));
  run.finishedAt = QDateTime::currentDateTime();
  return run;
}

QString StudyTab::ChosenCellSource() const {
  const auto chosen = heatMap_->Chosen();
  if (!chosen) {
    return {};
  }
  QStringList values;
  for (std::size_t dimension = 0; dimension < rows_->Sweeps().size(); ++dimension) {
    values.append(QStringLiteral("%1 %2").arg(
        Utf8Text(rows_->Sweeps()[dimension].input->symbol),
        ScreenNumber(rows_->InputValue(*chosen, dimension), casePanel_.Separator())));
  }
  return QStringLiteral("study cell ") + values.join(QStringLiteral(", "));
}

bool StudyTab::ExportCsv(const QString& path) const {
  if (job_ == nullptr || Running()) {
    return false;
  }
  const bool robust = jobSearch_ == solver::Search::Robust;
  const study::StudyGrid& grid = job_->Grid();
  std::string text;
  study::AppendStudyHeader(text, grid, robust);
  std::vector<std::string> inputTexts;
  for (std::size_t k = 0; k < rows_->Rows().size(); ++k) {
    grid.CaseTexts(k, inputTexts);
    study::AppendStudyRow(text, inputTexts, rows_->Rows()[k], robust);
  }
  return run::WriteWholeFile(QFile::encodeName(path).toStdString(), text).empty();
}

bool StudyTab::ExportPlot(const QString& path, std::optional<QSize> size) {
  const bool svg = QFileInfo(path).suffix().compare(kSvgKind.suffix, Qt::CaseInsensitive) == 0;
  if (plots_->currentWidget() == heatMap_) {
    // The map with its title and case, its cells as rectangles in SVG.
    const auto paint = [this, svg](QPainter& painter, const QRect& area) {
      heatMap_->Draw(painter, area, studyTitle_, studyCaseLine_, svg);
    };
    const QSize pictureSize = size.value_or(kMapPictureSize);
    return svg ? SavePaintingAsSvg(pictureSize, paint, path, studyTitle_)
               : SavePaintingAsPng(pictureSize, paint, path);
  }
  QWidget& shown = *plots_->currentWidget();
  return svg ? SaveWidgetAsSvg(shown, path, studyTitle_) : SaveWidgetAsPng(shown, path);
}

void StudyTab::SetMapScale() {
  const auto from = NumberOfText(scaleFrom_->text(), casePanel_.Separator());
  const auto to = NumberOfText(scaleTo_->text(), casePanel_.Separator());
  if (scaleFrom_->text().trimmed().isEmpty() && scaleTo_->text().trimmed().isEmpty()) {
    heatMap_->SetScale(std::nullopt);
  } else if (from && to && *from < *to) {
    heatMap_->SetScale(ScaleRange{*from, *to});
  }
}

void StudyTab::ExportChosenByUser(const QString& caption, const FileKind& kind) {
  const bool csv = kind.suffix == kCsvKind.suffix;
  if (job_ == nullptr || Running()) {
    exportNotice_->setText(QStringLiteral("Nothing to export until a study has finished."));
    return;
  }
  const QString name = FileNameOf(studyFileName_);
  const QString path = ChooseExportPath(presenter_, *this, caption, name, {kind});
  if (path.isEmpty()) {
    return;
  }
  std::optional<QSize> size;
  if (!csv && kind.suffix == kPngKind.suffix && plots_->currentWidget() == heatMap_) {
    size = presenter_.ChoosePictureSize(QStringLiteral("Size of the picture"), kMapPictureSize);
    if (!size) {
      return;
    }
  }
  const bool written = csv ? ExportCsv(path) : ExportPlot(path, size);
  if (!written) {
    presenter_.ShowMessage(NotSavedText(path));
    exportNotice_->clear();
    return;
  }
  exportNotice_->setText(
      SavedText(csv ? QStringLiteral("the rows") : QStringLiteral("the plot"), path));
}

}  // namespace fluxeta::ui
