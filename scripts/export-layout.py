#!/usr/bin/python3
"""Exports the print layout of a QGIS project to a PNG, as QGIS prints it.

Usage: scripts/export-layout.py PROJECT.qgs OUT.png [DPI]      (needs Debian's python3-qgis; runs
without a display)
"""
import os
import sys

os.environ.setdefault("QT_QPA_PLATFORM", "offscreen")
os.environ.setdefault("CPL_LOG", os.devnull)  # GDAL cannot georeference a PNG in place: say nothing

from qgis.core import QgsApplication, QgsLayoutExporter, QgsProject  # noqa: E402


def main():
    if len(sys.argv) not in (3, 4):
        sys.exit(__doc__)
    app = QgsApplication([], False)
    app.initQgis()
    project = QgsProject.instance()
    if not project.read(sys.argv[1]):
        sys.exit("cannot read %s: %s" % (sys.argv[1], project.error()))
    layout = project.layoutManager().layouts()[0]
    settings = QgsLayoutExporter.ImageExportSettings()
    settings.dpi = float(sys.argv[3]) if len(sys.argv) == 4 else 150.0
    settings.generateWorldFile = False
    result = QgsLayoutExporter(layout).exportToImage(sys.argv[2], settings)
    project.clear()
    app.exitQgis()
    if result != QgsLayoutExporter.Success:
        sys.exit("cannot export the layout of %s (%d)" % (sys.argv[1], result))


if __name__ == "__main__":
    main()
