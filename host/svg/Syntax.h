// The lexical layer shared by every attribute the reader parses: SVG numbers,
// flags, separators and keywords, with the character offset of each problem.
//
// Numbers follow the SVG grammar: sign? (digits ("." digits?)? | "." digits)
// (("e" | "E") sign? digits)?, so "-.5.5" is two numbers and "1e" is the
// number 1 followed by a stray "e".  Values are converted exactly (correctly
// rounded), and FormatNumber prints the shortest text that reads back as the
// very same double, so a number written and read again keeps every bit.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace host::svg {

// A problem at a character offset (0-based, in bytes) inside one attribute
// value.  The reader adds the file, the line and the attribute name.
class SyntaxError : public std::runtime_error {
 public:
  SyntaxError(std::size_t offset, const std::string& problem) : std::runtime_error(problem), offset_(offset) {}
  std::size_t offset() const noexcept { return offset_; }

 private:
  std::size_t offset_;
};

class Scanner {
 public:
  explicit Scanner(std::string_view text) : text_(text) {}

  std::size_t offset() const { return pos_; }
  bool AtEnd() const { return pos_ >= text_.size(); }
  // '\0' at the end.
  char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }
  void Advance() { ++pos_; }
  // Consumes c when it is next.
  bool Accept(char c);

  void SkipSpace();
  // Spaces, at most one comma, spaces: the separator between arguments.
  // Returns whether a comma was consumed (then an argument must follow).
  bool SkipSeparator();

  bool AtNumber() const;
  // Throws SyntaxError ("expected a number", "number out of range").
  double Number();
  // One '0' or '1'; needs no separator after it (arc flags "00").
  bool Flag();
  // A run of letters (an identifier or a unit), possibly empty.
  std::string_view Letters();

  [[noreturn]] void Fail(const std::string& problem) const { throw SyntaxError(pos_, problem); }
  [[noreturn]] void FailAt(std::size_t offset, const std::string& problem) const {
    throw SyntaxError(offset, problem);
  }

 private:
  std::size_t NumberLength() const;

  std::string_view text_;
  std::size_t pos_ = 0;
};

bool IsSpace(char c);

// The whole text as one number (spaces around it allowed).
double ParseNumber(std::string_view text);

// Shortest decimal that reads back as exactly `value` ("0.1", "1e-07", "-0").
std::string FormatNumber(double value);
std::string FormatNumber(float value);
void AppendNumber(std::string& out, double value);

}  // namespace host::svg
