#include "word/number_text.h"

#include <array>
#include <charconv>

namespace quorvane::word {
namespace {

// std::to_chars without a format gives the shortest round trip.
template <typename T>
std::string Shortest(T value) {
  std::array<char, 64> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  return std::string(buffer.data(), result.ptr);
}

}  // namespace

std::string ShortestText(float value) {
  return Shortest(value);
}

std::string ShortestText(double value) {
  return Shortest(value);
}

}  // namespace quorvane::word
