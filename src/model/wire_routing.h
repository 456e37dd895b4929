// Routing of a wire's orthogonal polyline when one of its ends moves: the end
// is moved and its neighbour follows, a wire that leaves a pin the wrong way
// gets a detour, straight runs are merged, long paths are cut back and folded
// paths are drawn afresh between the two ends.
//
// Coordinates come from files and may be anything; the arithmetic is done in
// 64 bits and clamped back to int.
#pragma once

#include "platform/types.h"

class CConnectLineObj;

// legMode of RouteConnection and AdjustConnectionEnd.
constexpr int kLegNone = 0;    // no detour
constexpr int kLegOutput = 1;  // the moved end sits on an output pin: the wire must leave to the right
constexpr int kLegInput = 2;   // the moved end sits on an input pin: the wire must leave to the left

// Moves one end of the wire to (x, y) and re-routes it: the end point and the
// end's neighbour follow (a two-point wire becomes a four-point one with its
// bend half way), then AdjustConnectionEnd and SimplifyConnectionPath run. A
// wire with fewer than two points first takes its two end points. Null is ignored.
void RouteConnection(CConnectLineObj* wire, int x, int y, BOOL atStart, int legMode);

// Makes the wire leave the moved end's pin in the pin's direction: when the
// first leg runs the wrong way it goes out 10 units, turns to a detour height
// and comes back over the neighbour. Nothing for kLegNone or a wire with fewer
// than three points (the neighbour would be the other end).
void AdjustConnectionEnd(CConnectLineObj* wire, BOOL atStart, int legMode);

// Tidies the polyline: removes the middle one of three points in a straight
// run, cuts a path of more than six points back to six, and re-routes a path
// of five or more points that folds back on itself. Null is ignored.
void SimplifyConnectionPath(CConnectLineObj* wire);

// Whether four consecutive points of a path fold back on themselves (a U-turn
// between two vertical pairs, or a narrow step that is not one of the path's
// end points). last and first are the path's end points.
BOOL IsPathFolded(const CPoint window[4], CPoint last, CPoint first);

// Draws a fresh route between the wire's two ends (one on an input pin, one
// on an output pin); wires without exactly one input end and one output end
// keep their polyline.
void RebuildConnectionPath(CConnectLineObj* wire);
