// Die documents as any file may hold them: the reader refuses a document with a DocumentError
// or takes it, and a die it takes is solved to the end, to no physical solution or to a
// floating-point fault; never to anything else, and a converged die has finite figures.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "fluxeta/base/errors.h"
#include "fluxeta/case/die_document.h"
#include "fluxeta/case/document_error.h"
#include "fluxeta/solver/die_model.h"
#include "fluxeta/solver/die_solve.h"

namespace {

// Few stations keep each solve short; the document's own count is checked by the reader.
constexpr int kFuzzStations = 16;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    const nlohmann::json json = fluxeta::cases::ParseDieDocumentText(text, "die.json");
    // No profile file can be found here: a profile the document names is refused.
    const fluxeta::cases::DieDocument document =
        fluxeta::cases::ReadDieDocument(json, "/nonexistent-fuzz-directory");
    const fluxeta::solver::DieModel model(document);
    const fluxeta::solver::DieSolution solution = fluxeta::solver::SolveDie(model, kFuzzStations);
    if (solution.status == fluxeta::base::Outcome::Converged &&
        !(std::isfinite(solution.entrancePressure) && std::isfinite(solution.uniformity))) {
      std::abort();
    }
  } catch (const fluxeta::cases::DocumentError&) {
  } catch (const fluxeta::base::FluxetaError&) {
  }
  return 0;
}
