// A liquid of changing index in the general die model: a 50-station solve of the window's
// tapered die with a Carreau–Yasuda slurry (target within 300 µs; the liquid's moment table
// is built with the die model, outside the timed loop), and the building of that table.
#include <benchmark/benchmark.h>

#include <nlohmann/json.hpp>

#include "fluxeta/case/die_document.h"
#include "fluxeta/liquids/liquid.h"
#include "fluxeta/solver/die_model.h"
#include "fluxeta/solver/die_solve.h"

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

BENCHMARK(BM_DieCarreauYasudaTapered)->Arg(50)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CarreauYasudaMomentTable)->Unit(benchmark::kMillisecond);

}  // namespace
