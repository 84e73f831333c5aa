// One attribute record: Id, then the values of the attribute text in the layer's field order.
#include <optional>
#include <string>

#include "driver/fixed_text.h"
#include "shapeout/attribute_text.h"
#include "shapeout/shape_writers.h"

namespace mapbasis {

namespace {

// Writes one value into table field `field`. Nothing when the text is no number of the field's
// kind; otherwise whether shapelib took the value (it refuses a value too wide for the field).
std::optional<bool> WriteValue(DBFHandle table, int row, int field, std::int32_t type,
                               std::string_view value) {
  switch (type) {
    case kFieldString:
      return DBFWriteStringAttribute(table, row, field,
                                     std::string(TrimTrailingBlanks(value)).c_str()) != 0;
    case kFieldInteger: {
      const std::optional<std::int32_t> number = ReadIntegerValue(value);
      if (!number) return std::nullopt;
      return DBFWriteIntegerAttribute(table, row, field, *number) != 0;
    }
    case kFieldDouble: {
      const std::optional<double> number = ReadDoubleValue(value);
      if (!number) return std::nullopt;
      return DBFWriteDoubleAttribute(table, row, field, *number) != 0;
    }
    default:  // a field of another kind keeps its value unwritten
      return true;
  }
}

}  // namespace

std::int32_t WRITERECDBF(DBFHandle table, std::int32_t record, std::int32_t id,
                         std::string_view attributes, std::span<const FieldDef> fields) {
  if (table == nullptr || record < 1) return kRecordValueRefused;
  const int row = record - 1;  // shapelib counts records from 0
  if (DBFWriteIntegerAttribute(table, row, 0, id) == 0) return kRecordValueRefused;

  AttributeValues values(attributes);
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const std::optional<std::string_view> value = values.Next();
    if (!value) return kRecordMalformed;
    const int field = static_cast<int>(i) + 1;  // field 0 is Id
    const std::optional<bool> written = WriteValue(table, row, field, fields[i].spec.type, *value);
    if (!written) return kRecordMalformed;
    if (!*written) return kRecordValueRefused;
  }
  return kRecordWritten;
}

}  // namespace mapbasis
