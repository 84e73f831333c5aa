// The three layers of the FRAME folder while the frame is written, each in its fixed slot, and
// the attribute texts of their records.
//
// The same producers also run as a rehearsal that opens and writes nothing: it only finds out
// whether every line of the frame fits the vertex work arrays, so that a sheet whose frame would
// not fit is refused before any layer of the run is written.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "core/outcome.h"
#include "core/vertex_work.h"
#include "shapeout/layer_catalogue.h"
#include "shapeout/layer_files.h"
#include "shapeout/layer_styles.h"
#include "shapeout/sheet_files.h"

namespace mapbasis {

// Why the frame layers were not written.
enum class FrameFault {
  kLayerNotCreated = 1,
  kNotWritten = 2,  // a record of a frame layer, or a layer's files
};

// The output's three slots are the frame layers of the catalogue: Frame, FrameAdj and FrameDig.
using FrameSlot = SheetLayer;

// Sees each record of a rehearsal: its layer, its attribute text and its line.
using FrameRecordSink =
    std::function<void(FrameSlot slot, std::string_view attributes, const VertexWork& line)>;

// The attribute text of a Frame record: the code right-justified in nine characters, "\".
std::string FrameCodeText(std::int32_t code);

// The attribute text of a FrameAdj or FrameDig record: code, text, font name, size with two
// decimals in six characters («  6.50»), each followed by "\".
std::string FrameLabelText(std::int32_t code, std::string_view text, std::string_view font,
                           double size);

class FrameOutput {
 public:
  // Output that writes into layers once they are opened.
  FrameOutput() = default;
  // Output that opens and writes nothing and fails only for a line the work arrays cannot hold;
  // each record it would write is handed to `seen`, when given.
  static FrameOutput Rehearsal(FrameRecordSink seen = {});

  // Opens the slot's layer in its folder of the run, with its style from `styles`; closed, its
  // files join `destination`, which a rehearsal, opening nothing, does without.
  Outcome Open(FrameSlot slot, std::int32_t CS, const ResultFolders& folders, FileSets* destination,
               const LayerStyles& styles = {});

  // Writes the line in the work arrays with its attribute text into the slot's layer.
  Outcome Write(FrameSlot slot, std::string_view attributes, const VertexWork& work);

  // Finishes the opened layers in slot order.
  Outcome Finish();

 private:
  std::array<Layer, 3> layers_;
  bool rehearsal_ = false;
  FrameRecordSink seen_;
};

}  // namespace mapbasis
