// Every tool of the plug-in, one row each, in registration order (the order
// of the host's palette and of the routing tables).  The row is the tool's
// whole identity; ToolCatalog expands it into the registration table and the
// factories, so a new tool needs one line here.
//
// Every tool is in tool group 1 and registers with options 1.  Toolsets:
// 1 circles and arcs, 2 lines, 3 path editing, 4 orient.  Titles are ASCII;
// tooltips are GBK (code page 936) bytes, each commented with the text they
// decode to.
#pragma once

#include "resources/ResourceIds.h"
#include "tools/arcs/ToolArc3Pt.h"
#include "tools/arcs/ToolArcSED.h"
#include "tools/circles/ToolCircle23.h"
#include "tools/circles/ToolCircleTTR.h"
#include "tools/circles/ToolCurvature.h"
#include "tools/edit/ToolJoin.h"
#include "tools/edit/ToolOrient2.h"
#include "tools/edit/ToolStraighten.h"
#include "tools/lines/ToolLinePP.h"
#include "tools/lines/ToolLineTT.h"
#include "tools/lines/ToolPerpTo.h"
#include "tools/lines/ToolTanPerpFrom.h"
#include "tools/lines/ToolTangentTo.h"

// X(Id, Title, Tooltip, IconId, Options, Group, Toolset, SnapControl, Factory)
// SnapControl null: no snapping (the tangent circle snaps nothing; Straighten
// chooses by its state).  Factory: MakeTool<Class, extra constructor args...>.
#define CORVANE_TOOLS(X)                                                                                        \
  /* 圆形通过2到3个点 */                                                                                        \
  X(Circle23, "QM Circle by 2 or 3 points",                                                                      \
    "\xd4\xb2\xd0\xce\xcd\xa8\xb9\xfd\x32\xb5\xbd\x33\xb8\xf6\xb5\xe3", corvane::ids::kIconCircle23, 1, 1, 1,      \
    kDefaultSnapControl, MakeTool<ToolCircle23>)                                                                 \
  /* 切线圆 */                                                                                                  \
  X(CircleTTR, "QM Tangent Circle", "\xc7\xd0\xcf\xdf\xd4\xb2", corvane::ids::kIconTangentCircle, 1, 1, 1,      \
    nullptr, MakeTool<ToolCircleTTR>)                                                                            \
  /* 弧度圆形 */                                                                                                \
  X(Curvature, "QM Curvature circle", "\xbb\xa1\xb6\xc8\xd4\xb2\xd0\xce", corvane::ids::kIconCurvature, 1, 1, 1, \
    "ATFPv i o", MakeTool<ToolCurvature>)                                                                        \
  /* 弧形通过三点 */                                                                                            \
  X(Arc3Pt, "QM Arc by three points", "\xbb\xa1\xd0\xce\xcd\xa8\xb9\xfd\xc8\xfd\xb5\xe3",                        \
    corvane::ids::kIconArc3Pt, 1, 1, 1, kDefaultSnapControl, MakeTool<ToolArc3Pt>)                               \
  /* 弧形起点-终点-方向 */                                                                                      \
  X(ArcSED, "QM Arc start-end-direction",                                                                        \
    "\xbb\xa1\xd0\xce\xc6\xf0\xb5\xe3\x2d\xd6\xd5\xb5\xe3\x2d\xb7\xbd\xcf\xf2", corvane::ids::kIconArcSED, 1, 1, 1, \
    kDefaultSnapControl, MakeTool<ToolArcSED>)                                                                   \
  /* 线相切的两条路径 */                                                                                        \
  X(LineTT, "QM Tangent Line", "\xcf\xdf\xcf\xe0\xc7\xd0\xb5\xc4\xc1\xbd\xcc\xf5\xc2\xb7\xbe\xb6",               \
    corvane::ids::kIconLineTT, 1, 1, 2, kDefaultSnapControl, MakeTool<ToolLineTT>)                               \
  /* 垂直的两个路径线 */                                                                                        \
  X(LinePP, "QM Perpendicular Line", "\xb4\xb9\xd6\xb1\xb5\xc4\xc1\xbd\xb8\xf6\xc2\xb7\xbe\xb6\xcf\xdf",         \
    corvane::ids::kIconLinePP, 1, 1, 2, kDefaultSnapControl, MakeTool<ToolLinePP>)                               \
  /* 切线路径 */                                                                                                \
  X(TangentTo, "QM Tangent to", "\xc7\xd0\xcf\xdf\xc2\xb7\xbe\xb6", corvane::ids::kIconTangentTo, 1, 1, 2,      \
    kDefaultSnapControl, MakeTool<ToolTangentTo>)                                                                \
  /* 垂直的路径线 */                                                                                            \
  X(PerpTo, "QM Perpendicular to", "\xb4\xb9\xd6\xb1\xb5\xc4\xc2\xb7\xbe\xb6\xcf\xdf", corvane::ids::kIconPerpTo, \
    1, 1, 2, kDefaultSnapControl, MakeTool<ToolPerpTo>)                                                          \
  /* 从路径切线 */                                                                                              \
  X(TangentFrom, "QM tangent line from", "\xb4\xd3\xc2\xb7\xbe\xb6\xc7\xd0\xcf\xdf",                             \
    corvane::ids::kIconTangentFrom, 1, 1, 2, kDefaultSnapControl,                                                \
    (MakeTool<ToolTanPerpFrom, ToolTanPerpFrom::Mode::Tangent>))                                                 \
  /* 从路径垂直线 */                                                                                            \
  X(PerpFrom, "QM perpendicular line from", "\xb4\xd3\xc2\xb7\xbe\xb6\xb4\xb9\xd6\xb1\xcf\xdf",                  \
    corvane::ids::kIconPerpFrom, 1, 1, 2, kDefaultSnapControl,                                                   \
    (MakeTool<ToolTanPerpFrom, ToolTanPerpFrom::Mode::Perpendicular>))                                           \
  /* 连接 */                                                                                                    \
  X(Join, "QM Connect", "\xc1\xac\xbd\xd3", corvane::ids::kIconConnect, 1, 1, 3, "Av", MakeTool<ToolJoin>)       \
  /* 拉直 */                                                                                                    \
  X(Straighten, "QM Straighten", "\xc0\xad\xd6\xb1", corvane::ids::kIconStraighten, 1, 1, 3, nullptr,            \
    MakeTool<ToolStraighten>)                                                                                    \
  /* 定向 */                                                                                                    \
  X(Orient, "QM Orient", "\xb6\xa8\xcf\xf2", corvane::ids::kIconOrient, 1, 1, 4, kDefaultSnapControl,           \
    MakeTool<ToolOrient2>)
