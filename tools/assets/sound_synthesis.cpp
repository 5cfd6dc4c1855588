#include "sound_synthesis.h"

#include <algorithm>
#include <cmath>

#include "assets.h"

double NoiseSource::next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_ / 2147483648.0 - 1;
}

std::vector<double> NoiseSource::samples(size_t count) {
    std::vector<double> out(count);
    for (double& sample : out)
        sample = next();
    return out;
}

void LowPass::setCutoff(double cutoffHz, double rate) {
    coefficient_ = 1 - std::exp(-2 * kPi * cutoffHz / rate);
}

BandPass::BandPass(double centreHz, double q, double rate) {
    double w = 2 * kPi * centreHz / rate, alpha = std::sin(w) / (2 * q), a0 = 1 + alpha;
    b0_ = alpha / a0;
    a1_ = -2 * std::cos(w) / a0;
    a2_ = (1 - alpha) / a0;
}

double BandPass::operator()(double x) {
    double y = b0_ * (x - x2_) - a1_ * y1_ - a2_ * y2_;
    x2_ = x1_, x1_ = x;
    y2_ = y1_, y1_ = y;
    return y;
}

void normalise(std::vector<double>& samples, double peak) {
    double loudest = 0;
    for (double sample : samples)
        loudest = std::max(loudest, std::fabs(sample));
    if (loudest > 0) {
        for (double& sample : samples)
            sample *= peak / loudest;
    }
}
