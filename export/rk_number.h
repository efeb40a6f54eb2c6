#pragma once
// RK: the 4-byte number form of BIFF8 cells, an integer or the high 30 bits of a double,
// each optionally divided by 100.
#include <cstdint>
#include <optional>

namespace arvelle::xls {

// The RK form of `value` when it gives back exactly the same double, else std::nullopt.
std::optional<std::uint32_t> RkOf(double value);
// The double that a reader gets back from an RK value.
double DoubleOfRk(std::uint32_t rk);

}  // namespace arvelle::xls
