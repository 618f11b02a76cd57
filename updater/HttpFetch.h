// One HTTP/1.0 GET whose answer is bounded in every way it can grow: one deadline
// for the whole exchange (a host that drips a byte now and then holds it no
// longer than one that never answers), the length and the number of header
// lines, and the length of the body.
#pragma once

#include <cstddef>
#include <string>

struct HttpLimits {
    long deadlineMs = 20000;
    size_t headerLineBytes = 8 * 1024;
    size_t headerLines = 100;
    size_t bodyBytes = 64 * 1024;
};

// The parts of an "http://host[:port]/path" address; false for any other address.
struct HttpAddress {
    std::string host;
    std::string port = "80";
    std::string path = "/"; // with the query
    bool Parse(const std::string& address);
};

// Fetches address, through the proxy HTTP_PROXY names ("host:port") when it is
// set. True with the body for a whole 2xx answer within the limits; false (body
// empty) for anything else: no connection, another status, an answer cut short
// or past a limit, the deadline.
bool HttpFetch(const HttpAddress& address, const HttpLimits& limits, std::string& body);
