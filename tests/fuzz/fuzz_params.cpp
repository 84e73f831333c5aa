// Feeds arbitrary bytes to everything that reads text typed by people: the parameter-file reader,
// the sheet-name parser and the angle and minute parsers. Whatever they accept must format and
// read back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/angle_format.h"
#include "core/sheet_parameters.h"
#include "geometry/sheet_grid.h"
#include "params/angle_texts.h"
#include "params/nomenclature_parser.h"
#include "params/param_file.h"
#include "platform/files.h"

namespace {

void Check(bool holds) {
  if (!holds) std::abort();
}

void ReadAsParameterFile(std::string_view text) {
  mapbasis::SheetParameters p;
  const mapbasis::Outcome read = mapbasis::ReadParamText(text, "fuzz", p);
  const std::int32_t status = read.fault.code();
  Check(status == 0 || (status >= 3 && status <= 6));
  Check(status == p.Status);
  Check((status == 0) == read.reason.empty());
  if (status == 0) {
    Check(p.Path.size() >= 3 && p.Path.size() <= mapbasis::kPathLength);
    Check(p.Path.back() == mapbasis::platform::kPathSeparator);
    Check(p.MapScale >= 0 && p.MapScale <= 2);
    Check(p.CS >= 1 && p.CS <= 3);
    Check(p.xMinute >= 1 && p.xMinute <= 59 && p.yMinute >= 1 && p.yMinute <= 59);
    Check(p.MeridianStep > 0.0 && p.ParallelStep > 0.0);
  }
}

void ReadAsSheetName(std::string_view text) {
  mapbasis::SheetParameters p;
  if (mapbasis::ParseSheetName(text, p) == 0) {
    Check(p.MillionSeries == 0 || p.MillionSeries == 1);
    Check(p.Belt >= 1 && p.Belt <= 11);
    Check(p.BaseWest < p.BaseEast && p.BaseSouth < p.BaseNorth);
    // The names the program writes for the sheet read back as the same sheet: the one --find
    // prints always, the one the frame writes where the program names that kind in the belt.
    const mapbasis::GridSheet sheet = mapbasis::GridSheetOf(p);
    mapbasis::SheetParameters back;
    Check(mapbasis::ParseSheetName(mapbasis::NomTextOf(sheet), back) == 0);
    Check(mapbasis::GridSheetOf(back) == sheet);
    if (mapbasis::IsKindNamedInBelt(sheet.series, sheet.belt, sheet.joined)) {
      Check(mapbasis::ParseSheetName(mapbasis::SheetNameOf(sheet), back) == 0);
      Check(mapbasis::GridSheetOf(back) == sheet);
    }
  } else {
    Check(p.MillionSeries == mapbasis::kRejected);
  }
}

void ReadAsAngles(std::string_view text) {
  if (const auto angle = mapbasis::ParseDegreesMinutes(text)) {
    Check(*angle >= 0.0);
    const auto back = mapbasis::ParseDegreesMinutes(mapbasis::FormatDegreesMinutes(*angle));
    Check(back.has_value() && *back == *angle);
  }
  if (const auto minutes = mapbasis::ParseWholeMinutes(text)) {
    Check(*minutes >= 0 && *minutes <= 59);
    Check(mapbasis::ParseWholeMinutes(mapbasis::FormatMinutes(*minutes)) == minutes);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  ReadAsParameterFile(text);
  ReadAsSheetName(text);
  ReadAsAngles(text);
  return 0;
}
