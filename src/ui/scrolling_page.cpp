#include "scrolling_page.h"

#include <QScrollArea>
#include <QVBoxLayout>

namespace fluxeta::ui {

void PutInScrollArea(QWidget& page, QWidget* contents) {
  auto* area = new QScrollArea;
  area->setWidget(contents);
  area->setWidgetResizable(true);
  area->setFrameShape(QFrame::NoFrame);
  auto* layout = new QVBoxLayout(&page);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(area);
}

}  // namespace fluxeta::ui
