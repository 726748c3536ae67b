// Host error codes as a script writes them and as messages show them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "sdk/SPTypes.h"

namespace cli {

// A code written as its four characters (PARM, !MEM, DOC?) or as a decimal
// number; a word of four digits is read as a number.  Nothing for any other
// word.
std::optional<AIErr> ParseErrorCode(std::string_view word);

// 'PARM' in quotes, or the number when the code has unprintable bytes; "0
// (no error)" for kNoErr.
std::string DescribeCode(AIErr code);

}  // namespace cli
