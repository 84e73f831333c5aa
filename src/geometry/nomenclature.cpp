#include "geometry/nomenclature.h"

#include <string_view>

#include "geometry/sheet_grid.h"

namespace mapbasis {

namespace {

std::string ZoneText(std::int32_t zone) {
  std::string text = std::to_string(zone);
  return text.size() < 2 ? "0" + text : text;
}

}  // namespace

std::int32_t PLUSXZONE(std::int32_t zone) { return zone >= 60 ? 1 : zone + 1; }

std::int32_t MINUSXZONE(std::int32_t zone) { return zone <= 1 ? 60 : zone - 1; }

ZoneSheet ADJACENTXZONE200(bool east, std::int32_t zone, std::int32_t sheet) {
  SheetRowColumn at = RowColumnOfSheet(sheet);
  at.column += east ? 1 : -1;
  if (at.column > 5) {
    zone = PLUSXZONE(zone);
    at.column = 0;
  } else if (at.column < 0) {
    zone = MINUSXZONE(zone);
    at.column = 5;
  }
  return {zone, SheetOfRowColumn(at)};
}

BeltSheet ADJACENTYZONE200(bool north, std::int32_t belt, std::int32_t sheet) {
  SheetRowColumn at = RowColumnOfSheet(sheet);
  at.row += north ? -1 : 1;
  if (at.row > 5) {
    belt += 1;
    at.row = 0;
  } else if (at.row < 0) {
    belt -= 1;
    at.row = 5;
  }
  return {belt, SheetOfRowColumn(at)};
}

std::string NOMENCLATURE(std::int32_t MillionSeries, std::int32_t Belt, std::int32_t Zone,
                         std::int32_t SheetNo, std::int32_t ExtraSheets) {
  std::string name = BeltLetter(Belt) + ("-" + ZoneText(Zone));
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
