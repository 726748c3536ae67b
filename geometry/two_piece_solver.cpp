#include "geometry/two_piece_solver.h"

#include <array>
#include <cmath>
#include <vector>

namespace geom {

TwoPieceSolver::TwoPieceSolver(const Bezier& first, const Bezier& second, LineKind kind, double a0, double b0)
    : first_(first), second_(second), kind_(kind), a0_(a0), b0_(b0) {}

TwoPieceSolver::Frame TwoPieceSolver::FrameAt(double a, double b) const {
  return {first_.Derivative(a), second_.Derivative(b), first_.SecondDerivative(a), second_.SecondDerivative(b),
          second_.At(b) - first_.At(a)};
}

Residual TwoPieceSolver::ResidualOf(const Frame& f) const {
  const Point &t1 = f.t1, &t2 = f.t2, &d = f.d;
  if (kind_ == LineKind::Tangent) return {t1.v * d.h - t1.h * d.v, t2.h * d.v - t2.v * d.h};
  return {Dot(d, t1) / Length(t1), -Dot(d, t2) / Length(t2)};
}

Jacobian TwoPieceSolver::JacobianOf(const Frame& f) const {
  const Point &t1 = f.t1, &t2 = f.t2, &s1 = f.s1, &s2 = f.s2, &d = f.d;  // dD/da = -T1, dD/db = T2
  if (kind_ == LineKind::Tangent) {
    // F1 = T1 x D up to sign, F2 likewise; the T x T terms of the product rule cancel.
    return {s1.v * d.h - s1.h * d.v, t1.v * t2.h - t1.h * t2.v, t2.v * t1.h - t2.h * t1.v, s2.h * d.v - s2.v * d.h};
  }
  // F = u / |T| with u = D . T: dF = du / |T| - u (T . T') / |T|^3.
  const double n1 = Length(t1), n2 = Length(t2);
  const double u1 = Dot(d, t1), u2 = Dot(d, t2);
  const double f1a = (Dot(d, s1) - Dot(t1, t1)) / n1 - u1 * Dot(t1, s1) / (n1 * n1 * n1);
  const double f1b = Dot(t2, t1) / n1;
  const double f2a = Dot(t1, t2) / n2;
  const double f2b = -((Dot(d, s2) + Dot(t2, t2)) / n2 - u2 * Dot(t2, s2) / (n2 * n2 * n2));
  return {f1a, f1b, f2a, f2b};
}

Residual TwoPieceSolver::Evaluate(double a, double b) const { return ResidualOf(FrameAt(a, b)); }

Jacobian TwoPieceSolver::Derivatives(double a, double b) const { return JacobianOf(FrameAt(a, b)); }

TwoPieceSolver::RunState TwoPieceSolver::Step(ContactPair& at) const {
  // One evaluation of the pieces serves both the residual and the Jacobian.
  const Frame frame = FrameAt(at.a, at.b);
  const Residual f = ResidualOf(frame);
  if (std::abs(f.f1) < tol::kTwoPieceResidual && std::abs(f.f2) < tol::kTwoPieceResidual) return RunState::Converged;
  const Jacobian j = JacobianOf(frame);
  const double det = j.f1a * j.f2b - j.f1b * j.f2a;
  double da = 0, db = 0;
  if (!(std::abs(det) < tol::kTwoPieceDeterminantMin)) {
    da = (j.f2b * f.f1 - j.f1b * f.f2) / det;
    db = (j.f1a * f.f2 - j.f2a * f.f1) / det;
  }
  if (std::abs(da) < tol::kTwoPieceStepMin && std::abs(db) < tol::kTwoPieceStepMin) return RunState::Failed;
  // Once a parameter is no longer finite every later residual is NaN: the run cannot succeed.
  if (!std::isfinite(da) || !std::isfinite(db)) return RunState::Failed;
  at.a -= tol::kTwoPieceDamping * da;
  at.b -= tol::kTwoPieceDamping * db;
  return RunState::Running;
}

ContactPair TwoPieceSolver::NewtonRun(double a, double b) const {
  ContactPair at{a, b};
  for (int i = 0; i < tol::kTwoPieceMaxIterations; ++i) {
    const RunState s = Step(at);
    if (s == RunState::Converged) return at;
    if (s == RunState::Failed) return {};
  }
  return {};
}

void TwoPieceSolver::SetNeighbourhoods(const PieceNeighbourhood& first, const PieceNeighbourhood& second) {
  around1_ = first;
  around2_ = second;
  touchingRule_ = true;
}

bool TwoPieceSolver::IsValid(ContactPair c) const {
  if (!(c.a >= 0 && c.a <= 1 && c.b >= 0 && c.b <= 1)) return false;
  const Point d = second_.At(c.b) - first_.At(c.a);
  if (!(Length(d) > tol::kDistinctContacts)) return false;
  if (kind_ != LineKind::Tangent || !touchingRule_) return true;
  return IsTouchingTangent(first_, around1_, c.a, d) && IsTouchingTangent(second_, around2_, c.b, d);
}

double TwoPieceSolver::DistanceToReference(ContactPair c) const {
  return 2 * Distance(first_.At(c.a), first_.At(a0_)) + Distance(second_.At(c.b), second_.At(b0_));
}

std::optional<ContactPair> TwoPieceSolver::Solve() {
  // The 17 runs are independent, each one long chain of dependent divisions; they are stepped
  // side by side so that the chains overlap, and their results are considered in start order.
  constexpr std::size_t kRuns = 1 + tol::kTwoPieceGridA.size() * tol::kTwoPieceGridB.size();
  std::array<ContactPair, kRuns> at;
  std::array<RunState, kRuns> state;
  state.fill(RunState::Running);
  at[0] = {a0_, b0_};
  std::size_t k = 1;
  for (double a : tol::kTwoPieceGridA)
    for (double b : tol::kTwoPieceGridB) at[k++] = {a, b};
  std::size_t live = kRuns;
  for (int i = 0; i < tol::kTwoPieceMaxIterations && live > 0; ++i) {
    for (k = 0; k < kRuns; ++k) {
      if (state[k] != RunState::Running) continue;
      state[k] = Step(at[k]);
      if (state[k] != RunState::Running) --live;
    }
  }
  best_ = {};
  auto consider = [this](ContactPair c) {
    if (!IsValid(c)) return;
    if (!IsValid(best_) || DistanceToReference(c) < DistanceToReference(best_)) best_ = c;
  };
  for (k = 0; k < kRuns; ++k) consider(state[k] == RunState::Converged ? at[k] : ContactPair{});
  return IsValid(best_) ? std::optional(best_) : std::nullopt;
}

namespace {

// The start parameter on piece i of a path picked at (picked, t): the picked parameter on the
// picked piece, else the end of piece i nearest the picked piece.
double StartParameter(int i, PieceRef picked) {
  if (i == picked.piece) return picked.t;
  return i < picked.piece ? 1.0 : 0.0;
}

}  // namespace

std::optional<LineContact> FindLineContact(const PieceSource& first, PieceRef pick1, const PieceSource& second,
                                           PieceRef pick2, LineKind kind) {
  const std::vector<int> order1 = OutwardOrder(pick1.piece, first.CountPieces());
  const std::vector<int> order2 = OutwardOrder(pick2.piece, second.CountPieces());
  // Only the tangent pair needs the paths around the pieces; they are read once per piece.
  const bool touching = kind == LineKind::Tangent;
  std::vector<std::optional<PieceNeighbourhood>> around2(order2.size());
  int pairs = 0;
  for (int i : order1) {
    const PieceNeighbourhood around1 = touching ? NeighbourhoodOf(first, i) : PieceNeighbourhood{};
    for (std::size_t k = 0; k < order2.size(); ++k) {
      if (pairs++ == tol::kLineContactMaxPairs) return std::nullopt;
      const int j = order2[k];
      TwoPieceSolver solver(first.GetPiece(i), second.GetPiece(j), kind, StartParameter(i, pick1),
                            StartParameter(j, pick2));
      if (touching) {
        if (!around2[k]) around2[k] = NeighbourhoodOf(second, j);
        solver.SetNeighbourhoods(around1, *around2[k]);
      }
      if (const std::optional<ContactPair> c = solver.Solve())
        return LineContact{first.Identity(), {i, c->a}, second.Identity(), {j, c->b}};
    }
  }
  return std::nullopt;
}

}  // namespace geom
