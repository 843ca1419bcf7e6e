#pragma once

// The request that searches the lyrics service for a song title: which server to ask, and
// the path with the title as its query. Only HTTPS leaves the machine; plain HTTP is
// allowed to the loopback alone, where a test or a local mirror answers.

#include <cstdint>
#include <string>
#include <string_view>

namespace vesk {

class TextPlatform;

// The public service (a setting, so that a mirror or a test server can stand in).
inline constexpr std::string_view kDefaultServiceAddress = "https://lrclib.net";

enum class AddressProblem {
    kNone,
    kInvalid,   // not "http(s)://host[:port][/path]" in plain ASCII
    kNotHttps,  // plain HTTP to a host other than the loopback
};

struct ServiceAddress {
    AddressProblem problem = AddressProblem::kInvalid;
    bool https = false;
    // As WinHTTP takes it: a name, an IPv4 address, or an IPv6 address in brackets.
    std::string host;
    std::uint16_t port = 0;
    // The service's folder on the server: empty, or "/" and segments, without a trailing "/".
    std::string basePath;
};

// "https://host", "http://127.0.0.1:8080/", "https://mirror.example/lyrics" and the like.
// Blanks around the address and trailing "/" are ignored; the scheme and the host are
// read without regard to case. User names, queries, fragments and bytes outside ASCII make
// an address invalid (a host name outside ASCII would need IDNA, which the service's own
// name does not).
ServiceAddress ParseServiceAddress(std::string_view address);

// 127.0.0.1, ::1 (in brackets) and localhost: the only hosts plain HTTP may reach.
bool IsLoopbackHost(std::string_view host);

// UTF-8 bytes as a query value: letters, digits and "-._~" stay, every other byte is
// "%" and two upper-case hexadecimal digits (a blank too, so "+" is always a plus sign).
std::string PercentEncode(std::string_view utf8);

struct SearchRequest {
    ServiceAddress address;
    // What follows the host in the request line: base path, "/api/search?q=" and the title.
    std::string pathAndQuery;
};

// The search of a title (ANSI, as the title extractor cut it) at an address: the title in
// UTF-8 (converted by platform), percent-encoded. When address.problem is not kNone there
// is nothing to send.
SearchRequest MakeSearchRequest(std::string_view serviceAddress, std::string_view title,
                                const TextPlatform& platform);

}  // namespace vesk
