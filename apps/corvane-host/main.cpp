#include <iostream>
#include <string_view>
#include <vector>

#include "apps/corvane-host/App.h"

int main(int argc, char** argv) {
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  return static_cast<int>(app::Run(args, std::cin, std::cout, std::cerr));
}
