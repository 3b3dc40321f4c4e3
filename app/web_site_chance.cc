#include "app/web_site_chance.h"

#include <cmath>

#include "app/error_report.h"
#include "base/utf.h"

namespace quorvane::app {

int DrawOneToHundred(RandomSource& random) {
  return static_cast<int>(random.NextFraction() * 100.0) + 1;
}

void OpenWebSiteByChance(Clock& clock, RandomSource& random, Opener& opener) {
  constexpr int kLuckyNumber = 7;
  random.Seed(clock.SecondsSinceMidnight());
  if (DrawOneToHundred(random) == kLuckyNumber) {
    opener.Open(base::FromUtf8(kWebSiteAddress));
  }
}

void StandardRandom::Seed(std::uint32_t seed) {
  engine_.seed(seed);
}

double StandardRandom::NextFraction() {
  const double fraction = std::generate_canonical<double, 53>(engine_);
  // Some library versions can round up to exactly 1.
  return fraction < 1.0 ? fraction : std::nextafter(1.0, 0.0);
}

}  // namespace quorvane::app
