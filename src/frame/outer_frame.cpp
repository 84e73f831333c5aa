#include "frame/outer_frame.h"

#include <string>

#include "frame/adjacent_labels.h"
#include "frame/coordinate_labels.h"
#include "frame/frame_outline.h"
#include "frame/map_offsets.h"

namespace mapbasis {

namespace {

constexpr FrameFault kNotWritten = FrameFault::kNotWritten;

Outcome NotWritten(Outcome written) { return Failure(kNotWritten, std::move(written.reason)); }

Outcome WriteOuterFrame(FrameRecords& out, const FrameStyle& style, const FrameArgs& args,
                        VertexWork& work) {
  const PrintedMap map = MapOf(style);
  const double off = style.OuterFrameOffset;
  if (style.elements.outerFrame == OuterFrameLines::kBetweenCompanions) {
    const double spacing = style.OuterFrameSpacing;
    const struct {
      double off;
      std::int32_t code;
    } lines[] = {{off - spacing, style.OuterCompanionCode},
                 {off + spacing, style.OuterCompanionCode},
                 {off, style.OuterFrameCode}};
    for (const auto& line : lines) {
      if (Outcome written = AddOuterFrameOutline(out, line.code, line.off, map, args, work);
          !written.ok()) {
        return NotWritten(std::move(written));
      }
    }
  } else if (style.elements.outerFrame == OuterFrameLines::kOne && style.elements.adjacentNames) {
    return WriteAdjacentLabels(out, style, args, work);
  } else if (style.elements.outerFrame == OuterFrameLines::kOne) {
    if (Outcome written = AddOuterFrameOutline(out, style.OuterFrameCode, off, map, args, work);
        !written.ok()) {
      return NotWritten(std::move(written));
    }
  }
  return Success();
}

// Each graticule line carried from the sheet edge out to the inner edge of the minute band.
Outcome WriteExtensions(FrameRecords& out, const FrameStyle& style, const FrameArgs& args,
                        std::span<const double> ParallelLats, std::span<const double> MeridianLons,
                        VertexWork& work) {
  const PrintedMap map = MapOf(style);
  const double off = style.MinuteFrameOffset;
  const std::string parallelText = FrameCodeText(style.ParallelExtensionCode);
  const std::string meridianText = FrameCodeText(style.MeridianExtensionCode);
  const auto write = [&](const std::string& text) {
    Outcome written = out.Write(FrameSlot::Frame, text, work);
    return written.ok() ? written : NotWritten(std::move(written));
  };
  for (const double lat : ParallelLats) {
    for (const auto& [edge, d] : {std::pair{args.xFrom, -off}, std::pair{args.xTo, off}}) {
      work.Clear();
      AppendOffsetParallel({.along = lat,
                            .from = edge,
                            .to = LongitudeOffsetBy(edge, lat, d, map),
                            .origin = args.xFrom,
                            .step = args.LonDensifyStep},
                           map, work);
      if (Outcome written = write(parallelText); !written.ok()) return written;
    }
  }
  for (const double lon : MeridianLons) {
    for (const auto& [edge, d] : {std::pair{args.yTo, off}, std::pair{args.yFrom, -off}}) {
      work.Clear();
      AppendOffsetMeridian({.along = lon,
                            .from = edge,
                            .to = LatitudeOffsetBy(edge, d, map),
                            .origin = args.yFrom,
                            .step = args.LatDensifyStep},
                           map, work);
      if (Outcome written = write(meridianText); !written.ok()) return written;
    }
  }
  return Success();
}

}  // namespace

Outcome WriteOuterFrameAndLabels(FrameRecords& out, const FrameStyle& style, const FrameArgs& args,
                                 std::span<const double> ParallelLats,
                                 std::span<const double> MeridianLons, VertexWork& work) {
  if (Outcome written = WriteOuterFrame(out, style, args, work); !written.ok()) return written;
  if (style.elements.graticuleExtensions) {
    if (Outcome written = WriteExtensions(out, style, args, ParallelLats, MeridianLons, work);
        !written.ok()) {
      return written;
    }
  }
  if (style.elements.coordinateLabels) {
    return WriteCoordinateLabels(out, style, args, ParallelLats, MeridianLons, work);
  }
  return Success();
}

}  // namespace mapbasis
