// The numbers a sheet writes by the thousand are laid out as printf lays them out, byte for byte.
#include "core/format_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace mapbasis {
namespace {

TEST(FormatText, NumbersLaidOutAsPrintfLaysThemOut) {
  std::vector<double> values = {
      0.0,      -0.0,      0.5,          1.5,           2.5,
      -2.5,     0.125,     0.005,        6.5,           -7.25,
      59.995,   359.999,   1e22,         -1e300,        5e-324,
      HUGE_VAL, -HUGE_VAL, std::nan(""), -std::nan(""), std::numeric_limits<double>::max()};
  // Every second of three degrees, as the nodes' angles are, and a little off each.
  for (int s = 0; s <= 3 * 3600; s += 7) values.push_back(54.0 + s / 3600.0 + 1e-7 * (s % 5));
  for (const double v : values) {
    for (const auto& [width, decimals] : {std::pair{4, 0}, {6, 2}, {0, 9}, {12, 3}}) {
      std::string text = "x";
      AppendFixed(text, v, width, decimals);
      ASSERT_EQ(text, "x" + FormatText("%*.*f", width, decimals, v)) << v;
    }
    const long long whole = std::isfinite(v) && std::abs(v) < 1e18 ? static_cast<long long>(v) : 7;
    for (const int width : {0, 2, 9}) {
      std::string spaces, zeros;
      AppendInteger(spaces, whole, width);
      AppendInteger(zeros, whole, width, true);
      ASSERT_EQ(spaces, FormatText("%*lld", width, whole)) << whole;
      ASSERT_EQ(zeros, FormatText("%0*lld", width, whole)) << whole;
    }
  }
}

}  // namespace
}  // namespace mapbasis
