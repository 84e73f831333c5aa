// What the run driver and the dialogs both say, written once at the boundary between them: the
// line break of a message box. The names of the coordinate systems and of the map scales are the
// tables' (core/coordinate_systems.h, core/map_scales.h).
#pragma once

namespace mapbasis {

// The lines of a message box are separated by carriage returns; each face of the dialogs turns
// them into its own line breaks.
inline constexpr char kMessageLineBreak = '\r';

}  // namespace mapbasis
