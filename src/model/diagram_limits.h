// Bounds that every value read from outside (a diagram file, an undo step, the
// clipboard) is held to before any arithmetic is done with it. None of them is
// reached by a diagram drawn in the editor.
#pragma once

#include <algorithm>
#include <cstddef>

#include "platform/types.h"

// Positions and extents in diagram units: a hundred pages of the largest screens
// lie well inside, and sums and differences of two of them stay far from overflow.
constexpr int kMaxDiagramCoordinate = 1 << 22;

inline int ClampCoordinate(int v) {
  return std::clamp(v, -kMaxDiagramCoordinate, kMaxDiagramCoordinate);
}
inline CPoint ClampPoint(CPoint p) {
  return CPoint(ClampCoordinate(p.x), ClampCoordinate(p.y));
}
inline CSize ClampExtent(CSize s) {
  return CSize(ClampCoordinate(s.cx), ClampCoordinate(s.cy));
}

// Pages across or down that a diagram may span.
constexpr int kMaxDiagramPages = 100;

// The zoom factor of a document.
constexpr float kMinZoomFactor = 0.25f;
constexpr float kMaxZoomFactor = 4.0f;

// Characters of one comment's text. A longer text is refused where it is typed or
// pasted, and cut to this length (with a warning) where a file brings it.
constexpr int kMaxCommentChars = 100000;

// The largest diagram file the program reads; a document whose file would be larger
// is not saved.
constexpr size_t kMaxDiagramFileBytes = size_t{256} << 20;
