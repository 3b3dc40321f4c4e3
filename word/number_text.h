#ifndef QUORVANE_WORD_NUMBER_TEXT_H_
#define QUORVANE_WORD_NUMBER_TEXT_H_

#include <string>

namespace quorvane::word {

// The shortest text that reads back as the same value: 21.6f is "21.6", not
// "21.6000004", and 8.0 is "8".
std::string ShortestText(float value);
std::string ShortestText(double value);

}  // namespace quorvane::word

#endif  // QUORVANE_WORD_NUMBER_TEXT_H_
