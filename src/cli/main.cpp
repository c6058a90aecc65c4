#include <iostream>

#include "cli/batch_program.h"
#include "cli/interruption.h"
#include "cli/standard_streams.h"

int main(int argc, char* argv[]) {
  fluxeta::cli::ReserveStandardStreams();
  fluxeta::cli::HandleInterruptions();
  return fluxeta::cli::RunBatchProgram(argc, argv, std::cout, std::cerr);
}
