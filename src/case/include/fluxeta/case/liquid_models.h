// The liquids a die document may name: one row per model with its parameters, their units,
// domains and plausible ranges. The liquids layer computes each row's viscosity and flows; a
// new liquid is a row here plus the code that computes it there.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string_view>

namespace fluxeta::cases {

enum class LiquidModel { Newtonian, PowerLaw, Window };

enum class ParameterDomain { Positive, NonNegative };

struct LiquidParameterSpec {
  std::string_view key;     // the document's key
  std::string_view symbol;  // as the formulas write it (UTF-8)
  std::string_view unit;
  std::string_view description;
  ParameterDomain domain;
  double plausibleLow;  // a range a designer would fit or study (in `unit`)
  double plausibleHigh;
};

struct LiquidModelSpec {
  LiquidModel model;
  std::string_view name;     // the document's "model"
  std::string_view formula;  // η(γ̇), for help texts (UTF-8)
  std::span<const LiquidParameterSpec> parameters;
};

inline constexpr std::array<LiquidParameterSpec, 1> kNewtonianParameters = {{
    {"viscosity", "μ", "Pa.s", "viscosity", ParameterDomain::Positive, 1e-3, 1e3},
}};

inline constexpr std::array<LiquidParameterSpec, 2> kPowerLawParameters = {{
    {"K", "K", "Pa.s^n", "consistency", ParameterDomain::Positive, 1e-2, 1e4},
    {"n", "n", "-", "power-law index", ParameterDomain::Positive, 0.1, 1.0},
}};

// The liquid of the window's case: the power law through η0 at γ0 above the critical shear
// rate, the constant viscosity it has there below it.
inline constexpr std::array<LiquidParameterSpec, 4> kWindowLiquidParameters = {{
    {"eta0", "η0", "Pa.s", "reference viscosity", ParameterDomain::Positive, 0.01, 1000.0},
    {"gamma0", "γ0", "1/s", "reference shear rate", ParameterDomain::Positive, 0.01, 1000.0},
    {"n", "n", "-", "power-law index", ParameterDomain::Positive, 0.2, 0.95},
    {"gammacr", "γcr", "1/s", "critical shear rate", ParameterDomain::Positive, 1.0, 1000.0},
}};

inline constexpr std::array<LiquidModelSpec, 3> kLiquidModels = {{
    {LiquidModel::Newtonian, "newtonian", "η = μ", kNewtonianParameters},
    {LiquidModel::PowerLaw, "power-law", "η = K·γ̇^(n−1)", kPowerLawParameters},
    {LiquidModel::Window, "window", "η = η0·(γ̇/γ0)^(n−1) above γcr, η0·(γcr/γ0)^(n−1) below",
     kWindowLiquidParameters},
}};

// The row of a model name, or nothing.
const LiquidModelSpec* FindLiquidModel(std::string_view name);
// The row of a model.
const LiquidModelSpec& LiquidModelRow(LiquidModel model);

}  // namespace fluxeta::cases
