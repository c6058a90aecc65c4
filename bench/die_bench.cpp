// The general die model: one solve of a prepared die (targets on 50 stations: a Newtonian
// T-die within 50 µs, the window's tapered die and liquid within 100 µs), and a uniform
// coat-hanger synthesised from its document and solved.
#include <benchmark/benchmark.h>

#include <nlohmann/json.hpp>

#include "fluxeta/case/die_document.h"
#include "fluxeta/solver/die_model.h"
#include "fluxeta/solver/die_solve.h"

namespace {

using nlohmann::json;

fluxeta::cases::DieDocument Document(const json& document) {
  return fluxeta::cases::ReadDieDocument(document, ".");
}

// End-fed, circular manifold of radius 1 cm, a Newtonian liquid, no inertia.
json NewtonianTDie() {
  return {{"geometry",
           {{"family", "t-die"},
            {"width", 50.0},
            {"manifold", {{"shape", "circle"}, {"radius", 1.0}}},
            {"land_length", 5.0},
            {"gap", 0.05}}},
          {"fluid", {{"model", "newtonian"}, {"viscosity", 1.0}}},
          {"flow_rate", 10.0},
          {"density", 0.0}};
}

// The die and liquid of the window's default case, with its inertia.
json WindowTaperedDie() {
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
           {{"model", "window"}, {"eta0", 10.0}, {"gamma0", 1.0}, {"n", 0.5}, {"gammacr", 50.0}}},
          {"flow_rate", 33.0},
          {"density", 1.2}};
}

json UniformCoatHanger() {
  return {{"geometry",
           {{"family", "coat-hanger"},
            {"design", "uniform"},
            {"width", 50.0},
            {"gap", 0.05},
            {"end_land_length", 4.0},
            {"min_radius", 0.075}}},
          {"fluid", {{"model", "power-law"}, {"K", 10.0}, {"n", 0.5}}},
          {"flow_rate", 10.0},
          {"density", 0.0}};
}

void SolvePreparedDie(benchmark::State& state, const json& document) {
  const fluxeta::solver::DieModel model(Document(document));
  const int stations = static_cast<int>(state.range(0));
  for (auto _ : state) {
    fluxeta::solver::DieSolution solution = fluxeta::solver::SolveDie(model, stations);
    benchmark::DoNotOptimize(solution);
  }
}

void BM_DieNewtonianTDie(benchmark::State& state) {
  SolvePreparedDie(state, NewtonianTDie());
}
void BM_DieWindowLiquidTapered(benchmark::State& state) {
  SolvePreparedDie(state, WindowTaperedDie());
}

// The synthesis of the manifold and land from the liquid and flow, then the solve.
void BM_DieUniformCoatHangerSynthesisAndSolve(benchmark::State& state) {
  const fluxeta::cases::DieDocument document = Document(UniformCoatHanger());
  const int stations = static_cast<int>(state.range(0));
  for (auto _ : state) {
    const fluxeta::solver::DieModel model(document);
    fluxeta::solver::DieSolution solution = fluxeta::solver::SolveDie(model, stations);
    benchmark::DoNotOptimize(solution);
  }
}

BENCHMARK(BM_DieNewtonianTDie)->Arg(50)->Arg(400)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DieWindowLiquidTapered)->Arg(50)->Arg(400)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DieUniformCoatHangerSynthesisAndSolve)
    ->Arg(50)
    ->Arg(400)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
