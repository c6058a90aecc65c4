// The "geometry" of a die document, read by the reader of its family.
#pragma once

#include <filesystem>

#include <nlohmann/json.hpp>

#include "fluxeta/case/die_document.h"

namespace fluxeta::cases {

inline constexpr std::string_view kGeometryKey = "geometry";

// Raises DocumentError naming the key under "geometry".
DieGeometry ReadDieGeometry(const nlohmann::json& geometry,
                            const std::filesystem::path& documentDirectory);

nlohmann::json DieGeometryJson(const DieGeometry& geometry);

}  // namespace fluxeta::cases
