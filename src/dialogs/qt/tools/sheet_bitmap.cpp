// Writes the information dialog's picture, as the Qt dialogs draw it, to a BMP file: the Windows
// dialogs carry it as their bitmap resource (scripts/generate-sheet-bitmap.sh).
//
//     mapbasis_sheet_bitmap OUTPUT.bmp WIDTH HEIGHT
#include <cstdio>
#include <cstdlib>

#include <QApplication>
#include <QImage>
#include <QString>

#include "dialogs/qt/qt_toolkit.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: mapbasis_sheet_bitmap OUTPUT.bmp WIDTH HEIGHT\n");
    return 2;
  }
  const int width = std::atoi(argv[2]);
  const int height = std::atoi(argv[3]);
  if (width < 16 || height < 16 || width > 2000 || height > 2000) {
    std::fprintf(stderr, "mapbasis_sheet_bitmap: a size of 16 to 2000 pixels, please\n");
    return 2;
  }
  QApplication app(argc, argv);
  // 24 bits a pixel: what every version of Windows draws in a dialog.
  const QImage picture =
      mapbasis::SheetPicture(QSize(width, height)).toImage().convertToFormat(QImage::Format_RGB888);
  if (!picture.save(QString::fromLocal8Bit(argv[1]), "BMP")) {
    std::fprintf(stderr, "mapbasis_sheet_bitmap: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
