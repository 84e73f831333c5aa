// One attribute record: Id, then the values of the attribute text in the layer's field order.
#include "shapeout/record_writer.h"

#include <optional>
#include <string>

#include "core/fixed_text.h"
#include "shapeout/attribute_text.h"

namespace mapbasis {

namespace {

// Writes one value into table field `field`. Nothing when the text is no number of the field's
// kind; otherwise whether shapelib took the value (it refuses a value too wide for the field).
std::optional<bool> WriteValue(Layer& layer, int row, int field, std::int32_t type,
                               std::string_view value) {
  switch (type) {
    case kFieldString: return layer.WriteString(row, field, TrimTrailingBlanks(value));
    case kFieldInteger: {
      const std::optional<std::int32_t> number = ReadIntegerValue(value);
      if (!number) return std::nullopt;
      return layer.WriteInteger(row, field, *number);
    }
    case kFieldDouble: {
      const std::optional<double> number = ReadDoubleValue(value);
      if (!number) return std::nullopt;
      return layer.WriteDouble(row, field, *number);
    }
    default:  // a field of another kind keeps its value unwritten
      return true;
  }
}

}  // namespace

Fault WriteAttributeRecord(Layer& layer, std::int32_t record, std::int32_t id,
                           std::string_view attributes) {
  if (!layer.IsOpen() || record < 1) return RecordFault::kValueRefused;
  const int row = record - 1;  // the table counts records from 0
  if (!layer.WriteInteger(row, 0, id)) return RecordFault::kValueRefused;

  const std::span<const FieldDef> fields = layer.Fields();
  AttributeValues values(attributes);
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const std::optional<std::string_view> value = values.Next();
    if (!value) return RecordFault::kMalformed;
    const int field = static_cast<int>(i) + 1;  // field 0 is Id
    const std::optional<bool> written = WriteValue(layer, row, field, fields[i].spec.type, *value);
    if (!written) return RecordFault::kMalformed;
    if (!*written) return RecordFault::kValueRefused;
  }
  return {};
}

}  // namespace mapbasis
