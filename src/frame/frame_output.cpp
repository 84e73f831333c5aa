#include "frame/frame_output.h"

#include <cstdio>

#include "core/fixed_text.h"
#include "shapeout/layer_output.h"
#include "shapeout/shape_writers.h"

namespace mapbasis {

namespace {

const FieldDef kFrameFields[] = {
    {"L_code", {kFieldInteger, 8, 0}},
};

const FieldDef kLabelFields[] = {
    {"L_code", {kFieldInteger, 8, 0}},
    {"Text", {kFieldString, 100, 0}},
    {"Font", {kFieldString, 100, 0}},
    {"Size", {kFieldString, 100, 0}},
};

constexpr std::string_view kLayerNames[] = {"Frame", "FrameAdj", "FrameDig"};

}  // namespace

std::string FrameCodeText(std::int32_t code) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%9d\\", static_cast<int>(code));
  return buffer;
}

std::string FrameLabelText(std::int32_t code, std::string_view text, std::string_view font,
                           double size) {
  char sizeText[400];
  std::snprintf(sizeText, sizeof sizeText, "%6.2f\\", size);
  return FrameCodeText(code) + std::string(TrimTrailingBlanks(text)) + "\\" +
         std::string(TrimTrailingBlanks(font)) + "\\" + sizeText;
}

FrameOutput FrameOutput::Rehearsal() {
  FrameOutput out;
  out.rehearsal_ = true;
  return out;
}

Outcome FrameOutput::Open(FrameSlot slot, std::int32_t CS, const NamedPath& folder,
                          const LayerStyles& styles) {
  if (rehearsal_) return Success();
  const std::span<const FieldDef> fields =
      slot == FrameSlot::Frame ? std::span<const FieldDef>(kFrameFields) : kLabelFields;
  const auto i = static_cast<std::size_t>(slot);
  return OpenLayerIn(CS, folder, kLayerNames[i], kShapeArc, fields, layers_[i], styles);
}

Outcome FrameOutput::Write(FrameSlot slot, std::string_view attributes, const VertexWork& work) {
  const auto i = static_cast<std::size_t>(slot);
  if (!rehearsal_) return WriteWorkLine(layers_[i], attributes, work);
  if (!work.Incomplete()) return Success();
  return Failure(kShapeNotWritten, "a line of the layer " + std::string(kLayerNames[i]) +
                                       " would need more than " +
                                       std::to_string(kWorkArrayCapacity) + " vertices");
}

Outcome FrameOutput::Finish() {
  for (Layer& layer : layers_) {
    if (!layer.IsOpen()) continue;
    if (Outcome finished = FinishLayer(layer); !finished.ok()) return finished;
  }
  return Success();
}

}  // namespace mapbasis
