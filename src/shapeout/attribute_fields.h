// Declarations of attribute fields.
#pragma once

#include <cstdint>
#include <string>

namespace mapbasis {

// shapelib's field types.
inline constexpr std::int32_t kFieldString = 0;   // FTString, a character field
inline constexpr std::int32_t kFieldInteger = 1;  // FTInteger, numeric without decimals
inline constexpr std::int32_t kFieldDouble = 2;   // FTDouble, numeric with decimals

struct FieldSpec {
  std::int32_t type = kFieldString;
  std::int32_t width = 0;
  std::int32_t decimals = 0;
};

// One field of a layer: a name of at most 10 characters (the dBASE limit), its type and its size.
struct FieldDef {
  std::string name;
  FieldSpec spec;
};

}  // namespace mapbasis
