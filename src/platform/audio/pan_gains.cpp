#include <cmath>
#include <cstdlib>

#include "platform/audio/sound_device.h"

namespace {

// Hundredths of a decibel: a gain of 10^(−p / 2000).
const double kPanUnitsPerTenfold = 2000.0;

}  // namespace

void panGains(int32_t pan, double& left, double& right) {
    double far = std::pow(10.0, -std::abs(pan) / kPanUnitsPerTenfold);
    left = pan > 0 ? far : 1.0;
    right = pan < 0 ? far : 1.0;
}
