// Splits one script line into words.
//
// Words are separated by blanks (spaces, tabs).  A word may be written in
// double quotes to hold blanks or a '#'; inside quotes \" stands for a quote
// and \\ for a backslash.  A '#' that starts a word begins a comment that
// runs to the end of the line, so "#" inside a word (as in a colour) is kept.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace cli {

struct Word {
  std::string text;
  bool quoted = false;
  int column = 0;  // 1-based, where the word starts
};

// Throws ScriptSyntaxError (Diagnostics.h) for an unterminated quote, an
// unknown escape, or a quote that does not stand apart from its neighbours.
std::vector<Word> SplitWords(std::string_view line);

}  // namespace cli
