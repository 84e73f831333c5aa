#include "params/nomenclature_parser.h"

#include "core/fixed_text.h"
#include "geometry/sheet_grid.h"
#include "geometry/sheet_trapezoid.h"

namespace mapbasis {

namespace {

// Only the rows U (belt 1) to K (belt 11) are named by a sheet of a run; V and J exist only as
// neighbours of the rows in use.
std::int32_t BeltInUse(char letter) {
  const std::int32_t belt = BeltOfLetter(letter);
  return belt >= 1 && belt <= 11 ? belt : 0;
}

bool IsZoneInUse(std::int32_t zone) { return zone == 1 || zone == 2 || (zone >= 33 && zone <= 60); }

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

std::int32_t Reject(SheetParameters& p) {
  p.MillionSeries = kRejected;
  return 1;
}

}  // namespace

std::int32_t ParseSheetName(std::string_view text, SheetParameters& p) {
  // The rest of the name still to be read; trailing blanks never count.
  std::string_view rest = TrimTrailingBlanks(TrimLeadingBlanks(text));
  if (rest.size() < 3) return Reject(p);

  const std::int32_t belt = BeltInUse(rest.front());
  if (belt == 0) return Reject(p);
  p.Belt = belt;
  rest.remove_prefix(1);

  // N-37-XIV names the sheet number in Roman numerals after a hyphen, N3714 in two digits.
  const bool hyphenated = rest.front() == '-';
  if (hyphenated) rest.remove_prefix(1);

  if (rest.size() < 2) return Reject(p);
  if (!StartsWithTwoDigits(rest)) return Reject(p);
  p.Zone = TwoDigits(rest);
  if (!IsZoneInUse(p.Zone)) return Reject(p);
  rest.remove_prefix(2);

  const std::string_view afterZone = TrimLeadingBlanks(rest);
  if (afterZone.empty() || afterZone.front() == '(') {
    p.MillionSeries = 1;
    p.SheetNo = 0;
    rest = afterZone;
  } else {
    p.MillionSeries = 0;
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
      if (p.SheetNo < 1 || p.SheetNo > 36) return Reject(p);
      rest.remove_prefix(2);
    }
    rest = TrimLeadingBlanks(rest);
  }

  if (rest.empty()) {
    p.ExtraSheets = 0;
  } else if (ExtraSheetsOfMark(rest, p) < 0) {
    return Reject(p);
  }

  StoreBaseParameters(
      ComputeBaseTrapezoid(p.MillionSeries, p.Belt, p.Zone, p.SheetNo, p.ExtraSheets), p);
  return 0;
}

}  // namespace mapbasis
