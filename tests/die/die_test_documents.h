// Die documents for the tests of the general die model, written as a designer would.
#pragma once

#include <nlohmann/json.hpp>

#include "fluxeta/case/die_document.h"
#include "fluxeta/solver/die_model.h"
#include "fluxeta/solver/die_solve.h"

namespace fluxeta::solver::testing {

using nlohmann::json;

// The T-die of the closed-form check: H 0.05 cm, L 5 cm, W 50 cm, μ 1 Pa.s, Q 10 cm3/s, a
// circular manifold of radius R, without inertia.
inline json NewtonianTDie(double radius) {
  return {{"geometry",
           {{"family", "t-die"},
            {"width", 50.0},
            {"feed", "end"},
            {"manifold", {{"shape", "circle"}, {"radius", radius}}},
            {"land_length", 5.0},
            {"gap", 0.05}}},
          {"fluid", {{"model", "newtonian"}, {"viscosity", 1.0}}},
          {"flow_rate", 10.0},
          {"density", 0.0},
          {"inertia_factor", 1.3},
          {"friction_factor", 16},
          {"stations", 50}};
}

// The die and liquid of the window's default case as a tapered die document.
inline json DefaultTaperedDie() {
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
          {"density", 1.2},
          {"inertia_factor", 1.3},
          {"friction_factor", 16},
          {"stations", 50}};
}

// The uniform coat-hanger of the design check: end-fed, H 0.05 cm, W 50 cm, a power-law
// liquid of index n, without inertia.
inline json UniformCoatHangerDie(double n, double minRadius, double endLandLength) {
  return {{"geometry",
           {{"family", "coat-hanger"},
            {"design", "uniform"},
            {"width", 50.0},
            {"gap", 0.05},
            {"end_land_length", endLandLength},
            {"min_radius", minRadius}}},
          {"fluid", {{"model", "power-law"}, {"K", 10.0}, {"n", n}}},
          {"flow_rate", 10.0},
          {"density", 0.0},
          {"stations", 400}};
}

inline cases::DieDocument Document(const json& document) {
  return cases::ReadDieDocument(document, FLUXETA_TEST_DATA);
}

inline DieSolution Solved(const json& document) {
  return SolveDie(Document(document));
}

inline DieSolution Solved(const json& document, int stations) {
  return SolveDie(DieModel(Document(document)), stations);
}

}  // namespace fluxeta::solver::testing
