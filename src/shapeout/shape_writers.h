// Writing records: one attribute record from its compact text form, and one point, single-part
// polyline or single-ring polygon with its record.
//
// The attribute text holds the values of one record in field order (Id excepted), each followed
// by a backslash: "-1\N-37-XIV\". Leading blanks of each value are dropped, and trailing blanks of
// character values; a value is at most 256 characters; anything after the last field's backslash
// is ignored. Numbers may use a decimal comma.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "shapeout/layer_files.h"

namespace mapbasis {

// Status of WRITERECDBF.
inline constexpr std::int32_t kRecordWritten = 0;
inline constexpr std::int32_t kRecordValueRefused = 1;  // shapelib refused a value
inline constexpr std::int32_t kRecordMalformed = 2;     // a value lacks its backslash or is no number

// Status of the shape writers. 804 is ours: the shape itself could not be created or appended.
inline constexpr std::int32_t kShapeWritten = 0;
inline constexpr std::int32_t kShapeValueRefused = 122;
inline constexpr std::int32_t kShapeMalformedText = 803;
inline constexpr std::int32_t kShapeNotWritten = 804;

// Writes table record `record` (1-based; stored as shapelib's record - 1) with Id and the values of
// the attribute text for the given fields. A failure part-way leaves the record with the values
// written so far.
std::int32_t WRITERECDBF(DBFHandle table, std::int32_t record, std::int32_t id,
                         std::string_view attributes, std::span<const FieldDef> fields);

// Each writer first increments the layer's record and Id counters, writes the record, and only
// when that succeeded appends the shape. The vertices are taken as given: a polygon ring must
// arrive closed and in the wanted orientation.
std::int32_t WRITEPOINT(Layer& layer, std::string_view attributes, double x, double y);
std::int32_t WRITESIMPLELINE(Layer& layer, std::string_view attributes, std::span<const double> x,
                             std::span<const double> y);
std::int32_t WRITESIMPLEPOLYGON(Layer& layer, std::string_view attributes,
                                std::span<const double> x, std::span<const double> y);

}  // namespace mapbasis
