#include "dialogs/sheet_view.h"

#include <cmath>

#include "core/angle_tolerance.h"
#include "core/cp1251.h"
#include "dialogs/dialog_ids.h"
#include "geometry/nomenclature.h"
#include "params/angle_texts.h"

namespace mapbasis {

namespace {

constexpr auto kNorthLatitude = Cp1251(" с. ш.");
constexpr auto kEastLongitude = Cp1251(" в. д.");
constexpr auto kWestLongitude = Cp1251(" з. д.");
constexpr auto kRefined = Cp1251("  (уточнено)");
constexpr auto kDash = Cp1251(" – ");

// A longitude held as 0..360 (or beyond, for the east edge of a sheet past 360) as people write
// it: east up to 180, west beyond; 0 and 180 have no hemisphere.
struct Longitude {
  std::string degrees;
  std::string_view hemisphere;
};

Longitude AsWritten(double lon) {
  double east = std::fmod(lon, 360.0);
  if (east < 0.0) east += 360.0;
  if (AnglesEqual(east, 0.0) || AnglesEqual(east, 360.0)) return {FormatDegreesMinutes(0.0), ""};
  if (AnglesEqual(east, 180.0)) return {FormatDegreesMinutes(180.0), ""};
  if (east < 180.0) return {FormatDegreesMinutes(east), kEastLongitude.view()};
  return {FormatDegreesMinutes(360.0 - east), kWestLongitude.view()};
}

// «37° 00' – 38° 00' в. д.», each edge with its own hemisphere where they differ.
std::string LongitudeRange(double west, double east) {
  const Longitude w = AsWritten(west);
  const Longitude e = AsWritten(east);
  std::string text = w.degrees;
  if (w.hemisphere != e.hemisphere) text += w.hemisphere;
  text += kDash.view();
  text += e.degrees;
  text += e.hemisphere.empty() ? w.hemisphere : e.hemisphere;
  return text;
}

}  // namespace

std::string SheetViewText(const DialogState& s) {
  const BaseParameters& b = s.base;
  const bool refined = s.Refined;
  const double west = refined ? s.RefinedxFrom : b.BaseWest;
  const double east = refined ? s.RefinedxTo : b.BaseEast;
  const double south = refined ? s.RefinedyFrom : b.BaseSouth;
  const double north = refined ? s.RefinedyTo : b.BaseNorth;

  std::string text = SheetNameOf(s.MillionSeries, s.Belt, s.Zone, s.SheetNo, s.ExtraSheets);
  text += ":  ";
  text += FormatDegreesMinutes(south);
  text += kDash.view();
  text += FormatDegreesMinutes(north);
  text += kNorthLatitude.view();
  text += ",  ";
  text += LongitudeRange(west, east);
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
