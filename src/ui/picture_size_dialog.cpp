#include "picture_size_dialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>

namespace fluxeta::ui {

std::optional<QSize> AskPictureSize(QWidget* parent, const QString& caption, QSize suggested) {
  QDialog dialog(parent);
  dialog.setWindowTitle(caption);
  auto* width = new QSpinBox;
  auto* height = new QSpinBox;
  width->setObjectName(QStringLiteral("PictureWidth"));
  height->setObjectName(QStringLiteral("PictureHeight"));
  width->setRange(kLeastPictureSize.width(), kLargestPictureSize.width());
  height->setRange(kLeastPictureSize.height(), kLargestPictureSize.height());
  width->setSuffix(QStringLiteral(" px"));
  height->setSuffix(QStringLiteral(" px"));
  width->setValue(suggested.width());
  height->setValue(suggested.height());
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  auto* layout = new QFormLayout(&dialog);
  layout->addRow(QStringLiteral("Width"), width);
  layout->addRow(QStringLiteral("Height"), height);
  layout->addRow(buttons);
  if (dialog.exec() != QDialog::Accepted) {
    return std::nullopt;
  }
  return QSize(width->value(), height->value());
}

}  // namespace fluxeta::ui
