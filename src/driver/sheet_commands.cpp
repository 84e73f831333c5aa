#include "driver/sheet_commands.h"

#include <cmath>
#include <exception>
#include <new>
#include <optional>
#include <string_view>
#include <vector>

#include "core/angle_format.h"
#include "core/coordinate_systems.h"
#include "core/cp1251.h"
#include "core/echo.h"
#include "core/map_scales.h"
#include "core/messages.h"
#include "core/sheet_parameters.h"
#include "driver/program.h"
#include "driver/sheet_index.h"
#include "geometry/sheet_finder.h"
#include "geometry/sheet_grid.h"
#include "params/coordinate_texts.h"
#include "params/param_items.h"
#include "platform/file_system.h"
#include "platform/files.h"
#include "publish/publish_sheet.h"
#include "publish/result_folder.h"
#include "shapeout/layer_files.h"

namespace mapbasis {

namespace {

// The extent of the grid in the message's words, which give its east edge as a west longitude.
static_assert(kGridWest < 180.0 && kGridEast > 180.0);
std::string GridExtent() {
  return Tr("%1 to %2 N and %3 E to %4 W", FormatWholeDegrees(kGridSouth),
            FormatWholeDegrees(kGridNorth), FormatWholeDegrees(FromGreenwich(kGridWest).angle),
            FormatWholeDegrees(FromGreenwich(kGridEast).angle));
}

// One line of diagnostics; `text` is cp1251.
int Refuse(std::ostream& diagnostics, std::string_view text, int status = kExitNotDone) {
  diagnostics << "mapbasis: " << Cp1251ToUtf8(text) << '\n';
  return status;
}

// An argument as cp1251 text. The platform gives UTF-8; bytes that are not UTF-8 are taken as
// cp1251 already. Empty when a character has no cp1251 form.
std::optional<std::string> ArgumentText(const std::string& arg) {
  if (!IsValidUtf8(arg)) return arg;
  return Utf8ToCp1251(arg);
}

// An argument as a message shows it (cp1251).
std::string Shown(const std::string& arg) {
  return "\"" + Echo(IsValidUtf8(arg) ? Utf8ToCp1251Lossy(arg) : arg) + "\"";
}

std::optional<double> ReadAngle(const std::string& arg, double lowest, double highest) {
  const auto text = ArgumentText(arg);
  if (!text) return std::nullopt;
  const auto angle = ParseAngleArgument(*text);
  if (!angle || !std::isfinite(*angle) || *angle < lowest || *angle > highest) return std::nullopt;
  return angle;
}

std::optional<double> ReadLatitude(const std::string& arg, std::ostream& diagnostics) {
  const auto lat = ReadAngle(arg, -90.0, 90.0);
  if (!lat) {
    Refuse(diagnostics, Tr("%1 is not a latitude: decimal degrees from -90 to 90 (55.75) or "
                           "degrees and minutes (55°45' or \"55 45\")",
                           Shown(arg)));
  }
  return lat;
}

std::optional<double> ReadLongitude(const std::string& arg, std::ostream& diagnostics) {
  const auto lon = ReadAngle(arg, -180.0, 360.0);
  if (!lon) {
    Refuse(diagnostics, Tr("%1 is not a longitude: decimal degrees from -180 to 360, west "
                           "negative or above 180 (37.62, -170.5), or degrees and minutes "
                           "(37°37')",
                           Shown(arg)));
  }
  return lon;
}

struct IndexRequest {
  std::vector<std::string> positional;
  Series series = Series::k200000;
  std::int32_t CS = kDefaultCoordinateSystem;
};

// Sorts the arguments of --index into its five places and its options; false (having said why)
// when they are not what --index takes.
bool ReadIndexArguments(std::span<const std::string> args, IndexRequest& request,
                        std::ostream& diagnostics) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg != "--scale" && arg != "--cs") {
      // A negative longitude starts with one hyphen; an option with two.
      if (arg.starts_with("--")) {
        Refuse(diagnostics, Tr("--index has no option %1; it takes --scale and --cs", Shown(arg)));
        return false;
      }
      request.positional.push_back(arg);
      continue;
    }
    static_assert(kCoordinateSystemCount == 3, "the messages name three systems");
    const auto systems = CoordinateSystems();
    // --scale names a series by the scale of its own sheets, in thousands.
    const MapScaleSpec& series200k = SeriesScale(0);
    const MapScaleSpec& series1m = SeriesScale(1);
    if (i + 1 == args.size()) {
      Refuse(diagnostics,
             arg == "--scale"
                 ? Tr("--scale needs a value: %1 or %2", series200k.thousands, series1m.thousands)
                 : Tr("--cs needs a value: %1, %2 or %3", systems[0].parameterText,
                      systems[1].parameterText, systems[2].parameterText));
      return false;
    }
    const std::string& value = args[++i];
    if (arg == "--scale") {
      if (value != series200k.thousands && value != series1m.thousands) {
        Refuse(diagnostics, Tr("--scale %1: the index is of the %2 or the %3 series, --scale %4 "
                               "or --scale %5",
                               Shown(value), series200k.name, series1m.name, series200k.thousands,
                               series1m.thousands));
        return false;
      }
      request.series = value == series1m.thousands ? Series::k1000000 : Series::k200000;
    } else {
      const auto text = ArgumentText(value);
      if (!text || ParseCoordinateSystem(*text, request.CS) != 0) {
        Refuse(diagnostics, Tr("--cs %1: the coordinate system is %2, %3 or %4 (C and K Latin, "
                               "%5 Cyrillic)",
                               Shown(value), systems[0].parameterText, systems[1].parameterText,
                               systems[2].parameterText, CyrillicOfParameterTexts()));
        return false;
      }
    }
  }
  if (request.positional.size() != 5) {
    Refuse(diagnostics, Tr("--index takes SOUTH WEST NORTH EAST FOLDER, e.g. mapbasis --index "
                           "55.1 37.1 55.9 38.9 index"));
    return false;
  }
  return true;
}

// The folder of the index as cp1251 text ending with the separator, as a result folder's path is
// held; empty (having said why) when it cannot be one.
std::optional<std::string> ReadIndexFolder(const std::string& arg, std::ostream& diagnostics) {
  const std::optional<std::string> text =
      IsValidUtf8(arg) ? Utf8ToCp1251(arg) : std::optional<std::string>();
  if (!text) {
    Refuse(diagnostics,
           IsValidUtf8(arg)
               ? Tr("the folder %1 has a character that code page 1251 lacks", Shown(arg))
               : Tr("the folder %1 is not UTF-8 text", Shown(arg)));
    return std::nullopt;
  }
  if (text->empty()) {
    Refuse(diagnostics, Tr("the folder of the index is empty"));
    return std::nullopt;
  }
  for (const char c : *text) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
      Refuse(diagnostics, Tr("the folder %1 holds a control character", Shown(arg)));
      return std::nullopt;
    }
  }
  std::string path = *text;
  // A folder written with a slash on Windows ends with it as well as with a backslash.
  if (path.back() != platform::kPathSeparator && path.back() != '/')
    path += platform::kPathSeparator;
  if (path.size() > kPathLength) {
    Refuse(diagnostics, Tr("the folder %1 is longer than %2 characters with its separator",
                           Shown(arg), kPathLength));
    return std::nullopt;
  }
  if (path.size() + kSheetIndexLayer.size() > kMaxBasePathLength) {
    Refuse(diagnostics, Tr("the folder %1 is too long for its layer: %2 characters, %3 at the most",
                           Shown(arg), path.size() + kSheetIndexLayer.size(), kMaxBasePathLength));
    return std::nullopt;
  }
  return path;
}

// Makes, locks and plans the folder, then writes the layer and puts it in place; `writing` says
// when the writing began.
int WriteIndex(const IndexRequest& request, const std::vector<GridSheet>& sheets,
               const std::string& path, bool& writing, std::ostream& diagnostics) {
  const ResultFolders folders = ResultFoldersOf(path);
  if (Outcome name = CheckResultFolderName(folders); !name.ok()) {
    return Refuse(diagnostics, name.reason);
  }
  platform::NativeFileSystem system;
  const Published published = PublishLayer(
      system, folders, kSheetIndexLayer, IndexFault::kFolderUnusable, [&](FileSets& files) {
        writing = true;
        return WriteSheetIndex(sheets, request.CS, folders.result, files);
      });
  if (published.outcome.ok()) return kExitDone;
  return Refuse(diagnostics, published.outcome.reason,
                published.refused ? kExitNotDone : kExitGenerationFailed);
}

}  // namespace

int RunFindCommand(std::span<const std::string> args, std::ostream& out,
                   std::ostream& diagnostics) {
  if (args.size() != 2) {
    return Refuse(diagnostics, Tr("--find takes the latitude and the longitude, e.g. mapbasis "
                                  "--find 55.75 37.62"));
  }
  const auto lat = ReadLatitude(args[0], diagnostics);
  if (!lat) return kExitNotDone;
  const auto lon = ReadLongitude(args[1], diagnostics);
  if (!lon) return kExitNotDone;
  const std::vector<GridSheet> sheets = SheetsHoldingPoint(*lat, EastLongitude(*lon));
  if (sheets.empty()) {
    return Refuse(diagnostics, Tr("the point %1 %2 lies outside the sheet grid, which spans %3",
                                  Shown(args[0]), Shown(args[1]), GridExtent()));
  }
  for (const GridSheet& sheet : sheets) out << NomTextOf(sheet) << '\n';
  if (out.flush()) return kExitDone;
  return Refuse(diagnostics, Tr("cannot write to the standard output"), kExitGenerationFailed);
}

int RunIndexCommand(std::span<const std::string> args, std::ostream& diagnostics) {
  IndexRequest request;
  if (!ReadIndexArguments(args, request, diagnostics)) return kExitNotDone;
  const std::vector<std::string>& place = request.positional;
  const auto south = ReadLatitude(place[0], diagnostics);
  if (!south) return kExitNotDone;
  const auto west = ReadLongitude(place[1], diagnostics);
  if (!west) return kExitNotDone;
  const auto north = ReadLatitude(place[2], diagnostics);
  if (!north) return kExitNotDone;
  const auto east = ReadLongitude(place[3], diagnostics);
  if (!east) return kExitNotDone;
  if (*south > *north) {
    return Refuse(diagnostics, Tr("the south edge %1 lies north of the north edge %2",
                                  Shown(place[0]), Shown(place[2])));
  }
  const auto path = ReadIndexFolder(place[4], diagnostics);
  if (!path) return kExitNotDone;

  // Running out of memory ends the command like any failure: one line, and the status of the
  // stage it happened in.
  bool writing = false;
  const std::string outOfMemory = Cp1251ToUtf8(Tr("out of memory"));  // said without allocating
  try {
    const std::vector<GridSheet> sheets =
        SheetsCoveringBox(BoxBetween(*south, *west, *north, *east), request.series);
    const std::string_view series = SeriesScale(MillionSeriesOf(request.series)).name;
    if (sheets.empty()) {
      return Refuse(diagnostics, Tr("the box %1 %2 %3 %4 lies outside the sheet grid, which "
                                    "spans %5",
                                    Shown(place[0]), Shown(place[1]), Shown(place[2]),
                                    Shown(place[3]), GridExtent()));
    }
    if (sheets.size() > kMaxIndexSheets) {
      return Refuse(diagnostics, Tr("the box covers %1 sheets of the %2 series; an index holds "
                                    "%3 at the most: make it in parts, or with --scale 1000",
                                    sheets.size(), series, kMaxIndexSheets));
    }
    return WriteIndex(request, sheets, *path, writing, diagnostics);
  } catch (const std::exception& e) {
    const bool memory = dynamic_cast<const std::bad_alloc*>(&e) != nullptr;
    if (memory) {
      diagnostics << "mapbasis: " << outOfMemory << '\n';
    } else {
      Refuse(diagnostics, Utf8ToCp1251Lossy(e.what()));
    }
    return writing ? kExitGenerationFailed : kExitNotDone;
  }
}

}  // namespace mapbasis
