// A group box whose caption sits on its etched frame line, the frame starting half a text
// line below the box's top, so that controls placed from 16 pixels down lie inside it.
#pragma once

#include <QGroupBox>

namespace fluxeta::ui {

class CaptionedGroupBox : public QGroupBox {
  Q_OBJECT

 public:
  CaptionedGroupBox(const QString& caption, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace fluxeta::ui
