// Drives the whole batch run in-process on parameter files made from the fuzzer's bytes, in a
// scratch folder, and checks what a user relies on:
//   - exit status 0 means every layer written is complete and consistent, the HYPS layers all
//     there;
//   - any other exit status means the result folder was not made: nothing was touched.
// The bytes choose the items of the file (sheet, scale, refined edges, steps, divisions, junk
// lines); the result folder is always "out" below the scratch folder, so no run writes elsewhere.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>

#include "core/cp1251.h"
#include "driver/program.h"
#include "support/layer_consistency.h"

namespace {

namespace fs = std::filesystem;

void Check(bool holds) {
  if (!holds) std::abort();
}

// Takes the fuzzer's bytes one choice at a time; zeros when they run out.
class Choices {
 public:
  Choices(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  unsigned Next(unsigned range) {
    if (range == 0) return 0;
    unsigned value = 0;
    for (int i = 0; i < 2 && at_ < size_; ++i) value = value << 8 | data_[at_++];
    return value % range;
  }
  bool Flag() { return Next(2) == 1; }
  std::string Rest() {
    std::string rest(reinterpret_cast<const char*>(data_ + at_), size_ - at_);
    at_ = size_;
    return rest;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

std::string TwoDigits(unsigned n) { return (n < 10 ? "0" : "") + std::to_string(n); }

std::string SheetName(Choices& c) {
  static const char kRows[] = "UTSRQPONMLK";
  static const char* const kRomans[] = {"I", "V", "XIV", "XXXVI", "VI", "XXXI", "IX", "XX"};
  std::string name(1, kRows[c.Next(11)]);
  const unsigned zone = c.Flag() ? 1 + c.Next(2) : 33 + c.Next(28);
  name += "-" + TwoDigits(zone);
  if (c.Flag()) name += std::string("-") + kRomans[c.Next(8)];
  if (c.Next(4) == 0) name += "(" + std::to_string(2 + c.Next(3)) + ")";
  return name;
}

// An angle text "D M" in whole degrees and minutes around `center`.
std::string Angle(Choices& c, int center, int spread) {
  const int degrees = center - spread + static_cast<int>(c.Next(2 * spread + 1));
  return std::to_string(degrees < 0 ? 0 : degrees) + " " + std::to_string(c.Next(60));
}

std::string ParameterText(Choices& c) {
  static const char* const kSystems[] = {"CK-42", "CK-95", "\xC3\x43K-2011"};  // ГCK-2011
  static const char* const kScales[] = {"200", "500", "1000", "2500", "5000"};
  std::ostringstream text;
  text << "CS=" << kSystems[c.Next(3)] << ";\n";
  text << "Nom=" << SheetName(c) << ";\n";
  text << "Path=out;\n";
  if (c.Flag()) text << "MapScale=" << kScales[c.Next(5)] << ";\n";
  // Edges near the grid's longitudes and latitudes, so that many files pass the margins.
  const int lon = static_cast<int>(c.Next(360)), lat = 40 + static_cast<int>(c.Next(46));
  if (c.Flag()) text << "xFrom=" << Angle(c, lon, 3) << ";";
  if (c.Flag()) text << "xTo=" << Angle(c, lon + 1, 3) << ";";
  if (c.Flag()) text << "yFrom=" << Angle(c, lat, 2) << ";";
  if (c.Flag()) text << "yTo=" << Angle(c, lat + 1, 2) << ";\n";
  if (c.Flag()) text << "MeridianStep=0 " << c.Next(60) << ";";
  if (c.Flag()) text << "ParallelStep=" << c.Next(2) << " " << c.Next(60) << ";";
  if (c.Flag()) text << "xMinute=" << c.Next(60) << ";yMinute=" << c.Next(60) << ";\n";
  // Whatever is left is one more line: mostly refused, sometimes a further item.
  std::string junk = c.Rest();
  if (junk.find("Path") == std::string::npos) text << junk;
  return text.str();
}

// A folder of our own in the temporary folder, removed when the program ends.
const fs::path& Scratch() {
  static const struct Folder {
    fs::path path;
    Folder() {
      std::string pattern = (fs::temp_directory_path() / "mapbasis-fuzz-batch-XXXXXX").string();
      Check(mkdtemp(pattern.data()) != nullptr);
      path = pattern;
    }
    ~Folder() {
      std::error_code ec;
      fs::remove_all(path, ec);
    }
  } scratch;
  return scratch.path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Choices choices(data, size);
  const fs::path& scratch = Scratch();
  fs::remove_all(scratch / "out");
  std::ofstream(scratch / "p.txt", std::ios::binary | std::ios::trunc) << ParameterText(choices);

  const fs::path previous = fs::current_path();
  fs::current_path(scratch);
  std::ostringstream out, diagnostics;
  const int status = mapbasis::RunProgram({"p.txt"}, nullptr, out, diagnostics);
  fs::current_path(previous);

  Check(status == 0 || status == 8 || status == 16);
  if (std::getenv("MAPBASIS_FUZZ_TRACE"))
    std::fprintf(stderr, "%d %s", status, diagnostics.str().c_str());
  if (status != 0) {
    // Refused: one line saying why, and nothing made.
    Check(!fs::exists(scratch / "out"));
    const std::string said = diagnostics.str();
    Check(said.rfind("mapbasis: ", 0) == 0 && said.find('\n') == said.size() - 1);
    return 0;
  }
  Check(diagnostics.str().empty());
  for (const char* layer : {"HypsA", "HypsP", "HypsL"}) {
    Check(mapbasis::testing::LayerInconsistency(scratch / "out/HYPS" / layer).empty());
  }
  for (const char* layer : {"Frame", "FrameAdj", "FrameDig"}) {
    fs::path shp = scratch / "out/FRAME" / layer;
    shp += ".shp";
    if (fs::exists(shp)) {
      Check(mapbasis::testing::LayerInconsistency(scratch / "out/FRAME" / layer).empty());
    }
  }
  return 0;
}
