// Feeds arbitrary attribute texts to the record writer and the shape writers, on a layer with a
// field of every kind (character, integer, decimal, and a logical one that the writer passes
// over), and checks what a producer relies on:
//   - WriteAttributeRecord answers 0, 1 or 2, the shape writers 0, 122, 803 or 804;
//   - the layer closes after any sequence of writes and its files read back: one table row per
//     record written, one shape per shape written, the files consistent whenever the two agree;
//   - a record whose last write succeeded reads back with the values of its text: its Id, the
//     character value without its blanks, the integer, and the decimal to the field's decimals.
//
// The input is lines. The first declares the layer, a byte each: the shape type, the widths of
// the character, integer and decimal fields, the decimal field's decimals and the coordinate
// system. Every further
// line is one write: 'p', 'l' or 'a' calls WritePointShape, WriteLineShape or WritePolygonShape
// (then a byte for the vertices), 'r' calls WriteAttributeRecord (then a byte each for the record
// number and the Id); the rest of the line is the attribute text.
#include <unistd.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "core/cp1251.h"
#include "core/fixed_text.h"
#include "shapeout/record_writer.h"
#include "shapeout/shape_writers.h"
#include "support/layer_consistency.h"
#include "support/layer_readback.h"
#include "support/on_disk.h"

namespace {

namespace fs = std::filesystem;
using namespace mapbasis;

void Check(bool holds) {
  if (!holds) std::abort();
}

// A folder of our own in the temporary folder, removed when the program ends.
const fs::path& Scratch() {
  static const struct Folder {
    fs::path path;
    Folder() {
      std::string pattern =
          (fs::temp_directory_path() / "mapbasis-fuzz-attributes-XXXXXX").string();
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

// The fields after Id, in their order in the table.
enum Field { kName, kCode, kSize, kFlag, kFieldCount };

unsigned HeaderByte(std::string_view header, std::size_t i) {
  return i < header.size() ? static_cast<unsigned char>(header[i]) : 0u;
}

std::vector<FieldDef> Declare(std::string_view header) {
  const auto at = [&](std::size_t i) { return HeaderByte(header, i); };
  return {{"Name", {kFieldString, static_cast<std::int32_t>(at(1)), 0}},
          {"Code", {kFieldInteger, static_cast<std::int32_t>(at(2) % 12), 0}},
          {"Size",
           {kFieldDouble, static_cast<std::int32_t>(at(3) % 41),
            static_cast<std::int32_t>(at(4) % 16)}},
          {"Flag", {3, 1, 0}}};  // a logical field: the writer leaves it blank
}

// What a record holds after a successful write of `text` with `id`.
struct Record {
  std::int32_t id = 0;
  std::string text;
};

// The values of an attribute text as its format defines them: each up to its backslash, without
// its leading blanks, at most 256 characters.
std::vector<std::string> Values(std::string_view text) {
  std::vector<std::string> values;
  for (std::size_t end; (end = text.find('\\')) != std::string_view::npos;) {
    values.emplace_back(TrimLeadingBlanks(text.substr(0, end)).substr(0, 256));
    text = text.substr(end + 1);
  }
  return values;
}

std::string StoredText(std::string value) { return std::string(TrimTrailingBlanks(value)); }

// The decimal value as C reads it: the first comma is the decimal point, D the exponent's mark.
double CDouble(std::string value) {
  if (const auto comma = value.find(','); comma != std::string::npos) value[comma] = '.';
  for (char& c : value) {
    if (c == 'd' || c == 'D') c = 'e';
  }
  return std::strtod(value.c_str(), nullptr);
}

void CheckRecord(const Record& record, const std::vector<std::string>& raw,
                 const std::vector<FieldDef>& fields) {
  Check(raw.size() == 1 + kFieldCount);
  Check(std::strtoll(raw[0].c_str(), nullptr, 10) == record.id);
  const std::vector<std::string> values = Values(record.text);
  Check(values.size() >= kFieldCount);

  const std::string name = StoredText(values[kName]);
  Check(name.size() <= raw[1 + kName].size());
  Check(raw[1 + kName] == name + std::string(raw[1 + kName].size() - name.size(), ' '));
  Check(std::strtoll(raw[1 + kCode].c_str(), nullptr, 10) ==
        std::strtoll(values[kCode].c_str(), nullptr, 10));
  const double written = CDouble(values[kSize]);
  const double read = std::strtod(raw[1 + kSize].c_str(), nullptr);
  const double halfUnit = 0.5 * std::pow(10.0, -fields[kSize].spec.decimals);
  Check(std::fabs(read - written) <= halfUnit * (1 + 1e-9) + std::fabs(written) * 1e-15);
  Check(raw[1 + kFlag] == " ");
}

struct Shape {
  std::vector<double> x, y;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t headerEnd = input.find('\n');
  const std::string_view header = input.substr(0, headerEnd);
  input = headerEnd == std::string_view::npos ? std::string_view{} : input.substr(headerEnd + 1);

  const fs::path base = Scratch() / "L";
  for (const char* extension : {".shp", ".shx", ".dbf", ".PRJ"}) {
    fs::remove(fs::path(base) += extension);
  }
  static constexpr std::int32_t kTypes[] = {kShapePoint, kShapeArc, kShapePolygon};
  const std::int32_t type = kTypes[HeaderByte(header, 0) % 3];
  const std::int32_t system = 1 + static_cast<std::int32_t>(HeaderByte(header, 5) % 3);
  const std::vector<FieldDef> fields = Declare(header);

  Layer layer;
  FileSets files;
  const Fault opened = OpenLayer(system, type, Cp1251FromPath(base).value(), fields, layer, files);
  if (opened != Fault{}) {
    // A field was refused: nothing was opened and nothing written.
    Check(opened == LayerFault::kFieldRefused && !layer.IsOpen());
    Check(fs::is_empty(Scratch()));
    return 0;
  }

  std::vector<std::optional<Record>> rows;  // nothing: written in part, contents unknown
  std::vector<Shape> shapes;
  for (int line = 0; !input.empty() && line < 200; ++line) {
    const std::size_t end = input.find('\n');
    std::string_view write = input.substr(0, end);
    input = end == std::string_view::npos ? std::string_view{} : input.substr(end + 1);
    if (write.empty()) continue;
    const char op = write[0];
    write.remove_prefix(1);
    const auto take = [&]() -> unsigned {
      if (write.empty()) return 0;
      const auto byte = static_cast<unsigned char>(write[0]);
      write.remove_prefix(1);
      return byte;
    };

    if (op == 'r') {
      static constexpr std::int32_t kIds[] = {1, 2, 999999, 1000000, -99999, -100000, 0, 42};
      const auto record = static_cast<std::int32_t>(take() % (rows.size() + 3));
      const std::int32_t id = kIds[take() % 8];
      const Fault status = WriteAttributeRecord(layer, record, id, write);
      Check(status == Fault{} || status == RecordFault::kValueRefused ||
            status == RecordFault::kMalformed);
      if (record < 1 || static_cast<std::size_t>(record) > rows.size() + 1) {
        Check(status == RecordFault::kValueRefused);
        continue;
      }
      if (static_cast<std::size_t>(record) > rows.size()) rows.emplace_back();
      rows[record - 1].reset();
      if (status == Fault{}) rows[record - 1] = Record{id, std::string(write)};
      continue;
    }

    const std::int32_t wanted = op == 'p' ? kShapePoint : op == 'l' ? kShapeArc : kShapePolygon;
    const unsigned vertices = take();
    Shape shape;
    for (unsigned k = 0; k < (wanted == kShapePoint ? 1 : 1 + vertices % 6); ++k) {
      shape.x.push_back(30.0 + 0.125 * k + 0.001 * line);
      shape.y.push_back(60.0 - 1.0 / 12.0 * k);
    }
    if (wanted != kShapePoint && vertices >= 128) shape.y.pop_back();  // unequal arrays
    const std::int32_t before = layer.recordCount;
    const Fault status = wanted == kShapePoint
                             ? WritePointShape(layer, write, shape.x[0], shape.y[0])
                         : wanted == kShapeArc ? WriteLineShape(layer, write, shape.x, shape.y)
                                               : WritePolygonShape(layer, write, shape.x, shape.y);
    Check(status == Fault{} || status == ShapeFault::kValueRefused ||
          status == ShapeFault::kMalformedText || status == ShapeFault::kNotWritten);
    if (wanted != type || shape.x.size() != shape.y.size()) {
      // Refused before its record: the counters and the table stay as they were.
      Check(status == ShapeFault::kNotWritten && layer.recordCount == before);
      continue;
    }
    Check(status != ShapeFault::kNotWritten && layer.recordCount == before + 1 &&
          layer.idCount == layer.recordCount);
    const auto record = static_cast<std::size_t>(layer.recordCount);
    Check(record <= rows.size() + 1);
    if (record > rows.size()) rows.emplace_back();
    rows[record - 1].reset();
    if (status == Fault{}) {
      rows[record - 1] = Record{layer.idCount, std::string(write)};
      shapes.push_back(shape);
    }
  }

  Check(testing::CloseOnDisk(layer, files).ok());
  const auto table = testing::ReadTable(base);
  const auto read = testing::ReadShapes(base);
  Check(table && read && read->type == type);
  Check(table->languageDriver == 0xC9);  // cp1251
  Check(table->fields.size() == 1 + kFieldCount);
  for (std::size_t i = 0; i < kFieldCount; ++i) {
    Check(table->fields[1 + i].name == fields[i].name);
    Check(table->fields[1 + i].width == fields[i].spec.width);
  }
  Check(table->records.size() == rows.size());
  for (std::size_t r = 0; r < rows.size(); ++r) {
    if (rows[r]) CheckRecord(*rows[r], table->records[r], fields);
  }
  Check(read->shapes.size() == shapes.size());
  for (std::size_t s = 0; s < shapes.size(); ++s) {
    Check(read->shapes[s].x == shapes[s].x && read->shapes[s].y == shapes[s].y);
  }
  const std::string inconsistency = testing::LayerInconsistency(base);
  Check(inconsistency ==
        (rows.size() == shapes.size() ? "" : ".dbf records differ from the shapes"));
  return 0;
}
