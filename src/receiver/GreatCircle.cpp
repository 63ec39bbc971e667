#include "receiver/GreatCircle.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quorrel {

double greatCircleDistanceM(double latitude1Deg, double longitude1Deg, double latitude2Deg,
                            double longitude2Deg) {
    constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;
    const double lat1 = latitude1Deg * kRadiansPerDegree;
    const double lat2 = latitude2Deg * kRadiansPerDegree;
    const double deltaLon = (longitude2Deg - longitude1Deg) * kRadiansPerDegree;
    const double cosine =
        std::sin(lat1) * std::sin(lat2) + std::cos(lat1) * std::cos(lat2) * std::cos(deltaLon);
    // Rounding can push the cosine of two equal points just past 1, where acos has no value.
    return kEarthRadiusM * std::acos(std::clamp(cosine, -1.0, 1.0));
}

}  // namespace quorrel
