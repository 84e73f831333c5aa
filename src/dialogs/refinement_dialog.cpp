#include "dialogs/refinement_dialog.h"

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "core/angle_tolerance.h"
#include "core/cp1251.h"
#include "dialogs/dialog_ids.h"
#include "dialogs/sheet_view.h"
#include "driver/shell_texts.h"
#include "geometry/sheet_grid.h"
#include "params/angle_texts.h"

namespace mapbasis {

namespace {

using namespace ids;

// The kind as the refinement dialog names it (unlike the main dialog's list, with the Cyrillic С
// and without the padding).
constexpr auto kStandardSheet = Cp1251("Стандартный  лист");
constexpr auto kDoubleSheet = Cp1251("Сдвоенный лист");
constexpr auto kTripleSheet = Cp1251("Строенный лист");
constexpr auto kQuadrupleSheet = Cp1251("Счетверенный лист");

constexpr auto kBaseChanged = Cp1251("Базовая трапеция изменена!");
constexpr auto kRefinementError = Cp1251("Ошибка в уточнении параметров");

constexpr auto kBadWest = Cp1251("Ошибка в задании скорректированного значения начальной долготы");
constexpr auto kBadEast = Cp1251("Ошибка в задании скорректированного значения конечной долготы");
constexpr auto kBadLonRange = Cp1251("Ошибка в задании диапазона долготы");
constexpr auto kBadSouth = Cp1251("Ошибка в задании скорректированного значения начальной широты");
constexpr auto kBadNorth = Cp1251("Ошибка в задании скорректированного значения конечной широты");
constexpr auto kBadLatRange = Cp1251("Ошибка в задании диапазона широты");
constexpr auto kBadxMinute = Cp1251("Ошибка в задании цены минутной рамки по долготе");
constexpr auto kBadyMinute = Cp1251("Ошибка в задании цены минутной рамки по широте");
constexpr auto kBadMeridianStep = Cp1251("Ошибка в задании расстояния между меридианами");
constexpr auto kBadParallelStep = Cp1251("Ошибка в задании расстояния между параллелями");

// What each message adds: the values the field takes.
constexpr auto kAllowed = Cp1251(" (допустимо: ");
constexpr auto kAbove = Cp1251("больше ");
constexpr auto kBelow = Cp1251("меньше ");
constexpr auto kLonRangeRule = Cp1251("начальная долгота меньше конечной");
constexpr auto kLatRangeRule = Cp1251("начальная широта меньше конечной");
constexpr auto kDivisionRule = Cp1251("от 1 до 59 минут");
constexpr auto kStepRule = Cp1251("не меньше 0° 01'");

// A message of the dialog with the range its field allows.
std::string WithRange(std::string_view message, std::string_view range) {
  return std::string(message) + kAllowed.str() + std::string(range) + ")";
}

std::string Above(double edge) { return kAbove.str() + FormatDegreesMinutes(edge); }
std::string Below(double edge) { return kBelow.str() + FormatDegreesMinutes(edge); }

std::string_view KindText(std::int32_t ExtraSheets) {
  switch (ExtraSheets) {
    case 1: return kDoubleSheet;
    case 2: return kTripleSheet;
    case 3: return kQuadrupleSheet;
    default: return kStandardSheet;
  }
}

// An angle field: parsed into `value` and shown in its normal form; false when it does not parse.
bool ReadAngleField(Dialog& dialog, int id, double& value) {
  const std::optional<double> read = ParseDegreesMinutes(dialog.GetText(id));
  if (!read) return false;
  value = *read;
  dialog.SetText(id, FormatDegreesMinutes(value));
  return true;
}

bool ReadMinuteField(Dialog& dialog, int id, std::int32_t& value) {
  const std::optional<std::int32_t> read = ParseWholeMinutes(dialog.GetText(id));
  if (!read) return false;
  value = *read;
  dialog.SetText(id, FormatMinutes(value));
  return true;
}

// a > b by more than the angle tolerance. An edge a whole sheet beyond the base edge is refused
// whether or not the sheet's edges are whole minutes in binary (84 - 2/3 is not).
bool Beyond(double a, double b) { return a > b && !AnglesEqual(a, b); }

void ShowBoth(Dialog& dialog, int baseId, int resultId, std::string_view text) {
  dialog.SetText(baseId, text);
  dialog.SetText(resultId, text);
}

}  // namespace

void OnRefineButton(ParameterDialogs& dialogs, Dialog& mainDialog, int, DialogReason reason) {
  if (reason != DialogReason::Clicked) return;
  const std::unique_ptr<Dialog> dialog = dialogs.toolkit.DlgInit(kRefinementDialog);
  if (!dialog) {
    // Without it the parameters cannot be had: the main dialog ends as cancelled.
    dialogs.textOutput << "mapbasis: ERROR: dialog3 not found" << std::endl;
    mainDialog.DlgEnd(kCancel);
    return;
  }
  ReadMainDialogSelections(dialogs.state, mainDialog);
  const BaseParameters& b = dialogs.state.base;

  // The result fields start from the base values, even after an earlier refinement.
  dialog->SetText(kBaseKind, KindText(dialogs.state.ExtraSheets));
  dialog->SetText(kTestStatus, "");
  ShowBoth(*dialog, kBaseWidth, kResultWidth, FormatDegreesMinutes(b.BaseEast - b.BaseWest));
  ShowBoth(*dialog, kBaseHeight, kResultHeight, FormatDegreesMinutes(b.BaseNorth - b.BaseSouth));
  ShowBoth(*dialog, kBaseWest, kResultWest, FormatDegreesMinutes(b.BaseWest));
  ShowBoth(*dialog, kBaseEast, kResultEast, FormatDegreesMinutes(b.BaseEast));
  ShowBoth(*dialog, kBaseSouth, kResultSouth, FormatDegreesMinutes(b.BaseSouth));
  ShowBoth(*dialog, kBaseNorth, kResultNorth, FormatDegreesMinutes(b.BaseNorth));
  ShowBoth(*dialog, kBaseMeridianStep, kResultMeridianStep,
           FormatDegreesMinutes(b.DefaultMeridianStep));
  ShowBoth(*dialog, kBaseParallelStep, kResultParallelStep,
           FormatDegreesMinutes(b.DefaultParallelStep));
  // Divisions open as plain numbers; they take the minute form once validated.
  ShowBoth(*dialog, kBasexMinute, kResultxMinute, std::to_string(b.DefaultxMinute));
  ShowBoth(*dialog, kBaseyMinute, kResultyMinute, std::to_string(b.DefaultyMinute));
  dialog->DlgSetSub(kTestButton, [&dialogs](Dialog& d, int id, DialogReason r) {
    OnTestButton(dialogs, d, id, r);
  });

  for (;;) {
    if (dialog->DlgModal() != kOk) {
      dialogs.state.Refined = false;
      break;
    }
    if (ValidateRefinementDialog(dialogs, *dialog) == 0) break;
  }
  ShowSheet(dialogs.state, mainDialog);
}

void OnTestButton(ParameterDialogs& dialogs, Dialog& dialog, int, DialogReason reason) {
  if (reason == DialogReason::Clicked) ValidateRefinementDialog(dialogs, dialog);
}

std::int32_t ValidateRefinementDialog(ParameterDialogs& dialogs, Dialog& dialog) {
  DialogState& s = dialogs.state;
  const BaseParameters& b = s.base;
  // A refined edge may lie up to one sheet of the series beyond the base edge, whatever the kind.
  const SheetSize allowance = SeriesSheetSize(s.MillionSeries);

  // Each field is read in turn; a value that parsed but fails its test is shown normalised.
  bool badWest = !ReadAngleField(dialog, kResultWest, s.RefinedxFrom) ||
                 !Beyond(s.RefinedxFrom, b.BaseWest - allowance.width);
  bool badEast = !ReadAngleField(dialog, kResultEast, s.RefinedxTo) ||
                 !Beyond(b.BaseEast + allowance.width, s.RefinedxTo);
  bool badSouth = !ReadAngleField(dialog, kResultSouth, s.RefinedyFrom) ||
                  !Beyond(s.RefinedyFrom, b.BaseSouth - allowance.height);
  bool badNorth = !ReadAngleField(dialog, kResultNorth, s.RefinedyTo) ||
                  !Beyond(b.BaseNorth + allowance.height, s.RefinedyTo);
  const bool badxMinute =
      !ReadMinuteField(dialog, kResultxMinute, s.RefinedxMinute) || s.RefinedxMinute == 0;
  const bool badyMinute =
      !ReadMinuteField(dialog, kResultyMinute, s.RefinedyMinute) || s.RefinedyMinute == 0;
  const bool badMeridianStep =
      !ReadAngleField(dialog, kResultMeridianStep, s.RefinedMeridianStep) ||
      s.RefinedMeridianStep == 0.0;
  const bool badParallelStep =
      !ReadAngleField(dialog, kResultParallelStep, s.RefinedParallelStep) ||
      s.RefinedParallelStep == 0.0;

  // Each message names the values its field allows.
  const double lowestWest = b.BaseWest - allowance.width;
  const double highestEast = b.BaseEast + allowance.width;
  const double lowestSouth = b.BaseSouth - allowance.height;
  const double highestNorth = b.BaseNorth + allowance.height;
  std::vector<std::string> faults;
  if (badWest) faults.push_back(WithRange(kBadWest, Above(lowestWest)));
  if (badEast) faults.push_back(WithRange(kBadEast, Below(highestEast)));
  if (!badWest && !badEast && s.RefinedxFrom >= s.RefinedxTo) {
    badWest = true;
    faults.push_back(WithRange(kBadLonRange, kLonRangeRule));
  }
  if (!badWest && !badEast)
    dialog.SetText(kResultWidth, FormatDegreesMinutes(s.RefinedxTo - s.RefinedxFrom));
  if (badSouth) faults.push_back(WithRange(kBadSouth, Above(lowestSouth)));
  if (badNorth) faults.push_back(WithRange(kBadNorth, Below(highestNorth)));
  if (!badSouth && !badNorth && s.RefinedyFrom >= s.RefinedyTo) {
    badSouth = true;
    faults.push_back(WithRange(kBadLatRange, kLatRangeRule));
  }
  if (!badSouth && !badNorth) {
    dialog.SetText(kResultHeight, FormatDegreesMinutes(s.RefinedyTo - s.RefinedyFrom));
  }
  if (badxMinute) faults.push_back(WithRange(kBadxMinute, kDivisionRule));
  if (badyMinute) faults.push_back(WithRange(kBadyMinute, kDivisionRule));
  if (badMeridianStep) faults.push_back(WithRange(kBadMeridianStep, kStepRule));
  if (badParallelStep) faults.push_back(WithRange(kBadParallelStep, kStepRule));

  if (faults.empty()) {
    // Typed edges are whole minutes, while a base edge such as 84 - 2 * 2/3 is not exactly one in
    // binary: an edge counts as changed only when it differs by more than the angle tolerance.
    const bool changed =
        !AnglesEqual(s.RefinedxFrom, b.BaseWest) || !AnglesEqual(s.RefinedxTo, b.BaseEast) ||
        !AnglesEqual(s.RefinedyFrom, b.BaseSouth) || !AnglesEqual(s.RefinedyTo, b.BaseNorth);
    dialog.SetText(kTestStatus, changed ? std::string_view(kBaseChanged) : std::string_view());
    s.Refined = true;
    return 0;
  }

  // Values that were refused change nothing: the status no longer says the base was changed.
  dialog.SetText(kTestStatus, "");
  std::string message;
  for (const std::string_view fault : faults) {
    if (!message.empty()) message += kMessageLineBreak;
    message += fault;
  }
  dialogs.toolkit.ShowMessageBox(message, kRefinementError, BoxIcon::Exclamation);
  s.Refined = false;
  return 1;
}

}  // namespace mapbasis
