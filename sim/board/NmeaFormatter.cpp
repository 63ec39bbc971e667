#include "sim/board/NmeaFormatter.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace quorrel::nmea {
namespace {

constexpr double kKnotsPerMs = 1.943844;
constexpr double kMagneticDeclinationDeg = 3.2;

std::string format(const char* fmt, auto... args) {
    char text[256];
    std::snprintf(text, sizeof text, fmt, args...);
    return text;
}

double cap(double value, double limit) {
    return std::min(std::fabs(value), limit);
}

std::tm utcCalendar(std::int64_t utcMs) {
    const std::time_t seconds = static_cast<std::time_t>(utcMs / 1000);
    std::tm tm{};
    gmtime_r(&seconds, &tm);
    return tm;
}

std::string angleField(double degrees, int degreeDigits, char positive, char negative) {
    const long long microMinutes = std::llround(std::fabs(degrees) * 60.0e6);
    const long long whole = microMinutes / 60000000LL;
    const long long rest = microMinutes % 60000000LL;
    return format("%0*lld%02lld.%06lld,%c", degreeDigits, whole, rest / 1000000LL, rest % 1000000LL,
                  degrees < 0 ? negative : positive);
}

bool hasFix(const EpochSnapshot& e) {
    return e.fix.kind != SolutionKind::NoFix;
}

char modeLetter(const EpochSnapshot& e) {
    switch (e.fix.kind) {
        case SolutionKind::NoFix:
            return 'N';
        case SolutionKind::Autonomous:
            return 'A';
        case SolutionKind::Float:
            return 'F';
        case SolutionKind::Fixed:
            return 'R';
        default:
            return 'D';
    }
}

std::string gsaSentence(const EpochSnapshot& e, bool glonass) {
    std::string body = format("GNGSA,A,%d", hasFix(e) ? 3 : 1);
    int listed = 0;
    for (const SatelliteView& s : e.satellites) {
        if (!s.used || (s.system == Constellation::Glonass) != glonass) continue;
        if (listed == SkyModel::kGsaLimit) break;
        // NMEA numbers SBAS satellites 33–51.
        body += format(",%02d", s.system == Constellation::Sbas ? s.prn - 87 : s.prn);
        ++listed;
    }
    for (; listed < SkyModel::kGsaLimit; ++listed)
        body += ",";
    return body + format(",%.1f,%.1f,%.1f", e.dop.pdop, e.dop.hdop, e.dop.vdop);
}

void gsvGroup(const char* talker, const std::vector<const SatelliteView*>& sats,
              std::vector<std::string>& out) {
    const int count = static_cast<int>(sats.size());
    const int messages = std::max(1, (count + 3) / 4);
    for (int m = 0; m < messages; ++m) {
        std::string body = format("%sGSV,%d,%d,%02d", talker, messages, m + 1, count);
        for (int i = m * 4; i < std::min(count, m * 4 + 4); ++i) {
            const SatelliteView& s = *sats[i];
            const int prn = s.system == Constellation::Sbas ? s.prn - 87 : s.prn;
            body += format(",%02d,%02d,%03d,", prn, int(std::lround(s.elevationDeg)),
                           int(std::lround(s.azimuthDeg)) % 360);
            if (s.snrDbHz > 0) body += format("%02d", s.snrDbHz);
        }
        out.push_back(body);
    }
}

}  // namespace

std::string timeField(std::int64_t utcMs) {
    const std::tm tm = utcCalendar(utcMs);
    return format("%02d%02d%02d.%02d", tm.tm_hour, tm.tm_min, tm.tm_sec, int((utcMs % 1000) / 10));
}

std::string latitudeField(double degrees) {
    return angleField(degrees, 2, 'N', 'S');
}

std::string longitudeField(double degrees) {
    return angleField(degrees, 3, 'E', 'W');
}

// GPGGA,hhmmss.ss,ddmm.mmmmmm,N,dddmm.mmmmmm,E,q,nn,h.h,alt,M,sep,M,age,sid
std::string gga(const EpochSnapshot& e) {
    const std::string time = timeField(e.utcMs);
    if (!hasFix(e)) return "GPGGA," + time + ",,,,,0," + format("%02d", e.usedCount) + ",,,M,,M,,";
    const Geodetic& p = e.fix.position;
    const double separation = geoidSeparationM(p.latitudeDeg, p.longitudeDeg);
    std::string body = "GPGGA," + time + "," + latitudeField(p.latitudeDeg) + "," +
                       longitudeField(p.longitudeDeg) +
                       format(",%d,%02d,%.1f,%.3f,M,%.3f,M,", ggaQuality(e.fix.kind), e.usedCount,
                              std::min(e.dop.hdop, 99.9), p.heightM - separation, separation);
    if (e.fix.correctionAgeS >= 0)
        body += format("%.1f,%04d", std::min(e.fix.correctionAgeS, 999.9), e.fix.stationId);
    else
        body += ",";
    return body;
}

std::string gll(const EpochSnapshot& e) {
    const std::string time = timeField(e.utcMs);
    if (!hasFix(e)) return "GPGLL,,,,," + time + ",V,N";
    return "GPGLL," + latitudeField(e.fix.position.latitudeDeg) + "," +
           longitudeField(e.fix.position.longitudeDeg) + "," + time + ",A," + modeLetter(e);
}

std::vector<std::string> gsa(const EpochSnapshot& e) {
    return {gsaSentence(e, false), gsaSentence(e, true)};
}

std::vector<std::string> gsv(const EpochSnapshot& e) {
    std::vector<const SatelliteView*> gp, gl;
    for (const SatelliteView& s : e.satellites)
        (s.system == Constellation::Glonass ? gl : gp).push_back(&s);
    std::vector<std::string> out;
    gsvGroup("GP", gp, out);
    if (!gl.empty()) gsvGroup("GL", gl, out);
    return out;
}

// GNGST,hhmmss.ss,rms,major,minor,orientation,latErr,lonErr,altErr
std::string gst(const EpochSnapshot& e) {
    const Enu& s = e.fix.sigma;
    const double major = std::max(s.east, s.north), minor = std::min(s.east, s.north);
    return "GNGST," + timeField(e.utcMs) +
           format(",%.3f,%.3f,%.3f,%.1f,%.3f,%.3f,%.3f", cap(e.fix.rmsM, 99.999),
                  cap(major, 99.999), cap(minor, 99.999), s.east >= s.north ? 90.0 : 0.0,
                  cap(s.north, 99.999), cap(s.east, 99.999), cap(s.up, 99.999));
}

std::string rmc(const EpochSnapshot& e) {
    const std::tm tm = utcCalendar(e.utcMs);
    const std::string date = format("%02d%02d%02d", tm.tm_mday, tm.tm_mon + 1, tm.tm_year % 100);
    const std::string time = timeField(e.utcMs);
    if (!hasFix(e)) return "GPRMC," + time + ",V,,,,,,," + date + ",,,N";
    return "GPRMC," + time + ",A," + latitudeField(e.fix.position.latitudeDeg) + "," +
           longitudeField(e.fix.position.longitudeDeg) +
           format(",%.3f,%.1f,", e.fix.speedMs * kKnotsPerMs, e.fix.courseDeg) + date +
           format(",%.1f,E,%c", kMagneticDeclinationDeg, modeLetter(e));
}

// GPRRE,n,{prn,residual},horizontal error,vertical error
std::string rre(const EpochSnapshot& e) {
    std::string pairs;
    int n = 0;
    for (const SatelliteView& s : e.satellites) {
        if (!s.used || s.system == Constellation::Glonass) continue;
        const double residual = e.fix.rmsM * std::sin(s.azimuthDeg * kDegToRad + s.prn);
        pairs +=
            format(",%02d,%.1f", s.system == Constellation::Sbas ? s.prn - 87 : s.prn, residual);
        if (++n == SkyModel::kGsaLimit) break;
    }
    const double horizontal = std::hypot(e.fix.sigma.east, e.fix.sigma.north);
    return format("GPRRE,%02d", n) + pairs +
           format(",%.1f,%.1f", cap(horizontal, 999.9), cap(e.fix.sigma.up, 999.9));
}

// GPVTG,course,T,magnetic,M,knots,N,km/h,K,mode
std::string vtg(const EpochSnapshot& e) {
    if (!hasFix(e)) return "GPVTG,,T,,M,,N,,K,N";
    double magnetic = e.fix.courseDeg - kMagneticDeclinationDeg;
    if (magnetic < 0) magnetic += 360.0;
    return format("GPVTG,%.1f,T,%.1f,M,%.3f,N,%.3f,K,%c", e.fix.courseDeg, magnetic,
                  e.fix.speedMs * kKnotsPerMs, e.fix.speedMs * 3.6, modeLetter(e));
}

std::string zda(const EpochSnapshot& e) {
    const std::tm tm = utcCalendar(e.utcMs);
    return "GPZDA," + timeField(e.utcMs) +
           format(",%02d,%02d,%04d,00,00", tm.tm_mday, tm.tm_mon + 1, tm.tm_year + 1900);
}

// PQVXR,VEC,mode,station,age,dx,dy,dz,{six covariance terms},satellites used
std::string vec(const EpochSnapshot& e) {
    const Fix& f = e.fix;
    const double age = f.correctionAgeS < 0 ? 0.0 : std::min(f.correctionAgeS, 999.9);
    const double vx = f.sigma.east * f.sigma.east, vy = f.sigma.north * f.sigma.north;
    const double vz = f.sigma.up * f.sigma.up;
    return format("PQVXR,VEC,%d,%04d,%.1f,%.4f,%.4f,%.4f", vecMode(f.kind), f.stationId, age,
                  f.baseline.x, f.baseline.y, f.baseline.z) +
           format(",%.4f,%.4f,%.4f,%.4f,%.4f,%.4f,%02d", std::min(vx, 9999.0), std::min(vy, 9999.0),
                  std::min(vz, 9999.0), 0.1 * std::sqrt(vx * vy), 0.05 * std::sqrt(vx * vz),
                  0.05 * std::sqrt(vy * vz), e.usedCount);
}

}  // namespace quorrel::nmea
