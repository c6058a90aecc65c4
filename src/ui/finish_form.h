// The completion dialog: one window, created hidden at start-up and shown modally at the
// end of every run that finishes. Its content is fixed.
#pragma once

#include <QDialog>
#include <QPoint>

#include <optional>

namespace fluxeta::ui {

class TFinishForm : public QDialog {
  Q_OBJECT

 public:
  explicit TFinishForm(QWidget* parent = nullptr);

  // Shows the dialog modally and returns when it is closed: centred on the screen the
  // first time, afterwards where it was when it last closed.
  void ShowModally();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  std::optional<QPoint> lastPosition_;
};

}  // namespace fluxeta::ui
