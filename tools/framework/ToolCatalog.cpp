#include "tools/framework/ToolCatalog.h"

#include <iterator>

#include "tools/circles/ToolCircle23.h"
#include "tools/framework/CatalogTools.h"

namespace Tools {

namespace {

// Default snapping: anchors, handle ends, outlines, midpoints, the custom
// constraints, and the host's own letters.
constexpr const char* kDefaultSnap = "ATFPLM v i o";

// Tooltips as GBK bytes; each comment gives the text they decode to.
constexpr ToolIdentity kIdentities[] = {
    // 圆形通过2到3个点
    {"QM Circle by 2 or 3 points", "\xd4\xb2\xd0\xce\xcd\xa8\xb9\xfd\x32\xb5\xbd\x33\xb8\xf6\xb5\xe3", 16052, 1,
     kDefaultSnap},
    // 切线圆; the tangent circle drives its own snapping-free gesture
    {"QM Tangent Circle", "\xc7\xd0\xcf\xdf\xd4\xb2", 16051, 1, nullptr},
    // 弧度圆形
    {"QM Curvature circle", "\xbb\xa1\xb6\xc8\xd4\xb2\xd0\xce", 16054, 1, "ATFPv i o"},
    // 弧形通过三点
    {"QM Arc by three points", "\xbb\xa1\xd0\xce\xcd\xa8\xb9\xfd\xc8\xfd\xb5\xe3", 16061, 1, kDefaultSnap},
    // 弧形起点-终点-方向
    {"QM Arc start-end-direction",
     "\xbb\xa1\xd0\xce\xc6\xf0\xb5\xe3\x2d\xd6\xd5\xb5\xe3\x2d\xb7\xbd\xcf\xf2", 16062, 1, kDefaultSnap},
    // 线相切的两条路径
    {"QM Tangent Line", "\xcf\xdf\xcf\xe0\xc7\xd0\xb5\xc4\xc1\xbd\xcc\xf5\xc2\xb7\xbe\xb6", 16065, 2, kDefaultSnap},
    // 垂直的两个路径线
    {"QM Perpendicular Line", "\xb4\xb9\xd6\xb1\xb5\xc4\xc1\xbd\xb8\xf6\xc2\xb7\xbe\xb6\xcf\xdf", 16066, 2,
     kDefaultSnap},
    // 切线路径
    {"QM Tangent to", "\xc7\xd0\xcf\xdf\xc2\xb7\xbe\xb6", 16067, 2, kDefaultSnap},
    // 垂直的路径线
    {"QM Perpendicular to", "\xb4\xb9\xd6\xb1\xb5\xc4\xc2\xb7\xbe\xb6\xcf\xdf", 16068, 2, kDefaultSnap},
    // 从路径切线
    {"QM tangent line from", "\xb4\xd3\xc2\xb7\xbe\xb6\xc7\xd0\xcf\xdf", 16069, 2, kDefaultSnap},
    // 从路径垂直线
    {"QM perpendicular line from", "\xb4\xd3\xc2\xb7\xbe\xb6\xb4\xb9\xd6\xb1\xcf\xdf", 16070, 2, kDefaultSnap},
    // 连接
    {"QM Connect", "\xc1\xac\xbd\xd3", 16058, 3, "Av"},
    // 拉直; its snapping follows its state (ToolStraighten::SnapControl)
    {"QM Straighten", "\xc0\xad\xd6\xb1", 16064, 3, nullptr},
    // 定向
    {"QM Orient", "\xb6\xa8\xcf\xf2", 16063, 4, kDefaultSnap},
};
static_assert(std::size(kIdentities) == kToolCount);

// Each factory makes one row's object; the order is the registration order.
using Factory = BaseTool* (*)();
constexpr Factory kFactories[] = {
    [] () -> BaseTool* { return new ToolCircle23(); },
    [] () -> BaseTool* { return new ToolCircleTTR(); },
    [] () -> BaseTool* { return new ToolCurvature(); },
    [] () -> BaseTool* { return new ToolArc3Pt(); },
    [] () -> BaseTool* { return new ToolArcSED(); },
    [] () -> BaseTool* { return new ToolLineTT(); },
    [] () -> BaseTool* { return new ToolLinePP(); },
    [] () -> BaseTool* { return new ToolTangentTo(); },
    [] () -> BaseTool* { return new ToolPerpTo(); },
    [] () -> BaseTool* { return new ToolTanPerpFrom(ToolTanPerpFrom::Mode::Tangent); },
    [] () -> BaseTool* { return new ToolTanPerpFrom(ToolTanPerpFrom::Mode::Perpendicular); },
    [] () -> BaseTool* { return new ToolJoin(); },
    [] () -> BaseTool* { return new ToolStraighten(); },
    [] () -> BaseTool* { return new ToolOrient2(); },
};
static_assert(std::size(kFactories) == kToolCount);

}  // namespace

const ToolIdentity& IdentityOf(ToolId id) { return kIdentities[static_cast<std::size_t>(id)]; }

void CreateTools(ToolTable& tools, AnnotatorTable& annotators) {
  try {
    for (std::size_t i = 0; i < kToolCount; ++i) {
      BaseTool* tool = kFactories[i]();
      tools[i].tool = tool;
      annotators[i].tool = tool;
    }
  } catch (...) {
    DestroyTools(tools, annotators);
    throw;
  }
}

void DestroyTools(ToolTable& tools, AnnotatorTable& annotators) noexcept {
  for (std::size_t i = 0; i < kToolCount; ++i) {
    delete tools[i].tool;
    tools[i].tool = nullptr;
    annotators[i].tool = nullptr;
  }
}

}  // namespace Tools
