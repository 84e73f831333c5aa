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

std::int32_t ZoneEast(std::int32_t zone) { return zone >= 60 ? 1 : zone + 1; }

std::int32_t ZoneWest(std::int32_t zone) { return zone <= 1 ? 60 : zone - 1; }

ZoneSheet EastWestNeighbour200k(bool east, std::int32_t zone, std::int32_t sheet) {
  SheetRowColumn at = RowColumnOfSheet(sheet);
  at.column += east ? 1 : -1;
  if (at.column > 5) {
    zone = ZoneEast(zone);
    at.column = 0;
  } else if (at.column < 0) {
    zone = ZoneWest(zone);
    at.column = 5;
  }
  return {zone, SheetOfRowColumn(at)};
}

BeltSheet NorthSouthNeighbour200k(bool north, std::int32_t belt, std::int32_t sheet) {
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

std::string SheetNameOf(std::int32_t MillionSeries, std::int32_t Belt, std::int32_t Zone,
                        std::int32_t SheetNo, std::int32_t ExtraSheets) {
  std::string name = BeltLetter(Belt) + ("-" + ZoneText(Zone));
  if (MillionSeries != 0) {
    std::int32_t zone = Zone;
    for (std::int32_t i = 0; i < ExtraSheets; ++i) {
      zone = ZoneEast(zone);
      name += "," + ZoneText(zone);
    }
    return name;
  }
  name += "-" + RomanNumeral(SheetNo);
  ZoneSheet current{Zone, SheetNo};
  for (std::int32_t i = 0; i < ExtraSheets; ++i) {
    name += ",";
    const ZoneSheet next = EastWestNeighbour200k(true, current.Zone, current.SheetNo);
    if (next.Zone != current.Zone) name += ZoneText(next.Zone) + "-";
    name += RomanNumeral(next.SheetNo);
    current = next;
  }
  return name;
}

std::string AdjacentSheetName(std::int32_t direction, std::int32_t MillionSeries, std::int32_t Belt,
                              std::int32_t Zone, std::int32_t SheetNo, std::int32_t ExtraSheets) {
  const bool positive = direction > 0;
  if (direction == 1 || direction == -1) {
    // Along the row: step over the whole combined sheet.
    for (std::int32_t i = 0; i <= ExtraSheets; ++i) {
      if (MillionSeries != 0) {
        Zone = positive ? ZoneEast(Zone) : ZoneWest(Zone);
      } else {
        const ZoneSheet next = EastWestNeighbour200k(positive, Zone, SheetNo);
        Zone = next.Zone;
        SheetNo = next.SheetNo;
      }
    }
  } else if (MillionSeries != 0) {
    Belt += positive ? -1 : 1;
  } else {
    const BeltSheet next = NorthSouthNeighbour200k(positive, Belt, SheetNo);
    Belt = next.Belt;
    SheetNo = next.SheetNo;
  }
  return SheetNameOf(MillionSeries, Belt, Zone, SheetNo, ExtraSheets);
}

}  // namespace mapbasis
