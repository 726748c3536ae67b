#include "apps/script/Parser.h"

#include <algorithm>
#include <span>

#include "apps/script/Arguments.h"
#include "apps/script/CommandTable.h"
#include "apps/script/Lexer.h"

namespace cli {
namespace {

std::string KnownCommands(std::string_view prefix) {
  std::string list;
  for (const CommandEntry& e : CommandTable()) {
    if (!e.syntax.words.starts_with(prefix)) continue;
    if (!list.empty()) list += ", ";
    list += e.syntax.words.substr(prefix.size());
  }
  return list;
}

// The command word, and for "expect" also the word after it.
const CommandEntry& Lookup(std::span<const Word>& words) {
  std::string verb = words[0].text;
  words = words.subspan(1);
  if (verb == "expect") {
    if (words.empty()) throw ScriptSyntaxError("expect what? one of: " + KnownCommands("expect "));
    verb += " " + words[0].text;
    words = words.subspan(1);
  }
  const std::vector<CommandEntry>& table = CommandTable();
  auto it = std::find_if(table.begin(), table.end(), [&](const CommandEntry& e) { return e.syntax.words == verb; });
  if (it != table.end()) return *it;
  if (verb.starts_with("expect ")) {
    throw ScriptSyntaxError("unknown check '" + verb + "'; known: " + KnownCommands("expect "));
  }
  throw ScriptSyntaxError("unknown command '" + verb + "'; known: " + KnownCommands(""));
}

Line ParseLine(std::span<const Word> words, int number) {
  const CommandEntry& entry = Lookup(words);
  Arguments args(words);
  try {
    Line line{.number = number, .verb = std::string(entry.syntax.words), .command = entry.parse(args)};
    args.End();
    return line;
  } catch (const ScriptSyntaxError& e) {
    throw ScriptSyntaxError(std::string(entry.syntax.words) + ": " + e.what() + " (usage: " +
                            std::string(entry.syntax.usage) + ")");
  }
}

// The commands whose result is the code a plug-in call returned.
bool CallsPlugin(const Command& c) {
  return std::holds_alternative<cmd::SelectTool>(c) || std::holds_alternative<cmd::EditOptions>(c) ||
         std::holds_alternative<cmd::Mouse>(c) || std::holds_alternative<cmd::Click>(c) ||
         std::holds_alternative<cmd::DragTo>(c) || std::holds_alternative<cmd::Hold>(c) ||
         std::holds_alternative<cmd::Release>(c) || std::holds_alternative<cmd::Menu>(c) ||
         std::holds_alternative<cmd::TransformAgain>(c);
}

// An expect-error must be followed by a command that calls the plug-in.
void CheckExpectErrors(ParseResult& result) {
  const std::vector<Line>& lines = result.script.lines;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (!std::holds_alternative<cmd::ExpectError>(lines[i].command)) continue;
    if (i + 1 < lines.size() && CallsPlugin(lines[i + 1].command)) continue;
    result.errors.push_back({result.script.name, lines[i].number,
                             "expect-error: the next command must be one that calls the plug-in (a tool, mouse, "
                             "key, menu or transform-again command)"});
  }
}

}  // namespace

ParseResult ParseScript(std::string_view text, const std::string& name) {
  ParseResult result;
  result.script.name = name;
  int number = 0;
  while (!text.empty()) {
    const std::size_t eol = text.find('\n');
    const std::string_view raw = text.substr(0, eol);
    text = eol == std::string_view::npos ? std::string_view{} : text.substr(eol + 1);
    ++number;
    try {
      const std::vector<Word> words = SplitWords(raw);
      if (!words.empty()) result.script.lines.push_back(ParseLine(words, number));
    } catch (const ScriptSyntaxError& e) {
      result.errors.push_back({name, number, e.what()});
    }
  }
  CheckExpectErrors(result);
  std::stable_sort(result.errors.begin(), result.errors.end(),
                   [](const Diagnostic& a, const Diagnostic& b) { return a.line < b.line; });
  return result;
}

}  // namespace cli
