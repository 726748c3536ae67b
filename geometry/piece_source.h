// Where the numeric searches read the pieces of a path from.
//
// The searches read pieces through this interface: one or two at a time where they need few,
// or a whole path at once (AllPieces, kept in a PieceCache for one query) where they pair many.
// The plug-in implements it over the host's path suite (each GetPiece reads at most two
// segments, AllPieces reads the path's segments in one call), tests and benchmarks use
// InMemoryPath.
#pragma once

#include <vector>

#include "geometry/segment_list.h"

namespace geom {

class PieceSource {
 public:
  virtual ~PieceSource() = default;
  // Number of pieces of the path.
  virtual int CountPieces() const = 0;
  // Piece i; raises (ParameterError, or the host's error) unless 0 <= i < CountPieces().
  virtual Bezier GetPiece(int i) const = 0;
  // Identifies the path: two sources with equal identities read the same path. Used to tell
  // whether two pieces are the same piece of the same path. Never dereferenced.
  virtual const void* Identity() const = 0;
  // Whether a search may read each piece once and keep it, instead of reading pieces where it
  // uses them: true only for sources whose pieces cannot change during a search and whose reads
  // have no cost or effect worth keeping (InMemoryPath). Host-backed sources keep the default
  // and are read per use.
  virtual bool PiecesMayBeKept() const { return false; }
  // Whether the path is closed: its last piece and piece 0 meet. Sources that cannot tell keep
  // the default, open.
  virtual bool Closed() const { return false; }
  // Every piece of the path in order, read with as few reads as the source can manage. The
  // default asks CountPieces() and then each piece; a source that can read a whole path at
  // once overrides it.
  virtual std::vector<Bezier> AllPieces() const;
};

// The pieces of another source, read once (AllPieces) when made and kept: a search that visits
// many pairs of pieces reads each path once per query instead of once per pair. Same identity
// as the source it was read from. Use it for one query only, so that it never outlives a change
// of the path (nor its source). Raises what the source's AllPieces raises.
class PieceCache final : public PieceSource {
 public:
  explicit PieceCache(const PieceSource& source)
      : pieces_(source.AllPieces()), identity_(source.Identity()), source_(source) {}

  int CountPieces() const override { return static_cast<int>(pieces_.size()); }
  Bezier GetPiece(int i) const override;
  const void* Identity() const override { return identity_; }
  bool PiecesMayBeKept() const override { return true; }
  std::vector<Bezier> AllPieces() const override { return pieces_; }
  // Asked of the source only when wanted: the searches that cache pieces need no closed flag.
  bool Closed() const override { return source_.Closed(); }

  const std::vector<Bezier>& Pieces() const { return pieces_; }

 private:
  std::vector<Bezier> pieces_;
  const void* identity_;
  const PieceSource& source_;
};

// A path held in memory: a segment list and a closed flag. Its identity is its own address.
class InMemoryPath final : public PieceSource {
 public:
  InMemoryPath(SegmentList segments, bool closed) : segments_(std::move(segments)), closed_(closed) {}

  int CountPieces() const override;
  Bezier GetPiece(int i) const override;
  const void* Identity() const override { return this; }
  bool PiecesMayBeKept() const override { return true; }

  const SegmentList& Segments() const { return segments_; }
  bool Closed() const override { return closed_; }

 private:
  SegmentList segments_;
  bool closed_;
};

// Piece indices visited outward from a picked piece: c, c+1, c-1, c+2, c-2, ..., skipping
// indices outside [0, count-1] (no wrap-around on closed paths), until all are listed.
// Raises ParameterError unless 0 <= picked < count.
std::vector<int> OutwardOrder(int picked, int count);

}  // namespace geom
