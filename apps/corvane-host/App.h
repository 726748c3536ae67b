// corvane-host as a function of its arguments and streams, so that main()
// only hands over the process's own.
#pragma once

#include <iosfwd>
#include <span>
#include <string_view>

#include "apps/script/Session.h"

namespace app {

// args without the program name.  in carries a script given as "-".
cli::ExitCode Run(std::span<const std::string_view> args, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace app
