#include "params/param_items.h"

#include "core/cp1251.h"
#include "core/echo.h"
#include "core/fixed_text.h"
#include "params/angle_texts.h"
#include "params/nomenclature_parser.h"
#include "platform/files.h"

namespace mapbasis {

namespace {

constexpr auto kGsk2011 = Cp1251("ГCK-2011");

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
  std::int32_t cs = 0;
  std::string why = "is not CK-42, CK-95 or " + kGsk2011.str();
  if (latin != TrimBlanks(value) && ParseCoordinateSystem(latin, cs) == 0) {
    why += " (C and K must be Latin letters, only \xC3 is Cyrillic)";
  }
  return why;
}

// Why a sheet name is refused; a name that is right but for a sheet number in lower case says
// that the numbers are upper-case Roman numerals.
std::string NomRefusal(std::string_view value) {
  std::string upper(value);
  bool lowered = false;
  for (char& c : upper) {
    if (c == 'i' || c == 'v' || c == 'x') c = static_cast<char>(c - 'a' + 'A'), lowered = true;
  }
  SheetParameters scratch;
  if (lowered && ParseSheetName(upper, scratch) == 0 && scratch.MillionSeries == 0) {
    return "is not a sheet name: sheet numbers are upper-case Roman numerals (N-37-XIV)";
  }
  return "is not a sheet name";
}

std::string ValueMessage(std::string_view key, std::string_view value, std::string_view why) {
  return Quoted(key) + " value " + Quoted(TrimBlanks(value)) + " " + std::string(why);
}

Outcome Fail(ItemFault fault, std::string message) { return Failure(fault, std::move(message)); }

// Why an item is malformed: the item is the text up to and including its ";".
std::string MalformedItemMessage(std::string_view item) {
  const auto equals = item.find('=');
  if (equals == std::string_view::npos) return "item without \"=\": " + Quoted(item);
  if (equals == 0) return "item without a key: " + Quoted(item);
  return "item without a value: " + Quoted(item);
}

// An angle item: xFrom, xTo, yFrom, yTo, MeridianStep, ParallelStep. A graticule step of zero
// would draw no graticule.
Outcome ReadAngleItem(std::string_view key, std::string_view value, double& field, bool isStep) {
  if (field != kNotGivenAngle) return Fail(ItemFault::kRepeatedKey, "repeated key " + Quoted(key));
  const auto angle = ParseDegreesMinutes(value);
  if (!angle) {
    return Fail(ItemFault::kRejectedValue,
                ValueMessage(key, value, "is not an angle in whole degrees and minutes"));
  }
  field = *angle;
  if (isStep && field == 0.0) {
    return Fail(ItemFault::kRejectedValue, ValueMessage(key, value, "is zero"));
  }
  return Success();
}

// A minute-scale division item: xMinute, yMinute.
Outcome ReadMinuteItem(std::string_view key, std::string_view value, std::int32_t& field) {
  if (field != kNotGiven) return Fail(ItemFault::kRepeatedKey, "repeated key " + Quoted(key));
  const auto minutes = ParseWholeMinutes(value);
  if (!minutes) {
    return Fail(ItemFault::kRejectedValue, ValueMessage(key, value, "is not whole minutes 0..59"));
  }
  field = *minutes;
  if (field == 0) return Fail(ItemFault::kRejectedValue, ValueMessage(key, value, "is zero"));
  return Success();
}

Outcome ReadValue(std::string_view key, std::string_view value, SheetParameters& p) {
  if (key == "CS") {
    if (ParseCoordinateSystem(value, p.CS) != 0) {
      return Fail(ItemFault::kRejectedValue, ValueMessage(key, value, CsRefusal(value)));
    }
    return Success();
  }
  if (key == "Nom") {
    if (p.MillionSeries != kNotGiven) return Fail(ItemFault::kRepeatedKey, "repeated key \"Nom\"");
    if (ParseSheetName(value, p) != 0) {
      return Fail(ItemFault::kRejectedValue, ValueMessage(key, value, NomRefusal(value)));
    }
    return Success();
  }
  if (key == "Path") {
    if (!IsBlank(p.Path)) return Fail(ItemFault::kRepeatedKey, "repeated key \"Path\"");
    // A control character (a NUL above all, which ends a path early) would name another folder.
    for (const char c : value) {
      if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
        return Fail(ItemFault::kRejectedValue,
                    ValueMessage(key, value, "holds a control character"));
      }
    }
    if (ParseResultPath(value, p.Path) != 0) {
      const std::string why =
          TrimBlanks(value).size() < 3
              ? "is shorter than 3 characters"
              : "makes a folder path longer than " + std::to_string(kPathLength) + " characters";
      return Fail(ItemFault::kRejectedValue, ValueMessage(key, value, why));
    }
    return Success();
  }
  if (key == "MapScale") {
    if (p.MapScale != kNotGiven) return Fail(ItemFault::kRepeatedKey, "repeated key \"MapScale\"");
    if (p.MillionSeries == kNotGiven) {
      return Fail(ItemFault::kScaleBeforeNom, "MapScale comes before Nom");
    }
    if (ParseMapScale(value, p.MillionSeries, p.MapScale) != 0) {
      const char* why = p.MillionSeries == 0
                            ? "is not 200, 500 or 1000 for a sheet of the 1:200 000 series"
                            : "is not 1000, 2500 or 5000 for a sheet of the 1:1 000 000 series";
      return Fail(ItemFault::kRejectedValue, ValueMessage(key, value, why));
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
  return Fail(ItemFault::kUnknownKey, "unknown key " + Quoted(key));
}

}  // namespace

Outcome ReadParamItem(std::string& line, SheetParameters& p) {
  const std::string_view rest = TrimLeadingBlanks(line);
  // Positions below count from 1, as a person counts the characters of the line; 0 = none.
  const std::size_t semicolon = rest.find(';');
  const std::size_t s = semicolon == std::string_view::npos ? 0 : semicolon + 1;
  // A person used to configuration files may try to write a note; there is no place for one.
  if (rest.starts_with('#')) {
    return Fail(ItemFault::kMalformed, "comments are not allowed in a parameter file: " +
                                           Quoted(TrimTrailingBlanks(rest)));
  }
  if (s == 0) {
    return Fail(ItemFault::kMalformed,
                "item without its \";\": " + Quoted(TrimTrailingBlanks(rest)));
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
  const std::string_view name = TrimBlanks(value);
  if (name == "CK-42") {
    CS = kCsSk42;
  } else if (name == "CK-95") {
    CS = kCsSk95;
  } else if (name == kGsk2011.view()) {
    CS = kCsGsk2011;
  } else {
    return 1;
  }
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
  const std::string_view scale = TrimBlanks(value);
  const bool series200 = MillionSeries == 0;
  if (scale == "200" && series200) {
    MapScale = 0;
  } else if (scale == "500" && series200) {
    MapScale = 1;
  } else if (scale == "1000") {
    MapScale = series200 ? 2 : 0;
  } else if (scale == "2500" && !series200) {
    MapScale = 1;
  } else if (scale == "5000" && !series200) {
    MapScale = 2;
  } else {
    MapScale = kRejected;
    return 1;
  }
  return 0;
}

}  // namespace mapbasis
