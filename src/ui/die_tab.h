// The workbench's Die tab: a die of any family of the families table, its boxes built from
// the family's keys (units shown, refused values marked and named), the liquid of the
// Liquid tab, a plan view of the manifold and land drawn to scale as the values change,
// Open and Save of the die document, and Solve in the background, the solution going to
// the Result tab and its shear rates to the Liquid tab. The project keeps the die under
// "die", without its liquid, which the Liquid tab keeps.
#pragma once

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "background_job.h"
#include "fluxeta/case/die_document.h"
#include "fluxeta/solver/die_solution.h"
#include "presenter.h"
#include "project_part.h"

namespace fluxeta::ui {

class DiePlanView;
class LiquidTab;

class DieTab : public QWidget, public ProjectPart {
  Q_OBJECT

 public:
  // Where a converged solution goes, with a line that names the die.
  using ShowSolution =
      std::function<void(const solver::DieSolution& solution, const QString& description)>;

  // The die's liquid is `liquid`'s; numbers are typed and shown with `separator`.
  DieTab(Presenter& presenter, LiquidTab& liquid, char separator, ShowSolution showSolution,
         QWidget* parent = nullptr);
  ~DieTab() override;

  // The die as the boxes hold it, a die document whose "fluid" is the Liquid tab's
  // DocumentState(): each number the one its box reads as, or the box's text where it reads
  // as none. For the project file.
  nlohmann::json DocumentState() const;
  // Fills the boxes, and the Liquid tab's from its "fluid", from a state of DocumentState or
  // a die document; keys it lacks keep their boxes. Raises DocumentError naming the key for
  // a family, feed, shape or liquid model that does not exist, and then changes nothing.
  void SetDocumentState(const nlohmann::json& document);

  // The document of the boxes as the core reads it; nothing, with the first refusal (naming
  // the key) in `refusal`, when it cannot be read.
  std::optional<cases::DieDocument> CheckedDocument(QString* refusal) const;

  // Reads a die document file into the boxes; false, having said why, when it cannot be used.
  bool Open(const QString& path);
  // Writes the boxes' document whole, as the core writes a die document; false, having said
  // why, for a refused document or a file that cannot be written.
  bool Save(const QString& path);
  // Solves the boxes' document in the background; false, having said why (naming the key of
  // a refused value), when it cannot start. finished() follows a start.
  bool Solve();
  bool Solving() const { return job_.Running(); }

  void SetFamily(std::string_view name);
  void SetFeed(std::string_view name);
  void SetShape(std::string_view name);
  // A coat-hanger of the uniform design, or of tables of radius and land length.
  void SetUniformDesign(bool uniform);
  // The box of a key path ("geometry.gap", "geometry.manifold.radius", "stations").
  void SetBox(const std::string& keyPath, const QString& text);
  QLineEdit* Box(const std::string& keyPath) const;
  // The key paths of the boxes shown, in their order.
  std::vector<std::string> BoxPaths() const;
  // Redraws the plan at once rather than after the typing pause.
  void RedrawNow();

  const DiePlanView& Plan() const { return *plan_; }
  QString StatusText() const { return status_->text(); }
  const std::optional<solver::DieSolution>& LastSolution() const { return solution_; }

  // "die": the DocumentState without its "fluid". A section must hold every box of its
  // family (the description may be left out) and nothing else.
  std::string ProjectKey() const override;
  nlohmann::json SaveProject() const override;
  std::function<void()> ReadProject(const nlohmann::json& section,
                                    const std::string& path) override;
  void ClearProject() override;
  void WatchProject(const std::function<void()>& changed) override;

 signals:
  // A solve has ended: solved, not converged, or failed.
  void finished();
  // A box or a choice changed, or the liquid did.
  void changed();

 private:
  struct Field {
    std::string keyPath;
    QString unit;
    QString help;
    enum class Kind { Number, Pairs, Text } kind;
    QLineEdit* edit;
  };

  // The boxes of a family's geometry and of the flow, without their edits.
  static std::vector<Field> GeometryFields(const cases::DieFamilySpec& family,
                                           const cases::ManifoldShapeSpec& shape, bool uniform);
  static std::vector<Field> ProcessFields();
  // Raises DocumentError, naming the key at `path`, for a section SetDocumentState would
  // refuse or that is not one box a key of its family.
  static void CheckProjectSection(const nlohmann::json& section, const std::string& path);

  QWidget* MakeGeometry();
  QWidget* MakeProcess();
  void BuildGeometryBoxes();
  void AddBox(QFormLayout& form, Field field);
  void Edited();
  void Redraw();
  void SolveEnded();
  // A refusal or failure (`problem`) or what was done.
  void SetStatus(const QString& text, bool problem);
  void ChooseToOpen();
  void ChooseToSave();
  QString Description(const cases::DieDocument& die) const;
  static std::string TextKey(const std::string& keyPath, Field::Kind kind);

  Presenter& presenter_;
  LiquidTab& liquid_;
  char separator_;
  ShowSolution showSolution_;
  QComboBox* family_;
  QLabel* familyHelp_;
  QComboBox* feed_;
  QComboBox* shape_;
  QComboBox* design_;
  QWidget* geometry_;
  QFormLayout* choices_;
  QWidget* process_;
  QPushButton* openButton_;
  QPushButton* saveButton_;
  QPushButton* solveButton_;
  QLabel* status_;
  DiePlanView* plan_;
  QTimer redrawTimer_;
  std::vector<Field> geometryBoxes_;
  std::vector<Field> processBoxes_;
  // The texts typed per key path, kept while another family or shape is chosen.
  std::map<std::string, QString> texts_;
  // What a new project finds: the state and the texts of every family.
  nlohmann::json firstState_;
  std::map<std::string, QString> firstTexts_;
  // Where a profile's file is looked for: beside the document last opened or saved.
  QString documentDirectory_;
  QString documentPath_;
  // Declared before the job, whose end it outlives.
  Handover<solver::DieSolution> handover_;
  BackgroundJob job_;
  std::optional<cases::DieDocument> solving_;
  std::optional<solver::DieSolution> solution_;
};

}  // namespace fluxeta::ui
