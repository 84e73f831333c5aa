#!/usr/bin/python3
"""Opens the sheets the program writes in the real QGIS library and prints their layouts.

Usage: sheet_in_qgis.py MAPBASIS_EXE [--windows-fonts]     (QT_QPA_PLATFORM=offscreen)

For sheets of both series at every map scale with a frame, in all three coordinate systems, east
of 180 degrees, in belt U and refined: the project reads without errors; every layer the run
wrote is in it, valid, in its EPSG system; the layout's maps are at exactly the map scale, the
page holds the frame with its margins, the scale and the coordinate system; the project measures
on the system's ellipsoid. QGIS is asked, feature by feature, which rule draws each line of the
minute band, and its answer must agree with where the line lies in the band; the exported layout
has ink in the filled cells and none in the open ones. Every coordinate label is inked from one
end of its line to the other within 0.3 mm, every neighbour's name centred in its gap, 1 mm
short of either end. Layers a user adds are clipped to the sheet, the frame is not. A style
beside a layer is what a fresh layer loads. The sheet index of --index loads with its style,
which labels the sheets.

With --windows-fonts the sheets are drawn as on Windows, with only the fonts a Windows system
has: the Liberation fonts, renamed Arial and Times New Roman as fontconfig reads them
(FONTCONFIG_FILE), DejaVu Sans standing in for the interface font that draws a family the
system lacks, and QGIS told it runs on Windows (the variable qgis_os_name).
"""
import math
import os
import subprocess
import sys
import tempfile

WINDOWS_FONTS = "--windows-fonts" in sys.argv
FONTS_CONF = """<?xml version="1.0"?><!DOCTYPE fontconfig SYSTEM "fonts.dtd"><fontconfig>
<dir>/usr/share/fonts/truetype/liberation</dir><dir>/usr/share/fonts/truetype/dejavu</dir>
<cachedir>%s</cachedir>
<match target="pattern"><edit name="family" mode="append_last"><string>DejaVu Sans</string></edit>
</match>
<match target="scan"><test name="family"><string>Liberation Sans</string></test>
<edit name="family" mode="assign" binding="same"><string>Arial</string></edit></match>
<match target="scan"><test name="family"><string>Liberation Serif</string></test>
<edit name="family" mode="assign" binding="same"><string>Times New Roman</string></edit></match>
</fontconfig>"""
fonts_folder = tempfile.TemporaryDirectory(prefix="mapbasis fonts ")
if WINDOWS_FONTS:
    # Read when Qt first looks for a font, so it must be set before QGIS starts.
    os.environ["FONTCONFIG_FILE"] = os.path.join(fonts_folder.name, "fonts.conf")
    with open(os.environ["FONTCONFIG_FILE"], "w") as f:
        f.write(FONTS_CONF % os.path.join(fonts_folder.name, "cache"))
os.environ.setdefault("QT_QPA_PLATFORM", "offscreen")
os.environ.setdefault("CPL_LOG", os.devnull)  # GDAL cannot georeference a PNG in place: say nothing

from qgis.core import (  # noqa: E402
    QgsApplication, QgsCoordinateTransform, QgsDistanceArea, QgsEllipsoidUtils,
    QgsExpressionContextUtils, QgsFeature,
    QgsFillSymbol, QgsGeometry, QgsLayoutExporter, QgsLayoutItemLabel, QgsLayoutItemMap,
    QgsMapRendererSequentialJob, QgsPointXY, QgsProject, QgsRectangle, QgsRenderContext,
    QgsSingleSymbolRenderer, QgsVectorLayer)
from qgis.PyQt.QtGui import QFontDatabase, QImage, qGray  # noqa: E402

PAGE_MARGIN, FRAME_PAD, TITLE_ROOM, NOTES_ROOM = 10.0, 3.0, 12.0, 16.0  # mm
DPI = 254.0  # ten pixels a millimetre
INK = 128  # a pixel darker than this is ink; the faint node crosses are not
LABEL_INK = 160  # the edges of small type are lighter
MM_PER_POINT = 25.4 / 72
RADIUS = 6371032.0  # the sphere the frame's millimetres were laid out on, m

# name, parameter file, scale, EPSG, layers written, ellipsoid (a, 1/f), middle meridian
KRASSOWSKY, GSK2011 = (6378245.0, 298.3), (6378136.5, 298.2564151)
ALL = {"HypsA", "HypsP", "HypsL", "Frame", "FrameAdj", "FrameDig"}
NO_ADJ = ALL - {"FrameAdj"}
SHEETS = [
    ("N-37-XIV 1:200 000", "CS=CK-42; Nom=N-37-XIV; MapScale=200;", 200000, "EPSG:4284", ALL,
     KRASSOWSKY, 37.5),
    ("N-37-XIV 1:500 000", "CS=CK-95; Nom=N-37-XIV; MapScale=500;", 500000, "EPSG:4200", NO_ADJ,
     KRASSOWSKY, 37.5),
    ("N-37 1:1 000 000", "CS=\u0413CK-2011; Nom=N-37; MapScale=1000;", 1000000, "EPSG:7683",
     NO_ADJ, GSK2011, 39.0),
    # East of 180 degrees: Pulkovo 1942's ellipsoid and shift, longitudes from 0 to 360.
    ("U-01 1:1 000 000", "CS=CK-42; Nom=U-01; MapScale=1000;", 1000000,
     "+ellps=krass +towgs84=25,-141,-78.5,0,0.35,0.736,0 +lon_wrap=180", NO_ADJ, KRASSOWSKY,
     183.0),
    # Belt U: the band's cells at 82 40' are as long as its ticks; the meridians converge so far
    # that at 1:2 500 000 every other longitude label is left out along the north side.
    ("U-45-XIII 1:200 000", "CS=CK-42; Nom=U-45-XIII; MapScale=200;", 200000, "EPSG:4284", ALL,
     KRASSOWSKY, 84.5),
    ("U-45-VII 1:200 000", "CS=CK-42; Nom=U-45-VII; MapScale=200;", 200000, "EPSG:4284", ALL,
     KRASSOWSKY, 84.5),
    ("U-01 1:2 500 000", "CS=CK-95; Nom=U-01; MapScale=2500;", 2500000,
     "+ellps=krass +towgs84=24.47,-130.89,-81.56,0,0,0.13,-0.22 +lon_wrap=180", NO_ADJ,
     KRASSOWSKY, 183.0),
    # A refined trapezoid across the Arctic Circle.
    ("Q-38-XIII refined 1:500 000", "CS=\u0413CK-2011; Nom=Q-38-XIII; MapScale=500; "
     "xFrom=41\u00b030'; xTo=43\u00b030'; yFrom=65\u00b040'; yTo=67\u00b0; "
     "MeridianStep=0\u00b020'; ParallelStep=0\u00b010'; xMinute=2; yMinute=2;", 500000,
     "EPSG:7683", NO_ADJ, GSK2011, 42.5),
]
# With only Windows' fonts: the two fonts' sheets of the 1:200 000 and 1:1 000 000 series.
WINDOWS_SHEETS = ("N-37-XIV 1:200 000", "N-37 1:1 000 000")

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
    """The exported layout and the way from a layer's coordinates to its pixels."""

    def __init__(self, project, layout, path, dpi=DPI):
        self.project, self.dpi = project, dpi
        self.maps = [i for i in layout.items() if isinstance(i, QgsLayoutItemMap)]
        self.map = self.maps[0]
        settings = QgsLayoutExporter.ImageExportSettings()
        settings.dpi = dpi
        settings.generateWorldFile = False
        result = QgsLayoutExporter(layout).exportToImage(path, settings)
        check(result == QgsLayoutExporter.Success, "the layout exported (%s)" % result)
        self.image = QImage(path)
        # The page is drawn into the image's whole pixels keeping its proportions, from its top
        # left corner, at the scale of the side that lost more to the rounding.
        size = layout.pageCollection().page(0).pageSize()
        self.scale = min(self.image.width() / size.width(), self.image.height() / size.height())

    def to_mm(self, layer, point):
        """A point of a layer, in mm from the page's top left corner."""
        p = QgsCoordinateTransform(layer.crs(), self.project.crs(), self.project).transform(point)
        extent, pos, size = self.map.extent(), self.map.pos(), self.map.rect()
        return (pos.x() + (p.x() - extent.xMinimum()) / extent.width() * size.width(),
                pos.y() + (extent.yMaximum() - p.y()) / extent.height() * size.height())

    def gray(self, x, y):
        """The gray level of the pixel at (x, y) mm; white off the page."""
        i, j = int(x * self.scale), int(y * self.scale)
        if 0 <= i < self.image.width() and 0 <= j < self.image.height():
            return qGray(self.image.pixel(i, j))
        return 255

    def ink(self, x, y, radius, level=INK):
        """Whether any pixel within radius mm of (x, y) mm is darker than level."""
        step = 25.4 / self.dpi
        n = max(1, int(radius / step))
        return any(self.gray(x + i * step, y + j * step) < level
                   for i in range(-n, n + 1) for j in range(-n, n + 1))


def points(feature):
    """The vertices of a feature's geometry (held while they are read)."""
    geometry = feature.geometry()
    return [QgsPointXY(v) for v in geometry.vertices()]


def ink_along(page, a, b, half_height, start, end):
    """The first and last distance from a, between start and end mm along the line a-b, at which
    the band half_height mm either side of it has ink; None where it has none."""
    length = math.dist(a, b)
    ux, uy = (b[0] - a[0]) / length, (b[1] - a[1]) / length
    across = [k * 0.1 for k in range(-int(half_height / 0.1), int(half_height / 0.1) + 1)]
    inked = [t * 0.05 for t in range(int(start / 0.05), int(end / 0.05) + 1)
             if any(page.gray(a[0] + ux * t * 0.05 - uy * v, a[1] + uy * t * 0.05 + ux * v)
                    < LABEL_INK for v in across)]
    return (inked[0], inked[-1]) if inked else None


def check_labels(name, page, layer):
    """Each label's ink from end to end of its line; a neighbour's name 1 mm inside its gap."""
    worst = 0.0
    for feature in layer.getFeatures():
        vertices = points(feature)
        a, b = page.to_mm(layer, vertices[0]), page.to_mm(layer, vertices[-1])
        length = math.dist(a, b)
        size = float(feature["Size"]) * MM_PER_POINT
        # The outer frame ends at a name's gap: look only inside it.
        inset = 1.0 if layer.name() == "FrameAdj" else 0.0
        search = (0.2, length - 0.2) if inset else (-0.6, length + 0.6)
        ends = ink_along(page, a, b, 0.36 * size, *search)
        if not check(ends is not None, "%s: %s %r is printed" % (name, layer.name(),
                                                                  feature["Text"])):
            continue
        off = max(abs(ends[0] - inset), abs(ends[1] - (length - inset)))
        worst = max(worst, off)
        check(off <= 0.3, "%s: %s %r is inked from %.2f to %.2f mm along its %.2f mm line" %
              (name, layer.name(), feature["Text"], ends[0], ends[1], length))
    print("%s: %s ink within %.2f mm of its lines' ends" % (name, layer.name(), worst))


def band_place(v, sheet, side_mm, band):
    """Where a band line of vertices v lies: 'tick' when its ends lie on the band's two
    boundaries, 'cell' when both lie on its middle line."""
    south, north, west, east = sheet
    ends = (v[0], v[-1])
    middle_y = (v[0].y() + v[-1].y()) / 2

    def out(p):  # mm outward from the sheet edge on the line's side
        if middle_y > north + 1e-9:
            return (p.y() - north) * side_mm
        if middle_y < south - 1e-9:
            return (south - p.y()) * side_mm
        x = west - p.x() if p.x() < (west + east) / 2 else p.x() - east
        return x * side_mm * math.cos(math.radians(p.y()))

    inner, width = band
    d = sorted(out(p) for p in ends)
    if abs(d[0] - inner) < 0.01 and abs(d[1] - inner - width) < 0.01:
        return "tick"
    if all(abs(x - inner - width / 2) < 0.01 for x in d):
        return "cell"
    return "?"


def check_band(name, project, page, frame, hyps_a, scale, band):
    """QGIS's rule for each band line against where it lies; ink in the filled cells only."""
    box = hyps_a.extent()
    sheet = (box.yMinimum(), box.yMaximum(), box.xMinimum(), box.xMaximum())
    side_mm = RADIUS * math.pi / 180 * 1000 / scale  # mm on the map per degree
    renderer = frame.renderer().clone()
    context = QgsRenderContext.fromMapSettings(page.map.mapSettings(
        page.map.extent(), page.map.rect().size(), 72, False))
    context.expressionContext().appendScopes(
        QgsExpressionContextUtils.globalProjectLayerScopes(frame))
    renderer.startRender(context, frame.fields())
    cells, counts = [], {"tick": 0, "cell": 0}
    for feature in frame.getFeatures():
        vertices = points(feature)
        if feature["L_code"] != 400901 or vertices[0] == vertices[-1]:
            continue
        context.expressionContext().setFeature(feature)
        keys = renderer.legendKeysForFeature(feature, context)
        drawn = "tick" if "band-tick" in keys else "cell" if "band-cell" in keys else "?"
        place = band_place(vertices, sheet, side_mm, band)
        counts[place] = counts.get(place, 0) + 1
        check(drawn == place, "%s: a band line at %s is drawn as a %s, lies as a %s" %
              (name, vertices[0].toString(4), drawn, place))
        if place == "cell":
            cells.append([page.to_mm(frame, v) for v in vertices])
    renderer.stopRender(context)
    print("%s: %d ticks, %d filled cells drawn as such" % (name, counts["tick"], counts["cell"]))
    check(len(cells) > 20, "%s: the band has filled cells (%d)" % (name, len(cells)))

    checked_open = 0
    mids = [((c[0][0] + c[-1][0]) / 2, (c[0][1] + c[-1][1]) / 2) for c in cells]
    for vertices in cells:
        (x0, y0), (x1, y1) = vertices[0], vertices[-1]
        length = math.dist(vertices[0], vertices[-1])
        ux, uy = (x1 - x0) / length, (y1 - y0) / length  # along the band
        mx, my = (x0 + x1) / 2, (y0 + y1) / 2
        across = 0.3 * band[1]  # black across the band's width, not only along its middle
        check(page.ink(mx - uy * across, my + ux * across, 0.1) and
              page.ink(mx + uy * across, my - ux * across, 0.1),
              "%s: the filled cell at %.1f, %.1f mm is black" % (name, mx, my))
        # The open cell after it is white up to its ends: flat caps, not square ones.
        open_mid = (x1 + ux * length / 2, y1 + uy * length / 2)
        next_mid = (x1 + ux * length * 1.5, y1 + uy * length * 1.5)
        if any(math.dist(next_mid, m) < 0.5 for m in mids):
            near_ends = [(x1 + ux * 0.35, y1 + uy * 0.35),
                         (x1 + ux * (length - 0.35), y1 + uy * (length - 0.35))]
            checked_open += 1
            check(not page.ink(*open_mid, 0.2) and not any(page.ink(*p, 0.1) for p in near_ends),
                  "%s: the open cell at %.1f, %.1f mm is white" % (name, *open_mid))
    check(checked_open > 10, "%s: open cells checked (%d)" % (name, checked_open))


def meridian_arc(ellipsoid, lat0, lat1, steps=2000):
    """The length of a meridian between two latitudes, m (Simpson's rule)."""
    a, f = ellipsoid[0], 1 / ellipsoid[1]
    e2 = f * (2 - f)

    def m(phi):
        return a * (1 - e2) / (1 - e2 * math.sin(phi) ** 2) ** 1.5

    p0, p1 = math.radians(lat0), math.radians(lat1)
    h = (p1 - p0) / steps
    return h / 3 * sum((1 if k in (0, steps) else 4 if k % 2 else 2) * m(p0 + k * h)
                       for k in range(steps + 1))


def check_measuring(name, project, hyps_a, ellipsoid):
    """The project measures on its system's ellipsoid: the sheet's west edge, a meridian, is as
    long as the meridian arc (a plane would make it longer by the projection's scale)."""
    parameters = QgsEllipsoidUtils.ellipsoidParameters(project.ellipsoid())
    check(parameters.valid and abs(parameters.semiMajor - ellipsoid[0]) < 1e-6 and
          abs(parameters.inverseFlattening - ellipsoid[1]) < 1e-6,
          "%s: the project's ellipsoid %s" % (name, project.ellipsoid()))
    box = hyps_a.extent()
    ring = points(next(hyps_a.getFeatures()))
    west = [p for p in ring if abs(p.x() - box.xMinimum()) < 1e-9]
    to_project = QgsCoordinateTransform(hyps_a.crs(), project.crs(), project)
    line = QgsGeometry.fromPolylineXY(sorted((to_project.transform(p) for p in west),
                                             key=lambda p: p.y()))
    measure = QgsDistanceArea()
    measure.setSourceCrs(project.crs(), project.transformContext())
    measure.setEllipsoid(project.ellipsoid())
    measured = measure.measureLength(line)
    arc = meridian_arc(ellipsoid, box.yMinimum(), box.yMaximum())
    check(measure.willUseEllipsoid() and abs(measured - arc) < 0.05,
          "%s: the west edge measures %.3f m, the meridian arc is %.3f m" % (name, measured, arc))


def check_clipping(name, project, layout, folder, hyps_a, frame):
    """A layer added to the project prints inside the sheet only; the frame stays whole."""
    added = QgsVectorLayer("Polygon?crs=" + hyps_a.crs().authid(), "added", "memory")
    feature = QgsFeature()
    box = hyps_a.extent()
    feature.setGeometry(QgsGeometry.fromRect(QgsRectangle(box.xMinimum() - 1, box.yMinimum() - 1,
                                                          box.xMaximum() + 1, box.yMaximum() + 1)))
    added.dataProvider().addFeatures([feature])
    added.setRenderer(QgsSingleSymbolRenderer(QgsFillSymbol.createSimple(
        {"color": "200,200,200,255", "outline_style": "no"})))
    project.addMapLayer(added)
    project.layerTreeRoot().findLayer(added.id()).parent().insertLayer(-1, added)
    page = Page(project, layout, os.path.join(folder, "clipped.png"), dpi=127)
    # Between two parallels, clear of their extensions and labels.
    middle = (box.yMinimum() + box.yMaximum()) / 2 + 1 / 24
    west = page.to_mm(hyps_a, QgsPointXY(box.xMinimum(), middle))
    check(190 <= page.gray(west[0] + 2.0, west[1]) <= 210, name + ": the added layer inside")
    check(page.gray(west[0] - 3.0, west[1]) > 250, name + ": nothing of it outside the sheet")
    cell = next(f for f in frame.getFeatures() if f["L_code"] == 400902)
    check(page.ink(*page.to_mm(frame, points(cell)[0]), 0.3),
          name + ": the outer frame is drawn over it")
    project.removeMapLayer(added.id())


def check_sheet(exe, folder, sheet):
    name, items, scale, epsg, written, ellipsoid, meridian = sheet
    out = generate(exe, folder, items)
    project = QgsProject.instance()
    project.clear()
    check(project.read(os.path.join(out, "mapbasis.qgs")), name + ": the project reads")
    check(project.error() == "", name + ": no error reading the project: " + project.error())
    if WINDOWS_FONTS:
        QgsExpressionContextUtils.setProjectVariable(project, "qgis_os_name", "windows")
    proj = project.crs().toProj()
    check("+proj=tmerc" in proj and "+lon_0=%g " % meridian in proj,
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
    check_measuring(name, project, layers["HypsA"], ellipsoid)

    layouts = project.layoutManager().layouts()
    check(len(layouts) == 1, name + ": one layout")
    layout = layouts[0]
    page = Page(project, layout, os.path.join(folder, "page.png"))
    check(len(page.maps) == 2 and all(abs(m.scale() - scale) < 0.01 for m in page.maps),
          "%s: the maps are at 1:%s" % (name, [m.scale() for m in page.maps]))
    texts = {i.id(): i.text() for i in layout.items() if isinstance(i, QgsLayoutItemLabel)}
    check(texts.get("scale") == "Масштаб 1:" + format(scale, ",").replace(",", " "),
          "%s: the scale stated: %r" % (name, texts.get("scale")))
    check(("Пулково" in texts.get("system", "")) == (epsg != "EPSG:7683" and "GSK" not in epsg),
          "%s: the coordinate system stated: %r" % (name, texts.get("system")))
    check(("уточн" in texts.get("title", "")) == ("refined" in name),
          "%s: the title %r" % (name, texts.get("title")))

    frame = layers["Frame"]
    outer = [page.to_mm(frame, v) for f in frame.getFeatures()
             if f["L_code"] in (400902, 400922, 400903) for v in points(f)]
    left, right = min(x for x, _ in outer), max(x for x, _ in outer)
    top, bottom = min(y for _, y in outer), max(y for _, y in outer)
    size = layout.pageCollection().page(0).pageSize()
    room = PAGE_MARGIN + FRAME_PAD
    gaps = (left - room, size.width() - right - room, top - room - TITLE_ROOM,
            size.height() - bottom - room - NOTES_ROOM)
    check(all(abs(g) < 1.0 for g in gaps),
          "%s: the page holds the outer frame with its margins (%s)" % (name, gaps))

    for labels in ("FrameAdj", "FrameDig"):
        if labels in layers:
            check(layers[labels].labelsEnabled(), "%s: %s has its labels on" % (name, labels))
            check_labels(name, page, layers[labels])
    if scale in (200000, 1000000):
        band = (7.0, 1.2) if scale == 200000 else (0.0, 1.0)
        check_band(name, project, page, frame, layers["HypsA"], scale, band)

    # The Arctic Circle is named on the print; the node crosses end at the sheet edge.
    sheet_map = next(m for m in page.maps if m.id() == "sheet")
    settings = sheet_map.mapSettings(sheet_map.extent(), sheet_map.rect().size(), 50, True)
    job = QgsMapRendererSequentialJob(settings)
    job.start()
    job.waitForFinished()
    # A label set along a curve is one part per character.
    arctic = "Северный полярный круг"
    names = [label.labelText for label in job.takeLabelingResults().allLabels()
             if label.layerID == layers["HypsL"].id()]
    crosses = any(f["L_code"] == 400013 for f in layers["HypsL"].getFeatures())
    check(names == ([arctic] * len(arctic) if crosses else []),
          "%s: the Arctic Circle's name %s" % (name, sorted(set(names))))
    # Beside a node on the west edge, between the parallels whose extensions and labels lie there
    # and inside the band where it starts at the edge, there is nothing to print.
    box = layers["HypsA"].extent()
    parallels = [points(f)[0].y() for f in layers["HypsL"].getFeatures() if f["L_code"] == 400011]
    checked = 0
    for node in layers["HypsP"].getFeatures() if scale != 1000000 else []:
        p = points(node)[0]
        if abs(p.x() - box.xMinimum()) < 1e-9 and box.yMinimum() < p.y() < box.yMaximum() and \
                all(abs(p.y() - lat) > 1e-6 for lat in parallels):
            x, y = page.to_mm(layers["HypsP"], p)
            checked += 1
            check(page.gray(x - 0.3, y) > 240, "%s: the node at %s ends at the edge" % (name, p))
    check(scale == 1000000 or checked > 0, name + ": nodes on the edge checked")

    if name == "N-37-XIV 1:200 000" and not WINDOWS_FONTS:
        check_clipping(name, project, layout, folder, layers["HypsA"], frame)

    # A style beside a layer is the default style of a fresh layer of that file.
    for layer_name in written:
        sub = "FRAME" if layer_name.startswith("Frame") else "HYPS"
        fresh = QgsVectorLayer(os.path.join(out, sub, layer_name + ".shp"), layer_name, "ogr")
        check(fresh.renderer().type() == layers[layer_name].renderer().type() and
              fresh.labelsEnabled() == layers[layer_name].labelsEnabled(),
              "%s: a fresh %s draws as in the project" % (name, layer_name))
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
    # The families the labels are drawn in, and no others of their kind.
    families = set(QFontDatabase().families())
    wanted = {"Arial", "Times New Roman"} if WINDOWS_FONTS else {"Liberation Sans",
                                                                  "Liberation Serif"}
    check(wanted <= families and (not WINDOWS_FONTS or not families & {
        "Liberation Sans", "Liberation Serif", "Nimbus Sans", "C059"}),
        "the fonts installed: %s" % sorted(families))
    for sheet in SHEETS:
        if WINDOWS_FONTS and sheet[0] not in WINDOWS_SHEETS:
            continue
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
