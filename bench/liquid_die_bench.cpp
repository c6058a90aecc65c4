// A liquid of changing index in the general die model: a 50-station solve of the window's
// tapered die with a Carreau–Yasuda slurry (target within 300 µs; the liquid's moment table
// is built with the die model, outside the timed loop), the building of that table, and a
// 10,000-case study of that die on the study service.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <vector>

#include <nlohmann/json.hpp>

#include "fluxeta/case/die_document.h"
#include "fluxeta/liquids/liquid.h"
#include "fluxeta/solver/die_model.h"
#include "fluxeta/solver/die_solve.h"
#include "fluxeta/study/die_study.h"
#include "fluxeta/study/study_grid.h"
#include "fluxeta/study/study_service.h"
#include "fluxeta/study/study_sweep.h"

namespace {

using nlohmann::json;

// η0 25 Pa.s, η∞ 0.02 Pa.s, λ 1.2 s, a 1.8, n 0.35: the example slurry.
const fluxeta::liquids::CarreauYasudaCurve kSlurry{25.0, 0.02, 1.2, 1.8, 0.35};

// The window's default die, with its inertia, and the slurry.
json CarreauYasudaTaperedDie() {
  return {{"geometry",
           {{"family", "tapered"},
            {"Ain", 3.0},
            {"gamma", 0.1},
            {"Pein", 6.14},
            {"Lin", 3.0},
            {"Lend", 2.5},
            {"W", 66.0},
            {"H", 0.0254}}},
          {"fluid",
           {{"model", "carreau-yasuda"},
            {"eta0", kSlurry.zeroShearViscosity},
            {"eta_inf", kSlurry.infiniteShearViscosity},
            {"lambda", kSlurry.timeConstant},
            {"a", kSlurry.transitionIndex},
            {"n", kSlurry.powerLawIndex}}},
          {"flow_rate", 33.0},
          {"density", 1.2}};
}

void BM_DieCarreauYasudaTapered(benchmark::State& state) {
  const fluxeta::solver::DieModel model(
      fluxeta::cases::ReadDieDocument(CarreauYasudaTaperedDie(), "."));
  const int stations = static_cast<int>(state.range(0));
  for (auto _ : state) {
    fluxeta::solver::DieSolution solution = fluxeta::solver::SolveDie(model, stations);
    benchmark::DoNotOptimize(solution);
  }
}

// The liquid with its table of both moments over 1e-6 … 1e9 Pa, checked as it is built.
void BM_CarreauYasudaMomentTable(benchmark::State& state) {
  for (auto _ : state) {
    fluxeta::liquids::Liquid liquid{fluxeta::liquids::CarreauYasuda(kSlurry)};
    benchmark::DoNotOptimize(liquid);
  }
}

// The taper factor from 0 to 1 by the flow rate from 20 to 40 cm3/s, 100 values each: the
// liquid's table is built once for the study, as it does not vary, and every case is the
// document read again with its values and solved on 50 stations.
constexpr std::uint64_t kStudySweepPoints = 100;

void BM_CarreauYasudaDieStudy(benchmark::State& state) {
  const nlohmann::json document = fluxeta::cases::DieDocumentJson(
      fluxeta::cases::ReadDieDocument(CarreauYasudaTaperedDie(), "."));
  const auto model = std::make_shared<const fluxeta::study::DieCaseModel>(document, ".");
  fluxeta::study::DieStudyVariables variables(model->document());
  fluxeta::study::StudyGrid grid;
  grid.AddSweep({&variables.Find("geometry.gamma"), 0, 1, kStudySweepPoints});
  grid.AddSweep({&variables.Find("flow_rate"), 20, 40, kStudySweepPoints});

  fluxeta::study::StudyRequest request;
  request.grid = &grid;
  request.model = model;
  request.threads = static_cast<unsigned>(state.range(0));
  std::uint64_t converged = 0;
  for (auto _ : state) {
    converged = 0;
    const fluxeta::study::StudyReport report = fluxeta::study::SolveStudy(
        request, [&](std::uint64_t, std::vector<fluxeta::study::CaseResult>& rows) {
          for (const fluxeta::study::CaseResult& row : rows) {
            converged += row.converged ? 1 : 0;
          }
          return true;
        });
    if (report.rowsHandedOver != grid.CaseCount()) {
      state.SkipWithError("the study handed over fewer rows than it has cases");
      break;
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(grid.CaseCount()));
  state.counters["converged"] = static_cast<double>(converged);
}

BENCHMARK(BM_DieCarreauYasudaTapered)->Arg(50)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CarreauYasudaMomentTable)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CarreauYasudaDieStudy)
    ->ArgName("threads")
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
