#include "frame/frame_layers.h"

#include "frame/frame_output.h"
#include "frame/frame_style.h"
#include "frame/minute_band.h"
#include "frame/outer_frame.h"

namespace mapbasis {

namespace {

Outcome Produce(FrameOutput& out, const FrameArgs& args, std::span<const double> ParallelLats,
                std::span<const double> MeridianLons, VertexWork& work) {
  const FrameStyle style = FrameStyleFor(args.MillionSeries, args.MapScale);
  for (const LayerSpec& layer : LayerCatalogue()) {
    if (layer.folder != LayerFolder::kFrame || !StyleWritesLayer(style, layer)) continue;
    if (Outcome opened = out.Open(layer.id, args.CS, args.Folders, args.Destination, args.Styles);
        !opened.ok()) {
      return Failure(FrameFault::kLayerNotCreated, std::move(opened.reason));
    }
  }

  if (style.MinuteFrame) {
    if (Outcome written = WriteMinuteBand(out, style, args, work); !written.ok()) {
      return Failure(FrameFault::kNotWritten, std::move(written.reason));
    }
  }
  if (style.GraticuleExtensions || style.OuterFrameKind != OuterFrameLines::kNone) {
    if (Outcome written =
            WriteOuterFrameAndLabels(out, style, args, ParallelLats, MeridianLons, work);
        !written.ok()) {
      return Failure(FrameFault::kNotWritten, std::move(written.reason));
    }
  }
  if (Outcome finished = out.Finish(); !finished.ok()) {
    return Failure(FrameFault::kNotWritten, std::move(finished.reason));
  }
  return Success();
}

}  // namespace

Outcome WriteFrameLayers(const FrameArgs& args, std::span<const double> ParallelLats,
                         std::span<const double> MeridianLons, VertexWork& work) {
  // On failure the layers opened so far are closed as `out` goes, but never finished.
  FrameOutput out;
  return Produce(out, args, ParallelLats, MeridianLons, work);
}

Outcome CheckFrameFits(const FrameArgs& args, std::span<const double> ParallelLats,
                       std::span<const double> MeridianLons, const FrameRecordSink& seen) {
  FrameOutput rehearsal = FrameOutput::Rehearsal(seen);
  VertexWork work;
  return Produce(rehearsal, args, ParallelLats, MeridianLons, work);
}

}  // namespace mapbasis
