// Reads the arguments of one script command, word by word, in the order the
// command's usage gives them.  Every reader throws ScriptSyntaxError naming
// the argument and what was wrong with it.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "apps/script/Lexer.h"
#include "apps/script/Script.h"

namespace cli {

class Arguments {
 public:
  explicit Arguments(std::span<const Word> words) : words_(words) {}

  bool AtEnd() const { return next_ == words_.size(); }
  // Takes the next word when it is this unquoted keyword.
  bool TakeKeyword(std::string_view keyword);

  std::string Text(std::string_view name);
  // A finite number.
  double Real(std::string_view name);
  // A finite number above zero.
  double Positive(std::string_view name);
  int32_t Integer(std::string_view name);
  // An integer >= 0.
  int64_t Count(std::string_view name);
  // "X Y" in artwork points, or "view PX PY" in view pixels.
  Position At();
  Key ModifierKey();
  bool OnOff();
  // A non-zero host error code (ErrorCodes.h).
  AIErr Code(std::string_view name);
  // "bool|int|real VALUE".
  PrefValue TypedValue();

  // Throws when words are left over.
  void End() const;

 private:
  const Word& Next(std::string_view name);

  std::span<const Word> words_;
  std::size_t next_ = 0;
};

}  // namespace cli
