#include <iostream>

// Placeholder until the command-line companion lands.
int main() {
  std::cerr << "qvmap-cli: no commands yet\n";
  return 2;
}
