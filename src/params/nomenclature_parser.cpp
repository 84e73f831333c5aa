#include "params/nomenclature_parser.h"

#include <algorithm>

#include "core/fixed_text.h"
#include "geometry/sheet_trapezoid.h"

namespace mapbasis {

namespace {

// Which combined kinds a name written with commas may have.
enum class Kinds {
  kNamedInBelt,  // those the program writes in the sheet's belt
  kAny,          // 1..3 joined sheets, as the mark of joined sheets counts them
};

bool StartsWithTwoDigits(std::string_view text) {
  return text.size() >= 2 && IsDigit(text[0]) && IsDigit(text[1]);
}

std::int32_t TwoDigits(std::string_view text) { return (text[0] - '0') * 10 + (text[1] - '0'); }

bool IsRomanLetter(char c) { return c == 'I' || c == 'V' || c == 'X'; }

// The mark of joined sheets, "(2)", "(3)" or "(4)" with blanks allowed inside and after it: the
// number of sheets joined eastward, or -1 when the text is no such mark. The text starts with a
// non-blank character.
std::int32_t ExtraSheetsOfMark(std::string_view mark, SheetParameters& p) {
  if (mark.front() != '(') return -1;
  mark = TrimLeadingBlanks(mark.substr(1));
  if (mark.empty() || mark.front() < '2' || mark.front() > '4') return -1;
  p.ExtraSheets = mark.front() - '1';
  mark = TrimLeadingBlanks(mark.substr(1));
  if (mark.empty() || mark.front() != ')') return -1;
  if (!IsBlank(mark.substr(1))) return -1;
  return p.ExtraSheets;
}

// The sheets joined to the one read so far, written as the program writes them after its name:
// ",48" in the 1:1 000 000 series, ",II" or ",48-I" in the 1:200 000 series, one for each joined
// sheet. Sets ExtraSheets; false when `rest` (up to the end of the name) is not what the program
// writes for 1..3 joined sheets of a kind that `kinds` admits.
bool ReadJoinedSheets(std::string_view rest, SheetParameters& p, Kinds kinds) {
  const auto joined = static_cast<std::int32_t>(std::count(rest.begin(), rest.end(), ','));
  if (joined < 1 || joined > 3) return false;
  GridSheet sheet = GridSheetOf(p);
  sheet.joined = 0;
  const std::size_t first = SheetNameOf(sheet).size();
  sheet.joined = joined;
  if (std::string_view(SheetNameOf(sheet)).substr(first) != rest) return false;
  p.ExtraSheets = joined;
  return kinds == Kinds::kAny || IsKindNamedInBelt(sheet.series, sheet.belt, joined);
}

std::int32_t Reject(SheetParameters& p) {
  p.MillionSeries = kRejected;
  return 1;
}

std::int32_t ReadSheetName(std::string_view text, SheetParameters& p, Kinds kinds) {
  // The rest of the name still to be read; trailing blanks never count.
  std::string_view rest = TrimTrailingBlanks(TrimLeadingBlanks(text));
  if (rest.size() < 3) return Reject(p);

  // Only the belts of the grid are named by a sheet of a run; V and J exist only as neighbours.
  const std::int32_t belt = BeltOfLetter(rest.front());
  if (!IsGridBelt(belt)) return Reject(p);
  p.Belt = belt;
  rest.remove_prefix(1);

  // N-37-XIV names the sheet number in Roman numerals after a hyphen, N3714 in two digits. Only
  // the hyphenated layout, the program's own, writes the joined sheets after commas, directly
  // after the name of the first.
  const bool hyphenated = rest.front() == '-';
  if (hyphenated) rest.remove_prefix(1);

  if (rest.size() < 2) return Reject(p);
  if (!StartsWithTwoDigits(rest)) return Reject(p);
  p.Zone = TwoDigits(rest);
  if (!IsGridZone(p.Zone)) return Reject(p);
  rest.remove_prefix(2);

  const std::string_view afterZone = TrimLeadingBlanks(rest);
  bool joinedAfterComma = hyphenated && rest.starts_with(',');
  if (afterZone.empty() || afterZone.front() == '(' || joinedAfterComma) {
    p.MillionSeries = MillionSeriesOf(Series::k1000000);
    p.SheetNo = 0;
    if (!joinedAfterComma) rest = afterZone;
  } else {
    p.MillionSeries = MillionSeriesOf(Series::k200000);
    if (hyphenated) {
      if (rest.front() != '-') return Reject(p);
      rest.remove_prefix(1);
      std::size_t run = 0;
      while (run < rest.size() && IsRomanLetter(rest[run])) ++run;
      const std::int32_t sheet = SheetOfRomanNumeral(rest.substr(0, run));
      if (sheet == 0) return Reject(p);
      p.SheetNo = sheet;
      rest.remove_prefix(run);
    } else {
      if (!StartsWithTwoDigits(rest)) return Reject(p);
      p.SheetNo = TwoDigits(rest);
      if (p.SheetNo < 1 || p.SheetNo > SheetsPerMillionSheet(Series::k200000)) return Reject(p);
      rest.remove_prefix(2);
    }
    joinedAfterComma = hyphenated && rest.starts_with(',');
    if (!joinedAfterComma) rest = TrimLeadingBlanks(rest);
  }

  if (rest.empty()) {
    p.ExtraSheets = 0;
  } else if (joinedAfterComma) {
    if (!ReadJoinedSheets(rest, p, kinds)) return Reject(p);
  } else if (ExtraSheetsOfMark(rest, p) < 0) {
    return Reject(p);
  }

  StoreBaseParameters(ComputeBaseTrapezoid(GridSheetOf(p)), p);
  return 0;
}

}  // namespace

std::int32_t ParseSheetName(std::string_view text, SheetParameters& p) {
  return ReadSheetName(text, p, Kinds::kNamedInBelt);
}

std::optional<GridSheet> CombinedSheetNotNamedInBelt(std::string_view text) {
  SheetParameters p;
  if (ParseSheetName(text, p) == 0 || ReadSheetName(text, p, Kinds::kAny) != 0) return {};
  return GridSheetOf(p);
}

}  // namespace mapbasis
