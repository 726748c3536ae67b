#include "host/model/Transform.h"

#include <cmath>
#include <vector>

#include "host/core/HostError.h"

namespace host::model {

namespace {

void TransformOne(Art& art, const Matrix& m, double lineScale, int32_t flags) {
  if (flags & kTransformObjects) {
    for (Segment& s : art.segments) {
      s.p = Apply(m, s.p);
      s.in = Apply(m, s.in);
      s.out = Apply(m, s.out);
    }
    if (art.type() == ArtType::Placed || art.type() == ArtType::Raster) art.matrix = Then(art.matrix, m);
  }
  if (flags & kScaleLines) art.paint.strokeWidth *= std::abs(lineScale);
}

void TransformTree(Document& doc, ArtId id, const Matrix& m, double lineScale, int32_t flags) {
  Art& art = doc.art(id);
  if (!art.isContainer()) {
    TransformOne(art, m, lineScale, flags);
    return;
  }
  if (!(flags & kTransformChildren)) return;
  const std::vector<ArtId> members = art.children();
  for (ArtId member : members) TransformTree(doc, member, m, lineScale, flags);
}

}  // namespace

void TransformArt(Document& doc, ArtId id, const Matrix& m, double lineScale, int32_t flags) {
  if (!IsFinite(m) || !std::isfinite(lineScale)) throw HostError(kBadParameterErr, "transform with a non-finite value");
  TransformTree(doc, id, m, lineScale, flags);
}

}  // namespace host::model
