#include "params/param_items.h"

#include <algorithm>
#include "core/coordinate_systems.h"

#include "core/cp1251.h"
#include "core/echo.h"
#include "core/fixed_text.h"
#include "core/map_scales.h"
#include "core/messages.h"
#include "geometry/sheet_grid.h"
#include "params/angle_texts.h"
#include "params/nomenclature_parser.h"
#include "params/trapezoid_rules.h"
#include "platform/files.h"

namespace mapbasis {

namespace {

std::string Quoted(std::string_view text) { return "\"" + Echo(text) + "\""; }

// The Cyrillic letters С and К look like the Latin C and K that the coordinate-system names hold.
constexpr char kCyrillicEs = '\xD1';
constexpr char kCyrillicKa = '\xCA';

// Why a coordinate-system value is refused; a value that is right but for Cyrillic С or К says so,
// since it looks the same as the name it should be.
std::string CsRefusal(std::string_view value) {
  std::string latin(TrimBlanks(value));
  for (char& c : latin) {
    if (c == kCyrillicEs) c = 'C';
    if (c == kCyrillicKa) c = 'K';
  }
  static_assert(kCoordinateSystemCount == 3, "the messages name three systems");
  const auto systems = CoordinateSystems();
  const std::string shown = Quoted(TrimBlanks(value));
  if (latin != TrimBlanks(value) && CoordinateSystemOfText(latin) != nullptr) {
    return Tr(
        "\"CS\" value %1 is not %2, %3 or %4 (C and K must be Latin letters, only %5 is "
        "Cyrillic)",
        shown, systems[0].parameterText, systems[1].parameterText, systems[2].parameterText,
        CyrillicOfParameterTexts());
  }
  return Tr("\"CS\" value %1 is not %2, %3 or %4", shown, systems[0].parameterText,
            systems[1].parameterText, systems[2].parameterText);
}

// A word processor groups the digits of 200 000 with a no-break space (cp1251).
constexpr char kNoBreakSpace = '\xA0';

// The map scale of the series that a value names by its whole denominator, as people paste it:
// "200000", "200 000", "1:200 000", or "1:200" with the thousands; nullptr when it names none.
const MapScaleSpec* ScaleWrittenWhole(std::string_view value, std::int32_t MillionSeries) {
  std::string_view text = TrimBlanks(value);
  bool ratio = false;
  if (text.starts_with('1')) {
    const std::string_view rest = TrimLeadingBlanks(text.substr(1));
    if (rest.starts_with(':')) {
      ratio = true;
      text = rest.substr(1);
    }
  }
  std::string digits;
  for (const char c : text) {
    if (c == ' ' || c == kNoBreakSpace) continue;
    if (!IsDigit(c)) return nullptr;
    digits += c;
  }
  for (const MapScaleSpec& scale : MapScalesOf(MillionSeries)) {
    const std::string whole = std::to_string(static_cast<std::int64_t>(scale.denominator));
    if (digits == whole || (ratio && digits == scale.thousands)) return &scale;
  }
  return nullptr;
}

// Why a map-scale value is refused; the whole scale, where the thousands are wanted, says how it
// is written.
std::string MapScaleRefusal(std::string_view value, std::int32_t MillionSeries) {
  const std::string shown = Quoted(TrimBlanks(value));
  if (const MapScaleSpec* scale = ScaleWrittenWhole(value, MillionSeries)) {
    return Tr("\"MapScale\" value %1 is the scale %2: write %3, MapScale is in thousands", shown,
              scale->name, scale->thousands);
  }
  static_assert(kScalesPerSeries == 3, "the message names three map scales");
  const auto scales = MapScalesOf(MillionSeries);
  return Tr("\"MapScale\" value %1 is not %2, %3 or %4 for a sheet of the %5 series", shown,
            scales[0].thousands, scales[1].thousands, scales[2].thousands,
            SeriesScale(MillionSeries).name);
}

// Cyrillic letters (cp1251) typed for the Latin letters of sheet names: the row letters, which
// look or sound the same (Н for N, С for S, У for U), the Roman numerals I and X, and the letters
// of rows outside the grid. A small letter stands for the capital: rows and numerals are written
// in capitals.
struct LookAlike {
  char cyrillic;
  char latin;
};
constexpr LookAlike kLookAlikes[] = {
    {'\xC0', 'A'}, {'\xC2', 'B'}, {'\xC5', 'E'}, {'\xCA', 'K'}, {'\xCB', 'L'}, {'\xCC', 'M'},
    {'\xCD', 'N'}, {'\xCE', 'O'}, {'\xD0', 'P'}, {'\xD1', 'S'}, {'\xD2', 'T'}, {'\xD3', 'U'},
    {'\xD5', 'X'}, {'\xB2', 'I'}, {'\xE0', 'A'}, {'\xE2', 'B'}, {'\xE5', 'E'}, {'\xEA', 'K'},
    {'\xEB', 'L'}, {'\xEC', 'M'}, {'\xED', 'N'}, {'\xEE', 'O'}, {'\xF0', 'P'}, {'\xF1', 'S'},
    {'\xF2', 'T'}, {'\xF3', 'U'}, {'\xF5', 'X'}, {'\xB3', 'I'}};

// The en dash and the em dash (cp1251) pasted for the hyphen.
constexpr char kDashes[] = {'\x96', '\x97'};

// A name in the grid's form (a row A to V, a zone 01 to 60, then the rest as a sheet of the grid
// has it) whose row or zone lies outside the sheets this program makes.
bool IsSheetOutsideTheGrid(std::string_view name) {
  name = TrimBlanks(name);
  if (name.size() < 3 || !IsWorldRowLetter(name.front())) return false;
  const std::size_t zoneAt = name[1] == '-' ? 2 : 1;
  if (name.size() < zoneAt + 2 || !IsDigit(name[zoneAt]) || !IsDigit(name[zoneAt + 1])) {
    return false;
  }
  const int zone = (name[zoneAt] - '0') * 10 + (name[zoneAt + 1] - '0');
  if (zone < 1 || zone > kZoneCount) return false;
  if (IsGridBelt(BeltOfLetter(name.front())) && IsGridZone(zone)) return false;
  // The same name in the north-western sheet of the grid, whose belt has every kind, is a sheet
  // the program makes.
  const std::string zoneText = ZoneText(GridZones().front());
  std::string inside(name);
  inside[0] = BeltLetter(GridBelts().front());
  inside[zoneAt] = zoneText[0];
  inside[zoneAt + 1] = zoneText[1];
  SheetParameters scratch;
  return ParseSheetName(inside, scratch) == 0;
}

// The kinds of combined sheets the program writes in a belt, as a refusal lists them.
std::string NamedKindsText(Series series, std::int32_t belt) {
  std::int32_t widest = 0;
  for (std::int32_t joined = 1; joined <= 3; ++joined) {
    if (IsKindNamedInBelt(series, belt, joined)) widest = joined;
  }
  switch (widest) {
    case 1: return Tr("single and double sheets only");
    case 2: return Tr("single, double and triple sheets only");
    case 3: return Tr("single, double and quadruple sheets only");
    default: return Tr("single sheets only");
  }
}

// Why a sheet name is refused. A name that is right but for what people paste into it says how to
// mend it: Cyrillic letters for Latin ones, a dash for the hyphen, a sheet number in lower case; so
// does a name of a sheet outside the grid the program covers, and a combined sheet of a kind the
// program does not write in that row.
std::string NomRefusal(std::string_view value) {
  const std::string shown = Quoted(TrimBlanks(value));
  std::string mended(value);
  std::string cyrillic, dashes;
  const auto note = [](std::string& list, char c) {
    if (list.find(c) != std::string::npos) return;
    if (!list.empty()) list += ", ";
    list += c;
  };
  for (char& c : mended) {
    for (const LookAlike& l : kLookAlikes) {
      if (c != l.cyrillic) continue;
      note(cyrillic, c);
      c = l.latin;
    }
    if (std::find(std::begin(kDashes), std::end(kDashes), c) != std::end(kDashes)) {
      note(dashes, c);
      c = '-';
    }
  }
  SheetParameters scratch;
  const std::string asWritten = Quoted(TrimBlanks(mended));
  if ((!cyrillic.empty() || !dashes.empty()) && ParseSheetName(mended, scratch) == 0) {
    if (!cyrillic.empty()) {
      return Tr(
          "\"Nom\" value %1 is not a sheet name: it has Cyrillic letters (%2); type them as "
          "Latin letters: %3",
          shown, cyrillic, asWritten);
    }
    return Tr(
        "\"Nom\" value %1 is not a sheet name: it has a dash (%2) where the hyphen belongs: %3",
        shown, dashes, asWritten);
  }
  if (!cyrillic.empty() && IsSheetOutsideTheGrid(mended)) {
    return Tr(
        "\"Nom\" value %1 is not a sheet name: it has Cyrillic letters (%2); type them as "
        "Latin letters",
        shown, cyrillic);
  }
  std::string upper(value);
  bool lowered = false;
  for (char& c : upper) {
    if (c == 'i' || c == 'v' || c == 'x') c = static_cast<char>(c - 'a' + 'A'), lowered = true;
  }
  if (lowered && ParseSheetName(upper, scratch) == 0 && scratch.MillionSeries == 0) {
    return Tr(
        "\"Nom\" value %1 is not a sheet name: sheet numbers are upper-case Roman "
        "numerals (N-37-XIV)",
        shown);
  }
  if (const auto combined = CombinedSheetNotNamedInBelt(value)) {
    return Tr("\"Nom\" value %1 is not a sheet name: row %2 of the %3 series has %4", shown,
              std::string(1, BeltLetter(combined->belt)), SeriesScaleText(combined->series),
              NamedKindsText(combined->series, combined->belt));
  }
  if (IsSheetOutsideTheGrid(value)) {
    const auto grid = GridExtentNames();
    return Tr(
        "\"Nom\" value %1 is outside the sheets this program covers (rows %2 to %3, zones "
        "%4 to %5, %6 and %7)",
        shown, grid[0], grid[1], grid[2], grid[3], grid[4], grid[5]);
  }
  return Tr("\"Nom\" value %1 is not a sheet name", shown);
}

// The keys of a parameter file, as they must be written.
constexpr std::string_view kKeys[] = {"CS",           "Nom",          "Path",    "MapScale",
                                      "xFrom",        "xTo",          "yFrom",   "yTo",
                                      "MeridianStep", "ParallelStep", "xMinute", "yMinute"};

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  const auto lower = [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  };
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

Outcome Fail(ItemFault fault, std::string message) { return Failure(fault, std::move(message)); }

// An unknown key; one that is a key but for the case of its letters says how it is written.
Outcome UnknownKey(std::string_view key) {
  for (const std::string_view known : kKeys) {
    if (SameIgnoringCase(key, known)) {
      return Fail(ItemFault::kUnknownKey, Tr("unknown key %1: keys are case-sensitive; write %2",
                                             Quoted(key), Quoted(known)));
    }
  }
  return Fail(ItemFault::kUnknownKey, Tr("unknown key %1", Quoted(key)));
}

// Why an item is malformed: the item is the text up to and including its ";".
std::string MalformedItemMessage(std::string_view item) {
  const auto equals = item.find('=');
  if (equals == std::string_view::npos) return Tr("item without \"=\": %1", Quoted(item));
  if (equals == 0) return Tr("item without a key: %1", Quoted(item));
  return Tr("item without a value: %1", Quoted(item));
}

std::string RepeatedKey(std::string_view key) { return Tr("repeated key %1", Quoted(key)); }

std::string ZeroValue(std::string_view key, std::string_view value) {
  return Tr("%1 value %2 is zero", Quoted(key), Quoted(TrimBlanks(value)));
}

// An angle item: xFrom, xTo, yFrom, yTo, MeridianStep, ParallelStep. A graticule step of zero
// would draw no graticule.
Outcome ReadAngleItem(std::string_view key, std::string_view value, double& field, bool isStep) {
  if (field != kNotGivenAngle) return Fail(ItemFault::kRepeatedKey, RepeatedKey(key));
  const auto angle = ParseDegreesMinutes(value);
  if (!angle) {
    return Fail(ItemFault::kRejectedValue,
                Tr("%1 value %2 is not an angle in whole degrees and minutes", Quoted(key),
                   Quoted(TrimBlanks(value))));
  }
  field = *angle;
  if (isStep && !IsPositiveSpacing(field)) {
    return Fail(ItemFault::kRejectedValue, ZeroValue(key, value));
  }
  return Success();
}

// A minute-scale division item: xMinute, yMinute.
Outcome ReadMinuteItem(std::string_view key, std::string_view value, std::int32_t& field) {
  if (field != kNotGiven) return Fail(ItemFault::kRepeatedKey, RepeatedKey(key));
  const auto minutes = ParseWholeMinutes(value);
  if (!minutes) {
    return Fail(ItemFault::kRejectedValue, Tr("%1 value %2 is not whole minutes 0..59", Quoted(key),
                                              Quoted(TrimBlanks(value))));
  }
  field = *minutes;
  if (!IsPositiveDivision(field)) return Fail(ItemFault::kRejectedValue, ZeroValue(key, value));
  return Success();
}

Outcome ReadValue(std::string_view key, std::string_view value, SheetParameters& p) {
  if (key == "CS") {
    if (ParseCoordinateSystem(value, p.CS) != 0) {
      return Fail(ItemFault::kRejectedValue, CsRefusal(value));
    }
    return Success();
  }
  if (key == "Nom") {
    if (p.MillionSeries != kNotGiven) return Fail(ItemFault::kRepeatedKey, RepeatedKey(key));
    if (ParseSheetName(value, p) != 0) {
      return Fail(ItemFault::kRejectedValue, NomRefusal(value));
    }
    return Success();
  }
  if (key == "Path") {
    if (!IsBlank(p.Path)) return Fail(ItemFault::kRepeatedKey, RepeatedKey(key));
    // A control character (a NUL above all, which ends a path early) would name another folder.
    for (const char c : value) {
      if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
        return Fail(ItemFault::kRejectedValue,
                    Tr("\"Path\" value %1 holds a control character", Quoted(TrimBlanks(value))));
      }
    }
    if (ParseResultPath(value, p.Path) != 0) {
      const std::string shown = Quoted(TrimBlanks(value));
      return Fail(ItemFault::kRejectedValue,
                  TrimBlanks(value).size() < 3
                      ? Tr("\"Path\" value %1 is shorter than 3 characters", shown)
                      : Tr("\"Path\" value %1 makes a folder path longer than %2 characters", shown,
                           kPathLength));
    }
    return Success();
  }
  if (key == "MapScale") {
    if (p.MapScale != kNotGiven) return Fail(ItemFault::kRepeatedKey, RepeatedKey(key));
    if (p.MillionSeries == kNotGiven) {
      return Fail(ItemFault::kScaleBeforeNom, Tr("MapScale comes before Nom"));
    }
    if (ParseMapScale(value, p.MillionSeries, p.MapScale) != 0) {
      return Fail(ItemFault::kRejectedValue, MapScaleRefusal(value, p.MillionSeries));
    }
    return Success();
  }
  if (key == "xFrom") return ReadAngleItem(key, value, p.xFrom, false);
  if (key == "xTo") return ReadAngleItem(key, value, p.xTo, false);
  if (key == "yFrom") return ReadAngleItem(key, value, p.yFrom, false);
  if (key == "yTo") return ReadAngleItem(key, value, p.yTo, false);
  if (key == "MeridianStep") return ReadAngleItem(key, value, p.MeridianStep, true);
  if (key == "ParallelStep") return ReadAngleItem(key, value, p.ParallelStep, true);
  if (key == "xMinute") return ReadMinuteItem(key, value, p.xMinute);
  if (key == "yMinute") return ReadMinuteItem(key, value, p.yMinute);
  return UnknownKey(key);
}

}  // namespace

Outcome ReadParamItem(std::string& line, SheetParameters& p) {
  const std::string_view rest = TrimLeadingBlanks(line);
  // Positions below count from 1, as a person counts the characters of the line; 0 = none.
  const std::size_t semicolon = rest.find(';');
  const std::size_t s = semicolon == std::string_view::npos ? 0 : semicolon + 1;
  // A person used to configuration files may try to write a note; there is no place for one.
  if (rest.starts_with('#')) {
    return Fail(ItemFault::kMalformed, Tr("comments are not allowed in a parameter file: %1",
                                          Quoted(TrimTrailingBlanks(rest))));
  }
  if (s == 0) {
    return Fail(ItemFault::kMalformed,
                Tr("item without its \";\": %1", Quoted(TrimTrailingBlanks(rest))));
  }
  const std::string_view item = rest.substr(0, s);
  const std::size_t equals = rest.find('=');
  const std::size_t e = equals == std::string_view::npos ? 0 : equals + 1;
  if (s < 4 || e < 2 || e > s) return Fail(ItemFault::kMalformed, MalformedItemMessage(item));

  const std::string_view key = TrimTrailingBlanks(rest.substr(0, e - 1));
  const std::string_view value = rest.substr(e, s - 1 - e);
  if (key.empty() || IsBlank(value)) {
    return Fail(ItemFault::kMalformed, MalformedItemMessage(item));
  }
  const std::string keyText(key), valueText(value);
  line = std::string(rest.substr(s));
  return ReadValue(keyText, valueText, p);
}

std::int32_t ParseCoordinateSystem(std::string_view value, std::int32_t& CS) {
  const CoordinateSystem* system = CoordinateSystemOfText(TrimBlanks(value));
  if (system == nullptr) return 1;
  CS = system->CS;
  return 0;
}

std::int32_t ParseResultPath(std::string_view value, std::string& Path) {
  const std::string_view folder = TrimBlanks(value);
  if (folder.size() < 3) {
    Path = "*";
    return 1;
  }
  const bool endsInSeparator = folder.back() == platform::kPathSeparator;
  // A path cut short would name another folder, so a long one is refused whole.
  if (folder.size() + (endsInSeparator ? 0 : 1) > kPathLength) return 1;
  Path = std::string(folder);
  if (!endsInSeparator) Path += platform::kPathSeparator;
  return 0;
}

std::int32_t ParseMapScale(std::string_view value, std::int32_t MillionSeries,
                           std::int32_t& MapScale) {
  const std::string_view thousands = TrimBlanks(value);
  for (const MapScaleSpec& scale : MapScalesOf(MillionSeries)) {
    if (scale.thousands == thousands) {
      MapScale = scale.MapScale;
      return 0;
    }
  }
  MapScale = kRejected;
  return 1;
}

}  // namespace mapbasis
