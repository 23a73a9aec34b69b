// Reads a Windows bitmap saved by the program, or a screenshot of the X display taken with
// `xwd -root`, and answers questions about its pixels, for the end-to-end scripts. Exit status
// 0: done (or the expectation holds); 1: it does not; 2: usage or unreadable file.
//
//   bmp_check size FILE                          -> "W H"
//   bmp_check pixel FILE X Y                     -> "R G B"
//   bmp_check expect FILE X Y R G B              -> status 0 when the pixel has that colour
//   bmp_check count FILE X1 Y1 X2 Y2 R G B       -> number of pixels of that colour
//   bmp_check centroid FILE X1 Y1 X2 Y2 R G B    -> "X Y N": rounded centre of those pixels
//   bmp_check radius FILE CX CY R G B            -> "LEFT RIGHT UP DOWN": from the centre, how
//                                                   far each way before the first pixel of
//                                                   colour R G B (the sky)
//   bmp_check differ FILE X1 Y1 X2 Y2 OTHER       -> number of pixels in which OTHER differs
//   bmp_check rows FILE X1 Y1 X2 Y2 R G B         -> "TOP BOTTOM" of each run of rows that
//                                                   have pixels of that colour, in turn
//   bmp_check blocks FILE X1 Y1 X2 Y2             -> number of 2 x 2 squares at even
//                                                   coordinates whose pixels are not all
//                                                   alike (none in a picture stretched to
//                                                   twice its size)
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

struct Picture {
  int Width = 0, Height = 0;
  std::vector<uint32_t> Pixels;  // 0xRRGGBB, top row first
  uint32_t At(int x, int y) const {
    if (x < 0 || y < 0 || x >= Width || y >= Height) return 0xFFFFFFFFu;
    return Pixels[static_cast<std::size_t>(y) * Width + x];
  }
};

uint32_t Le(const std::string& b, std::size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(b[at + i]);
  return v;
}

uint32_t Be(const std::string& b, std::size_t at) {
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v = (v << 8) | static_cast<unsigned char>(b[at + i]);
  return v;
}

// An X window dump: a header of big-endian 32-bit fields, the window name, the colour map,
// then the rows. Only 24-bit true colour in 32-bit pixels (what Xvfb -screen 0 WxHx24 gives).
bool LoadXwd(const std::string& b, Picture& p) {
  if (b.size() < 100 || Be(b, 4) != 7) return false;
  const uint32_t headerSize = Be(b, 0), format = Be(b, 8), width = Be(b, 16);
  const uint32_t height = Be(b, 20), bitsPerPixel = Be(b, 44), bytesPerLine = Be(b, 48);
  const uint32_t redMask = Be(b, 56), greenMask = Be(b, 60), blueMask = Be(b, 64);
  const uint32_t colours = Be(b, 76);
  const bool lsbFirst = Be(b, 28) == 0;
  if (format != 2 || bitsPerPixel != 32 || width == 0 || width > 100000 || height > 100000)
    return false;
  if (redMask != 0xFF0000 || greenMask != 0xFF00 || blueMask != 0xFF) return false;
  const std::size_t offset = static_cast<std::size_t>(headerSize) + 12u * colours;
  const std::size_t rows = static_cast<std::size_t>(bytesPerLine) * height;
  if (bytesPerLine < 4 * width || offset + rows > b.size()) return false;
  p.Width = static_cast<int>(width);
  p.Height = static_cast<int>(height);
  p.Pixels.resize(static_cast<std::size_t>(width) * height);
  for (uint32_t y = 0; y < height; ++y) {
    for (uint32_t x = 0; x < width; ++x) {
      const std::size_t at = offset + static_cast<std::size_t>(y) * bytesPerLine + 4u * x;
      const uint32_t v = lsbFirst ? Le(b, at, 4) : Be(b, at);
      p.Pixels[static_cast<std::size_t>(y) * width + x] = v & 0xFFFFFF;
    }
  }
  return true;
}

bool Load(const char* name, Picture& p) {
  std::ifstream in(name, std::ios::binary);
  const std::string b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (b.size() >= 2 && (b[0] != 'B' || b[1] != 'M')) return LoadXwd(b, p);
  if (b.size() < 54) return false;
  const uint32_t offset = Le(b, 10, 4);
  const int32_t width = static_cast<int32_t>(Le(b, 18, 4));
  const int32_t height = static_cast<int32_t>(Le(b, 22, 4));
  const int bits = static_cast<int>(Le(b, 28, 2));
  const uint32_t compression = Le(b, 30, 4);
  // Uncompressed true colour only (32 bits may say "bit fields" with the standard masks).
  if ((bits != 24 && bits != 32) || (compression != 0 && compression != 3)) return false;
  if (width <= 0 || height == 0 || width > 100000 || std::abs(height) > 100000) return false;
  const bool bottomUp = height > 0;
  p.Width = width;
  p.Height = std::abs(height);
  const std::size_t row = (static_cast<std::size_t>(width) * (bits / 8) + 3) / 4 * 4;
  if (offset + row * p.Height > b.size()) return false;
  p.Pixels.resize(static_cast<std::size_t>(p.Width) * p.Height);
  for (int y = 0; y < p.Height; ++y) {
    const std::size_t start = offset + row * (bottomUp ? p.Height - 1 - y : y);
    for (int x = 0; x < p.Width; ++x) {
      const std::size_t at = start + static_cast<std::size_t>(x) * (bits / 8);
      const uint32_t blue = static_cast<unsigned char>(b[at]);
      const uint32_t green = static_cast<unsigned char>(b[at + 1]);
      const uint32_t red = static_cast<unsigned char>(b[at + 2]);
      p.Pixels[static_cast<std::size_t>(y) * p.Width + x] = (red << 16) | (green << 8) | blue;
    }
  }
  return true;
}

int Arg(char** argv, int i) { return std::atoi(argv[i]); }

uint32_t Colour(char** argv, int i) {
  return (static_cast<uint32_t>(Arg(argv, i)) << 16) | (static_cast<uint32_t>(Arg(argv, i + 1)) << 8) |
         static_cast<uint32_t>(Arg(argv, i + 2));
}

int Usage() {
  std::fprintf(stderr,
               "usage: bmp_check size|pixel|expect|count|centroid|radius|differ|rows|blocks "
               "FILE ...\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Usage();
  const std::string command = argv[1];
  Picture p;
  if (!Load(argv[2], p)) {
    std::fprintf(stderr, "bmp_check: %s is not a readable true-colour bitmap\n", argv[2]);
    return 2;
  }
  if (command == "size" && argc == 3) {
    std::printf("%d %d\n", p.Width, p.Height);
    return 0;
  }
  if (command == "pixel" && argc == 5) {
    const uint32_t c = p.At(Arg(argv, 3), Arg(argv, 4));
    std::printf("%u %u %u\n", c >> 16 & 255, c >> 8 & 255, c & 255);
    return 0;
  }
  if (command == "expect" && argc == 8) {
    const uint32_t c = p.At(Arg(argv, 3), Arg(argv, 4)), want = Colour(argv, 5);
    if (c == want) return 0;
    std::fprintf(stderr, "bmp_check: pixel (%s, %s) is %u %u %u, expected %s %s %s\n", argv[3],
                 argv[4], c >> 16 & 255, c >> 8 & 255, c & 255, argv[5], argv[6], argv[7]);
    return 1;
  }
  if ((command == "count" || command == "centroid") && argc == 10) {
    const uint32_t want = Colour(argv, 7);
    long n = 0;
    double sx = 0, sy = 0;
    for (int y = Arg(argv, 4); y <= Arg(argv, 6); ++y) {
      for (int x = Arg(argv, 3); x <= Arg(argv, 5); ++x) {
        if (p.At(x, y) != want) continue;
        ++n;
        sx += x;
        sy += y;
      }
    }
    if (command == "count") {
      std::printf("%ld\n", n);
    } else if (n == 0) {
      std::printf("-1 -1 0\n");
    } else {
      std::printf("%ld %ld %ld\n", std::lround(sx / n), std::lround(sy / n), n);
    }
    return 0;
  }
  if (command == "differ" && argc == 8) {
    Picture other;
    if (!Load(argv[7], other)) {
      std::fprintf(stderr, "bmp_check: %s is not a readable true-colour bitmap\n", argv[7]);
      return 2;
    }
    long n = 0;
    for (int y = Arg(argv, 4); y <= Arg(argv, 6); ++y) {
      for (int x = Arg(argv, 3); x <= Arg(argv, 5); ++x) n += p.At(x, y) != other.At(x, y);
    }
    std::printf("%ld\n", n);
    return 0;
  }
  if (command == "rows" && argc == 10) {
    const uint32_t want = Colour(argv, 7);
    int top = -1;
    for (int y = Arg(argv, 4); y <= Arg(argv, 6) + 1; ++y) {
      bool found = false;
      for (int x = Arg(argv, 3); x <= Arg(argv, 5) && y <= Arg(argv, 6) && !found; ++x)
        found = p.At(x, y) == want;
      if (found && top < 0) top = y;
      if (!found && top >= 0) {
        std::printf("%d %d ", top, y - 1);
        top = -1;
      }
    }
    std::printf("\n");
    return 0;
  }
  if (command == "blocks" && argc == 7) {
    long n = 0;
    for (int y = Arg(argv, 4) / 2 * 2; y + 1 <= Arg(argv, 6); y += 2) {
      for (int x = Arg(argv, 3) / 2 * 2; x + 1 <= Arg(argv, 5); x += 2) {
        const uint32_t c = p.At(x, y);
        n += p.At(x + 1, y) != c || p.At(x, y + 1) != c || p.At(x + 1, y + 1) != c;
      }
    }
    std::printf("%ld\n", n);
    return 0;
  }
  if (command == "radius" && argc == 8) {
    const int cx = Arg(argv, 3), cy = Arg(argv, 4);
    const uint32_t sky = Colour(argv, 5);
    const int dx[4] = {-1, 1, 0, 0}, dy[4] = {0, 0, -1, 1};
    for (int d = 0; d < 4; ++d) {
      int r = 0;
      while (true) {
        const uint32_t c = p.At(cx + (r + 1) * dx[d], cy + (r + 1) * dy[d]);
        if (c == sky || c == 0xFFFFFFFFu) break;
        ++r;
      }
      std::printf(d < 3 ? "%d " : "%d\n", r);
    }
    return 0;
  }
  return Usage();
}
