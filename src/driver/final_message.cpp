#include "driver/final_message.h"

#include <filesystem>
#include <system_error>

#include "core/coordinate_systems.h"
#include "core/cp1251.h"
#include "core/map_scales.h"
#include "driver/shell_texts.h"
#include "geometry/sheet_grid.h"
#include "platform/files.h"

namespace mapbasis {

namespace {

constexpr auto kTaskDone = Cp1251("Задание выполнено");
constexpr auto kSheet = Cp1251("Лист: ");
constexpr auto kCoordinateSystem = Cp1251("Система координат: ");
constexpr auto kMapScale = Cp1251("Масштаб карты: ");
constexpr auto kReplaced = Cp1251("Слои прежнего запуска в этих папках заменены.");

// A folder of the run as the user finds it: the whole path, even when the user gave it relative
// to the current directory.
std::string FullPath(const NamedPath& folder) {
  std::filesystem::path absolute;
  if (platform::AbsolutePathOf(folder.path, absolute)) return folder.text;
  return Cp1251FromPath(absolute.lexically_normal()).value_or(folder.text);
}

}  // namespace

std::string DoneMessage(const SheetParameters& p, const ResultFolders& folders,
                        bool replacedOldLayers) {
  std::string text = kTaskDone.str();
  text += kMessageLineBreak;
  const auto line = [&text](std::string_view label, std::string_view value) {
    text += kMessageLineBreak;
    text += label;
    text += value;
  };
  line(kSheet, SheetNameOf(GridSheetOf(p)));
  line(kCoordinateSystem, CoordinateSystemName(p.CS));
  const MapScaleSpec* scale = MapScaleOf(p.MillionSeries, p.MapScale);
  line(kMapScale, scale != nullptr ? scale->messageName : "?");
  for (const LayerFolder folder : {LayerFolder::kHyps, LayerFolder::kFrame}) {
    line(std::string(FolderName(folder)) + ": ", FullPath(folders.Of(folder)));
  }
  if (replacedOldLayers) {
    text += kMessageLineBreak;
    line("", kReplaced);
  }
  return text;
}

std::string NotDoneMessage(std::string_view outcome, std::string_view reason) {
  std::string text(outcome);
  if (!reason.empty()) {
    text += kMessageLineBreak;
    text += kMessageLineBreak;
    text += reason;
  }
  return text;
}

}  // namespace mapbasis
