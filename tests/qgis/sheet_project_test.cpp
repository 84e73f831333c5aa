// The QGIS files of a sheet: the projection the layout prints in, the layout's geometry, the styles
// and project filled from their templates.
#include "qgis/sheet_project.h"

#include <algorithm>
#include <cmath>
#include <random>
#include <sstream>
#include <stdexcept>
#include <vector>

#include <gtest/gtest.h>

#include "core/format_text.h"
#include "geometry/sheet_trapezoid.h"
#include "qgis/qgis_templates.h"
#include "qgis/sheet_styles.h"
#include "qgis/transverse_mercator.h"

namespace mapbasis {
namespace {

SheetParameters Sheet(std::int32_t CS, std::int32_t MillionSeries, std::int32_t MapScale,
                      std::int32_t Zone = 37, std::int32_t ExtraSheets = 0) {
  SheetParameters p;
  p.CS = CS;
  p.MillionSeries = MillionSeries;
  p.MapScale = MapScale;
  p.Belt = 8;
  p.Zone = Zone;
  p.SheetNo = 14;
  p.ExtraSheets = ExtraSheets;
  StoreBaseParameters(ComputeBaseTrapezoid(GridSheetOf(p)), p);
  UseBaseTrapezoid(p);
  return p;
}

std::size_t Count(const std::string& text, const std::string& what) {
  std::size_t n = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
    ++n;
  }
  return n;
}

TEST(SheetProject, TransverseMercatorAgreesWithProj) {
  // Reference values from PROJ's tmerc on the same ellipsoids.
  const Ellipsoid krasovsky{6378245.0, 298.3};
  const Ellipsoid gsk2011{6378136.5, 298.2564151};
  const struct {
    Ellipsoid e;
    double meridian, lon, lat, x, y;
  } cases[] = {
      {krasovsky, 37.5, 37.0, 54.0, -32788.3035, 5986136.7652},
      {krasovsky, 37.5, 38.0, 54.6666667, 32262.1798, 6060344.5899},
      {krasovsky, 37.5, 37.5, 0.0, 0.0, 0.0},
      {gsk2011, 39.0, 36.0, 52.0, -206011.3085, 5767594.7724},
      {gsk2011, 39.0, 42.0, 56.0, 187146.2841, 6212625.8217},
      // Across 180 degrees: longitudes east of it are carried as 180 and more.
      {krasovsky, 183.0, 180.0, 80.0, -58156.4349, 8886793.0160},
      {krasovsky, 183.0, 186.0, 84.0, 35009.2346, 9332899.0334},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.lon << " " << c.lat);
    const ProjectedPoint q = TransverseMercator(c.e, c.meridian, c.lon, c.lat);
    EXPECT_NEAR(q.x, c.x, 0.001);
    EXPECT_NEAR(q.y, c.y, 0.001);
  }
}

TEST(SheetProject, LayoutHoldsTheFrameAtTheMapScale) {
  // Page sizes: the sheet in the projection (N-37-XIV is 65.6 km by 74.2 km; N-37 411 km by
  // 445 km), the frame's outermost line and 3 mm beyond it on every side, 10 mm of margin, 12 mm
  // for the name above and 16 mm for the scale and the coordinate system below.
  const struct {
    std::int32_t series, scale;
    double denominator, pageWidth, pageHeight, reach;
  } cases[] = {
      {0, 0, 200000, 373.483, 445.218, 9.8},  // outer frame 9.8 mm out
      {0, 1, 500000, 167.153, 212.647, 5.0},  // 5 mm
      {0, 2, 1000000, 90.697, 127.443, 0.0},  // no frame: the sheet and the pad
      {1, 0, 1000000, 457.23, 522.49, 9.6},   // N-37, outer lines at 9.6 mm
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.denominator);
    const SheetParameters p = Sheet(1, c.series, c.scale);
    const SheetLayout layout = SheetLayoutOf(p);
    EXPECT_EQ(layout.scale, c.denominator);
    EXPECT_DOUBLE_EQ(layout.centralMeridian, (p.xFrom + p.xTo) / 2);
    // The extent and the item's size make exactly the map scale.
    EXPECT_NEAR((layout.xMax - layout.xMin) / layout.mapWidth * 1000.0, c.denominator, 1e-6);
    EXPECT_NEAR((layout.yMax - layout.yMin) / layout.mapHeight * 1000.0, c.denominator, 1e-6);
    EXPECT_NEAR(layout.pageWidth, c.pageWidth, 1.0);
    EXPECT_NEAR(layout.pageHeight, c.pageHeight, 1.0);
    // The sheet is symmetric about its middle meridian.
    EXPECT_NEAR(layout.xMin, -layout.xMax, 1e-6);
    // The sheet's edge, which clips the map, lies the frame and the pad inside the map item: its
    // south corners outermost, its north edge bulging up in the middle.
    const std::vector<PagePoint> edge = SheetEdgeOnPage(p, layout);
    EXPECT_EQ(edge.front().x, edge.back().x);
    EXPECT_EQ(edge.front().y, edge.back().y);
    double left = 1e9, right = -1e9, top = 1e9, bottom = -1e9;
    for (const PagePoint& q : edge) {
      left = std::min(left, q.x);
      right = std::max(right, q.x);
      top = std::min(top, q.y);
      bottom = std::max(bottom, q.y);
    }
    const double inset = c.reach + kFramePad;
    EXPECT_NEAR(left, layout.mapX + inset, 1e-3);
    EXPECT_NEAR(right, layout.mapX + layout.mapWidth - inset, 1e-3);
    EXPECT_NEAR(top, layout.mapY + inset, 1e-3);
    EXPECT_NEAR(bottom, layout.mapY + layout.mapHeight - inset, 1e-3);
  }
}

TEST(SheetProject, StylesAndProjectPerMapScale) {
  const struct {
    std::int32_t CS, series, scale;
    const char* bandWidth;  // the Frame style's band width, empty without Frame
    const char* layers;     // in drawing order
    const char* epsg;
  } cases[] = {
      {1, 0, 0, "1.2", "FrameDig FrameAdj Frame HypsL HypsP HypsA", "4284"},
      {2, 0, 1, "0", "FrameDig Frame HypsL HypsP HypsA", "4200"},
      {3, 0, 2, "", "HypsL HypsP HypsA", "7683"},
      {3, 1, 0, "1", "FrameDig Frame HypsL HypsP HypsA", "7683"},
      {1, 1, 1, "0", "FrameDig Frame HypsL HypsP HypsA", "4284"},
      {2, 1, 2, "", "HypsL HypsP HypsA", "4200"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.series << "/" << c.scale);
    const SheetParameters p = Sheet(c.CS, c.series, c.scale);
    const std::string project = SheetProjectText(p, "N-37-XIV & <\"1\">");
    EXPECT_EQ(project.find("{{"), std::string::npos);
    EXPECT_NE(project.find("N-37-XIV &amp; &lt;&quot;1&quot;&gt;"), std::string::npos);
    // The layers in drawing order, each in its EPSG system, with its style embedded.
    std::istringstream layers(c.layers);
    std::size_t at = 0, n = 0;
    for (std::string layer; layers >> layer; ++n) {
      at = project.find("<layername>" + layer + "</layername>", at);
      ASSERT_NE(at, std::string::npos) << layer;
    }
    EXPECT_EQ(Count(project, "<maplayer "), n);
    EXPECT_EQ(Count(project, "<layer-tree-layer "), n);
    EXPECT_EQ(
        Count(project, "AUTHORITY[&quot;EPSG&quot;,&quot;" + std::string(c.epsg) + "&quot;]]"),
        n + 1);
    EXPECT_EQ(Count(project, "<renderer-v2 "), n);
    EXPECT_EQ(Count(project, "labelsEnabled=\"1\""), Count(project, "<labeling "));

    // The Frame style knows the sheet's north and south edges and the band's width.
    const std::string frame = LayerStyleText(LayerOf(SheetLayer::Frame), p);
    if (*c.bandWidth != '\0') {
      const std::string north = p.MillionSeries == 1 ? "56" : "54.666666667";
      EXPECT_NE(frame.find("value=\"" + north + "\"/>\n        <Option type=\"QString\" " +
                           "value=\"" + (p.MillionSeries == 1 ? "52" : "54") + "\"/>\n" +
                           "        <Option type=\"QString\" value=\"" + c.bandWidth + "\"/>"),
                std::string::npos)
          << frame;
    }
    for (const LayerSpec& layer : LayerCatalogue()) {
      const std::string style = LayerStyleText(layer, p);
      EXPECT_NE(style.find("<qgis "), std::string::npos) << layer.name;
      EXPECT_EQ(style.find("{{"), std::string::npos) << layer.name;
    }
  }
  // A system without EPSG code has no project.
  EXPECT_EQ(SheetProjectText(Sheet(0, 0, 0), "N-37-XIV"), "");
  EXPECT_EQ(SheetProjectText(Sheet(4, 0, 0), "N-37-XIV"), "");
}

TEST(SheetProject, SheetsEastOf180DegreesGetLongitudesFrom0To360) {
  const struct {
    std::int32_t zone, extra;
    bool wrapped;
    const char* meridian;
  } cases[] = {
      {37, 0, false, "39"},   // 36..42
      {60, 0, false, "177"},  // 174..180: ends on 180
      {60, 1, true, "180"},   // 174..186
      {1, 0, true, "183"},    // 180..186
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.zone);
    const std::string project = SheetProjectText(Sheet(2, 1, 0, c.zone, c.extra), "X");
    EXPECT_EQ(Count(project, "+lon_wrap=180"), c.wrapped ? 5u : 0u);
    EXPECT_EQ(Count(project, "+towgs84=24.47,-130.89,-81.56,0,0,0.13,-0.22"), c.wrapped ? 6u : 0u);
    EXPECT_EQ(Count(project, "AUTHORITY[&quot;EPSG&quot;,&quot;4200&quot;]]"), c.wrapped ? 0u : 6u);
    const std::string meridian = c.meridian;
    EXPECT_NE(project.find(c.wrapped ? "+lon_0=" + meridian + " "
                                     : "&quot;central_meridian&quot;," + meridian + "]"),
              std::string::npos);
  }
}

TEST(SheetProject, TemplateFilling) {
  EXPECT_EQ(FillTemplate("a{{X}}b{{Y}}{{X}}", {{"X", "1"}, {"Y", "{{X}}"}}), "a1b{{X}}1");
  EXPECT_EQ(FillTemplate("no placeholder {", {}), "no placeholder {");
  EXPECT_THROW(FillTemplate("{{MISSING}}", {{"X", "1"}}), std::logic_error);
  EXPECT_EQ(XmlEscaped("<a href=\"x\">&'</a>"),
            "&lt;a href=&quot;x&quot;&gt;&amp;&apos;&lt;/a&gt;");
  EXPECT_EQ(DecimalText(1.2000000476837158, 3), "1.2");
  EXPECT_EQ(DecimalText(200000.0, 0), "200000");
  EXPECT_EQ(DecimalText(-0.0001, 3), "0");
  EXPECT_EQ(DecimalText(0.0, 3), "0");
  // As printf's "%.*f" rounds, trailing zeros dropped, for the numbers a project holds (degrees,
  // millimetres, metres) and for halves and neighbours where rounding is decided.
  // Halves in the scaled value, exact or only seemingly (0.0015 is not a half of 0.001), and
  // scaled values near 2^52, where the integer count gives way to to_chars.
  std::vector<double> values = {2.5,
                                -2.5,
                                0.125,
                                1e-10,
                                123456789.123456789,
                                1e22,
                                -0.0,
                                0.0005,
                                0.0015,
                                9.9995,
                                1e15 + 0.5,
                                9007199254740993.0,
                                4503599627370495.5,
                                0.1,
                                1e-9,
                                5e-324,
                                0.375,
                                -0.125,
                                4503599.6273704955,
                                2251799813685247.5};
  for (int i = 0; i < 4000; ++i) {
    values.push_back(37.0 + i / 7.0);
    values.push_back(-(i * 91.3) / 3.0 + 1e-7);
    values.push_back(4.0e6 + i * 1234.567891);
    values.push_back(std::nextafter(i / 8.0, 0.0));
    values.push_back(37.0 + i / 1000.0);  // short forms: millimetres, a layout's numbers
    values.push_back(-i * 0.05);
    values.push_back(4.0e6 + i / 4.0);
  }
  // And doubles of every magnitude a layout could hold, at every precision the integer count takes.
  std::mt19937_64 random(20261207);
  std::uniform_real_distribution<double> exponent(-8.0, 17.0);
  for (int i = 0; i < 3000; ++i) {
    const double v = std::pow(10.0, exponent(random)) * (i % 2 == 0 ? 1.0 : -1.0);
    values.push_back(v);
    values.push_back(std::nextafter(v, 0.0));
  }
  for (const double v : values) {
    for (const int decimals : {0, 1, 3, 6, 9, 12, 15}) {
      std::string printed = FormatText("%.*f", decimals, v);
      if (printed.find('.') != std::string::npos) {
        while (printed.back() == '0') printed.pop_back();
        if (printed.back() == '.') printed.pop_back();
      }
      if (printed == "-0") printed = "0";
      ASSERT_EQ(DecimalText(v, decimals), printed) << v << " " << decimals;
    }
  }
  EXPECT_EQ(ScaleStatement(200000), "Масштаб 1:200 000");
  EXPECT_EQ(ScaleStatement(2500000), "Масштаб 1:2 500 000");
}

}  // namespace
}  // namespace mapbasis
