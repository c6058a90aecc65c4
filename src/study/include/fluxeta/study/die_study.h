// Studies of a die document. Its variables are the document's numbers by their paths
// ("geometry.manifold.radius", "flow_rate", "fluid.viscosity"); each case is the document
// with the case's values set, read again by the document reader, so that a case refuses
// what a document refuses, and solved by the general die model.
#pragma once

#include <deque>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "fluxeta/case/die_document.h"
#include "fluxeta/liquids/liquid.h"
#include "fluxeta/study/study_inputs.h"
#include "fluxeta/study/study_service.h"

namespace fluxeta::study {

// The numbers of one die document as study variables, named by their paths.
class DieStudyVariables : public StudyVariables {
 public:
  // `document` as DieDocumentJson writes it, every default written out.
  explicit DieStudyVariables(nlohmann::json document);
  DieStudyVariables(const DieStudyVariables&) = delete;
  DieStudyVariables& operator=(const DieStudyVariables&) = delete;

  // Raises StudyError naming the path when the document has no number there.
  const StudyVariable& Find(std::string_view name) override;

 private:
  struct Found {
    std::string name;
    std::string unit;
    StudyVariable variable;
  };

  nlohmann::json document_;
  std::deque<Found> found_;  // grows at its end only: the variables handed out stay put
};

// The cases of a study of one die document.
class DieCaseModel : public CaseModel {
 public:
  // `document` as DieDocumentJson writes it; a profile file is read relative to
  // `directory`. Raises DocumentError when the document itself is refused.
  DieCaseModel(nlohmann::json document, std::filesystem::path directory);

  // Each thread's solver sets the grid's variables, whose names are paths of the document
  // (DieStudyVariables). A case the document reader refuses is a row with the status
  // refused_input and the reader's message; the liquid is made once for all the cases
  // that do not vary it.
  std::unique_ptr<CaseSolver> NewSolver(const StudyGrid& grid) const override;

  const nlohmann::json& document() const { return document_; }
  const std::filesystem::path& directory() const { return directory_; }
  const cases::DieDocument& base() const { return base_; }
  const liquids::Liquid& liquid() const { return liquid_; }

 private:
  nlohmann::json document_;
  std::filesystem::path directory_;
  cases::DieDocument base_;
  liquids::Liquid liquid_;
};

}  // namespace fluxeta::study
