// Writing one point, single-part polyline or single-ring polygon with its attribute record.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "core/outcome.h"
#include "shapeout/layer_files.h"

namespace mapbasis {

// Why a shape writer wrote no shape. 804 is ours: the shape itself could not be created or
// appended.
enum class ShapeFault {
  kValueRefused = 122,   // shapelib refused a value of the record
  kMalformedText = 803,  // the attribute text lacks a value or holds no number where one goes
  kNotWritten = 804,
};

// What failed, in words: "a value of its record was refused".
std::string ShapeFaultText(ShapeFault fault);

// Each writer first increments the layer's record and Id counters, writes the record (see
// WriteAttributeRecord for the attribute text), and only when that succeeded appends the shape. The
// vertices are taken as given: a polygon ring must arrive closed and in the wanted orientation.
// A shape that the layer cannot take (another shape type, unequal coordinate arrays) is refused
// with kNotWritten before its record is written, so that record r and shape r stay paired. No
// fault when the shape and its record were written.
Fault WritePointShape(Layer& layer, std::string_view attributes, double x, double y);
Fault WriteLineShape(Layer& layer, std::string_view attributes, std::span<const double> x,
                     std::span<const double> y);
Fault WritePolygonShape(Layer& layer, std::string_view attributes, std::span<const double> x,
                        std::span<const double> y);

}  // namespace mapbasis
