#include "dialogs/sheet_view.h"

#include "core/angle_format.h"
#include "core/cp1251.h"
#include "dialogs/dialog_ids.h"
#include "geometry/sheet_grid.h"
#include "params/angle_texts.h"

namespace mapbasis {

namespace {

constexpr auto kRefined = Cp1251("  (уточнено)");

bool IsDigitOrMark(char c) {
  return (c >= '0' && c <= '9') || c == ' ' || c == kDegreeSign || c == '\'';
}

// The hemisphere marks as typed: «з. д.», «з.д.», «зд» and the like, in either case.
std::optional<bool> HemisphereMark(std::string_view mark) {
  std::string letters;
  for (const char c : mark) {
    if (c == ' ' || c == '.') continue;
    const auto byte = static_cast<unsigned char>(c);
    // Capital Cyrillic letters are 0xC0..0xDF in cp1251, small ones 0x20 above.
    letters += byte >= 0xC0 && byte <= 0xDF ? static_cast<char>(byte + 0x20) : c;
  }
  if (letters == Cp1251("зд").view()) return true;
  if (letters == Cp1251("вд").view()) return false;
  return std::nullopt;
}

}  // namespace

std::string LongitudeFieldText(double lon) {
  if (ReadLongitude(lon, AngleTextForm::kDialog).hemisphere != Hemisphere::kWest) {
    return FormatDegreesMinutes(lon);
  }
  return LongitudeText(lon, AngleTextForm::kDialog);
}

std::optional<double> ParseLongitudeField(std::string_view text) {
  // The mark starts at the first character that is neither a digit, a blank, a degree sign nor
  // an apostrophe; without one the text is a plain angle.
  std::size_t at = 0;
  while (at < text.size() && IsDigitOrMark(text[at])) ++at;
  if (at == text.size()) return ParseDegreesMinutes(text);
  const std::optional<bool> west = HemisphereMark(text.substr(at));
  const std::optional<double> angle = ParseDegreesMinutes(text.substr(0, at));
  if (!west || !angle || *angle > 180.0) return std::nullopt;
  return *west ? 360.0 - *angle : *angle;
}

std::string SheetViewText(const DialogState& s) {
  const BaseParameters& b = s.base;
  const bool refined = s.Refined;
  const double west = refined ? s.RefinedxFrom : b.BaseWest;
  const double east = refined ? s.RefinedxTo : b.BaseEast;
  const double south = refined ? s.RefinedyFrom : b.BaseSouth;
  const double north = refined ? s.RefinedyTo : b.BaseNorth;

  std::string text = SheetNameOf(SelectedSheet(s));
  text += ":  ";
  text += LatitudeRangeText(south, north, AngleTextForm::kDialog);
  text += ",  ";
  text += LongitudeRangeText(west, east, AngleTextForm::kDialog);
  if (refined) text += kRefined.view();
  return text;
}

void ShowSheet(const DialogState& state, Dialog& mainDialog) {
  // Read into a copy: what OK reads back (a sheet number kept while the million series is
  // chosen, say) stays as it was.
  DialogState shown = state;
  ReadMainDialogSelections(shown, mainDialog);
  mainDialog.SetText(ids::kSheetView, SheetViewText(shown));
}

}  // namespace mapbasis
