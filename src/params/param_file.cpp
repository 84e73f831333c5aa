#include "params/param_file.h"

#include <fstream>
#include <iterator>
#include <system_error>

#include "driver/cp1251.h"
#include "driver/fixed_text.h"
#include "geometry/sheet_trapezoid.h"
#include "params/angle_texts.h"
#include "params/param_items.h"
#include "params/param_lines.h"

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
  p.CS = kCsSk42;
}

// The line of the file where each trapezoid edge was given, for the message about it.
struct EdgeLines {
  int xFrom = 0, xTo = 0, yFrom = 0, yTo = 0;

  void Note(std::string_view key, int line) {
    if (key == "xFrom") xFrom = line;
    if (key == "xTo") xTo = line;
    if (key == "yFrom") yFrom = line;
    if (key == "yTo") yTo = line;
  }
};

std::int32_t Finish(std::int32_t status, SheetParameters& p, ParamDiagnostic& diag, int line,
                    std::string message) {
  diag.line = line;
  diag.message = std::move(message);
  p.Status = status;
  return status;
}

std::string EdgeMessage(std::string_view key, double edge, std::string_view direction,
                        std::string_view baseName, double base) {
  return std::string(key) + " " + GRADMIN2TXT(edge) + " is a full sheet or more " +
         std::string(direction) + " of the sheet's " + std::string(baseName) + " " +
         GRADMIN2TXT(base);
}

// A refined trapezoid may reach beyond the base trapezoid by less than one sheet of the series on
// each side; an edge not given is the base edge. Returns 0 or kParamFileEdgeTooFar.
std::int32_t CompleteTrapezoid(SheetParameters& p, const EdgeLines& lines, ParamDiagnostic& diag) {
  const bool million = p.MillionSeries != 0;
  const double mx = million ? 6.0 : 1.0;
  const double my = million ? 4.0 : 2.0 / 3.0;

  if (p.xFrom == kNotGivenAngle) {
    p.xFrom = p.BaseWest;
  } else if (!(p.xFrom > p.BaseWest - mx)) {
    return Finish(kParamFileEdgeTooFar, p, diag, lines.xFrom,
                  EdgeMessage("xFrom", p.xFrom, "west", "west edge", p.BaseWest));
  }
  if (p.xTo == kNotGivenAngle) {
    p.xTo = p.BaseEast;
  } else if (!(p.xTo < p.BaseEast + mx)) {
    return Finish(kParamFileEdgeTooFar, p, diag, lines.xTo,
                  EdgeMessage("xTo", p.xTo, "east", "east edge", p.BaseEast));
  }
  if (p.yFrom == kNotGivenAngle) {
    p.yFrom = p.BaseSouth;
  } else if (!(p.yFrom > p.BaseSouth - my)) {
    return Finish(kParamFileEdgeTooFar, p, diag, lines.yFrom,
                  EdgeMessage("yFrom", p.yFrom, "south", "south edge", p.BaseSouth));
  }
  if (p.yTo == kNotGivenAngle) {
    p.yTo = p.BaseNorth;
  } else if (!(p.yTo < p.BaseNorth + my)) {
    return Finish(kParamFileEdgeTooFar, p, diag, lines.yTo,
                  EdgeMessage("yTo", p.yTo, "north", "north edge", p.BaseNorth));
  }

  if (p.xMinute == kNotGiven) p.xMinute = p.DefaultxMinute;
  if (p.yMinute == kNotGiven) p.yMinute = p.DefaultyMinute;
  if (p.ParallelStep == kNotGivenAngle) p.ParallelStep = p.DefaultParallelStep;
  if (p.MeridianStep == kNotGivenAngle) p.MeridianStep = p.DefaultMeridianStep;
  return kParamFileRead;
}

}  // namespace

std::int32_t READARGTEXT(std::string_view content, SheetParameters& p, ParamDiagnostic& diag) {
  diag = {};
  SetMarkers(p);

  ParamLines lines = OpenParamLines(content);
  EdgeLines edgeLines;
  std::string buffer;
  for (;;) {
    std::string why;
    while (IsBlank(buffer)) {
      const LineRead read = ReadParamLine(lines, buffer, why);
      if (read == LineRead::kEnd) break;
      if (read == LineRead::kUnreadable) {
        return Finish(kParamFileCannotReadLine, p, diag, lines.lineNumber, why);
      }
    }
    if (IsBlank(buffer)) break;
    ItemReport report;
    if (READARG(buffer, p, report) != kItemRead) {
      return Finish(kParamFileBadItem, p, diag, lines.lineNumber, report.message);
    }
    edgeLines.Note(report.key, lines.lineNumber);
  }

  const bool noNom = p.MillionSeries == kNotGiven;
  const bool noPath = IsBlank(p.Path);
  if (noNom || noPath) {
    return Finish(kParamFileMissingKey, p, diag, 0,
                  noNom && noPath ? "Nom and Path are missing"
                  : noNom         ? "Nom is missing"
                                  : "Path is missing");
  }
  if (p.MapScale == kNotGiven) p.MapScale = 0;
  if (CompleteTrapezoid(p, edgeLines, diag) != kParamFileRead) return p.Status;
  p.Status = kParamFileRead;
  return kParamFileRead;
}

std::int32_t READARGFILE(const std::filesystem::path& file, SheetParameters& p,
                         ParamDiagnostic& diag) {
  diag = {};
  SetMarkers(p);

  std::error_code ec;
  if (std::filesystem::is_directory(file, ec)) {
    return Finish(kParamFileCannotOpen, p, diag, 0, "cannot open the file: it is a folder");
  }
  std::ifstream in(file, std::ios::binary);
  if (!in) return Finish(kParamFileCannotOpen, p, diag, 0, "cannot open the file");
  const std::string content{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) return Finish(kParamFileCannotReadLine, p, diag, 0, "cannot read the file");
  in.close();

  if (const std::int32_t status = READARGTEXT(content, p, diag); status != kParamFileRead) {
    return status;
  }

  // The result folder is made here, with any folders above it that are missing; something that
  // already stands at that path is left for the output stage to judge.
  const std::filesystem::path folder = PathFromCp1251(TrimTrailingBlanks(p.Path));
  if (!std::filesystem::exists(folder, ec)) {
    std::filesystem::create_directories(folder, ec);
    if (ec) {
      return Finish(kParamFileCannotCreateFolder, p, diag, 0,
                    "cannot create the result folder \"" + p.Path + "\": " + ec.message());
    }
  }
  p.Status = kParamFileRead;
  return kParamFileRead;
}

}  // namespace mapbasis
