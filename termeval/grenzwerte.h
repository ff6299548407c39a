// Constants that the evaluator and the function library share.
#pragma once

#include <numbers>

namespace termwerte {
// Substitute value of an overflow, and the limit of products and results.
inline constexpr double grenze = 1e10;
inline constexpr double pi = std::numbers::pi;
}  // namespace termwerte
