#include "main_window_fixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <cstdio>

#include "start_up.h"

namespace fluxeta::ui::testing {

namespace {

QtMessageHandler testLogHandler = nullptr;

// The offscreen platform says what it cannot do (raise a window, pass on size hints);
// that is no news for a test.
void DropPlatformNotices(QtMsgType type, const QMessageLogContext& context,
                         const QString& message) {
  if (message.startsWith(QStringLiteral("This plugin does not support"))) {
    return;
  }
  if (testLogHandler != nullptr) {
    testLogHandler(type, context, message);
  } else {
    std::fprintf(stderr, "%s\n", qPrintable(message));
  }
}

}  // namespace

void PrepareApplication() {
  static const bool prepared = [] {
    // The program's settings (the recent projects) go to a directory of the test's own.
    static QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(settings.path()));
    InitialiseApplication();
    testLogHandler = qInstallMessageHandler(DropPlatformNotices);
    return true;
  }();
  (void)prepared;
}

MainWindowFixture::MainWindowFixture(const std::function<void(const QString&)>& prepareDirectory)
    : previousDirectory_(QDir::currentPath()) {
  PrepareApplication();
  directory_ = QFileInfo(temporaryDirectory_.path()).canonicalFilePath();
  QDir::setCurrent(directory_);
  if (prepareDirectory) {
    prepareDirectory(directory_);
  }
  form_ = std::make_unique<TForm1>(presenter);
  form_->show();
  form_->activateWindow();
  if (!QTest::qWaitForWindowActive(form_.get())) {
    qWarning("the main window did not become active");
  }
}

MainWindowFixture::~MainWindowFixture() {
  form_.reset();
  QDir::setCurrent(previousDirectory_);
}

QLineEdit* MainWindowFixture::Edit(int box) const {
  return Find<QLineEdit>(QStringLiteral("Edit%1").arg(box).toLatin1().constData());
}

QPushButton* MainWindowFixture::Button(const char* name) const {
  return Find<QPushButton>(name);
}

QByteArray ReadFileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace fluxeta::ui::testing
