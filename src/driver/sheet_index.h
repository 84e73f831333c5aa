// The layer SheetIndex: the sheets of one series that cover a box, each its trapezoid as a polygon
// with its own name and its four neighbours' names, written into a folder beside nothing else.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "core/named_path.h"
#include "core/outcome.h"
#include "geometry/sheet_finder.h"
#include "shapeout/sheet_files.h"

namespace mapbasis {

inline constexpr std::string_view kSheetIndexLayer = "SheetIndex";

// Why an index could not be made: its folder cannot take it (nothing was touched), or its layer
// could not be written.
enum class IndexFault { kFolderUnusable = 1, kNotWritten };

// The most sheets an index holds: enough for the sheets of any one region, not the whole grid.
// 5000 sheets of the 1:200 000 series cover some 40 by 20 degrees (the series has 11 880 sheets
// in all); the whole 1:1 000 000 grid, 330 sheets, fits. A larger index is too crowded to read
// and is more often a mistyped box (an edge given in the wrong hemisphere) than a wish; it is made
// in parts, or at 1:1 000 000.
inline constexpr std::size_t kMaxIndexSheets = 5000;

// The fields after Id, each C(20) in code page 1251: Name, then the neighbours west, east, north
// and south as the sheet's frame names them.
inline constexpr std::string_view kSheetIndexFieldNames[] = {"Name", "AdjWest", "AdjEast",
                                                             "AdjNorth", "AdjSouth"};

// Writes the layer for `folder` into `files`, in memory, with the projection text of CS and its
// style, which labels each sheet with its name. Each ring is densified as the sheet's HypsA is,
// clockwise from the north-west corner. It replaces the files of an old SheetIndex's shapefile
// family in any letter case (its spatial indexes, a .cpg, its style) all or nothing, as a sheet's
// layers do (publish/publish_sheet.h: PublishLayer, which refuses a folder that cannot take it
// with kFolderUnusable). kNotWritten when the layer could not be made.
Outcome WriteSheetIndex(std::span<const GridSheet> sheets, std::int32_t CS, const NamedPath& folder,
                        FileSets& files);

}  // namespace mapbasis
