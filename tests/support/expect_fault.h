// Expects an operation to end in a floating-point fault with the system's message.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "fluxeta/base/errors.h"

namespace fluxeta::testing {

template <typename Operation>
void ExpectFault(Operation&& operation, base::FloatingPointFault fault,
                 const std::string& message) {
  try {
    operation();
    ADD_FAILURE() << "no fault raised";
  } catch (const base::FloatingPointError& error) {
    EXPECT_EQ(error.fault(), fault);
    EXPECT_EQ(error.what(), message);
  }
}

}  // namespace fluxeta::testing
