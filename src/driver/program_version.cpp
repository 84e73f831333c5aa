#include "driver/program.h"

namespace mapbasis {

// The build defines MAPBASIS_VERSION for this file alone (src/CMakeLists.txt).
std::string_view ProgramVersion() { return MAPBASIS_VERSION; }

}  // namespace mapbasis
