// Closed outlines around the sheet at a distance on the map: the minute band's boundaries and the
// outer frame lines. An outline is a ring clockwise from its north-west corner: north edge west to
// east, east edge down, south edge back west, west edge up. Each edge is lengthened by the
// distance at both ends, so that consecutive edges meet at the outline's corners.
#pragma once

#include <cstdint>

#include "core/outcome.h"
#include "core/vertex_work.h"
#include "frame/frame_args.h"
#include "frame/frame_output.h"
#include "frame/map_offsets.h"

namespace mapbasis {

// Appends the edge along the parallel lat, off mm north (or south) of it, from lonA to lonB
// lengthened by off mm at both ends; its vertices lie on the grid lonA + k * step. Without
// keepLast the edge's last vertex (the next edge's first) is left out. Returns the count appended.
std::int32_t AppendOuterFrameParallelEdge(double off, const PrintedMap& map, bool north, double lat,
                                          double lonA, double lonB, double step, bool keepLast,
                                          VertexWork& work);

// The same along the meridian lon, off mm east (or west) of it, from latA to latB; vertices on
// the grid latA + k * step.
std::int32_t AppendOuterFrameMeridianEdge(double off, const PrintedMap& map, bool east, double lon,
                                          double latA, double latB, double step, bool keepLast,
                                          VertexWork& work);

// Appends the closed outline off mm outside the trapezoid; returns its vertex count.
std::int32_t AppendOuterFrameOutline(double off, const PrintedMap& map, double xFrom, double xTo,
                                     double lonStep, double yFrom, double yTo, double latStep,
                                     VertexWork& work);

// Writes the outline off mm outside the result trapezoid into the Frame layer with `code`.
Outcome AddOuterFrameOutline(FrameOutput& out, std::int32_t code, double off, const PrintedMap& map,
                             const FrameArgs& args, VertexWork& work);

}  // namespace mapbasis
