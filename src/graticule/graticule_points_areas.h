// The HypsA and HypsP layers, and the entry of the graticule layers.
//
// HypsA holds one polygon, the result trapezoid, named by the sheet. HypsP holds the nodes of a
// fine latitude-longitude grid inside the trapezoid (edges included), rows from south to north and
// west to east within a row, each labelled with its latitude and longitude in degrees, minutes
// and seconds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/outcome.h"
#include "core/vertex_work.h"
#include "graticule/graticule_args.h"

namespace mapbasis {

// «  54°05'00"»: degrees right-justified in four characters, minutes and seconds in two digits,
// rounded to the whole second. No hemisphere: 186.5 gives 186°30'00".
std::string FormatDegreesMinutesSeconds(double angle);

// The attribute text of a node: L_code -1, Lat and Lon.
std::string NodeAttributes(double lat, double lon);

// Writes HypsA, then HypsP with nodes every sLon x sLat on the grid anchored at BaseWest and
// BaseSouth.
Outcome WriteAreaAndNodes(const GraticuleArgs& args, double sLon, double sLat, VertexWork& work);

// Writes HypsA, HypsP and HypsL, in that order, into the HYPS folder. The nodes lie every
// 7'30" x 5' for a sheet of the 1:200 000 series and every 15' x 10' for the 1:1 000 000 series.
// A layer that fails ends it with its GraticuleFault.
Outcome WriteGraticuleLayers(const GraticuleArgs& args, VertexWork& work,
                             std::vector<double>& ParallelLats, std::vector<double>& MeridianLons);

}  // namespace mapbasis
