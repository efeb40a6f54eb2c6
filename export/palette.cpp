#include "export/palette.h"

#include <limits>

#include "export/biff_records.h"

namespace arvelle::xls {

const std::array<Rgb, 56> kStandardPalette = {
    0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF,  // 1-8
    0x800000, 0x008000, 0x000080, 0x808000, 0x800080, 0x008080, 0xC0C0C0, 0x808080,  // 9-16
    0x9999FF, 0x993366, 0xFFFFCC, 0xCCFFFF, 0x660066, 0xFF8080, 0x0066CC, 0xCCCCFF,  // 17-24
    0x000080, 0xFF00FF, 0xFFFF00, 0x00FFFF, 0x800080, 0x800000, 0x008080, 0x0000FF,  // 25-32
    0x00CCFF, 0xCCFFFF, 0xCCFFCC, 0xFFFF99, 0x99CCFF, 0xFF99CC, 0xCC99FF, 0xFFCC99,  // 33-40
    0x3366FF, 0x33CCCC, 0x99CC00, 0xFFCC00, 0xFF9900, 0xFF6600, 0x666699, 0x969696,  // 41-48
    0x003366, 0x339966, 0x003300, 0x333300, 0x993300, 0x993366, 0x333399, 0x333333,  // 49-56
};

int NearestPaletteEntry(Rgb colour) {
  const auto channel = [](Rgb c, int shift) { return static_cast<long>((c >> shift) & 0xFF); };
  int best = 1;
  long bestDistance = std::numeric_limits<long>::max();
  for (int entry = 1; entry <= 55; ++entry) {
    const Rgb candidate = kStandardPalette[entry - 1];
    long distance = 0;
    for (int shift : {16, 8, 0}) {
      const long d = channel(colour, shift) - channel(candidate, shift);
      distance += d * d;
    }
    if (distance < bestDistance) {
      best = entry;
      bestDistance = distance;
      if (distance == 0) break;
    }
  }
  return best;
}

std::uint16_t ColourIndexOfEntry(int entry) {
  return static_cast<std::uint16_t>(entry + biff::kPaletteIndexOffset);
}

}  // namespace arvelle::xls
