// Wording of a layer failure for the one line a batch run prints.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace mapbasis {

// "cannot create the layer "<base path>" (status 121)".
std::string LayerOpenFailure(std::string_view basePath, std::int32_t status);

// "cannot write record 5 of the layer "<base path>" (status 803)".
std::string LayerWriteFailure(std::string_view basePath, std::int32_t record, std::int32_t status);

}  // namespace mapbasis
