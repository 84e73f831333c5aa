#include "driver/sheet_commands.h"

#include <cmath>
#include <exception>
#include <new>
#include <optional>
#include <string_view>
#include <vector>

#include "core/cp1251.h"
#include "core/echo.h"
#include "core/sheet_parameters.h"
#include "driver/program.h"
#include "driver/result_folder.h"
#include "driver/sheet_index.h"
#include "geometry/sheet_finder.h"
#include "params/coordinate_texts.h"
#include "params/param_items.h"
#include "platform/files.h"
#include "platform/folder_lock.h"
#include "shapeout/layer_files.h"
#include "shapeout/result_folders.h"

namespace mapbasis {

namespace {

constexpr auto kGridExtent = Cp1251("40° to 84° N and 12° E to 168° W");
constexpr auto kLatitudeForms =
    Cp1251("decimal degrees from -90 to 90 (55.75) or degrees and minutes (55°45' or \"55 45\")");
constexpr auto kLongitudeForms = Cp1251(
    "decimal degrees from -180 to 360, west negative or above 180 (37.62, -170.5), or degrees and "
    "minutes (37°37')");
constexpr auto kSystems = Cp1251("CK-42, CK-95 or ГCK-2011");
constexpr auto kSystemLetters = Cp1251(" (C and K Latin, Г Cyrillic)");

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
  if (!lat) Refuse(diagnostics, Shown(arg) + " is not a latitude: " + kLatitudeForms.str());
  return lat;
}

std::optional<double> ReadLongitude(const std::string& arg, std::ostream& diagnostics) {
  const auto lon = ReadAngle(arg, -180.0, 360.0);
  if (!lon) Refuse(diagnostics, Shown(arg) + " is not a longitude: " + kLongitudeForms.str());
  return lon;
}

struct IndexRequest {
  std::vector<std::string> positional;
  std::int32_t MillionSeries = 0;
  std::int32_t CS = kCsSk42;
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
        Refuse(diagnostics, "--index has no option " + Shown(arg) + "; it takes --scale and --cs");
        return false;
      }
      request.positional.push_back(arg);
      continue;
    }
    if (i + 1 == args.size()) {
      Refuse(diagnostics, arg + (arg == "--scale" ? " needs a value: 200 or 1000"
                                                  : " needs a value: " + kSystems.str()));
      return false;
    }
    const std::string& value = args[++i];
    if (arg == "--scale") {
      if (value != "200" && value != "1000") {
        Refuse(diagnostics, "--scale " + Shown(value) +
                                ": the index is of the 1:200 000 or the 1:1 000 000 series, "
                                "--scale 200 or --scale 1000");
        return false;
      }
      request.MillionSeries = value == "1000" ? 1 : 0;
    } else {
      const auto text = ArgumentText(value);
      if (!text || ParseCoordinateSystem(*text, request.CS) != 0) {
        Refuse(diagnostics, "--cs " + Shown(value) + ": the coordinate system is " +
                                kSystems.str() + kSystemLetters.str());
        return false;
      }
    }
  }
  if (request.positional.size() != 5) {
    Refuse(diagnostics,
           "--index takes SOUTH WEST NORTH EAST FOLDER, e.g. mapbasis --index 55.1 37.1 55.9 "
           "38.9 index");
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
    Refuse(diagnostics, "the folder " + Shown(arg) +
                            (IsValidUtf8(arg) ? " has a character that code page 1251 lacks"
                                              : " is not UTF-8 text"));
    return std::nullopt;
  }
  if (text->empty()) {
    Refuse(diagnostics, "the folder of the index is empty");
    return std::nullopt;
  }
  for (const char c : *text) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
      Refuse(diagnostics, "the folder " + Shown(arg) + " holds a control character");
      return std::nullopt;
    }
  }
  std::string path = *text;
  // A folder written with a slash on Windows ends with it as well as with a backslash.
  if (path.back() != platform::kPathSeparator && path.back() != '/')
    path += platform::kPathSeparator;
  if (path.size() > kPathLength) {
    Refuse(diagnostics, "the folder " + Shown(arg) + " is longer than " +
                            std::to_string(kPathLength) + " characters with its separator");
    return std::nullopt;
  }
  if (path.size() + kSheetIndexLayer.size() > kMaxBasePathLength) {
    Refuse(diagnostics, "the folder " + Shown(arg) + " is too long for its layer: " +
                            std::to_string(path.size() + kSheetIndexLayer.size()) +
                            " characters, " + std::to_string(kMaxBasePathLength) + " at the most");
    return std::nullopt;
  }
  return path;
}

// Makes and locks the folder, then writes the layer; `writing` says when the writing began.
int WriteIndex(const IndexRequest& request, const std::vector<GridSheet>& sheets,
               const std::string& path, bool& writing, std::ostream& diagnostics) {
  const ResultFolders folders = ResultFoldersOf(path);
  if (Outcome name = CheckResultFolderName(folders); !name.ok()) {
    return Refuse(diagnostics, name.reason);
  }
  // A folder made here goes again when the index is not written.
  MadeFolders made;
  if (Outcome making = MakeResultFolder(folders, made); !making.ok()) {
    return Refuse(diagnostics, making.reason);
  }
  platform::FolderLock lock;
  if (const std::error_code error = lock.Acquire(folders.result.path)) {
    const std::filesystem::path lockFile = platform::LockFileOf(folders.result.path);
    return Refuse(diagnostics, "cannot lock the folder \"" + EchoPath(folders.result.text) + "\"" +
                                   (lockFile.empty() ? "" : " with " + QuotedPath(lockFile)) +
                                   ": " + error.message());
  }
  OldFiles old;
  if (Outcome usable = PlanSheetIndex(folders.result, old); !usable.ok()) {
    return Refuse(diagnostics, usable.reason);
  }
  writing = true;
  if (Outcome written = WriteSheetIndex(sheets, request.CS, folders.result, old); !written.ok()) {
    return Refuse(
        diagnostics, written.reason,
        written.fault == IndexFault::kFolderUnusable ? kExitNotDone : kExitGenerationFailed);
  }
  return kExitDone;
}

}  // namespace

int RunFindCommand(std::span<const std::string> args, std::ostream& out,
                   std::ostream& diagnostics) {
  if (args.size() != 2) {
    return Refuse(diagnostics,
                  "--find takes the latitude and the longitude, e.g. mapbasis --find 55.75 37.62");
  }
  const auto lat = ReadLatitude(args[0], diagnostics);
  if (!lat) return kExitNotDone;
  const auto lon = ReadLongitude(args[1], diagnostics);
  if (!lon) return kExitNotDone;
  const std::vector<GridSheet> sheets = SheetsHoldingPoint(*lat, EastLongitude(*lon));
  if (sheets.empty()) {
    return Refuse(diagnostics, "the point " + Shown(args[0]) + " " + Shown(args[1]) +
                                   " lies outside the sheet grid, which spans " +
                                   kGridExtent.str());
  }
  for (const GridSheet& sheet : sheets) out << NomTextOf(sheet) << '\n';
  if (out.flush()) return kExitDone;
  return Refuse(diagnostics, "cannot write to the standard output", kExitGenerationFailed);
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
    return Refuse(diagnostics, "the south edge " + Shown(place[0]) +
                                   " lies north of the north edge " + Shown(place[2]));
  }
  const auto path = ReadIndexFolder(place[4], diagnostics);
  if (!path) return kExitNotDone;

  // Running out of memory ends the command like any failure: one line, and the status of the
  // stage it happened in.
  bool writing = false;
  try {
    const std::vector<GridSheet> sheets =
        SheetsCoveringBox(BoxBetween(*south, *west, *north, *east), request.MillionSeries);
    const char* series = request.MillionSeries != 0 ? "1:1 000 000" : "1:200 000";
    if (sheets.empty()) {
      return Refuse(diagnostics, "the box " + Shown(place[0]) + " " + Shown(place[1]) + " " +
                                     Shown(place[2]) + " " + Shown(place[3]) +
                                     " lies outside the sheet grid, which spans " +
                                     kGridExtent.str());
    }
    if (sheets.size() > kMaxIndexSheets) {
      return Refuse(diagnostics, "the box covers " + std::to_string(sheets.size()) +
                                     " sheets of the " + series + " series; an index holds " +
                                     std::to_string(kMaxIndexSheets) +
                                     " at the most: make it in parts, or with --scale 1000");
    }
    return WriteIndex(request, sheets, *path, writing, diagnostics);
  } catch (const std::exception& e) {
    const bool memory = dynamic_cast<const std::bad_alloc*>(&e) != nullptr;
    diagnostics << "mapbasis: " << (memory ? "out of memory" : e.what()) << '\n';
    return writing ? kExitGenerationFailed : kExitNotDone;
  }
}

}  // namespace mapbasis
