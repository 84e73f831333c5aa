#include "params/param_file.h"

#include "core/angle_format.h"
#include "core/angle_tolerance.h"
#include "core/coordinate_systems.h"
#include "core/cp1251.h"
#include "core/echo.h"
#include "core/fixed_text.h"
#include "core/messages.h"
#include "params/angle_texts.h"
#include "params/param_items.h"
#include "params/param_lines.h"
#include "params/param_source.h"
#include "params/trapezoid_rules.h"

namespace mapbasis {

namespace {

// Every field the file may give holds its marker until an item gives it.
void SetMarkers(SheetParameters& p) {
  p.MillionSeries = kNotGiven;
  p.MapScale = kNotGiven;
  p.Path.clear();
  p.xFrom = p.xTo = p.yFrom = p.yTo = kNotGivenAngle;
  p.MeridianStep = p.ParallelStep = kNotGivenAngle;
  p.xMinute = p.yMinute = kNotGiven;
  p.CS = kDefaultCoordinateSystem;
}

// The line of the file where each trapezoid edge was given, for the message about it.
struct EdgeLines {
  int xFrom = 0, xTo = 0, yFrom = 0, yTo = 0;

  // Notes the line for every edge that the item just read gave.
  void Note(const SheetParameters& before, const SheetParameters& after, int line) {
    if (before.xFrom != after.xFrom) xFrom = line;
    if (before.xTo != after.xTo) xTo = line;
    if (before.yFrom != after.yFrom) yFrom = line;
    if (before.yTo != after.yTo) yTo = line;
  }
};

// Where a message points: "params.txt:3" for a line of the file, "params.txt" for the file.
std::string Place(std::string_view source, int line) {
  std::string place(source);
  if (line > 0) place += ":" + std::to_string(line);
  return place;
}

Outcome Finish(ParamFileFault fault, SheetParameters& p, std::string_view source, int line,
               std::string_view message) {
  p.Status = static_cast<std::int32_t>(fault);
  return Failure(fault, Place(source, line) + ": " + std::string(message));
}

// A refined trapezoid may reach beyond the base trapezoid by less than one sheet of the series on
// each side, and must be a trapezoid on the earth: west of east, south of north, not beyond the
// pole. An edge not given is the base edge. Fails with kEdgeTooFar.
Outcome CompleteTrapezoid(SheetParameters& p, const EdgeLines& lines, std::string_view source) {
  // The file's edges are held against their bounds exactly, as they stand.
  const RefinementBounds bounds = RefinementBoundsOf(p, BoundComparison::kExact);

  if (p.xFrom == kNotGivenAngle) {
    p.xFrom = p.BaseWest;
  } else if (!bounds.AllowsWest(p.xFrom)) {
    return Finish(ParamFileFault::kEdgeTooFar, p, source, lines.xFrom,
                  Tr("xFrom %1 is a full sheet or more west of the sheet's west edge %2",
                     FormatDegreesMinutes(p.xFrom), FormatDegreesMinutes(p.BaseWest)));
  }
  if (p.xTo == kNotGivenAngle) {
    p.xTo = p.BaseEast;
  } else if (!bounds.AllowsEast(p.xTo)) {
    return Finish(ParamFileFault::kEdgeTooFar, p, source, lines.xTo,
                  Tr("xTo %1 is a full sheet or more east of the sheet's east edge %2",
                     FormatDegreesMinutes(p.xTo), FormatDegreesMinutes(p.BaseEast)));
  }
  if (p.yFrom == kNotGivenAngle) {
    p.yFrom = p.BaseSouth;
  } else if (!bounds.AllowsSouth(p.yFrom)) {
    return Finish(ParamFileFault::kEdgeTooFar, p, source, lines.yFrom,
                  Tr("yFrom %1 is a full sheet or more south of the sheet's south edge %2",
                     FormatDegreesMinutes(p.yFrom), FormatDegreesMinutes(p.BaseSouth)));
  }
  if (p.yTo == kNotGivenAngle) {
    p.yTo = p.BaseNorth;
  } else if (!bounds.AllowsNorth(p.yTo)) {
    return Finish(ParamFileFault::kEdgeTooFar, p, source, lines.yTo,
                  Tr("yTo %1 is a full sheet or more north of the sheet's north edge %2",
                     FormatDegreesMinutes(p.yTo), FormatDegreesMinutes(p.BaseNorth)));
  }

  // An empty or inverted trapezoid, or one reaching past the pole, can never be a map basis.
  if (!EdgesInOrder(p.xFrom, p.xTo)) {
    return Finish(ParamFileFault::kEdgeTooFar, p, source, lines.xTo > 0 ? lines.xTo : lines.xFrom,
                  Tr("xTo %1 is not east of xFrom %2", FormatDegreesMinutes(p.xTo),
                     FormatDegreesMinutes(p.xFrom)));
  }
  if (!EdgesInOrder(p.yFrom, p.yTo)) {
    return Finish(ParamFileFault::kEdgeTooFar, p, source, lines.yTo > 0 ? lines.yTo : lines.yFrom,
                  Tr("yTo %1 is not north of yFrom %2", FormatDegreesMinutes(p.yTo),
                     FormatDegreesMinutes(p.yFrom)));
  }
  if (!SouthOfThePole(p.yTo)) {
    return Finish(ParamFileFault::kEdgeTooFar, p, source, lines.yTo,
                  Tr("yTo %1 lies beyond the pole", FormatDegreesMinutes(p.yTo)));
  }

  if (p.xMinute == kNotGiven) p.xMinute = p.DefaultxMinute;
  if (p.yMinute == kNotGiven) p.yMinute = p.DefaultyMinute;
  if (p.ParallelStep == kNotGivenAngle) p.ParallelStep = p.DefaultParallelStep;
  if (p.MeridianStep == kNotGivenAngle) p.MeridianStep = p.DefaultMeridianStep;
  return Success();
}

}  // namespace

Outcome ReadParamText(std::string_view content, std::string_view source, SheetParameters& p) {
  SetMarkers(p);

  ParamLines lines;
  if (Outcome opened = OpenParamLines(content, lines); !opened.ok()) {
    return Finish(ParamFileFault::kCannotReadLine, p, source, 0, opened.reason);
  }
  EdgeLines edgeLines;
  std::string buffer;
  for (;;) {
    while (IsBlank(buffer) && !AtEnd(lines)) {
      if (Outcome read = ReadParamLine(lines, buffer); !read.ok()) {
        const bool tooLong = read.fault == LineFault::kTooLong;
        return Finish(tooLong ? ParamFileFault::kBadItem : ParamFileFault::kCannotReadLine, p,
                      source, lines.lineNumber, read.reason);
      }
    }
    if (IsBlank(buffer)) break;
    const SheetParameters before = p;
    if (Outcome item = ReadParamItem(buffer, p); !item.ok()) {
      return Finish(ParamFileFault::kBadItem, p, source, lines.lineNumber, item.reason);
    }
    edgeLines.Note(before, p, lines.lineNumber);
  }

  const bool noNom = p.MillionSeries == kNotGiven;
  const bool noPath = IsBlank(p.Path);
  if (noNom || noPath) {
    return Finish(ParamFileFault::kMissingKey, p, source, 0,
                  noNom && noPath ? Tr("Nom and Path are missing")
                  : noNom         ? Tr("Nom is missing")
                                  : Tr("Path is missing"));
  }
  if (p.MapScale == kNotGiven) p.MapScale = 0;
  if (Outcome completed = CompleteTrapezoid(p, edgeLines, source); !completed.ok()) {
    return completed;
  }
  p.Status = 0;
  return Success();
}

Outcome ReadParamFile(const std::filesystem::path& file, SheetParameters& p) {
  SetMarkers(p);
  const std::string source = EchoPath(DisplayPath(file));
  std::string content;
  if (Outcome read = ReadParameterFile(file, content); !read.ok()) {
    return Finish(*read.fault.As<ParamFileFault>(), p, source, 0, read.reason);
  }
  return ReadParamText(content, source, p);
}

}  // namespace mapbasis
