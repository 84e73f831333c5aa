#include "dialogs/parameter_dialog.h"

#include <algorithm>
#include <cstdio>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "core/coordinate_systems.h"
#include "core/cp1251.h"
#include "core/fixed_text.h"
#include "core/map_scales.h"
#include "dialogs/dialog_ids.h"
#include "dialogs/refinement_dialog.h"
#include "dialogs/result_folder_field.h"
#include "dialogs/sheet_view.h"
#include "geometry/sheet_grid.h"
#include "platform/process.h"

namespace mapbasis {

namespace {

using namespace ids;

constexpr auto kParameterError = Cp1251("ОШИБКА В ЗАДАНИИ ПАРАМЕТРОВ");
constexpr auto kNoResultFolder = Cp1251("Не задана папка для рез. файлов");
constexpr auto kFolderSearchTitle = Cp1251("Поиск папки для рез. файлов");

void FillList(Dialog& dialog, int id, const std::vector<std::string>& items) {
  dialog.SetItemCount(id, static_cast<int>(items.size()));
  for (std::size_t i = 0; i < items.size(); ++i) {
    dialog.SetItemText(id, static_cast<int>(i) + 1, items[i]);
  }
  dialog.SetSelection(id, 1);
}

std::vector<std::string> CoordinateSystemItems() {
  std::vector<std::string> items;
  for (const CoordinateSystem& system : CoordinateSystems()) items.emplace_back(system.name);
  return items;
}

// The series as the list names them: the scale of its own sheets.
std::vector<std::string> SeriesItems() {
  return {std::string(SeriesScale(0).listItem), std::string(SeriesScale(1).listItem)};
}

std::vector<std::string> MapScaleItems(std::int32_t MillionSeries) {
  std::vector<std::string> items;
  for (const MapScaleSpec& scale : MapScalesOf(MillionSeries)) items.emplace_back(scale.listItem);
  return items;
}

// The belts and zones of the grid, north to south and west to east; the sheets of the
// 1:200 000 series in a 1:1 000 000 sheet.
std::vector<std::string> BeltItems() {
  std::vector<std::string> items;
  for (const std::int32_t belt : GridBelts()) items.emplace_back(1, BeltLetter(belt));
  return items;
}

std::vector<std::string> ZoneItems() {
  std::vector<std::string> items;
  for (const std::int32_t zone : GridZones()) items.push_back(ZoneText(zone));
  return items;
}

std::vector<std::string> SheetItems() {
  std::vector<std::string> items;
  for (std::int32_t sheet = 1; sheet <= SheetsPerMillionSheet(Series::k200000); ++sheet) {
    items.push_back(SheetNumberText(Series::k200000, sheet));
  }
  return items;
}

// The element of `values` that a list item (counted from 1) chooses; the last for an item beyond
// them.
std::int32_t ItemOf(std::span<const std::int32_t> values, int item) {
  const auto at = static_cast<std::size_t>(std::clamp(item, 1, static_cast<int>(values.size())));
  return values[at - 1];
}

Series SeriesOfItem(int seriesItem) { return seriesItem == 1 ? Series::k200000 : Series::k1000000; }

// The combined-sheet list after the series, belt or sheet changed.
void RefillSheetKinds(Dialog& dialog) {
  const int seriesItem = dialog.GetSelection(kSeriesScale);
  const int sheetItem = seriesItem == 1 ? dialog.GetSelection(kSheetNumber) : 1;
  FillSheetKindList(dialog, seriesItem, dialog.GetSelection(kBelt), sheetItem,
                    dialog.GetSelection(kSheetKind));
}

}  // namespace

DialogVerdict RunParameterDialog(ParameterDialogs& dialogs, SheetParameters& p) {
  const std::unique_ptr<Dialog> dialog = dialogs.toolkit.DlgInit(kParameterDialog);
  if (!dialog) {
    dialogs.textOutput << "mapbasis: ERROR: dialog not found" << std::endl;
    return DialogVerdict::kCancelled;
  }
  DialogState& state = dialogs.state;
  state.Refined = false;
  dialog->DlgSetSub(kFindFolderButton, [&dialogs](Dialog& d, int id, DialogReason reason) {
    OnFolderButton(dialogs.toolkit, d, id, reason);
  });
  dialog->SetText(kResultFolder, "");
  dialog->DlgSetSub(kRefineButton, [&dialogs](Dialog& d, int id, DialogReason reason) {
    OnRefineButton(dialogs, d, id, reason);
  });
  const auto bind = [&state](auto callback) {
    return [&state, callback](Dialog& d, int id, DialogReason reason) {
      callback(state, d, id, reason);
    };
  };

  // The coordinate system and the map scale keep a refinement; the sheet in view follows them.
  const auto showSheet = [&state](Dialog& d, int, DialogReason reason) {
    if (reason == DialogReason::SelectionChanged) ShowSheet(state, d);
  };
  FillList(*dialog, kCoordinateSystem, CoordinateSystemItems());
  dialog->DlgSetSub(kCoordinateSystem, showSheet);
  FillList(*dialog, kSeriesScale, SeriesItems());
  dialog->DlgSetSub(kSeriesScale, bind(OnSeriesScaleChanged));
  FillList(*dialog, kMapScale, MapScaleItems(0));
  dialog->DlgSetSub(kMapScale, showSheet);
  FillList(*dialog, kBelt, BeltItems());
  dialog->DlgSetSub(kBelt, bind(OnBeltChanged));
  FillList(*dialog, kZone, ZoneItems());
  dialog->DlgSetSub(kZone, bind(OnZoneChanged));
  FillList(*dialog, kSheetNumber, SheetItems());
  dialog->DlgSetSub(kSheetNumber, bind(OnSheetNumberChanged));
  FillSheetKindList(*dialog, 1, 1, 1, 1);
  dialog->DlgSetSub(kSheetKind, bind(OnSheetKindChanged));
  ShowSheet(state, *dialog);

  // A refused OK shows the dialog again with everything as the user left it.
  std::string pending;
  for (;;) {
    if (!pending.empty()) {
      dialogs.toolkit.ShowMessageBox(pending, kParameterError, BoxIcon::Exclamation);
      dialog->SetFocus(kResultFolder);
    }
    if (dialog->DlgModal() != kOk) return DialogVerdict::kCancelled;

    ReadMainDialogSelections(state, *dialog);
    p.CS = state.CS;
    p.MapScale = state.MapScale;
    // A 1:1 000 000 sheet has no number, whatever number the list keeps for the other series.
    StoreGridSheet(SelectedSheet(state), p);
    StoreBaseParameters(state.base, p);
    if (state.Refined) {
      p.xFrom = state.RefinedxFrom;
      p.xTo = state.RefinedxTo;
      p.yFrom = state.RefinedyFrom;
      p.yTo = state.RefinedyTo;
      p.MeridianStep = state.RefinedMeridianStep;
      p.xMinute = state.RefinedxMinute;
      p.ParallelStep = state.RefinedParallelStep;
      p.yMinute = state.RefinedyMinute;
    } else {
      UseBaseTrapezoid(p);
    }

    // A character the record cannot hold is named; then a typed folder is checked as a picked
    // one is; a missing one is made by the run.
    if (std::string lacking = RefuseCharacterCp1251Lacks(dialog->GetTextUtf8(kResultFolder));
        !lacking.empty()) {
      pending = std::move(lacking);
      continue;
    }
    const FolderSearch folder = CheckTypedResultFolder(dialog->GetText(kResultFolder));
    if (!folder.confirmed) {
      pending = folder.refusal.empty() ? kNoResultFolder.str() : folder.refusal;
      continue;
    }
    dialog->SetText(kResultFolder, folder.folder);
    p.Path = folder.folder;
    return DialogVerdict::kConfirmed;
  }
}

void ReadMainDialogSelections(DialogState& state, const Dialog& dialog) {
  state.CS = dialog.GetSelection(kCoordinateSystem);
  const Series series = SeriesOfItem(dialog.GetSelection(kSeriesScale));
  state.MillionSeries = MillionSeriesOf(series);
  state.MapScale = dialog.GetSelection(kMapScale) - 1;
  state.Belt = ItemOf(GridBelts(), dialog.GetSelection(kBelt));
  state.Zone = ItemOf(GridZones(), dialog.GetSelection(kZone));
  // The kinds listed are those the belt offers (the third of the 1:1 000 000 series joins four).
  state.ExtraSheets =
      ItemOf(OfferedSheetKinds(series, state.Belt), dialog.GetSelection(kSheetKind));
  if (series == Series::k200000) state.SheetNo = dialog.GetSelection(kSheetNumber);
  state.base = ComputeBaseTrapezoid(SelectedSheet(state));
}

GridSheet SelectedSheet(const DialogState& state) {
  SheetNumbers numbers;
  numbers.MillionSeries = state.MillionSeries;
  numbers.Belt = state.Belt;
  numbers.Zone = state.Zone;
  numbers.SheetNo = state.SheetNo;
  numbers.ExtraSheets = state.ExtraSheets;
  return GridSheetOf(numbers);
}

void FillSheetKindList(Dialog& dialog, int seriesItem, int beltItem, int /*sheetItem*/,
                       int kindItem) {
  const std::span<const std::int32_t> kinds =
      OfferedSheetKinds(SeriesOfItem(seriesItem), ItemOf(GridBelts(), beltItem));
  const int count = static_cast<int>(kinds.size());
  dialog.SetItemCount(kSheetKind, count);
  for (int i = 0; i < count; ++i) dialog.SetItemText(kSheetKind, i + 1, SheetKindText(kinds[i]));
  dialog.SetSelection(kSheetKind, std::min(kindItem, count));
}

void OnSeriesScaleChanged(DialogState& state, Dialog& dialog, int, DialogReason reason) {
  if (reason != DialogReason::SelectionChanged) return;
  state.Refined = false;
  // The 1:1 000 000 series has no sheet numbers.
  const bool series200k = dialog.GetSelection(kSeriesScale) == 1;
  dialog.SetEnabled(kSheetNumber, series200k);
  dialog.SetEnabled(kSheetNumberLabel, series200k);
  FillList(dialog, kMapScale, MapScaleItems(series200k ? 0 : 1));
  RefillSheetKinds(dialog);
  ShowSheet(state, dialog);
}

void OnBeltChanged(DialogState& state, Dialog& dialog, int, DialogReason reason) {
  if (reason != DialogReason::SelectionChanged) return;
  state.Refined = false;
  RefillSheetKinds(dialog);
  ShowSheet(state, dialog);
}

void OnSheetNumberChanged(DialogState& state, Dialog& dialog, int, DialogReason reason) {
  if (reason != DialogReason::SelectionChanged) return;
  state.Refined = false;
  RefillSheetKinds(dialog);
  ShowSheet(state, dialog);
}

void OnZoneChanged(DialogState& state, Dialog& dialog, int, DialogReason reason) {
  if (reason != DialogReason::SelectionChanged) return;
  state.Refined = false;
  ShowSheet(state, dialog);
}

void OnSheetKindChanged(DialogState& state, Dialog& dialog, int, DialogReason reason) {
  if (reason != DialogReason::SelectionChanged) return;
  state.Refined = false;
  ShowSheet(state, dialog);
}

void OnFolderButton(DialogToolkit& toolkit, Dialog& dialog, int, DialogReason reason) {
  if (reason != DialogReason::Clicked) return;
  // The picker starts in the current directory, which is the same again afterwards whatever the
  // picker did with it.
  std::filesystem::path current;
  const bool known = !platform::CurrentFolder(current);
  const FolderSearch search = ChooseResultFolder(
      toolkit, known ? current / "" : std::filesystem::path(), kFolderSearchTitle);
  if (known) (void)platform::ChangeCurrentFolder(current);

  if (!search.refusal.empty()) {
    toolkit.ShowMessageBox(search.refusal, kParameterError, BoxIcon::Exclamation);
  } else if (search.confirmed) {
    dialog.SetText(kResultFolder, TrimTrailingBlanks(search.folder));
    // Enter now confirms the dialog rather than opening the picker again.
    dialog.SetFocus(kOk);
  }
}

}  // namespace mapbasis
