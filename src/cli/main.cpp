#include <iostream>

#include "batch_program.h"
#include "interruption.h"
#include "standard_streams.h"

int main(int argc, char* argv[]) {
  fluxeta::cli::ReserveStandardStreams();
  fluxeta::cli::HandleInterruptions();
  return fluxeta::cli::RunBatchProgram(argc, argv, std::cout, std::cerr);
}
