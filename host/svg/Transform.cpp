#include "host/svg/Transform.h"

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "host/svg/Syntax.h"

namespace host::svg {
namespace {

struct CosSin {
  double cos, sin;
};

CosSin ExactCosSin(double degrees) {
  const double turn = std::fmod(degrees, 360.0);
  if (turn == 0) return {1, 0};
  if (turn == 90 || turn == -270) return {0, 1};
  if (turn == 180 || turn == -180) return {-1, 0};
  if (turn == 270 || turn == -90) return {0, -1};
  const double radians = turn * std::numbers::pi / 180.0;
  return {std::cos(radians), std::sin(radians)};
}

double ExactTan(double degrees, Scanner& scan, std::size_t at) {
  const double half = std::fmod(degrees, 180.0);
  if (half == 0) return 0;
  if (half == 45 || half == -135) return 1;
  if (half == -45 || half == 135) return -1;
  if (half == 90 || half == -90) scan.FailAt(at, "skew of 90 degrees");
  return std::tan(half * std::numbers::pi / 180.0);
}

model::Matrix Translate(double tx, double ty) { return {1, 0, 0, 1, tx, ty}; }

// One function with its parenthesised arguments.
model::Matrix ParseFunction(Scanner& scan) {
  const std::size_t nameAt = scan.offset();
  const std::string name(scan.Letters());
  if (name.empty()) scan.Fail("expected a transform function");
  scan.SkipSpace();
  if (!scan.Accept('(')) scan.Fail("expected '(' after " + name);
  std::vector<double> args;
  scan.SkipSpace();
  while (!scan.Accept(')')) {
    if (!args.empty()) scan.SkipSeparator();
    if (scan.AtEnd()) scan.Fail("expected ')'");
    args.push_back(scan.Number());
    scan.SkipSpace();
  }
  const auto arity = [&](std::initializer_list<std::size_t> allowed) {
    for (std::size_t n : allowed)
      if (args.size() == n) return;
    scan.FailAt(nameAt, "wrong number of arguments for " + name);
  };
  if (name == "matrix") {
    arity({6});
    return {args[0], args[1], args[2], args[3], args[4], args[5]};
  }
  if (name == "translate") {
    arity({1, 2});
    return Translate(args[0], args.size() == 2 ? args[1] : 0);
  }
  if (name == "scale") {
    arity({1, 2});
    return {args[0], 0, 0, args.size() == 2 ? args[1] : args[0], 0, 0};
  }
  if (name == "rotate") {
    arity({1, 3});
    const CosSin r = ExactCosSin(args[0]);
    const model::Matrix rotation{r.cos, r.sin, -r.sin, r.cos, 0, 0};
    if (args.size() == 1) return rotation;
    return Compose(Translate(args[1], args[2]), Compose(rotation, Translate(-args[1], -args[2])));
  }
  if (name == "skewX") {
    arity({1});
    return {1, 0, ExactTan(args[0], scan, nameAt), 1, 0, 0};
  }
  if (name == "skewY") {
    arity({1});
    return {1, ExactTan(args[0], scan, nameAt), 0, 1, 0, 0};
  }
  scan.FailAt(nameAt, "unknown transform '" + name + "'");
}

}  // namespace

model::Matrix ParseTransform(std::string_view text) {
  Scanner scan(text);
  model::Matrix total;
  scan.SkipSpace();
  while (!scan.AtEnd()) {
    const model::Matrix next = ParseFunction(scan);
    // Multiplying by the identity would turn -0 into +0; keep the bits.
    total = IsIdentity(total) ? next : Compose(total, next);
    if (scan.SkipSeparator() && scan.AtEnd()) scan.Fail("expected a transform function after ','");
  }
  return total;
}

bool IsIdentity(const model::Matrix& m) { return m == model::Matrix{}; }

std::string FormatTransform(const model::Matrix& m) {
  std::string out = "matrix(";
  for (double v : {m.a, m.b, m.c, m.d, m.tx, m.ty}) out += FormatNumber(v) + ' ';
  out.back() = ')';
  return out;
}

double MeanScale(const model::Matrix& m) { return std::sqrt(std::abs(m.a * m.d - m.b * m.c)); }

}  // namespace host::svg
