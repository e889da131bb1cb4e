#pragma once

#include <string>
#include <string_view>

namespace trelvox {

// A relative address of a file from a page's folder ("model/flight.html"): every byte but the
// unreserved ones and the '/' between folders percent-encoded, so that a name that is not UTF-8
// still addresses its file, which a page's script could not do from the name as the browser reads
// it.
std::string relativeAddress(std::string_view path);

}  // namespace trelvox
