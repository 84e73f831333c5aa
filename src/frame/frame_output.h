// The three layers of the FRAME folder while the frame is written, each in its fixed slot, and
// the attribute texts of their records.
#pragma once

#include <array>
#include <cstdint>
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

// The attribute text of a Frame record: the code right-justified in nine characters, "\".
std::string FrameCodeText(std::int32_t code);

// The attribute text of a FrameAdj or FrameDig record: code, text, font name, size with two
// decimals in six characters («  6.50»), each followed by "\".
std::string FrameLabelText(std::int32_t code, std::string_view text, std::string_view font,
                           double size);

// Where the frame's producers put each record: the layers of a run (FrameOutput), or whatever
// reads the records as they are made (the check that no two labels overlap on paper).
class FrameRecords {
 public:
  virtual ~FrameRecords() = default;

  // Takes the line in the work arrays with its attribute text as a record of the slot's layer.
  virtual Outcome Write(FrameSlot slot, std::string_view attributes, const VertexWork& work) = 0;
};

class FrameOutput final : public FrameRecords {
 public:
  // Opens the slot's layer in its folder of the run, with its style from `styles`; finished, its
  // files join `destination`.
  Outcome Open(FrameSlot slot, std::int32_t CS, const ResultFolders& folders,
               const LayerStyles& styles, FileSets& destination);

  // Writes the record into the slot's layer, which must be open.
  Outcome Write(FrameSlot slot, std::string_view attributes, const VertexWork& work) override;

  // Finishes the opened layers in slot order.
  Outcome Finish();

 private:
  std::array<Layer, 3> layers_;
};

}  // namespace mapbasis
