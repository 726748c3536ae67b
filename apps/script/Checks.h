// The script's expect commands: each looks at the host and returns nothing
// when the host is as expected, or a message that says what was expected and
// what was found.
#pragma once

#include <optional>
#include <string>

#include "apps/script/Script.h"
#include "host/Host.h"

namespace cli {

using CheckResult = std::optional<std::string>;

CheckResult Check(host::Host& host, const cmd::ExpectCount& expect);
CheckResult Check(host::Host& host, const cmd::ExpectAnchorsOnCircle& expect);
CheckResult Check(host::Host& host, const cmd::ExpectCursor& expect);
CheckResult Check(host::Host& host, const cmd::ExpectTool& expect);
CheckResult Check(host::Host& host, const cmd::ExpectPref& expect);

// What the plug-in holds of the host's: suites, hit records, dictionary
// references.  A plug-in may keep some for its whole life (taken at
// start-up), so leaks are counted against what it held before the script.
struct Holdings {
  int suites = 0;
  int hitRecords = 0;
  int dictionaries = 0;
};
Holdings HoldingsOf(const host::Host& host);
CheckResult Check(host::Host& host, const cmd::ExpectNoLeaks& expect, const Holdings& before);

}  // namespace cli
