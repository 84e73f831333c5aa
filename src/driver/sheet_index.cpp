#include "driver/sheet_index.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "core/cp1251.h"
#include "core/echo.h"
#include "core/vertex_work.h"
#include "driver/run_generation.h"
#include "geometry/nomenclature.h"
#include "geometry/sheet_trapezoid.h"
#include "graticule/line_vertices.h"
#include "qgis/qgis_templates.h"
#include "shapeout/file_publisher.h"
#include "shapeout/layer_output.h"

namespace fs = std::filesystem;

namespace mapbasis {

namespace {

// A standard sheet's name is at most 11 characters (N-37-XXVIII).
constexpr std::int32_t kNameWidth = 20;

const FieldDef kSheetIndexFields[] = {
    {std::string(kSheetIndexFieldNames[0]), {kFieldString, kNameWidth, 0}},
    {std::string(kSheetIndexFieldNames[1]), {kFieldString, kNameWidth, 0}},
    {std::string(kSheetIndexFieldNames[2]), {kFieldString, kNameWidth, 0}},
    {std::string(kSheetIndexFieldNames[3]), {kFieldString, kNameWidth, 0}},
    {std::string(kSheetIndexFieldNames[4]), {kFieldString, kNameWidth, 0}},
};

// The files of a shapefile's family that describe the layer they are named after: an old index's
// files of these kinds would describe the new one wrongly.
constexpr std::string_view kFamilyExtensions[] = {
    ".shp", ".shx", ".dbf", ".prj", ".cpg", ".sbn", ".sbx",     ".qix", ".fbn",
    ".fbx", ".ain", ".aih", ".atx", ".ixs", ".mxs", ".shp.xml", ".qpj", ".qml"};

std::string LowerAscii(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

std::string NameOf(const fs::path& path) {
  const std::u8string u8 = path.filename().u8string();
  return std::string(u8.begin(), u8.end());
}

std::string Quoted(const fs::path& path) { return "\"" + EchoPath(DisplayPath(path)) + "\""; }

// The names the index is published under, the key last.
std::vector<std::string> PublishedNames() {
  std::vector<std::string> names;
  for (const std::string_view extension : kLayerCompanionExtensions) {
    names.push_back(std::string(kSheetIndexLayer) + std::string(extension));
  }
  names.push_back(std::string(kSheetIndexLayer) + std::string(kLayerKeyExtension));
  return names;
}

struct FolderEntry {
  fs::path path;
  std::string name;  // UTF-8, as listed
  bool isFolder = false;
};

Outcome ListFolder(const fs::path& folder, std::vector<FolderEntry>& entries) {
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code typeError;
    entries.push_back({it->path(), NameOf(it->path()),
                       !it->is_symlink(typeError) && it->is_directory(typeError)});
  }
  if (ec) return Failure(1, "cannot read the folder " + Quoted(folder) + ": " + ec.message());
  return Success();
}

bool IsFamilyFile(std::string_view lowerName) {
  const std::string layer = LowerAscii(kSheetIndexLayer);
  if (!lowerName.starts_with(layer)) return false;
  const std::string_view extension = lowerName.substr(layer.size());
  for (const std::string_view family : kFamilyExtensions) {
    if (extension == family) return true;
  }
  return false;
}

// Removes the old index's files that the new one will not replace by name, its shape file first.
Outcome RemoveUnreplacedFiles(std::string_view folder) {
  std::vector<FolderEntry> entries;
  if (Outcome listed = ListFolder(PathFromCp1251(folder), entries); !listed.ok()) return listed;
  const std::vector<std::string> published = PublishedNames();
  std::vector<fs::path> keys, others;
  for (const FolderEntry& entry : entries) {
    const std::string lower = LowerAscii(entry.name);
    if (entry.isFolder || !IsFamilyFile(lower)) continue;
    if (std::find(published.begin(), published.end(), entry.name) != published.end()) continue;
    (lower.ends_with(".shp") ? keys : others).push_back(entry.path);
  }
  for (const auto* files : {&keys, &others}) {
    for (const fs::path& file : *files) {
      std::error_code ec;
      if (!fs::remove(file, ec) && ec) {
        return Failure(1, "cannot delete the old layer file " + Quoted(file) + ": " + ec.message());
      }
    }
  }
  return Success();
}

}  // namespace

Outcome CheckSheetIndexFolder(std::string_view folder) {
  const fs::path path = PathFromCp1251(folder);
  std::vector<FolderEntry> entries;
  if (Outcome listed = ListFolder(path, entries); !listed.ok()) return listed;
  std::vector<std::string> taken;
  for (const std::string& name : PublishedNames()) {
    taken.push_back(LowerAscii(name));
    taken.push_back(LowerAscii(NameOf(TemporaryNameOf(path / name))));
  }
  for (const FolderEntry& entry : entries) {
    if (entry.isFolder &&
        std::find(taken.begin(), taken.end(), LowerAscii(entry.name)) != taken.end()) {
      return Failure(1, "a folder stands where a layer file goes: " + Quoted(entry.path));
    }
  }
  return Success();
}

Outcome WriteSheetIndex(std::span<const GridSheet> sheets, std::int32_t CS,
                        std::string_view folder) {
  Layer layer;
  const LayerStyles style = [](std::string_view) {
    return std::string(QgisTemplate(std::string(kSheetIndexLayer) + ".qml"));
  };
  if (Outcome opened =
          OpenLayerIn(CS, folder, kSheetIndexLayer, kShapePolygon, kSheetIndexFields, layer, style);
      !opened.ok()) {
    return opened;
  }
  VertexWork work;
  for (const GridSheet& s : sheets) {
    const BaseParameters t =
        ComputeBaseTrapezoid(s.MillionSeries, s.Belt, s.Zone, s.SheetNo, s.ExtraSheets);
    work.Clear();
    AppendTrapezoidRing(t.BaseWest, t.BaseEast, LonDensifyStep, t.BaseSouth, t.BaseNorth,
                        LatDensifyStep, work);
    std::string attributes = SheetNameOf(s.MillionSeries, s.Belt, s.Zone, s.SheetNo, s.ExtraSheets);
    attributes += '\\';
    for (const std::int32_t direction : {kWest, kEast, kNorth, kSouth}) {
      attributes +=
          AdjacentSheetName(direction, s.MillionSeries, s.Belt, s.Zone, s.SheetNo, s.ExtraSheets);
      attributes += '\\';
    }
    if (Outcome written = WriteWorkPolygon(layer, attributes, work); !written.ok()) return written;
  }
  if (Outcome removed = RemoveUnreplacedFiles(folder); !removed.ok()) return removed;
  return FinishLayer(layer);
}

}  // namespace mapbasis
