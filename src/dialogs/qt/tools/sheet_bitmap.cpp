// Writes the information dialog's picture, as the Qt dialogs draw it, for the Windows program
// (scripts/generate-sheet-bitmap.sh): a BMP that the Windows dialogs carry as their bitmap
// resource, and the program's icon, the same sheet square at the sizes Windows shows. The picture
// fills the place the dialogs' description gives it at the system's 8-point dialog font: 6 x 13
// pixels every 4 x 8 dialog units at 96 dpi.
//
//     mapbasis_sheet_bitmap OUTPUT.bmp
//     mapbasis_sheet_bitmap --icon OUTPUT.ico
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QString>

#include "dialogs/dialog_description.h"
#include "dialogs/dialog_ids.h"
#include "dialogs/qt/qt_toolkit.h"

namespace {

void PutLe(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// One image of an icon file: 32-bit BGRA rows from the bottom up, then the (unused, all clear)
// mask, as Windows reads the small sizes; PNG for 256 pixels.
std::string IconImage(const QImage& image) {
  if (image.width() >= 256) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return std::string(png.constData(), static_cast<std::size_t>(png.size()));
  }
  const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
  const int side = argb.width();
  std::string out;
  PutLe(out, 40, 4);        // header size
  PutLe(out, side, 4);      // width
  PutLe(out, 2 * side, 4);  // height of the picture and its mask
  PutLe(out, 1, 2);         // planes
  PutLe(out, 32, 2);        // bits a pixel
  for (int i = 0; i < 6; ++i) PutLe(out, 0, 4);
  for (int y = side - 1; y >= 0; --y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(argb.constScanLine(y));
    for (int x = 0; x < side; ++x) PutLe(out, row[x], 4);  // 0xAARRGGBB: B, G, R, A in order
  }
  const int maskRow = ((side + 31) / 32) * 4;
  out.append(static_cast<std::size_t>(maskRow * side), '\0');
  return out;
}

bool WriteIcon(const char* path) {
  const int sides[] = {16, 24, 32, 48, 256};
  std::vector<std::string> images;
  for (const int side : sides) {
    images.push_back(IconImage(mapbasis::SheetPicture(QSize(side, side)).toImage()));
  }
  std::string file;
  PutLe(file, 0, 2);  // reserved
  PutLe(file, 1, 2);  // an icon
  PutLe(file, static_cast<std::uint32_t>(images.size()), 2);
  std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    file += static_cast<char>(sides[i] >= 256 ? 0 : sides[i]);  // 0 stands for 256
    file += static_cast<char>(sides[i] >= 256 ? 0 : sides[i]);
    PutLe(file, 0, 2);   // no palette, reserved
    PutLe(file, 1, 2);   // planes
    PutLe(file, 32, 2);  // bits a pixel
    PutLe(file, static_cast<std::uint32_t>(images[i].size()), 4);
    PutLe(file, offset, 4);
    offset += static_cast<std::uint32_t>(images[i].size());
  }
  for (const std::string& image : images) file += image;
  QFile out(QString::fromLocal8Bit(path));
  return out.open(QIODevice::WriteOnly) &&
         out.write(file.data(), static_cast<qint64>(file.size())) ==
             static_cast<qint64>(file.size());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--icon") == 0) {
    QApplication app(argc, argv);
    if (!WriteIcon(argv[2])) {
      std::fprintf(stderr, "mapbasis_sheet_bitmap: cannot write %s\n", argv[2]);
      return 1;
    }
    return 0;
  }
  if (argc != 2) {
    std::fprintf(stderr, "usage: mapbasis_sheet_bitmap OUTPUT.bmp | --icon OUTPUT.ico\n");
    return 2;
  }
  QSize size;
  for (const mapbasis::ControlDescription& c :
       mapbasis::FindDialog(mapbasis::ids::kInfoDialog)->controls) {
    if (c.kind == mapbasis::ControlKind::Picture) {
      size = QSize(c.place.width * 6 / 4, c.place.height * 13 / 8);
    }
  }
  QApplication app(argc, argv);
  // 24 bits a pixel: what every version of Windows draws in a dialog.
  const QImage picture =
      mapbasis::SheetPicture(size).toImage().convertToFormat(QImage::Format_RGB888);
  if (!picture.save(QString::fromLocal8Bit(argv[1]), "BMP")) {
    std::fprintf(stderr, "mapbasis_sheet_bitmap: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
