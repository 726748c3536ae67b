#include "apps/script/Lexer.h"

#include "apps/script/Diagnostics.h"

namespace cli {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string At(std::size_t index) { return " (column " + std::to_string(index + 1) + ")"; }

// Reads a quoted word starting at the opening quote; returns the index after
// the closing quote.
std::size_t ReadQuoted(std::string_view line, std::size_t start, std::string& text) {
  for (std::size_t i = start + 1; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '"') return i + 1;
    if (c != '\\') {
      text += c;
      continue;
    }
    if (i + 1 == line.size() || (line[i + 1] != '"' && line[i + 1] != '\\')) {
      throw ScriptSyntaxError("unknown escape in quoted text" + At(i) + "; only \\\" and \\\\ are allowed");
    }
    text += line[++i];
  }
  throw ScriptSyntaxError("quoted text is not closed" + At(start));
}

}  // namespace

std::vector<Word> SplitWords(std::string_view line) {
  std::vector<Word> words;
  std::size_t i = 0;
  while (i < line.size()) {
    if (IsBlank(line[i])) {
      ++i;
      continue;
    }
    if (line[i] == '#') break;
    Word word{.text = {}, .quoted = line[i] == '"', .column = static_cast<int>(i + 1)};
    if (word.quoted) {
      i = ReadQuoted(line, i, word.text);
      if (i < line.size() && !IsBlank(line[i])) throw ScriptSyntaxError("a blank must follow quoted text" + At(i));
    } else {
      while (i < line.size() && !IsBlank(line[i])) {
        if (line[i] == '"') throw ScriptSyntaxError("a quote inside a word" + At(i) + "; quote the whole word");
        word.text += line[i++];
      }
    }
    words.push_back(std::move(word));
  }
  return words;
}

}  // namespace cli
