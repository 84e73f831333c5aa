#!/usr/bin/python3
"""Opens the sheets the program writes in the real QGIS library and prints their layouts.

Usage: sheet_in_qgis.py MAPBASIS_EXE      (QT_QPA_PLATFORM=offscreen, no display)

For a 1:200 000, a 1:500 000 and two 1:1 000 000 sheets (one east of 180 degrees), each in another
coordinate system: the
project reads without errors; every layer the run wrote is in it, valid, in its EPSG system; the
frame labels are on; the layout's map is at exactly the map scale and the page holds the outer
frame with the margin; the exported layout has ink where the frame labels and the band's filled
cells are and none in the band's open cells; the label lines are as long as the text QGIS sets on
them; a style beside a layer is what a fresh layer loads. The sheet index of --index loads with its
style, which labels the sheets.
"""
import math
import os
import subprocess
import sys
import tempfile

os.environ.setdefault("QT_QPA_PLATFORM", "offscreen")
os.environ.setdefault("CPL_LOG", os.devnull)  # GDAL cannot georeference a PNG in place: say nothing

from qgis.core import (  # noqa: E402
    QgsApplication, QgsCoordinateTransform, QgsExpressionContext,
    QgsExpressionContextUtils, QgsGeometry, QgsLayoutExporter, QgsLayoutItemMap, QgsPalLayerSettings, QgsPointXY,
    QgsProject, QgsRenderContext, QgsTextFormat, QgsTextRenderer, QgsUnitTypes, QgsVectorLayer)
from qgis.PyQt.QtGui import QFont, QFontInfo, QFontMetricsF, QImage  # noqa: E402

PAGE_MARGIN = 10.0  # mm around the map item; the map reaches 3 mm beyond the outer frame
FRAME_PAD = 3.0
TITLE_ROOM = 12.0
DPI = 254.0  # ten pixels a millimetre
INK = 128  # a pixel darker than this is ink; the faint node crosses are not

# name, parameter file, scale, EPSG, layers written, projection of the print, middle meridian
SHEETS = [
    ("N-37-XIV 1:200 000", "CS=CK-42; Nom=N-37-XIV; MapScale=200;", 200000, "EPSG:4284",
     {"HypsA", "HypsP", "HypsL", "Frame", "FrameAdj", "FrameDig"}, "+ellps=krass", 37.5),
    ("N-37-XIV 1:500 000", "CS=CK-95; Nom=N-37-XIV; MapScale=500;", 500000, "EPSG:4200",
     {"HypsA", "HypsP", "HypsL", "Frame", "FrameDig"}, "+ellps=krass", 37.5),
    ("N-37 1:1 000 000", "CS=\u0413CK-2011; Nom=N-37; MapScale=1000;", 1000000, "EPSG:7683",
     {"HypsA", "HypsP", "HypsL", "Frame", "FrameDig"}, "+ellps=GSK2011", 39.0),
    # East of 180 degrees: Pulkovo 1942's ellipsoid and shift, longitudes from 0 to 360.
    ("U-01 1:1 000 000", "CS=CK-42; Nom=U-01; MapScale=1000;", 1000000,
     "+ellps=krass +towgs84=25,-141,-78.5,0,0.35,0.736,0 +lon_wrap=180",
     {"HypsA", "HypsP", "HypsL", "Frame", "FrameDig"}, "+ellps=krass", 183.0),
]

failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
    return condition


def generate(exe, folder, items):
    params = os.path.join(folder, "params.txt")
    with open(params, "w", encoding="utf-8") as f:
        f.write(items + " Path=" + os.path.join(folder, "out") + ";\n")
    run = subprocess.run([exe, params], capture_output=True, text=True)
    if run.returncode != 0:
        raise SystemExit("mapbasis failed: " + run.stderr)
    return os.path.join(folder, "out")


class Page:
    """The exported layout and the way from the project's coordinates to its pixels."""

    def __init__(self, project, layout, path):
        self.project = project
        self.map = next(i for i in layout.items() if isinstance(i, QgsLayoutItemMap))
        settings = QgsLayoutExporter.ImageExportSettings()
        settings.dpi = DPI
        settings.generateWorldFile = False
        result = QgsLayoutExporter(layout).exportToImage(path, settings)
        check(result == QgsLayoutExporter.Success, "the layout exported (%s)" % result)
        self.image = QImage(path)

    def to_mm(self, layer, point):
        """A point of a layer, in mm from the page's top left corner."""
        to_project = QgsCoordinateTransform(layer.crs(), self.project.crs(), self.project)
        p = to_project.transform(point)
        extent, pos, size = self.map.extent(), self.map.pos(), self.map.rect()
        x = pos.x() + (p.x() - extent.xMinimum()) / extent.width() * size.width()
        y = pos.y() + (extent.yMaximum() - p.y()) / extent.height() * size.height()
        return x, y

    def ink(self, x, y, radius):
        """Whether any pixel within radius mm of (x, y) mm is ink."""
        px, py, r = x * DPI / 25.4, y * DPI / 25.4, max(1, int(radius * DPI / 25.4))
        for j in range(int(py) - r, int(py) + r + 1):
            for i in range(int(px) - r, int(px) + r + 1):
                if 0 <= i < self.image.width() and 0 <= j < self.image.height():
                    c = self.image.pixelColor(i, j)
                    if (c.red() + c.green() + c.blue()) / 3 < INK:
                        return True
        return False


def length_mm(page, layer, geometry):
    points = [page.to_mm(layer, QgsPointXY(v)) for v in geometry.vertices()]
    return sum(math.dist(a, b) for a, b in zip(points, points[1:]))


def text_width_mm(family, size, spacing, text):
    font = QFont(family)
    font.setLetterSpacing(QFont.AbsoluteSpacing, spacing)  # in the size's unit, points
    fmt = QgsTextFormat()
    fmt.setFont(font)
    fmt.setSize(size)
    fmt.setSizeUnit(QgsUnitTypes.RenderPoints)
    context = QgsRenderContext()
    context.setScaleFactor(100.0)  # painter units per mm
    advance = QgsTextRenderer.textWidth(context, fmt, [text]) / 100.0
    # The labels were measured from the ink of their first character to that of their last: the
    # side bearings at both ends are not part of it.
    em = QFont(family)
    em.setPixelSize(1000)
    metrics = QFontMetricsF(em)
    bearings = metrics.leftBearing(text[0]) + metrics.rightBearing(text[-1]) if text else 0.0
    return advance - bearings / 1000.0 * size * 25.4 / 72.0


def labelled(layer, feature, key):
    """What the layer's labelling makes of the feature for a data-defined property."""
    labeling = layer.labeling()
    settings = labeling.settings()
    properties = settings.dataDefinedProperties()
    context = QgsExpressionContext()
    context.appendScopes(QgsExpressionContextUtils.globalProjectLayerScopes(layer))
    context.setFeature(feature)
    value, ok = properties.valueAsString(key, context) if key == QgsPalLayerSettings.Family else \
        properties.valueAsDouble(key, context, 0.0)
    return value


def check_labels(name, project, page, layer):
    worst = [0.0]
    for feature in layer.getFeatures():
        geometry = feature.geometry()
        length = length_mm(page, layer, geometry)
        # The text sets the ink along its line: most points from a tenth to nine tenths of the
        # way have ink beside them (a graticule line crossing a label inks one or two of them).
        fractions = [0.1 * i for i in range(1, 10)]
        inked = sum(page.ink(*page.to_mm(layer, geometry.interpolate(geometry.length() * f)
                                         .asPoint()), 0.3) for f in fractions)
        check(inked >= 5, "%s: %s %r is printed (%d of 9)" % (name, layer.name(), feature["Text"],
                                                              inked))
        family = labelled(layer, feature, QgsPalLayerSettings.Family)
        # Qt names a family with its foundry: "Nimbus Sans [urw]".
        found = QFontInfo(QFont(family)).family().split(" [")[0]
        check(found == family, "%s: the font %r of %r is installed" %
              (name, family, feature["Font"]))
        spacing = labelled(layer, feature, QgsPalLayerSettings.FontLetterSpacing)
        measured = length - (2.0 if layer.name() == "FrameAdj" else 0.0)  # names sit in a gap
        rendered = text_width_mm(family, float(feature["Size"]), spacing, feature["Text"])
        worst[0] = max(worst[0], abs(rendered - measured))
        check(abs(rendered - measured) < 0.5, "%s: %s %r is %.2f mm long, its text %.2f mm" %
              (name, layer.name(), feature["Text"], measured, rendered))
    print("%s: %s text within %.2f mm of its line's measured width" % (name, layer.name(), worst[0]))


def check_band(name, page, frame, band_width):
    """Ink in every filled cell of the minute band, none in the open cells after them."""
    cells = []
    for feature in frame.getFeatures():
        geometry = feature.geometry()
        vertices = [page.to_mm(frame, QgsPointXY(v)) for v in geometry.vertices()]
        closed = math.dist(vertices[0], vertices[-1]) < 1e-6
        tick = len(vertices) == 2 and abs(math.dist(*vertices) - band_width) < 0.05
        if feature["L_code"] == 400901 and not closed and not tick:
            cells.append(vertices)
    check(len(cells) > 20, "%s: the band has filled cells (%d)" % (name, len(cells)))
    checked_open = [0]
    mids = [((c[0][0] + c[-1][0]) / 2, (c[0][1] + c[-1][1]) / 2) for c in cells]
    for vertices in cells:
        (x0, y0), (x1, y1) = vertices[0], vertices[-1]
        length = math.dist(vertices[0], vertices[-1])
        ux, uy = (x1 - x0) / length, (y1 - y0) / length  # along the band
        mx, my = (x0 + x1) / 2, (y0 + y1) / 2
        # A filled cell is black across the band's width, not only along its middle line.
        across = 0.3 * band_width
        check(page.ink(mx - uy * across, my + ux * across, 0.1) and
              page.ink(mx + uy * across, my - ux * across, 0.1),
              "%s: the filled cell at %.1f, %.1f mm is black" % (name, mx, my))
        # The open cell between it and the next filled cell is white up to its ends: flat caps,
        # not square ones.
        open_mid = (x1 + ux * length / 2, y1 + uy * length / 2)
        next_mid = (x1 + ux * length * 1.5, y1 + uy * length * 1.5)
        if any(math.dist(next_mid, m) < 1.0 for m in mids):
            near_ends = [(x1 + ux * 0.35, y1 + uy * 0.35),
                         (x1 + ux * (length - 0.35), y1 + uy * (length - 0.35))]
            checked_open[0] += 1
            check(not page.ink(*open_mid, 0.25) and not any(page.ink(*p, 0.1) for p in near_ends),
                  "%s: the open cell at %.1f, %.1f mm is white" % (name, *open_mid))
    check(checked_open[0] > 10, "%s: open cells checked (%d)" % (name, checked_open[0]))


def check_sheet(exe, folder, sheet):
    name, items, scale, epsg, written, ellipsoid, meridian = sheet
    out = generate(exe, folder, items)
    project = QgsProject.instance()
    project.clear()
    check(project.read(os.path.join(out, "mapbasis.qgs")), name + ": the project reads")
    check(project.error() == "", name + ": no error reading the project: " + project.error())
    proj = project.crs().toProj()
    check("+proj=tmerc" in proj and "+lon_0=%g " % meridian in proj and ellipsoid in proj,
          name + ": printed in a transverse Mercator on its middle meridian: " + proj)

    layers = {layer.name(): layer for layer in project.mapLayers().values()}
    check(set(layers) == written, "%s: the layers %s" % (name, sorted(layers)))
    order = [node.name() for node in project.layerTreeRoot().findLayers()]
    expected = [n for n in ("FrameDig", "FrameAdj", "Frame", "HypsL", "HypsP", "HypsA")
                if n in written]
    check(order == expected, "%s: drawing order %s" % (name, order))
    for layer in layers.values():
        check(layer.isValid() and layer.featureCount() > 0, name + ": %s is valid" % layer.name())
        system = layer.crs().authid() if epsg.startswith("EPSG:") else layer.crs().toProj()
        check(epsg in system, "%s: %s is in %s, not %s" % (name, layer.name(), epsg, system))
        check(not os.path.isabs(layer.source()) or layer.source().startswith(out),
              name + ": " + layer.source())
    for labels in ("FrameAdj", "FrameDig"):
        if labels in layers:
            check(layers[labels].labelsEnabled(), "%s: %s has its labels on" % (name, labels))

    layouts = project.layoutManager().layouts()
    check(len(layouts) == 1, name + ": one layout")
    layout = layouts[0]
    page = Page(project, layout, os.path.join(folder, "page.png"))
    check(abs(page.map.scale() - scale) < 0.01, "%s: the map is at 1:%s" % (name, page.map.scale()))

    frame = layers["Frame"]
    outer = [page.to_mm(frame, QgsPointXY(v)) for f in frame.getFeatures()
             if f["L_code"] in (400902, 400922, 400903) for v in f.geometry().vertices()]
    left, right = min(x for x, _ in outer), max(x for x, _ in outer)
    top, bottom = min(y for _, y in outer), max(y for _, y in outer)
    size = layout.pageCollection().page(0).pageSize()
    gaps = (left, size.width() - right, size.height() - bottom)
    room = PAGE_MARGIN + FRAME_PAD
    check(all(abs(g - room) < 1.0 for g in gaps) and abs(top - room - TITLE_ROOM) < 1.0,
          "%s: the page holds the outer frame with its margin (%s, top %.1f)" % (name, gaps, top))

    for labels in ("FrameAdj", "FrameDig"):
        if labels in layers:
            check_labels(name, project, page, layers[labels])
    if scale != 500000:
        check_band(name, page, frame, 1.2 if scale == 200000 else 1.0)

    # A style beside a layer is the default style of a fresh layer of that file.
    for layer_name in written:
        sub = "FRAME" if layer_name.startswith("Frame") else "HYPS"
        fresh = QgsVectorLayer(os.path.join(out, sub, layer_name + ".shp"), layer_name, "ogr")
        check(os.path.exists(os.path.join(out, sub, layer_name + ".qml")),
              name + ": %s.qml is there" % layer_name)
        check(fresh.renderer().type() == layers[layer_name].renderer().type(),
              "%s: a fresh %s draws as in the project" % (name, layer_name))
        if layer_name in ("FrameAdj", "FrameDig"):
            check(fresh.labelsEnabled(), "%s: a fresh %s has labels" % (name, layer_name))
    project.clear()


def check_index(exe, folder):
    """The sheet index loads with its style: outlines, and each sheet labelled with its name."""
    result = subprocess.run([exe, "--index", "55.1", "37.1", "55.9", "38.9", "index"], cwd=folder,
                            capture_output=True)
    if not check(result.returncode == 0, "--index: exit %d %r" % (result.returncode, result.stderr)):
        return
    layer = QgsVectorLayer(os.path.join(folder, "index", "SheetIndex.shp"), "SheetIndex", "ogr")
    check(layer.isValid() and layer.featureCount() == 4, "SheetIndex: 4 valid sheets")
    check(layer.crs().isGeographic() and layer.crs().ellipsoidAcronym() != "",
          "SheetIndex: a geographic system with its ellipsoid (%s)" % layer.crs().toProj())
    check(layer.renderer().type() == "singleSymbol", "SheetIndex: drawn by its style")
    check(layer.labelsEnabled() and layer.labeling().settings().fieldName == "Name",
          "SheetIndex: labelled with Name")
    names = [f["Name"] for f in layer.getFeatures()]
    check(names == ["N-37-II", "N-37-III", "N-37-VIII", "N-37-IX"], "SheetIndex: %s" % names)


def main():
    exe = os.path.abspath(sys.argv[1])
    app = QgsApplication([], False)
    app.initQgis()
    for sheet in SHEETS:
        with tempfile.TemporaryDirectory(prefix="mapbasis qgis ") as folder:
            check_sheet(exe, folder, sheet)
    with tempfile.TemporaryDirectory(prefix="mapbasis qgis ") as folder:
        check_index(exe, folder)
    app.exitQgis()
    for failure in failures[:40]:
        print("FAILED:", failure)
    print("%d failures" % len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
