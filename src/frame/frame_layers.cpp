#include "frame/frame_layers.h"

#include "frame/frame_output.h"
#include "frame/frame_style.h"
#include "frame/minute_band.h"
#include "frame/outer_frame.h"

namespace mapbasis {

Outcome DrawFrame(FrameRecords& out, const FrameArgs& args, std::span<const double> ParallelLats,
                  std::span<const double> MeridianLons, VertexWork& work) {
  const FrameStyle style = FrameStyleFor(args.MillionSeries, args.MapScale);
  if (style.elements.minuteBand) {
    if (Outcome written = WriteMinuteBand(out, style, args, work); !written.ok()) {
      return Failure(FrameFault::kNotWritten, std::move(written.reason));
    }
  }
  if (style.elements.graticuleExtensions || style.elements.outerFrame != OuterFrameLines::kNone) {
    if (Outcome written =
            WriteOuterFrameAndLabels(out, style, args, ParallelLats, MeridianLons, work);
        !written.ok()) {
      return Failure(FrameFault::kNotWritten, std::move(written.reason));
    }
  }
  return Success();
}

Outcome WriteFrameLayers(const FrameArgs& args, std::span<const double> ParallelLats,
                         std::span<const double> MeridianLons, VertexWork& work) {
  // On failure the layers opened so far are closed as `out` goes, but never finished.
  FrameOutput out;
  const FrameElements drawn = FrameStyleFor(args.MillionSeries, args.MapScale).elements;
  for (const LayerSpec& layer : LayerCatalogue()) {
    if (layer.folder != LayerFolder::kFrame || !WritesLayer(drawn, layer)) continue;
    if (Outcome opened = out.Open(layer.id, args.CS, args.Folders, args.Styles, *args.Destination);
        !opened.ok()) {
      return Failure(FrameFault::kLayerNotCreated, std::move(opened.reason));
    }
  }
  if (Outcome drawnFrame = DrawFrame(out, args, ParallelLats, MeridianLons, work);
      !drawnFrame.ok()) {
    return drawnFrame;
  }
  if (Outcome finished = out.Finish(); !finished.ok()) {
    return Failure(FrameFault::kNotWritten, std::move(finished.reason));
  }
  return Success();
}

}  // namespace mapbasis
