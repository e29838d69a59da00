#include "channels/service_site.h"

#include "storage/options.h"

#ifndef MURMEX_WEB_ADDRESS
#define MURMEX_WEB_ADDRESS "http://czat.murmex.pl/"
#endif
#ifndef MURMEX_WEB_HOST
#define MURMEX_WEB_HOST "czat.murmex.pl"
#endif

namespace murmex {

std::string ServiceWebAddress() {
    std::string address = GetOption("WebAddress");
    if (address.empty())
        address = MURMEX_WEB_ADDRESS;
    // The applet's code base is a directory: the archive name is appended to it.
    if (address.back() != '/')
        address += '/';
    return address;
}

std::string ServiceWebHost() {
    std::string host = GetOption("WebHost");
    return host.empty() ? std::string(MURMEX_WEB_HOST) : host;
}

} // namespace murmex
