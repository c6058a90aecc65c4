// Plausible die designs drawn from a seed, for studies of the searches: every geometric
// and process input uniform over a range a designer might choose, the material the
// window's fixed one.
#pragma once

#include <cstdint>
#include <vector>

#include "fluxeta/case/case_parameters.h"

namespace fluxeta::solver {

// `count` designs from the generator seeded with `seed`; the same seed gives the same
// designs on every platform. Ain 1–10 cm2, γ 0–1.5, a circular entrance perimeter
// Pein = 2·√(π·Ain), Lin 1–5 cm, Lend 0.3–1.0·Lin, W 20–200 cm, H 0.01–0.1 cm, α 0.5–2,
// ρ 0.8–1.5 g/cm3, Qin 1–100 cm3/s; λ 16, η0 10 Pa.s, γ0 1 1/s, n 0.5, γcr 50 1/s; ηcr and
// θ derived as the window derives them.
std::vector<cases::CaseParameters> PlausibleDesigns(std::uint64_t seed, int count);

}  // namespace fluxeta::solver
