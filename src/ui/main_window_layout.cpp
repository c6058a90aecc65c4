// The main window's controls, placed as designed at 96 dots per inch.
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "fluxeta/case/input_table.h"

#include <limits>

#include "artwork.h"
#include "bevel_panel.h"
#include "captioned_group_box.h"
#include "die_drawing.h"
#include "directory_list_box.h"
#include "drive_combo_box.h"
#include "file_list_box.h"
#include "fluxeta/case/default_case.h"
#include "main_window.h"
#include "main_window_metrics.h"
#include "tahoma_font.h"
#include "text_colour.h"

namespace fluxeta::ui {

namespace {

struct GroupLayout {
  const char* name;
  const char* caption;
  QRect geometry;
  Qt::GlobalColor colour;
};

// In tab order.
constexpr int kGroupCount = 5;
const GroupLayout kGroups[kGroupCount] = {
    {"GroupBox1", "Die Shape", {16, 216, 321, 137}, Qt::blue},
    {"GroupBox5", "Shape Factors", {16, 360, 321, 57}, Qt::blue},
    {"GroupBox3", "Material Properties", {16, 424, 321, 105}, Qt::blue},
    {"GroupBox2", "Operating Condition", {352, 220, 321, 45}, Qt::blue},
    {"GroupBox4", "Save File Name", kGroupBox4DesignGeometry, Qt::red},
};
constexpr int kSaveFileGroup = 4;

// Where one case value's label and edit box stand on the same row of a group; the texts
// and the box come from the input table.
struct CaseRowLayout {
  int group;  // index into kGroups
  const char* labelName;
  QPoint labelPosition;
  int editTop;
};

// In input order, which is also the tab order.
constexpr std::array<CaseRowLayout, cases::kInputCount> kCaseRows = {{
    {0, "Label1", {16, 16}, 16},
    {0, "Label2", {16, 32}, 32},
    {0, "Label3", {16, 48}, 48},
    {0, "Label4", {16, 64}, 64},
    {0, "Label5", {16, 80}, 80},
    {0, "Label14", {16, 96}, 96},
    {0, "Label15", {16, 112}, 112},
    {1, "Label6", {16, 16}, 16},
    {1, "Label12", {16, 32}, 32},
    {2, "Label9", {8, 16}, 16},
    {2, "Label10", {8, 32}, 32},
    {2, "Label11", {8, 48}, 48},
    {2, "Label13", {8, 64}, 64},
    {2, "Label16", {8, 80}, 81},
    {3, "Label7", {16, 16}, 16},
}};

constexpr int kLabelHeight = 13;
constexpr int kEditLeft = 240;
constexpr QSize kEditSize{65, 21};

QLineEdit* AddEdit(int box, const QString& text, const QRect& geometry, QWidget* parent) {
  auto* edit = new QLineEdit(text, parent);
  edit->setObjectName(QStringLiteral("Edit%1").arg(box));
  edit->setFont(TahomaFont(kSmallFontPixels));
  SetTextColour(*edit, Qt::black);
  edit->setGeometry(geometry);
  // Free text of any length: nothing is checked until a run reads it.
  edit->setMaxLength(std::numeric_limits<int>::max());
  edit->setFocusPolicy(Qt::StrongFocus);
  edit->setEnabled(run::kBoxEnabledByDesign[box - 1]);
  return edit;
}

QPushButton* AddButton(const char* name, const QString& caption, const QIcon& glyph,
                       const QRect& geometry, QWidget* parent) {
  auto* button = new QPushButton(glyph, caption, parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setFont(TahomaFont(kLargeFontPixels));
  button->setIconSize(QSize(kGlyphSize, kGlyphSize));
  button->setGeometry(geometry);
  // Not a tab stop; a click still gives it the focus.
  button->setFocusPolicy(Qt::ClickFocus);
  return button;
}

}  // namespace

void TForm1::BuildLayout() {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("Horizontal Slot Die"));
  setWindowIcon(ApplicationIcon());
  setFont(TahomaFont(kSmallFontPixels));
  resize(kDesignClientSize);

  // The controls sit on a client that follows the window down to the size that holds
  // every control not anchored to the far edges; below that the window scrolls.
  scrollArea_ = new QScrollArea(this);
  scrollArea_->setObjectName(QStringLiteral("Form1ScrollArea"));
  scrollArea_->setFrameShape(QFrame::NoFrame);
  scrollArea_->setFocusPolicy(Qt::NoFocus);
  scrollArea_->setWidgetResizable(true);
  client_ = new QWidget;
  client_->setObjectName(QStringLiteral("Form1Client"));
  client_->setMinimumSize(kScrollingThreshold);
  scrollArea_->setWidget(client_);
  auto* frame = new QVBoxLayout(this);
  frame->setContentsMargins(0, 0, 0, 0);
  frame->addWidget(scrollArea_);

  const run::BoxTexts defaults = run::DefaultBoxTexts(separator_);
  const auto defaultText = [&defaults](int box) {
    return QString::fromStdString(defaults.Edit(box));
  };

  std::array<QGroupBox*, kGroupCount> groups{};
  for (int index = 0; index < kGroupCount; ++index) {
    const GroupLayout& layout = kGroups[index];
    auto* group = new CaptionedGroupBox(QString::fromUtf8(layout.caption), client_);
    group->setObjectName(QString::fromLatin1(layout.name));
    group->setFont(TahomaFont(kSmallFontPixels));
    SetTextColour(*group, layout.colour);
    group->setGeometry(layout.geometry);
    groups[index] = group;
  }
  groupBox4_ = groups[kSaveFileGroup];

  for (std::size_t input = 0; input < cases::kInputCount; ++input) {
    const CaseRowLayout& row = kCaseRows[input];
    const int box = run::kInputBoxes[input];
    QGroupBox* group = groups[row.group];
    auto* label = new QLabel(QString::fromUtf8(cases::kInputs[input].windowLabel), group);
    label->setObjectName(QString::fromLatin1(row.labelName));
    label->setFont(TahomaFont(kSmallFontPixels));
    SetTextColour(*label, Qt::black);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(
        QRect(row.labelPosition,
              QSize(QFontMetrics(label->font()).horizontalAdvance(label->text()), kLabelHeight)));
    edits_[box - 1] =
        AddEdit(box, defaultText(box), QRect(QPoint(kEditLeft, row.editTop), kEditSize), group);
  }
  edits_[run::kResultFileNameBox - 1] =
      AddEdit(run::kResultFileNameBox, defaultText(run::kResultFileNameBox), kEdit15DesignGeometry,
              groupBox4_);

  // Tab visits the enabled boxes group by group; disabled boxes are passed over.
  QWidget* previous = nullptr;
  for (const int box : run::kInputBoxes) {
    if (previous != nullptr) {
      setTabOrder(previous, edits_[box - 1]);
    }
    previous = edits_[box - 1];
  }
  setTabOrder(previous, edits_[run::kResultFileNameBox - 1]);

  panel1_ = new BevelPanel(Bevel::Raised, Bevel::Lowered, client_);
  panel1_->setObjectName(QStringLiteral("Panel1"));
  panel1_->setGeometry(32, 8, 409, 201);
  image1_ = new QLabel(panel1_);
  image1_->setObjectName(QStringLiteral("Image1"));
  // Shown at its natural size from the top-left corner; the area cuts off its edges.
  image1_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  image1_->setPixmap(DrawDie());
  image1_->setGeometry(2, 2, 405, 197);

  bitBtn1_ = AddButton("BitBtn1", QStringLiteral("OK"), OkGlyph(), {504, 24, 130, 49}, client_);
  bitBtn2_ =
      AddButton("BitBtn2", QStringLiteral("Close(&C)"), CloseGlyph(), {504, 96, 130, 49}, client_);
  bitBtn3_ =
      AddButton("BitBtn3", QStringLiteral("Read Data File"), QIcon(), {504, 168, 130, 33}, client_);
  SetTextColour(*bitBtn3_, Qt::red);

  driveComboBox1_ = new DriveComboBox(client_);
  driveComboBox1_->setObjectName(QStringLiteral("DriveComboBox1"));
  driveComboBox1_->setGeometry(352, 296, 137, 19);
  directoryListBox1_ = new DirectoryListBox(client_);
  directoryListBox1_->setObjectName(QStringLiteral("DirectoryListBox1"));
  directoryListBox1_->setGeometry(kDirectoryListDesignGeometry);
  fileListBox1_ = new FileListBox(client_);
  fileListBox1_->setObjectName(QStringLiteral("FileListBox1"));
  fileListBox1_->setGeometry(kFileListDesignGeometry);
  for (QWidget* view :
       {static_cast<QWidget*>(driveComboBox1_), static_cast<QWidget*>(directoryListBox1_),
        static_cast<QWidget*>(fileListBox1_)}) {
    view->setFocusPolicy(Qt::ClickFocus);
  }

  edits_[0]->setFocus();
}

}  // namespace fluxeta::ui
