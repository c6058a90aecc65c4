#include "workbench.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

#include "result_tab.h"
#include "window_placement.h"

namespace fluxeta::ui {

namespace {

const QString kCaption = QStringLiteral("Workbench");
const QString kResultTabCaption = QStringLiteral("Result");

// The first size of the window: two plots above the figures, about as tall as the main
// window; it may open narrower, down to the least size, to leave the main window uncovered.
constexpr QSize kInitialSize(640, 680);
constexpr QSize kLeastSize(540, 560);

// Window systems that ignore "show without activating" activate a new window within this
// time of its showing; an activation that late is the user's own.
constexpr qint64 kShowActivationMilliseconds = 1000;

}  // namespace

Workbench::Workbench(Presenter& presenter, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Window), tabs_(new QTabWidget), resultTab_(new ResultTab(presenter)) {
  setWindowTitle(kCaption);
  setObjectName(QStringLiteral("Workbench"));
  // The user goes on typing cases into the main window; this window only shows them.
  setAttribute(Qt::WA_ShowWithoutActivating);
  resize(kInitialSize);

  tabs_->setObjectName(QStringLiteral("WorkbenchTabs"));
  tabs_->addTab(resultTab_, kResultTabCaption);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_);
}

void Workbench::Open() {
  if (!placed_) {
    PlaceBesideMainWindow();
    placed_ = true;
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
