// Draws the program icon and writes it as a Windows .ico file (32 x 32 and 16 x 16, 32-bit
// colour with alpha): a blue tile with a white telemetry trace across a faint grid.
//   make_icon FILE.ico
// resources/trelvox.ico is this program's output; a test checks that the two still agree.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <vector>

namespace {

struct Point {
  double x;
  double y;
};

// The trace in tile coordinates (0..1, y downwards).
constexpr std::array<Point, 6> kTrace{
    {{0.16, 0.70}, {0.34, 0.42}, {0.48, 0.58}, {0.64, 0.24}, {0.76, 0.46}, {0.86, 0.36}}};

double distanceToSegment(Point p, Point a, Point b) {
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  const double t =
      std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
  return std::hypot(p.x - a.x - t * dx, p.y - a.y - t * dy);
}

double traceDistance(Point p) {
  double nearest = 1.0;
  for (std::size_t k = 1; k < kTrace.size(); ++k) {
    nearest = std::min(nearest, distanceToSegment(p, kTrace[k - 1], kTrace[k]));
  }
  return nearest;
}

// How much of the pixel the rounded tile covers, 0..1.
double tileCoverage(Point p, double pixel) {
  constexpr double kRadius = 0.18;
  const double qx = std::max(std::abs(p.x - 0.5) - (0.5 - kRadius), 0.0);
  const double qy = std::max(std::abs(p.y - 0.5) - (0.5 - kRadius), 0.0);
  const double outside = std::hypot(qx, qy) - kRadius;
  return std::clamp(0.5 - outside / pixel, 0.0, 1.0);
}

std::uint8_t channel(double value) {
  return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0, 255.0)));
}

// One pixel as blue, green, red, alpha.
std::array<std::uint8_t, 4> pixelAt(int column, int row, int size) {
  const double pixel = 1.0 / size;
  const Point p{(column + 0.5) * pixel, (row + 0.5) * pixel};
  const double gridLine = std::abs(std::remainder(p.y, 0.25)) < pixel * 0.5 ? 0.12 : 0.0;
  const double trace = std::clamp(1.0 - (traceDistance(p) - 0.045) / pixel, 0.0, 1.0);
  const double light = std::max(trace, gridLine);
  const double red = 30 + (255 - 30) * light;
  const double green = 90 + (255 - 90) * light;
  const double blue = 170 + (255 - 170) * light;
  return {channel(blue), channel(green), channel(red), channel(255 * tileCoverage(p, pixel))};
}

void putLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int k = 0; k < bytes; ++k) out.push_back(static_cast<std::uint8_t>(value >> (8 * k)));
}

// The image as stored in an icon: a bitmap header with doubled height, the colour rows bottom-up,
// then the 1-bit AND mask (set where fully transparent), each row padded to 32 bits.
std::vector<std::uint8_t> iconImage(int size) {
  const auto side = static_cast<std::uint32_t>(size);
  const std::uint32_t maskRowBytes = (side + 31) / 32 * 4;
  std::vector<std::uint8_t> image;
  putLittleEndian(image, 40, 4);
  putLittleEndian(image, side, 4);
  putLittleEndian(image, 2 * side, 4);
  putLittleEndian(image, 1, 2);
  putLittleEndian(image, 32, 2);
  putLittleEndian(image, 0, 4);
  putLittleEndian(image, side * side * 4 + side * maskRowBytes, 4);
  for (int k = 0; k < 4; ++k) putLittleEndian(image, 0, 4);
  std::vector<std::uint8_t> mask;
  for (int row = size - 1; row >= 0; --row) {
    std::vector<std::uint8_t> maskRow(maskRowBytes, 0);
    for (int column = 0; column < size; ++column) {
      const std::array<std::uint8_t, 4> bgra = pixelAt(column, row, size);
      image.insert(image.end(), bgra.begin(), bgra.end());
      if (bgra[3] == 0) maskRow[static_cast<std::size_t>(column / 8)] |= 0x80 >> (column % 8);
    }
    mask.insert(mask.end(), maskRow.begin(), maskRow.end());
  }
  image.insert(image.end(), mask.begin(), mask.end());
  return image;
}

std::vector<std::uint8_t> iconFile() {
  constexpr std::array<int, 2> kSizes{32, 16};
  constexpr std::uint32_t kDirectoryBytes = 6 + 16 * kSizes.size();
  std::vector<std::uint8_t> header;
  std::vector<std::uint8_t> images;
  putLittleEndian(header, 0, 2);
  putLittleEndian(header, 1, 2);
  putLittleEndian(header, kSizes.size(), 2);
  for (const int size : kSizes) {
    const std::vector<std::uint8_t> image = iconImage(size);
    header.push_back(static_cast<std::uint8_t>(size));
    header.push_back(static_cast<std::uint8_t>(size));
    putLittleEndian(header, 0, 2);
    putLittleEndian(header, 1, 2);
    putLittleEndian(header, 32, 2);
    putLittleEndian(header, static_cast<std::uint32_t>(image.size()), 4);
    putLittleEndian(header, kDirectoryBytes + static_cast<std::uint32_t>(images.size()), 4);
    images.insert(images.end(), image.begin(), image.end());
  }
  header.insert(header.end(), images.begin(), images.end());
  return header;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_icon FILE.ico\n";
    return 2;
  }
  const std::vector<std::uint8_t> bytes = iconFile();
  std::ofstream out(argv[1], std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) {
    std::cerr << "make_icon: cannot write " << argv[1] << '\n';
    return 1;
  }
  return 0;
}
