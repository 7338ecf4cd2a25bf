// Pictures over QImage: icons, bitmaps and blank bitmaps of the display's
// depth. Decoding of the Windows formats is in dib.cpp.
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <cstring>
#include <vector>

#include "platform/dib.h"
#include "platform/files.h"
#include "platform/qt/qt_shell_internal.h"

struct Picture {
  QImage image;  // ARGB32 for icons, RGB32 for bitmaps
  int depth = 0;
  bool isIcon = false;
};

namespace {

PictureHandle MakeFromDecoded(const DecodedPicture& decoded, bool keepDepth) {
  if (decoded.width <= 0 || decoded.height <= 0) return nullptr;
  auto* picture = new Picture;
  QImage::Format format = decoded.isIcon ? QImage::Format_ARGB32 : QImage::Format_RGB32;
  picture->image = QImage(decoded.width, decoded.height, format);
  for (int y = 0; y < decoded.height; ++y)
    std::memcpy(picture->image.scanLine(y), &decoded.pixels[static_cast<size_t>(y) * decoded.width],
                static_cast<size_t>(decoded.width) * 4);
  picture->isIcon = decoded.isIcon;
  picture->depth = keepDepth ? decoded.depth : DisplayDepth();
  return picture;
}

std::vector<uint8_t> ReadWholeFile(const std::string& path) {
  std::vector<uint8_t> bytes;
  int64_t size = FileSizeOf(path);
  // Nothing the program shows from a file is anywhere near this large.
  if (size <= 0 || size > (64 << 20)) return bytes;
  int file = OpenFileForReading(path);
  if (file < 0) return bytes;
  bytes.resize(static_cast<size_t>(size));
  size_t done = 0;
  while (done < bytes.size()) {
    int64_t n = ReadFileBytes(file, bytes.data() + done, bytes.size() - done);
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
  CloseFile(file);
  bytes.resize(done);
  return bytes;
}

}  // namespace

PictureHandle MakeIconFromFileData(const uint8_t* bytes, size_t size) {
  DecodedPicture decoded;
  if (!DecodeIconFile(bytes, size, &decoded)) return nullptr;
  decoded.isIcon = true;
  return MakeFromDecoded(decoded, true);
}

PictureHandle LoadBitmapFile(const std::string& path) {
  std::vector<uint8_t> bytes = ReadWholeFile(path);
  DecodedPicture decoded;
  if (bytes.empty() || !DecodeBitmapFile(bytes.data(), bytes.size(), &decoded)) return nullptr;
  decoded.isIcon = false;
  return MakeFromDecoded(decoded, decoded.depth > 8);
}

PictureHandle LoadIconFile(const std::string& path) {
  std::vector<uint8_t> bytes = ReadWholeFile(path);
  return bytes.empty() ? nullptr : MakeIconFromFileData(bytes.data(), bytes.size());
}

PictureHandle MakeBlankPicture(int width, int height) {
  if (width <= 0 || height <= 0 || width > 16384 || height > 16384) return nullptr;
  auto* picture = new Picture;
  picture->image = QImage(width, height, QImage::Format_RGB32);
  if (picture->image.isNull()) {
    delete picture;
    return nullptr;
  }
  picture->image.fill(Qt::black);
  picture->depth = DisplayDepth();
  return picture;
}

void DestroyPicture(PictureHandle picture) {
  if (picture == nullptr) return;
  ForgetShownPicture(picture);
  delete picture;
}

int PictureWidth(PictureHandle picture) { return picture ? picture->image.width() : 0; }
int PictureHeight(PictureHandle picture) { return picture ? picture->image.height() : 0; }
int PictureDepth(PictureHandle picture) { return picture ? picture->depth : 0; }
int PictureIsIcon(PictureHandle picture) { return picture ? picture->isIcon : 0; }

int DisplayDepth() {
  QScreen* screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->depth() : 32;
}

QPixmap PixmapOf(PictureHandle picture) {
  return picture ? QPixmap::fromImage(picture->image) : QPixmap();
}

int ReadPictureRows24(PictureHandle picture, uint8_t* rows, int stride) {
  if (picture == nullptr || rows == nullptr) return 0;
  const QImage& image = picture->image;
  int width = image.width();
  int height = image.height();
  if (stride < width * 3) return 0;
  for (int y = 0; y < height; ++y) {
    const auto* source = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    uint8_t* row = rows + static_cast<size_t>(height - 1 - y) * static_cast<size_t>(stride);
    for (int x = 0; x < width; ++x) {
      row[3 * x] = static_cast<uint8_t>(qBlue(source[x]));
      row[3 * x + 1] = static_cast<uint8_t>(qGreen(source[x]));
      row[3 * x + 2] = static_cast<uint8_t>(qRed(source[x]));
    }
    std::memset(row + 3 * width, 0, static_cast<size_t>(stride - 3 * width));
  }
  return 1;
}

DrawingSurface BeginPictureDrawing(PictureHandle picture) { return picture; }

void EndPictureDrawing(DrawingSurface) {}

void PutSurfacePixels(DrawingSurface surface, int x, int y, int width, int height, const uint32_t* pixels) {
  if (surface == nullptr || pixels == nullptr) return;
  QImage& image = surface->image;
  for (int row = 0; row < height; ++row) {
    int ty = y + row;
    if (ty < 0 || ty >= image.height()) continue;
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(ty));
    for (int column = 0; column < width; ++column) {
      int tx = x + column;
      if (tx >= 0 && tx < image.width()) line[tx] = 0xFF000000u | pixels[static_cast<size_t>(row) * width + column];
    }
  }
}
