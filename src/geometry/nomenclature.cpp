#include "geometry/nomenclature.h"

#include <string_view>

namespace mapbasis {

namespace {

constexpr std::string_view kBeltLetters = "VUTSRQPONMLKJ";
constexpr std::string_view kUnits[10] = {"", "I", "II", "III", "IV", "V", "VI", "VII", "VIII", "IX"};

std::string ZoneText(std::int32_t zone) {
  std::string text = std::to_string(zone);
  return text.size() < 2 ? "0" + text : text;
}

std::string BeltLetter(std::int32_t belt) {
  if (belt < 0 || belt >= static_cast<std::int32_t>(kBeltLetters.size())) return "?";
  return std::string(1, kBeltLetters[static_cast<std::size_t>(belt)]);
}

// Sub-row (0 = northernmost) and column (0 = westernmost) of a 1:200 000 sheet.
struct RowColumn {
  std::int32_t row, column;
};
RowColumn RowColumnOf(std::int32_t sheet) {
  const std::int32_t row = (sheet - 1) / 6;
  return {row, sheet - 6 * row - 1};
}

}  // namespace

std::int32_t PLUSXZONE(std::int32_t zone) { return zone >= 60 ? 1 : zone + 1; }

std::int32_t MINUSXZONE(std::int32_t zone) { return zone <= 1 ? 60 : zone - 1; }

ZoneSheet ADJACENTXZONE200(bool east, std::int32_t zone, std::int32_t sheet) {
  auto [row, column] = RowColumnOf(sheet);
  column += east ? 1 : -1;
  if (column > 5) {
    zone = PLUSXZONE(zone);
    column = 0;
  } else if (column < 0) {
    zone = MINUSXZONE(zone);
    column = 5;
  }
  return {zone, 6 * row + column + 1};
}

BeltSheet ADJACENTYZONE200(bool north, std::int32_t belt, std::int32_t sheet) {
  auto [row, column] = RowColumnOf(sheet);
  row += north ? -1 : 1;
  if (row > 5) {
    belt += 1;
    row = 0;
  } else if (row < 0) {
    belt -= 1;
    row = 5;
  }
  return {belt, 6 * row + column + 1};
}

std::string TOROMANNUMERALS(std::int32_t n) {
  if (n <= 0) return {};
  return std::string(static_cast<std::size_t>(n / 10), 'X') + std::string(kUnits[n % 10]);
}

std::string NOMENCLATURE(std::int32_t MillionSeries, std::int32_t Belt, std::int32_t Zone,
                         std::int32_t SheetNo, std::int32_t ExtraSheets) {
  std::string name = BeltLetter(Belt) + "-" + ZoneText(Zone);
  if (MillionSeries != 0) {
    std::int32_t zone = Zone;
    for (std::int32_t i = 0; i < ExtraSheets; ++i) {
      zone = PLUSXZONE(zone);
      name += "," + ZoneText(zone);
    }
    return name;
  }
  name += "-" + TOROMANNUMERALS(SheetNo);
  ZoneSheet current{Zone, SheetNo};
  for (std::int32_t i = 0; i < ExtraSheets; ++i) {
    name += ",";
    const ZoneSheet next = ADJACENTXZONE200(true, current.Zone, current.SheetNo);
    if (next.Zone != current.Zone) name += ZoneText(next.Zone) + "-";
    name += TOROMANNUMERALS(next.SheetNo);
    current = next;
  }
  return name;
}

std::string ADJACENTNOMENCLATURE(std::int32_t direction, std::int32_t MillionSeries,
                                 std::int32_t Belt, std::int32_t Zone, std::int32_t SheetNo,
                                 std::int32_t ExtraSheets) {
  const bool positive = direction > 0;
  if (direction == 1 || direction == -1) {
    // Along the row: step over the whole combined sheet.
    for (std::int32_t i = 0; i <= ExtraSheets; ++i) {
      if (MillionSeries != 0) {
        Zone = positive ? PLUSXZONE(Zone) : MINUSXZONE(Zone);
      } else {
        const ZoneSheet next = ADJACENTXZONE200(positive, Zone, SheetNo);
        Zone = next.Zone;
        SheetNo = next.SheetNo;
      }
    }
  } else if (MillionSeries != 0) {
    Belt += positive ? -1 : 1;
  } else {
    const BeltSheet next = ADJACENTYZONE200(positive, Belt, SheetNo);
    Belt = next.Belt;
    SheetNo = next.SheetNo;
  }
  return NOMENCLATURE(MillionSeries, Belt, Zone, SheetNo, ExtraSheets);
}

}  // namespace mapbasis
