#ifndef QUORVANE_APP_WEB_SITE_CHANCE_H_
#define QUORVANE_APP_WEB_SITE_CHANCE_H_

// On about one start in a hundred the maker's web site opens.

#include <random>

#include "app/form1_services.h"

namespace quorvane::app {

// A whole number from 1 to 100, each equally likely: the integer part of a
// fraction times 100, plus 1.
int DrawOneToHundred(RandomSource& random);

// Seeds `random` with the seconds since midnight, draws, and on 7 opens the
// web site without waiting for it.
void OpenWebSiteByChance(Clock& clock, RandomSource& random, Opener& opener);

// The standard generator behind the draw.
class StandardRandom final : public RandomSource {
 public:
  void Seed(std::uint32_t seed) override;
  double NextFraction() override;

 private:
  std::mt19937 engine_;
};

}  // namespace quorvane::app

#endif  // QUORVANE_APP_WEB_SITE_CHANCE_H_
