#include <iostream>

#include "cli/batch_program.h"

int main(int argc, char* argv[]) {
  return fluxeta::cli::RunBatchProgram(argc, argv, std::cout, std::cerr);
}
