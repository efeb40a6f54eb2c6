#pragma once
// The standard 56-colour palette of Excel 97-2003 workbooks and the matching of any RGB
// colour to it. A workbook that writes no PALETTE record uses these colours.
#include <array>
#include <cstdint>

namespace arvelle::xls {

// Colours as 0xRRGGBB.
using Rgb = std::uint32_t;

// Entry n (1 to 56) is kStandardPalette[n - 1]; in the file it is colour index n + 7.
extern const std::array<Rgb, 56> kStandardPalette;

// The palette entry (1 to 55) nearest to `colour`: the least sum of squared differences of
// red, green and blue, the lower entry between equal distances. Entry 56 is never chosen,
// matching the exporter this program has always used.
int NearestPaletteEntry(Rgb colour);

// The colour index that a FONT or XF record stores for a palette entry.
std::uint16_t ColourIndexOfEntry(int entry);

}  // namespace arvelle::xls
