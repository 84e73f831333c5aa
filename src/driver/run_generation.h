// Generation of all layers of one sheet, in the order the layers depend on each other: the names of
// the sheet and its neighbours, the graticule layers (which report the parallels and meridians
// they drew), the completion of those lists with the sheet edges that lie on the graticule, and
// the frame layers that read them.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/outcome.h"
#include "core/sheet_parameters.h"
#include "core/vertex_work.h"
#include "shapeout/layer_group_args.h"
#include "shapeout/sheet_files.h"

namespace mapbasis {

// Vertex spacings along parallels (1/8 degree of longitude) and meridians (1/12 degree of
// latitude), shared by both layer groups.
inline constexpr double LonDensifyStep = 0.125;
inline constexpr double LatDensifyStep = 1.0 / 12.0;

// The run's work data beside the parameter record.
struct GenerationWork {
  std::string SheetName;  // cp1251 nomenclature texts
  std::string AdjacentNorth, AdjacentSouth, AdjacentEast, AdjacentWest;
  std::vector<double> ParallelLats;  // ParallelCount is its size
  std::vector<double> MeridianLons;  // MeridianCount is its size
  VertexWork Work;                   // WorkX and WorkY
  // Every file of the sheet, written in memory and put in place together when the sheet is
  // complete (publish/publish_sheet.h): the layers in the order they were finished, then the
  // project.
  FileSets Files;
};

// What both groups of layers take of the run: the record's trapezoid, system and series, the
// vertex spacings, the folders, each layer's QGIS style and the run's files as their destination.
LayerGroupArgs LayerGroupArgsOf(const SheetParameters& p, const ResultFolders& folders,
                                GenerationWork& work);

// The sheet's own name and its four neighbours', in this order: west, east, north, south.
void NameSheets(const SheetParameters& p, GenerationWork& work);

// Appends v unless an entry already equals it within 1/6000 degree.
void AppendUnique(std::vector<double>& values, double v);

// Adds the edges `from` and `to` of the result trapezoid to a list of graticule lines when they lie
// on the grid origin + k * step (the edge itself enters, not the grid value), then sorts the list.
void CompleteGraticuleList(std::vector<double>& values, double from, double to, double origin,
                           double step);

// One stage of the generation: its status (0 = done) and, on failure, why.
using GenerationStage =
    std::function<Outcome(const SheetParameters&, const ResultFolders&, GenerationWork&)>;

struct GenerationStages {
  GenerationStage graticule;
  GenerationStage frame;
  GenerationStage project;
};

// The stages of the program: the graticule layers (HYPS folder), then the frame layers (FRAME),
// then the QGIS project of the result folder; each layer with its QGIS style beside it. They write
// nothing on disk: their files go to the work data's Files.
GenerationStages StandardStages();

// Runs the generation into the prepared folders; status 0 = success, otherwise the status of the
// stage that failed and one line saying why. The sheet must have passed CheckSheetFits
// (driver/capacity_check.h), which the program runs before it touches any folder.
Outcome RunGeneration(const SheetParameters& p, const ResultFolders& folders, GenerationWork& work,
                      const GenerationStages& stages = StandardStages());

}  // namespace mapbasis
