#pragma once

namespace quorrel {

struct Ecef {
    double x = 0, y = 0, z = 0;
};

struct Enu {
    double east = 0, north = 0, up = 0;
};

struct Geodetic {
    double latitudeDeg = 0, longitudeDeg = 0, heightM = 0;
};

constexpr double kPi = 3.14159265358979323846;
constexpr double kDegToRad = kPi / 180.0;
constexpr double kRadToDeg = 180.0 / kPi;

// WGS-84 geodetic coordinates to earth-centred earth-fixed metres.
Ecef toEcef(const Geodetic& point);
// The offset `delta` (ECEF metres) seen from `origin` in east/north/up metres.
Enu toEnu(const Ecef& delta, const Geodetic& origin);
// East/north/up metres at `origin` back to an ECEF offset.
Ecef fromEnu(const Enu& offset, const Geodetic& origin);
// Moves `origin` by a small east/north/up offset (metres).
Geodetic displaced(const Geodetic& origin, const Enu& offset);
// A smooth stand-in for the geoid undulation (metres, -60 … +60): enough for GGA to carry a
// plausible separation that stays the same at the same place.
double geoidSeparationM(double latitudeDeg, double longitudeDeg);
// Great-circle surface distance in metres on a sphere of 6,371 km.
double surfaceDistanceM(const Geodetic& a, const Geodetic& b);

}  // namespace quorrel
