// The questions a user asks of the sheet grid before a sheet is made: which sheets hold a point
// (--find), and which sheets cover a region, as a layer (--index).
#pragma once

#include <ostream>
#include <span>
#include <string>

namespace mapbasis {

// mapbasis --find LAT LON: writes to `out`, one a line, the name of every sheet that holds the
// point as a parameter file's Nom takes it (geometry/sheet_finder.h gives the order). `args` are
// the arguments after --find, UTF-8. Exit status 0, or 8 with one line on `diagnostics` for a
// point outside the grid or arguments that are no point.
int RunFindCommand(std::span<const std::string> args, std::ostream& out, std::ostream& diagnostics);

// mapbasis --index SOUTH WEST NORTH EAST FOLDER [--scale 200|1000] [--cs CS]: writes the layer
// SheetIndex of the standard sheets of the series (200 by default) that cover the box into FOLDER,
// which is made when missing as a result folder is. Everything that can refuse the index is
// checked before the disk is touched, and the folder is locked while the layer is published.
// Exit status 0; 8 refused (the arguments, a box outside the grid or of too many sheets, the
// folder) with nothing changed; 16 the layer could not be written.
int RunIndexCommand(std::span<const std::string> args, std::ostream& diagnostics);

}  // namespace mapbasis
