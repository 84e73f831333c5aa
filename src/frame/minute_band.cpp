#include "frame/minute_band.h"

#include <cmath>
#include <string>

#include "core/angle_tolerance.h"
#include "core/messages.h"
#include "frame/frame_outline.h"
#include "frame/map_offsets.h"

namespace mapbasis {

namespace {

constexpr FrameFault kBandNotWritten = FrameFault::kNotWritten;

// A side walked over more divisions than this is no sheet's side.
constexpr double kMaxDivisions = 1e6;

// The divisions of one side: the band runs from `from` to `to`; divisions lie every `step` degrees
// from `base`, and the cell that begins at `base` has the fill state `firstFilled`.
struct Divisions {
  double from = 0.0, to = 0.0;
  double base = 0.0;
  double step = 0.0;
  bool firstFilled = true;
};

bool Walkable(const Divisions& d) {
  if (!std::isfinite(d.from) || !std::isfinite(d.to) || !std::isfinite(d.base)) return false;
  if (!std::isfinite(d.step) || !(d.step > 0.0)) return false;
  return std::fabs(d.from - d.base) / d.step < kMaxDivisions &&
         std::fabs(d.to - d.from) / d.step < kMaxDivisions;
}

// Walks the side from `from` to `to`, calling tick(position) for every division on the band and
// fill(a, b) for every filled cell (cut at the band's ends), in the order they are written: the
// tick that opens the band, then for each cell the tick that closes it and its fill line.
template <class Tick, class Fill>
Outcome WalkDivisions(const Divisions& d, Tick tick, Fill fill) {
  if (!Walkable(d)) {
    return Failure(kBandNotWritten, Tr("the minute band cannot be divided: its division is %1 "
                                       "minutes; give xMinute and yMinute from 1 to 59",
                                       std::to_string(d.step * 60.0)));
  }
  bool filled = d.firstFilled;
  double cur = d.base;
  double next = 0.0;
  bool tickDue = true;
  if (AnglesEqual(cur, d.from)) {
    next = cur + d.step;
  } else if (cur < d.from) {
    while (cur < d.from && !AnglesEqual(cur, d.from)) {
      cur += d.step;
      filled = !filled;
    }
    if (AnglesEqual(cur, d.from)) {
      cur = d.from;
      next = cur + d.step;
    } else {
      // No division inside the band at all: the side stays without ticks and fill.
      if (cur >= d.to) return Success();
      // The edge falls inside the division that ends at cur: that cut cell starts the band and
      // takes the fill state of its division, so the pattern has no gap at the edge.
      next = cur;
      cur = d.from;
      filled = !filled;
      tickDue = false;
    }
  } else {
    while (cur > d.from && !AnglesEqual(cur, d.from)) {
      cur -= d.step;
      filled = !filled;
    }
    if (AnglesEqual(cur, d.from)) {
      cur = d.from;
      next = cur + d.step;
    } else {
      next = cur + d.step;
      cur = d.from;
      tickDue = false;
    }
  }
  if (tickDue) {
    if (Outcome written = tick(cur); !written.ok()) return written;
  }
  for (bool last = false; !last;) {
    tickDue = true;
    if (AnglesEqual(next, d.to)) {
      next = d.to;
      last = true;
    } else if (next > d.to) {
      next = d.to;  // the last cell is cut at the edge
      tickDue = false;
      last = true;
    }
    if (tickDue) {
      if (Outcome written = tick(next); !written.ok()) return written;
    }
    if (filled) {
      if (Outcome written = fill(cur, next); !written.ok()) return written;
    }
    filled = !filled;
    cur = next;
    next = cur + d.step;
  }
  return Success();
}

Outcome NotWritten(Outcome written) { return Failure(kBandNotWritten, std::move(written.reason)); }

}  // namespace

Outcome WriteMinuteBandAlongParallel(FrameRecords& out, bool north, const FrameStyle& style,
                                     const FrameArgs& args, VertexWork& work) {
  const PrintedMap map = MapOf(style);
  const double off = style.MinuteFrameOffset;
  const double w = style.MinuteFrameWidth;
  const double low =
      north ? LatitudeOffsetBy(args.yTo, off, map) : LatitudeOffsetBy(args.yFrom, -(off + w), map);
  const double high =
      north ? LatitudeOffsetBy(args.yTo, off + w, map) : LatitudeOffsetBy(args.yFrom, -off, map);
  const double mid = north ? LatitudeOffsetBy(args.yTo, off + w / 2, map)
                           : LatitudeOffsetBy(args.yFrom, -(off + w / 2), map);
  const std::string tickText = FrameCodeText(style.MinuteTickCode);
  const std::string fillText = FrameCodeText(style.MinuteFillCode);

  const auto tick = [&](double x) {
    work.Clear();
    work.Append(x, low);
    work.Append(x, high);
    return out.Write(FrameSlot::Frame, tickText, work);
  };
  const auto fill = [&](double a, double b) {
    work.Clear();
    AppendOffsetParallel(
        {.along = mid, .from = a, .to = b, .origin = args.xFrom, .step = args.LonDensifyStep}, map,
        work);
    return out.Write(FrameSlot::Frame, fillText, work);
  };
  const Divisions d{args.xFrom, args.xTo, args.BaseWest, args.xMinute / 60.0, style.XFirstFilled};
  if (Outcome walked = WalkDivisions(d, tick, fill); !walked.ok()) return NotWritten(walked);
  return Success();
}

Outcome WriteMinuteBandAlongMeridian(FrameRecords& out, bool west, const FrameStyle& style,
                                     const FrameArgs& args, VertexWork& work) {
  const PrintedMap map = MapOf(style);
  const double off = style.MinuteFrameOffset;
  const double w = style.MinuteFrameWidth;
  const double meridian = west ? args.xFrom : args.xTo;
  // A tick runs west to east: outer to inner boundary on the west side, inner to outer on the east.
  const double first = west ? -(off + w) : off;
  const double second = west ? -off : off + w;
  const double middle = west ? -(off + w / 2) : off + w / 2;
  const std::string tickText = FrameCodeText(style.MinuteTickCode);
  const std::string fillText = FrameCodeText(style.MinuteFillCode);

  const auto tick = [&](double y) {
    work.Clear();
    work.Append(LongitudeOffsetBy(meridian, y, first, map), y);
    work.Append(LongitudeOffsetBy(meridian, y, second, map), y);
    return out.Write(FrameSlot::Frame, tickText, work);
  };
  const auto fill = [&](double a, double b) {
    work.Clear();
    AppendOffsetMeridian({meridian, middle, a, b, args.yFrom, args.LatDensifyStep}, map, work);
    return out.Write(FrameSlot::Frame, fillText, work);
  };
  const Divisions d{args.yFrom, args.yTo, args.BaseSouth, args.yMinute / 60.0, style.YFirstFilled};
  if (Outcome walked = WalkDivisions(d, tick, fill); !walked.ok()) return NotWritten(walked);
  return Success();
}

Outcome WriteMinuteBand(FrameRecords& out, const FrameStyle& style, const FrameArgs& args,
                        VertexWork& work) {
  const PrintedMap map = MapOf(style);
  const double inner = style.MinuteFrameOffset;
  const double outer = style.MinuteFrameOffset + style.MinuteFrameWidth;
  for (const double off : {inner, outer}) {
    if (Outcome written = AddOuterFrameOutline(out, style.MinuteFrameCode, off, map, args, work);
        !written.ok()) {
      return NotWritten(written);
    }
  }
  for (const bool north : {true, false}) {
    if (Outcome side = WriteMinuteBandAlongParallel(out, north, style, args, work); !side.ok())
      return side;
  }
  for (const bool west : {true, false}) {
    if (Outcome side = WriteMinuteBandAlongMeridian(out, west, style, args, work); !side.ok())
      return side;
  }
  return Success();
}

}  // namespace mapbasis
