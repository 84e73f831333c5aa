#include "dialogs/refinement_dialog.h"

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "core/angle_format.h"
#include "core/angle_tolerance.h"
#include "core/cp1251.h"
#include "core/messages.h"
#include "dialogs/dialog_ids.h"
#include "dialogs/sheet_view.h"
#include "driver/shell_texts.h"
#include "params/angle_texts.h"
#include "params/trapezoid_rules.h"

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

// A message of the dialog with what its field takes, in parentheses.
std::string WithHint(std::string_view message, std::string_view hint) {
  return std::string(message) + " (" + std::string(hint) + ")";
}

// What a field takes that holds no angle at all (a letter, minutes above 59): the form.
std::string AngleForm() {
  return Tr("degrees and minutes, the minutes from 0 to 59: 12 30 or 12° 30'");
}
std::string LongitudeForm() {
  return Tr("degrees and minutes, the minutes from 0 to 59: 12 30, 12° 30' or 174° 00' з. д.");
}

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

// A longitude field, which takes west longitudes as they are written too.
bool ReadLongitudeField(Dialog& dialog, int id, double& value) {
  const std::optional<double> read = ParseLongitudeField(dialog.GetText(id));
  if (!read) return false;
  value = *read;
  dialog.SetText(id, LongitudeFieldText(value));
  return true;
}

bool ReadMinuteField(Dialog& dialog, int id, std::int32_t& value) {
  const std::optional<std::int32_t> read = ParseWholeMinutes(dialog.GetText(id));
  if (!read) return false;
  value = *read;
  dialog.SetText(id, FormatMinutes(value));
  return true;
}

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
  ShowBoth(*dialog, kBaseWest, kResultWest, LongitudeFieldText(b.BaseWest));
  ShowBoth(*dialog, kBaseEast, kResultEast, LongitudeFieldText(b.BaseEast));
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
  // The first field that can be changed takes the keys, its text selected.
  dialog->SetFocus(kResultWest);

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
  const RefinementBounds bounds =
      RefinementBoundsOf(s.MillionSeries, b, BoundComparison::kWithTolerance);

  // Each field is read in turn; a value that parsed but fails its test is shown normalised.
  const bool westRead = ReadLongitudeField(dialog, kResultWest, s.RefinedxFrom);
  bool badWest = !westRead || !bounds.AllowsWest(s.RefinedxFrom);
  const bool eastRead = ReadLongitudeField(dialog, kResultEast, s.RefinedxTo);
  bool badEast = !eastRead || !bounds.AllowsEast(s.RefinedxTo);
  const bool southRead = ReadAngleField(dialog, kResultSouth, s.RefinedyFrom);
  bool badSouth = !southRead || !bounds.AllowsSouth(s.RefinedyFrom);
  const bool northRead = ReadAngleField(dialog, kResultNorth, s.RefinedyTo);
  bool badNorth = !northRead || !bounds.AllowsNorth(s.RefinedyTo);
  const bool xMinuteRead = ReadMinuteField(dialog, kResultxMinute, s.RefinedxMinute);
  const bool badxMinute = !xMinuteRead || !IsPositiveDivision(s.RefinedxMinute);
  const bool yMinuteRead = ReadMinuteField(dialog, kResultyMinute, s.RefinedyMinute);
  const bool badyMinute = !yMinuteRead || !IsPositiveDivision(s.RefinedyMinute);
  const bool meridianRead = ReadAngleField(dialog, kResultMeridianStep, s.RefinedMeridianStep);
  const bool badMeridianStep = !meridianRead || !IsPositiveSpacing(s.RefinedMeridianStep);
  const bool parallelRead = ReadAngleField(dialog, kResultParallelStep, s.RefinedParallelStep);
  const bool badParallelStep = !parallelRead || !IsPositiveSpacing(s.RefinedParallelStep);

  // Each message says what its field takes: the form of the text when it could not be read,
  // else the bound the value must keep, written as the field writes it.
  const std::string lowestWest = LongitudeFieldText(bounds.west);
  const std::string highestEast = LongitudeFieldText(bounds.east);
  const std::string lowestSouth = FormatDegreesMinutes(bounds.south);
  const std::string highestNorth = FormatDegreesMinutes(bounds.north);
  const std::string divisions = Tr("whole minutes from 1 to 59");
  const std::string steps = Tr("from 0° 01' up, in degrees and minutes: 0 15 or 0° 15'");
  std::vector<std::string> faults;
  // The field that takes the keys after the message: the first one at fault.
  int firstFaulty = 0;
  const auto fault = [&](int id, std::string_view message, std::string_view hint) {
    faults.push_back(WithHint(message, hint));
    if (firstFaulty == 0) firstFaulty = id;
  };
  if (badWest) {
    fault(kResultWest, kBadWest,
          westRead ? Tr("allowed: east of %1", lowestWest) : LongitudeForm());
  }
  if (badEast) {
    fault(kResultEast, kBadEast,
          eastRead ? Tr("allowed: west of %1", highestEast) : LongitudeForm());
  }
  if (!badWest && !badEast && !EdgesInOrder(s.RefinedxFrom, s.RefinedxTo)) {
    badWest = true;
    fault(kResultWest, kBadLonRange, Tr("allowed: the start longitude west of the end longitude"));
  }
  if (!badWest && !badEast)
    dialog.SetText(kResultWidth, FormatDegreesMinutes(s.RefinedxTo - s.RefinedxFrom));
  if (badSouth) {
    fault(kResultSouth, kBadSouth,
          southRead ? Tr("allowed: north of %1", lowestSouth) : AngleForm());
  }
  if (badNorth) {
    fault(kResultNorth, kBadNorth,
          northRead ? Tr("allowed: south of %1", highestNorth) : AngleForm());
  }
  if (!badSouth && !badNorth && !EdgesInOrder(s.RefinedyFrom, s.RefinedyTo)) {
    badSouth = true;
    fault(kResultSouth, kBadLatRange, Tr("allowed: the start latitude south of the end latitude"));
  }
  if (!badSouth && !badNorth) {
    dialog.SetText(kResultHeight, FormatDegreesMinutes(s.RefinedyTo - s.RefinedyFrom));
  }
  if (badxMinute) fault(kResultxMinute, kBadxMinute, divisions);
  if (badyMinute) fault(kResultyMinute, kBadyMinute, divisions);
  if (badMeridianStep) fault(kResultMeridianStep, kBadMeridianStep, steps);
  if (badParallelStep) fault(kResultParallelStep, kBadParallelStep, steps);

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
  dialog.SetFocus(firstFaulty);
  s.Refined = false;
  return 1;
}

}  // namespace mapbasis
