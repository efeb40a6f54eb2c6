#include "export/rk_number.h"

#include <bit>
#include <cmath>

namespace arvelle::xls {

std::optional<std::uint32_t> RkOf(double value) {
  for (const bool hundredths : {false, true}) {
    // value × 100 is rarely exact (1060.66 × 100 is 106066.00000000001), so the integer
    // nearest to it is tried and kept only when a reader's division gives value back.
    const double scaled = hundredths ? value * 100 : value;
    const std::uint32_t divFlag = hundredths ? 1 : 0;
    const double integer = std::nearbyint(scaled);
    if (integer >= -536870912.0 && integer <= 536870911.0) {
      const std::uint32_t rk =
          (static_cast<std::uint32_t>(static_cast<std::int32_t>(integer)) << 2) | 2 | divFlag;
      if (std::bit_cast<std::uint64_t>(DoubleOfRk(rk)) == std::bit_cast<std::uint64_t>(value))
        return rk;
    }
    const auto bits = std::bit_cast<std::uint64_t>(scaled);
    if ((bits & 0x3FFFFFFFFull) == 0) {
      const std::uint32_t rk = static_cast<std::uint32_t>(bits >> 32) | divFlag;
      if (std::bit_cast<std::uint64_t>(DoubleOfRk(rk)) == std::bit_cast<std::uint64_t>(value))
        return rk;
    }
  }
  return std::nullopt;
}

double DoubleOfRk(std::uint32_t rk) {
  double value = (rk & 2) != 0 ? static_cast<double>(static_cast<std::int32_t>(rk) >> 2)
                               : std::bit_cast<double>(static_cast<std::uint64_t>(rk & ~3u) << 32);
  if ((rk & 1) != 0) value /= 100;
  return value;
}

}  // namespace arvelle::xls
