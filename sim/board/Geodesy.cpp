#include "sim/board/Geodesy.h"

#include <algorithm>
#include <cmath>

namespace quorrel {
namespace {

constexpr double kSemiMajorM = 6378137.0;
constexpr double kFlattening = 1.0 / 298.257223563;
constexpr double kEccentricity2 = kFlattening * (2.0 - kFlattening);
constexpr double kMeanRadiusM = 6371000.0;

}  // namespace

Ecef toEcef(const Geodetic& point) {
    const double lat = point.latitudeDeg * kDegToRad;
    const double lon = point.longitudeDeg * kDegToRad;
    const double sinLat = std::sin(lat);
    const double n = kSemiMajorM / std::sqrt(1.0 - kEccentricity2 * sinLat * sinLat);
    return {(n + point.heightM) * std::cos(lat) * std::cos(lon),
            (n + point.heightM) * std::cos(lat) * std::sin(lon),
            (n * (1.0 - kEccentricity2) + point.heightM) * sinLat};
}

Enu toEnu(const Ecef& d, const Geodetic& origin) {
    const double lat = origin.latitudeDeg * kDegToRad;
    const double lon = origin.longitudeDeg * kDegToRad;
    const double sLat = std::sin(lat), cLat = std::cos(lat);
    const double sLon = std::sin(lon), cLon = std::cos(lon);
    return {-sLon * d.x + cLon * d.y, -sLat * cLon * d.x - sLat * sLon * d.y + cLat * d.z,
            cLat * cLon * d.x + cLat * sLon * d.y + sLat * d.z};
}

Ecef fromEnu(const Enu& e, const Geodetic& origin) {
    const double lat = origin.latitudeDeg * kDegToRad;
    const double lon = origin.longitudeDeg * kDegToRad;
    const double sLat = std::sin(lat), cLat = std::cos(lat);
    const double sLon = std::sin(lon), cLon = std::cos(lon);
    return {-sLon * e.east - sLat * cLon * e.north + cLat * cLon * e.up,
            cLon * e.east - sLat * sLon * e.north + cLat * sLon * e.up,
            cLat * e.north + sLat * e.up};
}

Geodetic displaced(const Geodetic& origin, const Enu& offset) {
    const double lat = origin.latitudeDeg * kDegToRad;
    const double sinLat = std::sin(lat);
    const double w = std::sqrt(1.0 - kEccentricity2 * sinLat * sinLat);
    const double meridianM = kSemiMajorM * (1.0 - kEccentricity2) / (w * w * w);
    const double normalM = kSemiMajorM / w;
    Geodetic out = origin;
    out.latitudeDeg += offset.north / (meridianM + origin.heightM) * kRadToDeg;
    out.longitudeDeg += offset.east / ((normalM + origin.heightM) * std::cos(lat)) * kRadToDeg;
    out.heightM += offset.up;
    return out;
}

double geoidSeparationM(double latitudeDeg, double longitudeDeg) {
    const double lat = latitudeDeg * kDegToRad;
    const double lon = longitudeDeg * kDegToRad;
    return 28.0 * std::sin(2.0 * lat) * std::cos(lon - 0.4) +
           18.0 * std::cos(3.0 * lon) * std::cos(lat) - 10.0 * std::sin(lat) * std::sin(lat);
}

double surfaceDistanceM(const Geodetic& a, const Geodetic& b) {
    const double la = a.latitudeDeg * kDegToRad, lb = b.latitudeDeg * kDegToRad;
    const double dl = (b.longitudeDeg - a.longitudeDeg) * kDegToRad;
    const double c = std::sin(la) * std::sin(lb) + std::cos(la) * std::cos(lb) * std::cos(dl);
    return kMeanRadiusM * std::acos(std::clamp(c, -1.0, 1.0));
}

}  // namespace quorrel
