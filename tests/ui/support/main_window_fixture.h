// A main window for one test: a recording presenter, a modal watchdog, and a temporary
// directory that is the process's current directory while the window lives.
#pragma once

#include <QByteArray>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <QTemporaryDir>

#include <memory>

#include "main_window.h"
#include "modal_watchdog.h"
#include "recording_presenter.h"

namespace fluxeta::ui::testing {

// The application set up as the program sets it up (title, icon, typeface); once.
void PrepareApplication();

class MainWindowFixture {
 public:
  // `prepareDirectory` runs in the new current directory before the window is created.
  explicit MainWindowFixture(const std::function<void(const QString&)>& prepareDirectory = {});
  ~MainWindowFixture();

  TForm1& Form() { return *form_; }
  QLineEdit* Edit(int box) const;
  QPushButton* Button(const char* name) const;
  template <class Control = QWidget>
  Control* Find(const char* name) const {
    return form_->findChild<Control*>(QString::fromLatin1(name));
  }

  // The temporary directory, canonical, and a path inside it.
  QString Directory() const { return directory_; }
  QString PathOf(const QString& name) const { return directory_ + u'/' + name; }

  RecordingPresenter presenter;
  ModalWatchdog watchdog;

 private:
  QString previousDirectory_;
  QTemporaryDir temporaryDirectory_;
  QString directory_;
  std::unique_ptr<TForm1> form_;
};

// The bytes of a file; empty when it cannot be read.
QByteArray ReadFileBytes(const QString& path);

}  // namespace fluxeta::ui::testing
