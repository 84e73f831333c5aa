// Writing one point, single-part polyline or single-ring polygon with its attribute record.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "shapeout/layer_files.h"

namespace mapbasis {

// Status of the shape writers. 804 is ours: the shape itself could not be created or appended.
inline constexpr std::int32_t kShapeWritten = 0;
inline constexpr std::int32_t kShapeValueRefused = 122;
inline constexpr std::int32_t kShapeMalformedText = 803;
inline constexpr std::int32_t kShapeNotWritten = 804;

// Each writer first increments the layer's record and Id counters, writes the record (see
// WriteAttributeRecord for the attribute text), and only when that succeeded appends the shape. The
// vertices are taken as given: a polygon ring must arrive closed and in the wanted orientation.
// A shape that the layer cannot take (another shape type, unequal coordinate arrays) is refused
// with 804 before its record is written, so that record r and shape r stay paired.
std::int32_t WritePointShape(Layer& layer, std::string_view attributes, double x, double y);
std::int32_t WriteLineShape(Layer& layer, std::string_view attributes, std::span<const double> x,
                            std::span<const double> y);
std::int32_t WritePolygonShape(Layer& layer, std::string_view attributes, std::span<const double> x,
                               std::span<const double> y);

}  // namespace mapbasis
