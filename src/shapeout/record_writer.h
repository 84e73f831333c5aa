// One attribute record written from its compact text form.
//
// The attribute text holds the values of one record in field order (Id excepted), each followed
// by a backslash: "-1\N-37-XIV\". Leading blanks of each value are dropped, and trailing blanks of
// character values; a value is at most 256 characters; anything after the last field's backslash
// is ignored. Numbers may use a decimal comma.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/outcome.h"
#include "shapeout/layer_files.h"

namespace mapbasis {

// Why WriteAttributeRecord did not write the whole record.
enum class RecordFault {
  kValueRefused = 1,  // shapelib refused a value
  kMalformed = 2,     // a value lacks its backslash or is no number
};

// Writes table record `record` (1-based; stored as the table's row record - 1) of the layer with
// Id and the values of the attribute text for the layer's fields. A failure part-way leaves the
// record with the values written so far.
Fault WriteAttributeRecord(Layer& layer, std::int32_t record, std::int32_t id,
                           std::string_view attributes);

}  // namespace mapbasis
