#pragma once

namespace quorrel {

// The sphere station distances are measured on, in metres.
constexpr double kEarthRadiusM = 6371000.0;

// Distance in metres between two points given in degrees, along the great circle of a sphere
// of kEarthRadiusM (spherical law of cosines).
double greatCircleDistanceM(double latitude1Deg, double longitude1Deg, double latitude2Deg,
                            double longitude2Deg);

}  // namespace quorrel
