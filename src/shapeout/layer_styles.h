// The style that a producer hands to each layer it writes: a text file published beside the layer
// as <layer>.qml, which QGIS loads as the layer's default style.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace mapbasis {

// The style of the layer of that name; empty for none. An empty LayerStyles gives no style at all.
using LayerStyles = std::function<std::string(std::string_view layerName)>;

}  // namespace mapbasis
