// Solves the default case with the robust search and prints its outcome and uniformity.
#include <cstdio>
#include <exception>
#include <string>

#include "fluxeta/base/outcome.h"
#include "fluxeta/case/default_case.h"
#include "fluxeta/case/number_text.h"
#include "fluxeta/solver/search.h"

int main() {
  try {
    const fluxeta::cases::CaseParameters parameters =
        fluxeta::cases::MakeCase(fluxeta::cases::DefaultCaseValues());
    const fluxeta::solver::Solution solution =
        fluxeta::solver::Solve(parameters, fluxeta::solver::Search::Robust);
    std::printf("status %s\n", std::string(fluxeta::base::OutcomeCode(solution.status)).c_str());
    std::printf("uniformity %s\n", fluxeta::cases::ShortestText(solution.table.Uniformity).c_str());
    return solution.solve.converged ? 0 : 1;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 2;
  }
}
