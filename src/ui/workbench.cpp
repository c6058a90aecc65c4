#include "workbench.h"

#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>

#include "case_panel.h"
#include "case_summary.h"
#include "coating_tab.h"
#include "comparison_tab.h"
#include "design_tab.h"
#include "die_tab.h"
#include "export_path.h"
#include "fluxeta/case/number_text.h"
#include "fluxeta/run/replacing_file.h"
#include "liquid_tab.h"
#include "main_window.h"
#include "result_tab.h"
#include "sensitivity_tab.h"
#include "study_tab.h"
#include "window_placement.h"
#include "workbench_report.h"

namespace fluxeta::ui {

namespace {

const QString kCaption = QStringLiteral("Workbench");
const QString kResultTabCaption = QStringLiteral("Result");
const QString kStudyTabCaption = QStringLiteral("Study");
const QString kDesignTabCaption = QStringLiteral("Design");
const QString kSensitivityTabCaption = QStringLiteral("Sensitivity");
const QString kCoatingTabCaption = QStringLiteral("Coating");
const QString kDieTabCaption = QStringLiteral("Die");
const QString kLiquidTabCaption = QStringLiteral("Liquid");
const QString kComparisonTabCaption = QStringLiteral("Compare");
const FileKind kPdfKind{QStringLiteral("PDF reports"), QStringLiteral("pdf")};
const FileKind kHtmlKind{QStringLiteral("HTML reports"), QStringLiteral("html")};

// The first size of the window: two plots above the figures, about as tall as the main
// window; it may open narrower, down to the least size, to leave the main window uncovered.
constexpr QSize kInitialSize(640, 680);
constexpr QSize kLeastSize(540, 560);

// Window systems that ignore "show without activating" activate a new window within this
// time of its showing; an activation that late is the user's own.
constexpr qint64 kShowActivationMilliseconds = 1000;

TForm1* MainWindowOf(QWidget* window) {
  return qobject_cast<TForm1*>(window);
}

char SeparatorOf(QWidget* window) {
  const TForm1* form = MainWindowOf(window);
  return form != nullptr ? form->DecimalSeparator() : cases::LocaleDecimalSeparator();
}

}  // namespace

Workbench::Workbench(Presenter& presenter, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Window),
      presenter_(presenter),
      tabs_(new QTabWidget),
      resultTab_(new ResultTab(presenter)),
      casePanel_(new CasePanel(presenter, SeparatorOf(mainWindow), MainWindowOf(mainWindow))),
      studyTab_(new StudyTab(presenter, *casePanel_)),
      designTab_(new DesignTab(presenter, *casePanel_,
                               [this](const FinishedRun& run) { ShowResults(run); })),
      sensitivityTab_(new SensitivityTab(presenter, *casePanel_)),
      coatingTab_(new CoatingTab(presenter, *casePanel_)),
      liquidTab_(new LiquidTab(presenter, SeparatorOf(mainWindow))),
      dieTab_(new DieTab(presenter, *liquidTab_, SeparatorOf(mainWindow),
                         [this](const solver::DieSolution& solution, const QString& description) {
                           resultTab_->ShowDieSolution(solution, description);
                           tabs_->setCurrentWidget(resultTab_);
                         })),
      comparisonTab_(new ComparisonTab(presenter)),
      project_(new ProjectKeeper(presenter, *this, kCaption)) {
  setObjectName(QStringLiteral("Workbench"));
  // The user goes on typing cases into the main window; this window only shows them.
  setAttribute(Qt::WA_ShowWithoutActivating);
  resize(kInitialSize);

  tabs_->setObjectName(QStringLiteral("WorkbenchTabs"));
  tabs_->addTab(resultTab_, kResultTabCaption);
  tabs_->addTab(studyTab_, kStudyTabCaption);
  tabs_->addTab(designTab_, kDesignTabCaption);
  tabs_->addTab(sensitivityTab_, kSensitivityTabCaption);
  tabs_->addTab(coatingTab_, kCoatingTabCaption);
  tabs_->addTab(comparisonTab_, kComparisonTabCaption);
  tabs_->addTab(dieTab_, kDieTabCaption);
  tabs_->addTab(liquidTab_, kLiquidTabCaption);
  // The case panel belongs to the tabs that work on the window's case; the die and its
  // liquid are a document of their own.
  auto* casePanelArea = new QScrollArea;
  casePanelArea->setObjectName(QStringLiteral("CasePanelArea"));
  casePanelArea->setWidget(casePanel_);
  casePanelArea->setWidgetResizable(true);
  casePanelArea->setFrameShape(QFrame::NoFrame);
  casePanelArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  casePanelArea->setFixedWidth(casePanel_->minimumSizeHint().width() +
                               casePanelArea->verticalScrollBar()->sizeHint().width());
  casePanelArea->hide();
  connect(tabs_, &QTabWidget::currentChanged, this, [this, casePanelArea] {
    const QWidget* current = tabs_->currentWidget();
    casePanelArea->setVisible(current != resultTab_ && current != comparisonTab_ &&
                              current != dieTab_ && current != liquidTab_);
  });
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(casePanelArea);
  layout->addWidget(tabs_, 1);

  auto* menuBar = new QMenuBar;
  QMenu* fileMenu = project_->MakeFileMenu(menuBar);
  fileMenu->addSeparator();
  QAction* exportReport = fileMenu->addAction(QStringLiteral("Export &Report…"));
  exportReport->setObjectName(QStringLiteral("ExportReport"));
  connect(exportReport, &QAction::triggered, this, &Workbench::ExportReportChosen);
  menuBar->addMenu(fileMenu);
  layout->setMenuBar(menuBar);
  AddProjectPart(*casePanel_);
  AddProjectPart("study", studyTab_->ProjectFields());
  AddProjectPart("design", designTab_->ProjectFields());
  AddProjectPart("sensitivity", sensitivityTab_->ProjectFields());
  AddProjectPart("coating", coatingTab_->ProjectFields());
  AddProjectPart(*comparisonTab_);
  AddProjectPart(*dieTab_);
  AddProjectPart(*liquidTab_);

  connect(resultTab_, &ResultTab::pinRequested, this, [this] {
    if (const auto& run = resultTab_->Shown()) {
      Pin(run, QStringLiteral("Result tab, run %1").arg(RunTimeText(run->finishedAt)));
    }
  });
  connect(designTab_, &DesignTab::pinRequested, this,
          [this] { Pin(designTab_->OptimumRun(), QStringLiteral("design optimum")); });
  connect(studyTab_, &StudyTab::pinRequested, this,
          [this] { Pin(studyTab_->ChosenCellRun(), studyTab_->ChosenCellSource()); });
  connect(comparisonTab_, &ComparisonTab::pinsChanged, this, &Workbench::CountPins);
}

bool Workbench::ExportReport(const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  const ReportDocument report = WorkbenchReport(*this);
  const QByteArray bytes = suffix == kHtmlKind.suffix || suffix == QStringLiteral("htm")
                               ? report.Html(true).toUtf8()
                               : report.Pdf();
  const std::string failure = run::WriteWholeFile(
      QFile::encodeName(path).toStdString(),
      std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  if (!failure.empty()) {
    presenter_.ShowMessage(
        QStringLiteral("The report was not written: %1.").arg(QString::fromUtf8(failure.c_str())));
    return false;
  }
  return true;
}

bool Workbench::ExportReportChosen() {
  const QString base = project_->Path().isEmpty() ? QStringLiteral("report")
                                                  : QFileInfo(project_->Path()).completeBaseName() +
                                                        QStringLiteral("-report");
  const QString path = ChooseExportPath(presenter_, *this, QStringLiteral("Export Report"), base,
                                        {kPdfKind, kHtmlKind});
  return !path.isEmpty() && ExportReport(path);
}

void Workbench::Pin(const std::optional<FinishedRun>& run, const QString& source) {
  if (run) {
    comparisonTab_->Pin(*run, source);
  }
}

void Workbench::CountPins() {
  int pinned = 0;
  for (const auto& pin : comparisonTab_->Pins()) {
    pinned += pin.has_value() ? 1 : 0;
  }
  tabs_->setTabText(tabs_->indexOf(comparisonTab_),
                    pinned == 0 ? kComparisonTabCaption
                                : QStringLiteral("%1 (%2)").arg(kComparisonTabCaption).arg(pinned));
}

void Workbench::AddProjectPart(ProjectPart& part) {
  project_->AddPart(part);
}

void Workbench::AddProjectPart(const std::string& key, std::vector<ProjectField> fields) {
  sections_.push_back(std::make_unique<FieldsSection>(key, std::move(fields)));
  project_->AddPart(*sections_.back());
}

void Workbench::Open() {
  if (!placed_) {
    PlaceBesideMainWindow();
    placed_ = true;
  }
  if (!isVisible() && project_->Path().isEmpty()) {
    const bool unchanged = !project_->Modified();
    casePanel_->TakeFromMainWindow();
    if (unchanged) {
      project_->MarkUnchanged();
    }
  }
  openedAt_.start();
  show();
  raise();
}

bool Workbench::event(QEvent* event) {
  // Opening the workbench never takes the focus from the main window; a click into it does.
  if (event->type() == QEvent::WindowActivate && openedAt_.isValid() &&
      openedAt_.elapsed() < kShowActivationMilliseconds &&
      QGuiApplication::mouseButtons() == Qt::NoButton && parentWidget() != nullptr) {
    openedAt_.invalidate();
    parentWidget()->activateWindow();
  }
  return QWidget::event(event);
}

void Workbench::ShowResults(const FinishedRun& run) {
  resultTab_->ShowResults(run);
  tabs_->setCurrentWidget(resultTab_);
  Open();
}

void Workbench::PlaceBesideMainWindow() {
  QWidget* mainWindow = parentWidget();
  QScreen* screen = mainWindow != nullptr ? mainWindow->screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) {
    return;
  }
  // Before the first show the window has no frame yet; the main window's frame is the best
  // guess of the one it will get.
  QSize frameExtra(0, 0);
  QRect mainFrame = screen->availableGeometry();
  if (mainWindow != nullptr) {
    mainFrame = mainWindow->frameGeometry();
    frameExtra = mainFrame.size() - mainWindow->size();
  }
  const Placement placement = PlacementBeside(mainFrame, size() + frameExtra,
                                              kLeastSize + frameExtra, screen->availableGeometry());
  if (mainWindow != nullptr && placement.mainWindow) {
    mainWindow->move(*placement.mainWindow);
  }
  resize(placement.workbench.size() - frameExtra);
  move(placement.workbench.topLeft());
}

}  // namespace fluxeta::ui
