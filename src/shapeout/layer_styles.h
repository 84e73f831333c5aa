// The style that a producer hands to each layer it writes: a text file published beside the layer
// as <layer>.qml, which QGIS loads as the layer's default style.
#pragma once

#include <functional>
#include <string>

namespace mapbasis {

struct LayerSpec;

// The style of a layer of the catalogue; empty for none. An empty LayerStyles gives no style at
// all.
using LayerStyles = std::function<std::string(const LayerSpec& layer)>;

}  // namespace mapbasis
