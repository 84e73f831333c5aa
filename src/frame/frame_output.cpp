#include "frame/frame_output.h"

#include "core/fixed_text.h"
#include "core/format_text.h"
#include "shapeout/layer_output.h"
#include "shapeout/shape_writers.h"

namespace mapbasis {

namespace {

std::size_t IndexOf(FrameSlot slot) {
  return static_cast<std::size_t>(slot) - static_cast<std::size_t>(FrameSlot::Frame);
}

}  // namespace

std::string FrameCodeText(std::int32_t code) {
  std::string text;  // "%9d\\"
  AppendInteger(text, code, 9);
  text += '\\';
  return text;
}

std::string FrameLabelText(std::int32_t code, std::string_view text, std::string_view font,
                           double size) {
  std::string label = FrameCodeText(code);
  label += TrimTrailingBlanks(text);
  label += '\\';
  label += TrimTrailingBlanks(font);
  label += '\\';
  AppendFixed(label, size, 6, 2);  // "%6.2f\\"
  label += '\\';
  return label;
}

Outcome FrameOutput::Open(FrameSlot slot, std::int32_t CS, const ResultFolders& folders,
                          const LayerStyles& styles, FileSets& destination) {
  return OpenLayerIn(CS, folders, LayerOf(slot), layers_[IndexOf(slot)], destination, styles);
}

Outcome FrameOutput::Write(FrameSlot slot, std::string_view attributes, const VertexWork& work) {
  return WriteWorkLine(layers_[IndexOf(slot)], attributes, work);
}

Outcome FrameOutput::Finish() {
  for (Layer& layer : layers_) {
    if (!layer.IsOpen()) continue;
    if (Outcome finished = FinishLayer(layer); !finished.ok()) return finished;
  }
  return Success();
}

}  // namespace mapbasis
