// The liquids a die document may name: one row per model with its parameters, their units,
// domains and plausible ranges. The liquids layer computes each row's viscosity and flows; a
// new liquid is a row here plus the code that computes it there.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string_view>

namespace fluxeta::cases {

enum class LiquidModel {
  Newtonian,
  PowerLaw,
  Window,
  Cross,
  CarreauYasuda,
  Carreau,
  HerschelBulkley,
  Bingham
};

// Positive, or at most 1 as well (a shear-thinning index), or a temperature in °C above
// absolute zero; every domain excludes infinity.
enum class ParameterDomain { Positive, NonNegative, PositiveAtMostOne, AboveAbsoluteZero };

inline constexpr double kAbsoluteZeroCelsius = -273.15;

struct LiquidParameterSpec {
  std::string_view key;     // the document's key
  std::string_view symbol;  // as the formulas write it (UTF-8)
  std::string_view unit;
  std::string_view description;
  ParameterDomain domain;
  double plausibleLow;  // a range a designer would fit or study (in `unit`)
  double plausibleHigh;
  // The key of another parameter of the model this one may not exceed (η∞ ≤ η0), or empty.
  std::string_view notAbove = {};
};

struct LiquidModelSpec {
  LiquidModel model;
  std::string_view name;     // the document's "model"
  std::string_view formula;  // η(γ̇) or τ(γ̇), for help texts (UTF-8)
  std::span<const LiquidParameterSpec> parameters;
  // How the exact slot and pipe flows are found, for help texts.
  std::string_view flows;
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

// η = η∞ + (η0 − η∞)/(1 + (λγ̇)^m). An index m up to 1 keeps the stress rising with the
// shear rate; m = 1 with η∞ = 0 bounds it (η0/λ), which the document refuses.
inline constexpr std::array<LiquidParameterSpec, 4> kCrossParameters = {{
    {"eta0", "η0", "Pa.s", "zero-shear viscosity", ParameterDomain::Positive, 1e-3, 1e4},
    {"eta_inf", "η∞", "Pa.s", "infinite-shear viscosity", ParameterDomain::NonNegative, 0.0, 10.0,
     "eta0"},
    {"lambda", "λ", "s", "time constant", ParameterDomain::Positive, 1e-4, 100.0},
    {"m", "m", "-", "rate index", ParameterDomain::PositiveAtMostOne, 0.2, 1.0},
}};

// η = η∞ + (η0 − η∞)·[1 + (λγ̇)^a]^((n−1)/a).
inline constexpr std::array<LiquidParameterSpec, 5> kCarreauYasudaParameters = {{
    {"eta0", "η0", "Pa.s", "zero-shear viscosity", ParameterDomain::Positive, 1e-3, 1e4},
    {"eta_inf", "η∞", "Pa.s", "infinite-shear viscosity", ParameterDomain::NonNegative, 0.0, 10.0,
     "eta0"},
    {"lambda", "λ", "s", "time constant", ParameterDomain::Positive, 1e-4, 100.0},
    {"a", "a", "-", "transition index", ParameterDomain::Positive, 0.2, 5.0},
    {"n", "n", "-", "power-law index", ParameterDomain::PositiveAtMostOne, 0.1, 1.0},
}};

// Carreau–Yasuda with a = 2.
inline constexpr std::array<LiquidParameterSpec, 4> kCarreauParameters = {{
    kCarreauYasudaParameters[0],
    kCarreauYasudaParameters[1],
    kCarreauYasudaParameters[2],
    kCarreauYasudaParameters[4],
}};
inline constexpr double kCarreauTransitionIndex = 2;

// τ = τy + K·γ̇^n above the yield stress τy; below it the liquid does not flow.
inline constexpr std::array<LiquidParameterSpec, 3> kHerschelBulkleyParameters = {{
    {"tau_y", "τy", "Pa", "yield stress", ParameterDomain::NonNegative, 0.0, 1000.0},
    {"K", "K", "Pa.s^n", "consistency", ParameterDomain::Positive, 1e-2, 1e3},
    {"n", "n", "-", "power-law index", ParameterDomain::Positive, 0.1, 1.0},
}};

// Herschel–Bulkley with n = 1: K is the plastic viscosity.
inline constexpr std::array<LiquidParameterSpec, 2> kBinghamParameters = {{
    kHerschelBulkleyParameters[0],
    {"K", "K", "Pa.s", "plastic viscosity", ParameterDomain::Positive, 1e-3, 1e3},
}};
inline constexpr double kBinghamIndex = 1;

inline constexpr std::string_view kClosedFormFlows = "closed form";
inline constexpr std::string_view kTabulatedFlows =
    "shear rate at a stress by a monotone root, moments by Gauss-Kronrod quadrature, "
    "tabulated over the stresses of a die";

inline constexpr std::array<LiquidModelSpec, 8> kLiquidModels = {{
    {LiquidModel::Newtonian, "newtonian", "η = μ", kNewtonianParameters, kClosedFormFlows},
    {LiquidModel::PowerLaw, "power-law", "η = K·γ̇^(n−1)", kPowerLawParameters, kClosedFormFlows},
    {LiquidModel::Window, "window", "η = η0·(γ̇/γ0)^(n−1) above γcr, η0·(γcr/γ0)^(n−1) below",
     kWindowLiquidParameters, kClosedFormFlows},
    {LiquidModel::Cross, "cross", "η = η∞ + (η0 − η∞)/(1 + (λγ̇)^m)", kCrossParameters,
     kTabulatedFlows},
    {LiquidModel::CarreauYasuda, "carreau-yasuda", "η = η∞ + (η0 − η∞)·[1 + (λγ̇)^a]^((n−1)/a)",
     kCarreauYasudaParameters, kTabulatedFlows},
    {LiquidModel::Carreau, "carreau", "η = η∞ + (η0 − η∞)·[1 + (λγ̇)²]^((n−1)/2)",
     kCarreauParameters, kTabulatedFlows},
    {LiquidModel::HerschelBulkley, "herschel-bulkley", "τ = τy + K·γ̇^n above τy, no flow below",
     kHerschelBulkleyParameters, kClosedFormFlows},
    {LiquidModel::Bingham, "bingham", "τ = τy + K·γ̇ above τy, no flow below", kBinghamParameters,
     kClosedFormFlows},
}};

// How the liquid's data at a reference temperature shift to the die's temperature, by the
// shift factor a_T of time–temperature superposition: η(γ̇, T) = a_T·η(a_T·γ̇, T_ref).
enum class TemperatureLaw { Arrhenius, Wlf };

struct TemperatureLawSpec {
  TemperatureLaw law;
  std::string_view name;     // the document's "law"
  std::string_view formula;  // a_T, for help texts (UTF-8)
  std::span<const LiquidParameterSpec> parameters;
};

inline constexpr LiquidParameterSpec kReferenceTemperature = {"reference_temperature",
                                                              "T_ref",
                                                              "°C",
                                                              "temperature of the liquid's data",
                                                              ParameterDomain::AboveAbsoluteZero,
                                                              0.0,
                                                              300.0};
inline constexpr LiquidParameterSpec kDieTemperature = {"die_temperature",
                                                        "T",
                                                        "°C",
                                                        "temperature of the die",
                                                        ParameterDomain::AboveAbsoluteZero,
                                                        0.0,
                                                        300.0};

inline constexpr std::array<LiquidParameterSpec, 3> kArrheniusParameters = {{
    {"activation_energy", "E", "J/mol", "activation energy of flow", ParameterDomain::NonNegative,
     1e4, 2e5},
    kReferenceTemperature,
    kDieTemperature,
}};

inline constexpr std::array<LiquidParameterSpec, 4> kWlfParameters = {{
    {"C1", "C1", "-", "first WLF constant", ParameterDomain::Positive, 5.0, 40.0},
    {"C2", "C2", "K", "second WLF constant", ParameterDomain::Positive, 20.0, 300.0},
    kReferenceTemperature,
    kDieTemperature,
}};

inline constexpr std::array<TemperatureLawSpec, 2> kTemperatureLaws = {{
    {TemperatureLaw::Arrhenius, "arrhenius", "a_T = exp((E/R)·(1/T − 1/T_ref)), T in K",
     kArrheniusParameters},
    {TemperatureLaw::Wlf, "wlf", "log10 a_T = −C1·(T − T_ref)/(C2 + T − T_ref)", kWlfParameters},
}};

// The row of a law name, or nothing; the row of a law.
const TemperatureLawSpec* FindTemperatureLaw(std::string_view name);
const TemperatureLawSpec& TemperatureLawRow(TemperatureLaw law);

// The row of a model name, or nothing.
const LiquidModelSpec* FindLiquidModel(std::string_view name);
// The row of a model.
const LiquidModelSpec& LiquidModelRow(LiquidModel model);

}  // namespace fluxeta::cases
