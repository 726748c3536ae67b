#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include <cstdio>
#include <iostream>
#include <string_view>
#include <vector>

#include "apps/corvane-host/App.h"

int main(int argc, char** argv) {
#ifdef _WIN32
  // The same bytes as on other systems: no line ending is rewritten on the
  // way in or out (documents and scripts on standard input and output too).
  for (std::FILE* stream : {stdin, stdout, stderr}) _setmode(_fileno(stream), _O_BINARY);
#endif
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  return static_cast<int>(app::Run(args, std::cin, std::cout, std::cerr));
}
