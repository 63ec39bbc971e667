#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quorrel {

// What a caster answered to "GET /<mount> HTTP/1.0", judged from its first bytes.
enum class CasterAnswer { Incomplete, Stream, SourceTable, Refused };

struct CasterReply {
    CasterAnswer answer = CasterAnswer::Incomplete;
    std::size_t headerLength = 0;  // for Stream: where the correction data begins
};

CasterReply classifyCasterReply(std::string_view received);

// The source table in `received` ("SOURCETABLE 200 OK" … "ENDSOURCETABLE"), cut after the
// end line and ending in CR LF; nothing when it is not a source table or not complete.
std::optional<std::string> completeSourceTable(std::string_view received);

// "GET /<mount> HTTP/1.0" with a User-Agent line and, when `login` is set, basic
// authentication.
std::string ntripRequest(const std::string& mount, const std::string& login,
                         const std::string& password);

std::string base64(std::string_view bytes);

// Latitude and longitude (fields 9 and 10) of the "STR" line of `mount` in a source table.
bool findStation(std::string_view table, std::string_view mount, double& latitudeDeg,
                 double& longitudeDeg);

}  // namespace quorrel
