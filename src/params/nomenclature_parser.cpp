#include "params/nomenclature_parser.h"

#include <array>

#include "driver/fixed_text.h"
#include "geometry/sheet_trapezoid.h"

namespace mapbasis {

namespace {

// Row letters from the north: U is belt 1 (80..84 N), K belt 11 (40..44 N). V and J exist only as
// neighbours of the rows in use.
constexpr std::string_view kRowLetters = "UTSRQPONMLK";

// The sheet numbers 1..36 of a 1:200 000 sheet within its 1:1 000 000 sheet.
constexpr std::array<std::string_view, 36> kRomanSheetNumbers = {
    "I",     "II",     "III",     "IV",     "V",     "VI",     "VII",    "VIII",  "IX",
    "X",     "XI",     "XII",     "XIII",   "XIV",   "XV",     "XVI",    "XVII",  "XVIII",
    "XIX",   "XX",     "XXI",     "XXII",   "XXIII", "XXIV",   "XXV",    "XXVI",  "XXVII",
    "XXVIII", "XXIX",  "XXX",     "XXXI",   "XXXII", "XXXIII", "XXXIV",  "XXXV",  "XXXVI",
};

// The belt of a row letter in either case, 0 for any other character.
std::int32_t BeltOfLetter(char c) {
  if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  const auto at = kRowLetters.find(c);
  return at == std::string_view::npos ? 0 : static_cast<std::int32_t>(at) + 1;
}

bool IsZoneInUse(std::int32_t zone) { return zone == 1 || zone == 2 || (zone >= 33 && zone <= 60); }

bool StartsWithTwoDigits(std::string_view text) {
  return text.size() >= 2 && IsDigit(text[0]) && IsDigit(text[1]);
}

std::int32_t TwoDigits(std::string_view text) { return (text[0] - '0') * 10 + (text[1] - '0'); }

bool IsRomanLetter(char c) { return c == 'I' || c == 'V' || c == 'X'; }

// The sheet number a Roman numeral stands for, 0 when it is none of the 36.
std::int32_t SheetOfRoman(std::string_view numeral) {
  for (std::size_t i = 0; i < kRomanSheetNumbers.size(); ++i) {
    if (kRomanSheetNumbers[i] == numeral) return static_cast<std::int32_t>(i) + 1;
  }
  return 0;
}

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

std::int32_t READNOMENCLATURE(std::string_view text, SheetParameters& p) {
  // The rest of the name still to be read; trailing blanks never count.
  std::string_view rest = TrimTrailingBlanks(TrimLeadingBlanks(text));
  if (rest.size() < 3) return Reject(p);

  const std::int32_t belt = BeltOfLetter(rest.front());
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
      const std::int32_t sheet = SheetOfRoman(rest.substr(0, run));
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
      COMPUTEBASEPARAMETERS(p.MillionSeries, p.Belt, p.Zone, p.SheetNo, p.ExtraSheets), p);
  return 0;
}

}  // namespace mapbasis
