// The expected files kept with the tests.
#pragma once

#include <string>

#include "scratch_directory.h"

namespace fluxeta::testing {

// The result file of the default case, byte for byte.
inline std::string DefaultResultFile() {
  return FileBytes(std::string(FLUXETA_TEST_DATA) + "/default_result.txt").value();
}

}  // namespace fluxeta::testing
