#include <iostream>

int main() {
  std::cout << "fluxeta-batch " << FLUXETA_VERSION << "\n";
  return 0;
}
