#include "geometry/sheet_grid.h"

#include <algorithm>
#include <array>

#include "core/cp1251.h"
#include "core/map_scales.h"

namespace mapbasis {

namespace {

// The rows of the international map are lettered from A at the equator northward; the belt
// whose north edge is the equator would be the 22nd.
constexpr std::int32_t kEquatorBelt = BeltNorthEdge(0) / kBeltHeight;  // 22
constexpr char kEquatorRow = 'A';
constexpr char kPolarRow = 'V';  // 84..88 N, belt 0
// Only the belts a sheet of the program or one of its neighbours lies in have letters.
constexpr std::int32_t kLastLetteredBelt = 12;  // J, the row south of K

// How a series cuts a 1:1 000 000 sheet; its name is its map scale's (core/map_scales.h).
struct SeriesFacts {
  std::int32_t rows;
  std::int32_t columns;
};
constexpr SeriesFacts kSeries[] = {
    /* k1000000 */ {1, 1},
    /* k200000 */ {6, 6},
};

const SeriesFacts& FactsOf(Series series) { return kSeries[static_cast<std::size_t>(series)]; }

// The zones from kWesternZone eastward to kEasternZone, counted from 0.
constexpr std::int32_t EastwardFromWesternZone(std::int32_t zone) {
  return (zone - kWesternZone + kZoneCount) % kZoneCount;
}

template <std::size_t N>
constexpr std::array<std::int32_t, N> GridRun(std::int32_t first) {
  std::array<std::int32_t, N> run{};
  for (std::size_t i = 0; i < N; ++i) {
    const std::int32_t value = first + static_cast<std::int32_t>(i);
    run[i] = value > kZoneCount ? value - kZoneCount : value;
  }
  return run;
}
constexpr auto kGridBelts = GridRun<kSouthernBelt - kNorthernBelt + 1>(kNorthernBelt);
constexpr auto kGridZones = GridRun<EastwardFromWesternZone(kEasternZone) + 1>(kWesternZone);

// The kinds offered, by band of belts from the north.
constexpr std::int32_t kFarNorthKinds200k[] = {0, 1, 2};
constexpr std::int32_t kFarNorthKinds1m[] = {0, 1, 3};  // the third kind joins four sheets
constexpr std::int32_t kTwoSheetKinds[] = {0, 1};
constexpr std::int32_t kStandardOnly[] = {0};
constexpr std::int32_t kLastFarNorthBelt = 2;  // T, 76..80 N
constexpr std::int32_t kLastTwoSheetBelt = 5;  // Q, 64..68 N

constexpr auto kStandardSheet = Cp1251("Стандартный  лист");
constexpr auto kDoubleSheet = Cp1251("Cдвоенный    лист");
constexpr auto kTripleSheet = Cp1251("Строенный    лист");
constexpr auto kQuadrupleSheet = Cp1251("Cчетверенный лист");

// The units digit as the Roman numeral writes it; the tens are as many X.
constexpr std::string_view kUnits[10] = {"",  "I",  "II",  "III",  "IV",
                                         "V", "VI", "VII", "VIII", "IX"};

GridSheet StepAlongRow(GridSheet sheet, std::int32_t step) {
  const SeriesFacts& facts = FactsOf(sheet.series);
  LatticePlace at = PlaceOf(sheet);
  at.column += step;
  if (at.column >= facts.columns) {
    sheet.zone = ZoneEast(sheet.zone);
    at.column = 0;
  } else if (at.column < 0) {
    sheet.zone = ZoneWest(sheet.zone);
    at.column = facts.columns - 1;
  }
  sheet.number = NumberAt(sheet.series, at);
  return sheet;
}

GridSheet StepAlongColumn(GridSheet sheet, std::int32_t step) {
  const SeriesFacts& facts = FactsOf(sheet.series);
  LatticePlace at = PlaceOf(sheet);
  at.row += step;
  if (at.row >= facts.rows) {
    sheet.belt += 1;
    at.row = 0;
  } else if (at.row < 0) {
    sheet.belt -= 1;
    at.row = facts.rows - 1;
  }
  sheet.number = NumberAt(sheet.series, at);
  return sheet;
}

}  // namespace

bool IsGridBelt(std::int32_t belt) { return belt >= kNorthernBelt && belt <= kSouthernBelt; }

bool IsGridZone(std::int32_t zone) {
  return zone >= 1 && zone <= kZoneCount &&
         EastwardFromWesternZone(zone) <= EastwardFromWesternZone(kEasternZone);
}

std::span<const std::int32_t> GridBelts() { return kGridBelts; }

std::span<const std::int32_t> GridZones() { return kGridZones; }

std::int32_t ZoneEast(std::int32_t zone) { return zone >= kZoneCount ? 1 : zone + 1; }

std::int32_t ZoneWest(std::int32_t zone) { return zone <= 1 ? kZoneCount : zone - 1; }

char BeltLetter(std::int32_t belt) {
  if (belt < 0 || belt > kLastLetteredBelt) return '?';
  return static_cast<char>(kEquatorRow + (kEquatorBelt - 1 - belt));
}

std::int32_t BeltOfLetter(char c) {
  if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  if (c < BeltLetter(kLastLetteredBelt) || c > kPolarRow) return -1;
  return kPolarRow - c;
}

bool IsWorldRowLetter(char c) { return c >= kEquatorRow && c <= kPolarRow; }

std::string ZoneText(std::int32_t zone) {
  std::string text = std::to_string(zone);
  return text.size() < 2 ? "0" + text : text;
}

std::array<std::string, 6> GridExtentNames() {
  static_assert(EastwardFromWesternZone(kEasternZone) - EastwardFromWesternZone(kZoneCount) == 2,
                "the messages name two zones beyond the 180th meridian");
  return {std::string(1, BeltLetter(kSouthernBelt)),
          std::string(1, BeltLetter(kNorthernBelt)),
          ZoneText(kWesternZone),
          ZoneText(kZoneCount),
          ZoneText(ZoneEast(kZoneCount)),
          ZoneText(kEasternZone)};
}

Series SeriesOfRecord(std::int32_t MillionSeries) {
  return MillionSeries != 0 ? Series::k1000000 : Series::k200000;
}

std::int32_t MillionSeriesOf(Series series) { return series == Series::k1000000 ? 1 : 0; }

std::string_view SeriesScaleText(Series series) {
  return SeriesScale(MillionSeriesOf(series)).name;
}

std::int32_t SheetsPerMillionSheet(Series series) {
  const SeriesFacts& facts = FactsOf(series);
  return facts.rows * facts.columns;
}

SheetSize SeriesSheetSize(Series series) {
  const SeriesFacts& facts = FactsOf(series);
  return {static_cast<double>(kZoneWidth) / facts.columns,
          static_cast<double>(kBeltHeight) / facts.rows};
}

GridSheet GridSheetOf(const SheetNumbers& p) {
  const Series series = SeriesOfRecord(p.MillionSeries);
  const std::int32_t number = SheetsPerMillionSheet(series) > 1 ? p.SheetNo : 0;
  return {series, p.Belt, p.Zone, number, p.ExtraSheets};
}

void StoreGridSheet(const GridSheet& sheet, SheetNumbers& p) {
  p.MillionSeries = MillionSeriesOf(sheet.series);
  p.Belt = sheet.belt;
  p.Zone = sheet.zone;
  p.SheetNo = sheet.number;
  p.ExtraSheets = sheet.joined;
}

LatticePlace PlaceOf(const GridSheet& sheet) {
  const std::int32_t columns = FactsOf(sheet.series).columns;
  if (SheetsPerMillionSheet(sheet.series) == 1) return {};
  const std::int32_t row = (sheet.number - 1) / columns;
  return {row, sheet.number - columns * row - 1};
}

std::int32_t NumberAt(Series series, LatticePlace place) {
  if (SheetsPerMillionSheet(series) == 1) return 0;
  return FactsOf(series).columns * place.row + place.column + 1;
}

GridSheet StepEast(GridSheet sheet) { return StepAlongRow(sheet, 1); }

GridSheet StepWest(GridSheet sheet) { return StepAlongRow(sheet, -1); }

GridSheet StepNorth(GridSheet sheet) { return StepAlongColumn(sheet, -1); }

GridSheet StepSouth(GridSheet sheet) { return StepAlongColumn(sheet, 1); }

GridSheet AdjacentSheet(std::int32_t direction, const GridSheet& sheet) {
  const bool positive = direction > 0;
  if (direction != 1 && direction != -1) return positive ? StepNorth(sheet) : StepSouth(sheet);
  // Along the row: over the whole combined sheet.
  GridSheet next = sheet;
  for (std::int32_t i = 0; i <= sheet.joined; ++i)
    next = positive ? StepEast(next) : StepWest(next);
  return next;
}

std::span<const std::int32_t> OfferedSheetKinds(Series series, std::int32_t belt) {
  if (belt <= kLastFarNorthBelt) {
    if (series == Series::k1000000) return kFarNorthKinds1m;
    return kFarNorthKinds200k;
  }
  if (belt <= kLastTwoSheetBelt) return kTwoSheetKinds;
  return kStandardOnly;
}

bool IsKindOffered(Series series, std::int32_t belt, std::int32_t joined) {
  const auto kinds = OfferedSheetKinds(series, belt);
  return std::find(kinds.begin(), kinds.end(), joined) != kinds.end();
}

bool IsKindNamedInBelt(Series series, std::int32_t belt, std::int32_t joined) {
  return IsKindOffered(series, belt, joined) || IsKindOffered(series, belt - 1, joined);
}

std::string_view SheetKindText(std::int32_t joined) {
  switch (joined) {
    case 1: return kDoubleSheet;
    case 2: return kTripleSheet;
    case 3: return kQuadrupleSheet;
    default: return kStandardSheet;
  }
}

std::string RomanNumeral(std::int32_t n) {
  if (n <= 0) return {};
  return std::string(static_cast<std::size_t>(n / 10), 'X') + std::string(kUnits[n % 10]);
}

std::int32_t SheetOfRomanNumeral(std::string_view numeral) {
  for (std::int32_t sheet = 1; sheet <= SheetsPerMillionSheet(Series::k200000); ++sheet) {
    if (RomanNumeral(sheet) == numeral) return sheet;
  }
  return 0;
}

std::string SheetNumberText(Series series, std::int32_t number) {
  if (series == Series::k200000) return RomanNumeral(number);
  return {};
}

std::string SheetNameOf(const GridSheet& sheet) {
  std::string name = BeltLetter(sheet.belt) + ("-" + ZoneText(sheet.zone));
  const bool numbered = SheetsPerMillionSheet(sheet.series) > 1;
  if (numbered) name += "-" + SheetNumberText(sheet.series, sheet.number);
  // Each joined sheet after a comma: its zone where it begins a new one, then its number.
  GridSheet member = sheet;
  for (std::int32_t i = 0; i < sheet.joined; ++i) {
    const GridSheet next = StepEast(member);
    name += ",";
    if (next.zone != member.zone) {
      name += ZoneText(next.zone);
      if (numbered) name += "-";
    }
    if (numbered) name += SheetNumberText(next.series, next.number);
    member = next;
  }
  return name;
}

std::string NomTextOf(const GridSheet& sheet) {
  GridSheet first = sheet;
  first.joined = 0;
  std::string text = SheetNameOf(first);
  if (sheet.joined > 0) text += "(" + std::to_string(sheet.joined + 1) + ")";
  return text;
}

}  // namespace mapbasis
