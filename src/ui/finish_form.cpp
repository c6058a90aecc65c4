#include "finish_form.h"

#include <QColor>
#include <QFontMetrics>
#include <QHideEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPalette>
#include <QPushButton>

#include "artwork.h"
#include "bevel_panel.h"
#include "fluxeta/base/messages.h"
#include "tahoma_font.h"
#include "text_colour.h"

namespace fluxeta::ui {

namespace {
constexpr int kClientWidth = 334;   // pixels
constexpr int kClientHeight = 205;  // pixels
constexpr int kTitleTop = 80;
constexpr int kTitleHeight = 16;

// A label sized to its text, `height` pixels high.
QLabel* AddLabel(const char* name, const QString& text, int pixelSize, const QColor& colour,
                 int height, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setFont(TahomaFont(pixelSize));
  SetTextColour(*label, colour);
  label->resize(QFontMetrics(label->font()).horizontalAdvance(text), height);
  return label;
}
}  // namespace

TFinishForm::TFinishForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
  setObjectName(QStringLiteral("FinishForm"));
  setWindowTitle(QStringLiteral("Finsh"));
  setWindowIcon(ApplicationIcon());
  setFixedSize(kClientWidth, kClientHeight);

  auto* panel = new BevelPanel(Bevel::Raised, Bevel::None, this);
  panel->setObjectName(QStringLiteral("Panel1"));
  panel->setGeometry(24, 16, 289, 49);
  AddLabel("Label1", QString::fromUtf8(base::messages::kCalculationFinished), kLargeFontPixels,
           Qt::blue, 18, panel)
      ->move(26, 16);
  QLabel* title = AddLabel("Label4", QStringLiteral("Fluxeta (Ver. 1.0)"), kMediumFontPixels,
                           Qt::red, kTitleHeight, this);
  title->move((kClientWidth - title->width()) / 2, kTitleTop);
  AddLabel("Label2", QStringLiteral("2008.6.20"), kMediumFontPixels, Qt::black, 16, this)
      ->move(129, 133);

  auto* ok = new QPushButton(OkGlyph(), QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("BitBtn1"));
  ok->setFont(TahomaFont(kMediumFontPixels));
  SetTextColour(*ok, Qt::black);
  ok->setIconSize(QSize(kGlyphSize, kGlyphSize));
  ok->setGeometry(120, 159, 81, 34);
  ok->setDefault(true);
  ok->setFocus();
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void TFinishForm::ShowModally() {
  if (lastPosition_) {
    move(*lastPosition_);
  }
  exec();
}

void TFinishForm::keyPressEvent(QKeyEvent* event) {
  // The dialog has no cancel button, so Escape has nothing to press.
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void TFinishForm::hideEvent(QHideEvent* event) {
  lastPosition_ = pos();
  QDialog::hideEvent(event);
}

}  // namespace fluxeta::ui
