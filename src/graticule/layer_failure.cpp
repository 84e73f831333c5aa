#include "graticule/layer_failure.h"

namespace mapbasis {

std::string LayerOpenFailure(std::string_view basePath, std::int32_t status) {
  return "cannot create the layer \"" + std::string(basePath) + "\" (status " +
         std::to_string(status) + ")";
}

std::string LayerWriteFailure(std::string_view basePath, std::int32_t record, std::int32_t status) {
  return "cannot write record " + std::to_string(record) + " of the layer \"" +
         std::string(basePath) + "\" (status " + std::to_string(status) + ")";
}

}  // namespace mapbasis
