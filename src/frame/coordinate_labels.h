// The coordinate labels beside the frame: the latitude of every graticule parallel to the left and
// right of the sheet (degrees above the line, minutes below it) and the longitude of every
// graticule meridian above and below the sheet (one text centred on the meridian). Each label is a
// FrameDig record: a line along the vertical middle of the text from its left end to its right
// end, with the text, the font and the size as attributes.
#pragma once

#include <span>
#include <string>

#include "core/outcome.h"
#include "core/vertex_work.h"
#include "frame/frame_args.h"
#include "frame/frame_output.h"
#include "frame/frame_style.h"

namespace mapbasis {

// The texts of an angle rounded to the whole minute: «52°», «05'», and for a longitude the
// hemisphere «В» (east) or «З» (west; 190° is written 170°), for a latitude a blank. cp1251.
struct CoordinateTexts {
  std::string degrees;
  std::string minutes;
  std::string hemisphere;
};
CoordinateTexts CoordinateLabelTexts(double value, bool longitude);

// Writes the labels of the parallels (south to north: west degree, west minute, east degree, east
// minute) and then of the meridians (west to east: north, then south) into FrameDig. A longitude
// label that would run into the latitude label at a corner of the sheet moves outward above (or
// below) it.
//
// Labels never print over each other. Where the labels along a side would come closer than
// 0.8 mm at the map scale (meridians converging in the far north at small scales, or a spacing
// refined by hand), only every k-th is written, counted from the west (or south) corner, k the
// smallest stride at which they stand clear; the label at the east (north) corner is written too,
// and the kept labels it would run into give way to it. The north and the south side are thinned
// each on its own; the west and the east side keep the same parallels. Where every label stands
// clear of the next, all are written. Status 0, or 2 when a record could not be written.
Outcome WriteCoordinateLabels(FrameRecords& out, const FrameStyle& style, const FrameArgs& args,
                              std::span<const double> ParallelLats,
                              std::span<const double> MeridianLons, VertexWork& work);

}  // namespace mapbasis
