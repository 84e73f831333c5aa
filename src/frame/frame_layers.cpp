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
  const auto open = [&](FrameSlot slot) -> Outcome {
    Outcome opened = out.Open(slot, args.CS, args.Folders.frame, args.Styles);
    if (opened.ok()) return opened;
    return Failure(kFrameLayerNotCreated, std::move(opened.reason));
  };
  if (WritesFrame(style)) {
    if (Outcome opened = open(FrameSlot::Frame); !opened.ok()) return opened;
  }
  if (WritesFrameAdj(style)) {
    if (Outcome opened = open(FrameSlot::FrameAdj); !opened.ok()) return opened;
  }
  if (WritesFrameDig(style)) {
    if (Outcome opened = open(FrameSlot::FrameDig); !opened.ok()) return opened;
  }

  if (style.MinuteFrame) {
    if (Outcome written = WriteMinuteBand(out, style, args, work); !written.ok()) {
      return Failure(kFrameNotWritten, std::move(written.reason));
    }
  }
  if (style.GraticuleExtensions || style.OuterFrameKind != 0) {
    if (Outcome written =
            WriteOuterFrameAndLabels(out, style, args, ParallelLats, MeridianLons, work);
        !written.ok()) {
      return Failure(kFrameNotWritten, std::move(written.reason));
    }
  }
  if (Outcome finished = out.Finish(); !finished.ok()) {
    return Failure(kFrameNotWritten, std::move(finished.reason));
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
                       std::span<const double> MeridianLons) {
  FrameOutput rehearsal = FrameOutput::Rehearsal();
  VertexWork work;
  return Produce(rehearsal, args, ParallelLats, MeridianLons, work);
}

}  // namespace mapbasis
