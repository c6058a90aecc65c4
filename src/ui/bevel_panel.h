// A panel framed by one-pixel bevels: an outer and an optional inner one, each raised or
// lowered, in the palette's light and shadow colours.
#pragma once

#include <QWidget>

namespace fluxeta::ui {

enum class Bevel { None, Raised, Lowered };

class BevelPanel : public QWidget {
  Q_OBJECT

 public:
  BevelPanel(Bevel outer, Bevel inner, QWidget* parent);

  Bevel OuterBevel() const { return outer_; }
  Bevel InnerBevel() const { return inner_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Bevel outer_;
  Bevel inner_;
};

}  // namespace fluxeta::ui
