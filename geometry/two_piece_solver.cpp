#include "geometry/two_piece_solver.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <queue>
#include <vector>

#include "geometry/offset_hull.h"

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

ContactPair TwoPieceSolver::FullStep(const Frame& frame, const Residual& f) const {
  const Jacobian j = JacobianOf(frame);
  const double det = j.f1a * j.f2b - j.f1b * j.f2a;
  if (std::abs(det) < tol::kTwoPieceDeterminantMin) return {0, 0};
  return {(j.f2b * f.f1 - j.f1b * f.f2) / det, (j.f1a * f.f2 - j.f2a * f.f1) / det};
}

TwoPieceSolver::RunState TwoPieceSolver::Step(ContactPair& at) const {
  // One evaluation of the pieces serves both the residual and the Jacobian.
  const Frame frame = FrameAt(at.a, at.b);
  const Residual f = ResidualOf(frame);
  if (std::abs(f.f1) < tol::kTwoPieceResidual && std::abs(f.f2) < tol::kTwoPieceResidual) return RunState::Converged;
  const ContactPair d = FullStep(frame, f);
  if (std::abs(d.a) < tol::kTwoPieceStepMin && std::abs(d.b) < tol::kTwoPieceStepMin) return RunState::Failed;
  // Once a parameter is no longer finite every later residual is NaN: the run cannot succeed.
  if (!std::isfinite(d.a) || !std::isfinite(d.b)) return RunState::Failed;
  at.a -= tol::kTwoPieceDamping * d.a;
  at.b -= tol::kTwoPieceDamping * d.b;
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

ContactPair TwoPieceSolver::Refine(ContactPair c) const {
  if (c.a == -1 && c.b == -1) return c;
  const auto size = [](const Residual& f) { return std::max(std::abs(f.f1), std::abs(f.f2)); };
  Frame frame = FrameAt(c.a, c.b);
  Residual f = ResidualOf(frame);
  for (int i = 0; i < tol::kTwoPieceRefineSteps && size(f) > 0; ++i) {
    // A singular Jacobian gives no step, which shrinks nothing and ends the refinement.
    const ContactPair d = FullStep(frame, f);
    const ContactPair next{c.a - d.a, c.b - d.b};
    if (!std::isfinite(next.a) || !std::isfinite(next.b)) break;
    const Frame nextFrame = FrameAt(next.a, next.b);
    const Residual nextF = ResidualOf(nextFrame);
    if (!(size(nextF) < size(f))) break;
    c = next, frame = nextFrame, f = nextF;
  }
  return c;
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

// Stretches of pieces are carried as their own control points, cut by the plain de Casteljau
// split, so that a stretch is parameterised exactly as the part of its piece it covers.
struct Stretch {
  ControlPoints p;
  double t0, t1;
};

double DistanceToBox(Point q, const Box& b) {
  const double dh = std::max({b.minH - q.h, 0.0, q.h - b.maxH}), dv = std::max({b.minV - q.v, 0.0, q.v - b.maxV});
  return std::sqrt(dh * dh + dv * dv);
}

// Whether every term of a Bernstein bound has one strict sign: then the function it bounds has
// no zero on the stretch pair. A term that is exactly zero (a retracted handle) lets the
// function vanish at the stretch's end, so only terms of one sign and zeros give no answer.
// F1 = T1 x D (or T1 . D) is a combination with non-negative weights of h_k x (q_m - p_l), the
// hodograph's control vectors h_k of the first stretch against the differences of the control
// points of the two stretches; likewise F2 with the second stretch's hodograph.
bool MayVanish(const ControlPoints& own, const ControlPoints& p, const ControlPoints& q, LineKind kind) {
  bool positive = false, negative = false;
  for (std::size_t k = 0; k < 3; ++k) {
    const Point h = own[k + 1] - own[k];
    for (const Point& pl : p) {
      for (const Point& qm : q) {
        const double x = kind == LineKind::Tangent ? Cross(h, qm - pl) : Dot(h, qm - pl);
        positive |= x >= 0, negative |= x <= 0;
        if (positive && negative) return true;
      }
    }
  }
  return false;
}

// Whether the two stretches can be parallel somewhere: both equations ask for it (both tangents
// along the line, or both across it). T1 x T2 is a combination with non-negative weights of
// the cross products of the two hodographs' control vectors; terms of one strict sign rule it
// out, as in MayVanish.
bool MayBeParallel(const ControlPoints& p, const ControlPoints& q) {
  bool positive = false, negative = false;
  for (std::size_t k = 0; k < 3; ++k) {
    for (std::size_t m = 0; m < 3; ++m) {
      const double x = Cross(p[k + 1] - p[k], q[m + 1] - q[m]);
      positive |= x >= 0, negative |= x <= 0;
      if (positive && negative) return true;
    }
  }
  return false;
}

// Whether the directions a stretch can take lie within kLineContactFlatCosine of each other:
// such a stretch turns little, and Newton's method started in it converges to the contact it
// holds. Vanishing hodograph vectors (retracted handles) have no direction and are left out.
bool Flat(const ControlPoints& p) {
  Point h[3];
  int n = 0;
  for (std::size_t k = 0; k < 3; ++k)
    if (const Point d = p[k + 1] - p[k]; LengthSquared(d) > 0) h[n++] = d;
  for (int a = 0; a < n; ++a)
    for (int b = a + 1; b < n; ++b)
      if (!(Dot(h[a], h[b]) > tol::kLineContactFlatCosine * Length(h[a]) * Length(h[b]))) return false;
  return true;
}

// The work of a search is counted in visits of pairs of stretches (a few dozen multiplications
// each); a Newton run counts as kVisitsPerRun visits, about what its usual dozen steps cost. A
// search does no more work than kLineContactMaxPairs pairs solved with the 17 runs of Solve.
constexpr int kRunsPerPair = 1 + static_cast<int>(tol::kTwoPieceGridA.size() * tol::kTwoPieceGridB.size());
constexpr int kVisitsPerRun = 8;

class LineSearch {
 public:
  LineSearch(const PieceCache& first, const PieceCache& second, LineKind kind, PieceRef pick1, PieceRef pick2)
      : first_(first), second_(second), kind_(kind),
        q1_(first.GetPiece(pick1.piece).At(pick1.t)), q2_(second.GetPiece(pick2.piece).At(pick2.t)),
        around1_(first.Pieces().size()), around2_(second.Pieces().size()) {}

  std::optional<LineContact> Run(PieceRef pick1, PieceRef pick2);

 private:
  struct Node {
    double bound;
    int i, j, depth;
    Stretch s1, s2;
  };
  struct Farther {
    bool operator()(const Node& x, const Node& y) const {
      if (x.bound != y.bound) return x.bound > y.bound;
      if (x.i != y.i) return x.i > y.i;
      if (x.j != y.j) return x.j > y.j;
      return x.s1.t0 + x.s2.t0 > y.s1.t0 + y.s2.t0;
    }
  };
  // A pair of whole pieces, by the ranks of its pieces in the lists sorted by distance.
  struct PairRank {
    double bound;
    std::size_t k, l;
    bool operator>(const PairRank& o) const {
      return bound != o.bound ? bound > o.bound : (k != o.k ? k > o.k : l > o.l);
    }
  };

  double Bound(const Stretch& s1, const Stretch& s2) const {
    return 2 * DistanceToBox(q1_, ControlBox(s1.p)) + DistanceToBox(q2_, ControlBox(s2.p));
  }
  double Score(const Bezier& c1, double a, const Bezier& c2, double b) const {
    return 2 * Distance(c1.At(a), q1_) + Distance(c2.At(b), q2_);
  }
  double BestScore() const { return best_ ? bestScore_ : std::numeric_limits<double>::infinity(); }
  TwoPieceSolver SolverFor(int i, int j);
  // Newton's method on pieces i and j from (a, b); a contact that passes the solver's acceptance
  // is offered. Returns the contact found, valid or not, or (-1, -1).
  ContactPair Polish(int i, int j, double a, double b);
  void Visit(const Node& n);
  void Push(const Node& n);

  const PieceCache& first_;
  const PieceCache& second_;
  LineKind kind_;
  Point q1_, q2_;  // the picked points
  std::vector<std::optional<PieceNeighbourhood>> around1_, around2_;
  std::vector<Node> heap_;
  std::optional<LineContact> best_;
  double bestScore_ = 0;
  int work_ = 0;
};

TwoPieceSolver LineSearch::SolverFor(int i, int j) {
  TwoPieceSolver solver(first_.Pieces()[static_cast<std::size_t>(i)], second_.Pieces()[static_cast<std::size_t>(j)],
                        kind_, 0, 0);
  if (kind_ == LineKind::Tangent) {
    auto& a1 = around1_[static_cast<std::size_t>(i)];
    auto& a2 = around2_[static_cast<std::size_t>(j)];
    if (!a1) a1 = NeighbourhoodOf(first_, i);
    if (!a2) a2 = NeighbourhoodOf(second_, j);
    solver.SetNeighbourhoods(*a1, *a2);
  }
  return solver;
}

ContactPair LineSearch::Polish(int i, int j, double a, double b) {
  const Bezier& c1 = first_.Pieces()[static_cast<std::size_t>(i)];
  const Bezier& c2 = second_.Pieces()[static_cast<std::size_t>(j)];
  TwoPieceSolver solver = SolverFor(i, j);
  work_ += kVisitsPerRun;
  const ContactPair c = solver.Refine(solver.NewtonRun(a, b));
  if (!solver.IsValid(c)) return c;
  const double score = Score(c1, c.a, c2, c.b);
  // On equal scores the contact found first stays.
  if (!best_ || score < bestScore_) {
    best_ = LineContact{first_.Identity(), {i, c.a}, second_.Identity(), {j, c.b}};
    bestScore_ = score;
  }
  return c;
}

void LineSearch::Push(const Node& n) {
  heap_.push_back(n);
  std::push_heap(heap_.begin(), heap_.end(), Farther{});
}

void LineSearch::Visit(const Node& n) {
  ++work_;
  if (!MayBeParallel(n.s1.p, n.s2.p)) return;
  if (!MayVanish(n.s1.p, n.s1.p, n.s2.p, kind_) || !MayVanish(n.s2.p, n.s1.p, n.s2.p, kind_)) return;
  if (n.depth >= tol::kLineContactMaxDepth || (Flat(n.s1.p) && Flat(n.s2.p))) {
    const ContactPair c = Polish(n.i, n.j, 0.5 * (n.s1.t0 + n.s1.t1), 0.5 * (n.s2.t0 + n.s2.t1));
    // Done with the pair when Newton's method ends inside it (a flat pair rarely holds two
    // contacts) or it cannot be halved further.
    if (n.depth >= tol::kLineContactMaxDepth) return;
    if (c.a >= n.s1.t0 && c.a <= n.s1.t1 && c.b >= n.s2.t0 && c.b <= n.s2.t1) return;
  }
  // Halve both stretches; a stretch that has shrunk to a point (a piece of zero length) stays.
  auto halves = [](const Stretch& s, Stretch out[2]) {
    const Box b = ControlBox(s.p);
    if (std::max(b.maxH - b.minH, b.maxV - b.minV) <= 0) {
      out[0] = s;
      return 1;
    }
    const double mid = 0.5 * (s.t0 + s.t1);
    out[0].t0 = s.t0, out[0].t1 = mid, out[1].t0 = mid, out[1].t1 = s.t1;
    SplitBezier(s.p, 0.5, out[0].p, out[1].p);
    return 2;
  };
  Stretch h1[2], h2[2];
  const int n1 = halves(n.s1, h1), n2 = halves(n.s2, h2);
  for (int u = 0; u < n1; ++u) {
    for (int v = 0; v < n2; ++v) {
      const double bound = std::max(n.bound, Bound(h1[u], h2[v]));
      if (bound < BestScore()) Push({bound, n.i, n.j, n.depth + 1, h1[u], h2[v]});
    }
  }
}

std::optional<LineContact> LineSearch::Run(PieceRef pick1, PieceRef pick2) {
  // Newton's method from the picks usually finds the contact the user aims at at once, and its
  // score bounds the search from the start.
  Polish(pick1.piece, pick2.piece, pick1.t, pick2.t);
  // Pairs of whole pieces are taken in order of their bound, 2 d1 + d2 with d the distance from
  // the pick to the piece's control box: each path's pieces sorted by d, the pairs merged lazily
  // so that pairs beyond the best contact are never looked at.
  auto sorted = [](const std::vector<Bezier>& pieces, Point q, double weight) {
    std::vector<std::pair<double, int>> out(pieces.size());
    for (std::size_t i = 0; i < pieces.size(); ++i)
      out[i] = {weight * DistanceToBox(q, ControlBox(pieces[i].Controls())), static_cast<int>(i)};
    std::sort(out.begin(), out.end());
    return out;
  };
  const auto order1 = sorted(first_.Pieces(), q1_, 2), order2 = sorted(second_.Pieces(), q2_, 1);
  std::priority_queue<PairRank, std::vector<PairRank>, std::greater<>> pairs;
  if (!order1.empty() && !order2.empty()) pairs.push({order1[0].first + order2[0].first, 0, 0});
  constexpr int kBudget = tol::kLineContactMaxPairs * kRunsPerPair * kVisitsPerRun;
  while (work_ < kBudget) {
    const bool fromPairs = !pairs.empty() && (heap_.empty() || pairs.top().bound <= heap_.front().bound);
    if (fromPairs) {
      const PairRank r = pairs.top();
      pairs.pop();
      if (!(r.bound < BestScore())) break;
      if (r.l + 1 < order2.size()) pairs.push({order1[r.k].first + order2[r.l + 1].first, r.k, r.l + 1});
      if (r.l == 0 && r.k + 1 < order1.size()) pairs.push({order1[r.k + 1].first + order2[0].first, r.k + 1, 0});
      const int i = order1[r.k].second, j = order2[r.l].second;
      Visit({r.bound, i, j, 0, {first_.Pieces()[static_cast<std::size_t>(i)].Controls(), 0, 1},
             {second_.Pieces()[static_cast<std::size_t>(j)].Controls(), 0, 1}});
      continue;
    }
    if (heap_.empty()) break;
    std::pop_heap(heap_.begin(), heap_.end(), Farther{});
    const Node n = heap_.back();
    heap_.pop_back();
    // Every contact still to be found scores at least this.
    if (!(n.bound < BestScore())) break;
    Visit(n);
  }
  return best_;
}

}  // namespace

std::optional<LineContact> FindLineContact(const PieceSource& first, PieceRef pick1, const PieceSource& second,
                                           PieceRef pick2, LineKind kind) {
  // Each path is read once; the same path picked twice is read once.
  const PieceCache cache1(first);
  const std::optional<PieceCache> cache2 =
      first.Identity() == second.Identity() ? std::nullopt : std::optional<PieceCache>(std::in_place, second);
  // Raises for a pick outside its path.
  return LineSearch(cache1, cache2 ? *cache2 : cache1, kind, pick1, pick2).Run(pick1, pick2);
}

}  // namespace geom
