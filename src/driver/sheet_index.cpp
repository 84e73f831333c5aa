#include "driver/sheet_index.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "core/cp1251.h"
#include "core/echo.h"
#include "core/messages.h"
#include "core/vertex_work.h"
#include "driver/run_generation.h"
#include "geometry/nomenclature.h"
#include "geometry/sheet_trapezoid.h"
#include "graticule/line_vertices.h"
#include "platform/files.h"
#include "qgis/qgis_templates.h"
#include "shapeout/layer_family.h"
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

// The folder's entries; a link is never taken for a folder.
Outcome ListEntries(const fs::path& folder, std::vector<platform::FolderEntry>& entries) {
  if (const std::error_code error = platform::ListFolder(folder, entries)) {
    return Failure(IndexFault::kFolderUnusable,
                   Tr("cannot read the folder %1: %2", Quoted(folder), SystemErrorText(error)));
  }
  return Success();
}

// Removes the old index's files that the new one will not replace by name, its shape file first.
Outcome RemoveUnreplacedFiles(const fs::path& folder) {
  std::vector<platform::FolderEntry> entries;
  if (Outcome listed = ListEntries(folder, entries); !listed.ok()) return listed;
  const std::vector<std::string> published = PublishedNames();
  std::vector<fs::path> keys, others;
  for (const platform::FolderEntry& entry : entries) {
    const std::string name = FileNameOf(entry.path);
    const auto extension = FamilyExtensionOf(name, kSheetIndexLayer);
    if (entry.type == platform::EntryType::kFolder || !extension) continue;
    if (std::find(published.begin(), published.end(), name) != published.end()) continue;
    (*extension == LowerAscii(kLayerKeyExtension) ? keys : others).push_back(entry.path);
  }
  for (const auto* files : {&keys, &others}) {
    for (const fs::path& file : *files) {
      const std::error_code error = platform::RemoveFile(file);
      if (error && !platform::IsMissing(error)) {
        return Failure(IndexFault::kNotWritten, Tr("cannot delete the old layer file %1: %2",
                                                   Quoted(file), SystemErrorText(error)));
      }
    }
  }
  return Success();
}

}  // namespace

Outcome CheckSheetIndexFolder(const NamedPath& folder) {
  std::vector<platform::FolderEntry> entries;
  if (Outcome listed = ListEntries(folder.path, entries); !listed.ok()) return listed;
  for (const platform::FolderEntry& entry : entries) {
    if (entry.type == platform::EntryType::kFolder &&
        IsWrittenName(FileNameOf(entry.path), kSheetIndexLayer)) {
      return Failure(IndexFault::kFolderUnusable,
                     Tr("a folder stands where a layer file goes: %1", Quoted(entry.path)));
    }
  }
  return Success();
}

Outcome WriteSheetIndex(std::span<const GridSheet> sheets, std::int32_t CS,
                        const NamedPath& folder) {
  Layer layer;
  if (Outcome opened =
          OpenLayerIn(CS, folder, kSheetIndexLayer, kShapePolygon, kSheetIndexFields, layer);
      !opened.ok()) {
    return opened;
  }
  layer.SetStyle(std::string(QgisTemplate(std::string(kSheetIndexLayer) + ".qml")));
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
  if (Outcome removed = RemoveUnreplacedFiles(folder.path); !removed.ok()) return removed;
  return FinishLayer(layer);
}

}  // namespace mapbasis
