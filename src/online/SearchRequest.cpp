#include "online/SearchRequest.h"

#include <cstddef>

#include "common/AnsiText.h"
#include "common/TextPlatform.h"

namespace vesk {

namespace {

constexpr std::string_view kSchemeEnd = "://";
constexpr std::string_view kSearchPath = "/api/search?q=";
constexpr std::uint16_t kHttpsPort = 443;
constexpr std::uint16_t kHttpPort = 80;
constexpr unsigned kMaxPort = 65535;
constexpr char kHexDigits[] = "0123456789ABCDEF";

bool IsAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsHexDigit(char c) {
    return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool IsUnreserved(char c) {
    return IsAsciiLetter(c) || IsDigit(c) || c == '-' || c == '.' || c == '_' || c == '~';
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return lower;
}

// Printable ASCII only: no blanks, controls or bytes of another encoding.
bool IsPrintableAscii(std::string_view text) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte >= 0x7F) {
            return false;
        }
    }
    return true;
}

bool IsHostName(std::string_view host) {
    if (host.empty()) {
        return false;
    }
    for (const char c : host) {
        if (!IsAsciiLetter(c) && !IsDigit(c) && c != '-' && c != '.') {
            return false;
        }
    }
    return true;
}

// The inside of an IPv6 literal's brackets, as far as its characters go.
bool IsIpv6Text(std::string_view text) {
    if (text.empty()) {
        return false;
    }
    for (const char c : text) {
        if (!IsHexDigit(c) && c != ':' && c != '.') {
            return false;
        }
    }
    return true;
}

bool ParsePort(std::string_view text, std::uint16_t& port) {
    if (text.empty() || text.size() > 5) {
        return false;
    }
    unsigned value = 0;
    for (const char c : text) {
        if (!IsDigit(c)) {
            return false;
        }
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    if (value == 0 || value > kMaxPort) {
        return false;
    }
    port = static_cast<std::uint16_t>(value);
    return true;
}

// host[:port] or [ipv6][:port]; no user name.
bool ParseAuthority(std::string_view authority, ServiceAddress& address) {
    std::string_view host = authority;
    std::string_view port;
    if (authority.starts_with('[')) {
        const std::size_t close = authority.find(']');
        if (close == std::string_view::npos || !IsIpv6Text(authority.substr(1, close - 1))) {
            return false;
        }
        host = authority.substr(0, close + 1);
        const std::string_view after = authority.substr(close + 1);
        if (!after.empty()) {
            if (!after.starts_with(':')) {
                return false;
            }
            port = after.substr(1);
            if (port.empty()) {
                return false;
            }
        }
    } else if (const std::size_t colon = authority.find(':'); colon != std::string_view::npos) {
        host = authority.substr(0, colon);
        port = authority.substr(colon + 1);
        if (port.empty()) {
            return false;
        }
        if (!IsHostName(host)) {
            return false;
        }
    } else if (!IsHostName(host)) {
        return false;
    }
    address.host = Lower(host);
    address.port = address.https ? kHttpsPort : kHttpPort;
    return port.empty() || ParsePort(port, address.port);
}

// A path of the service's folder: segments of URL path characters, "%" only before two
// hexadecimal digits; no query or fragment.
bool IsBasePath(std::string_view path) {
    constexpr std::string_view kPathMarks = "-._~!$&'()*+,;=:@/";
    for (std::size_t i = 0; i < path.size(); ++i) {
        const char c = path[i];
        if (c == '%') {
            if (i + 2 >= path.size() || !IsHexDigit(path[i + 1]) || !IsHexDigit(path[i + 2])) {
                return false;
            }
            i += 2;
        } else if (!IsAsciiLetter(c) && !IsDigit(c) &&
                   kPathMarks.find(c) == std::string_view::npos) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool IsLoopbackHost(std::string_view host) {
    const std::string lower = Lower(host);
    return lower == "localhost" || lower == "127.0.0.1" || lower == "[::1]" || lower == "::1";
}

ServiceAddress ParseServiceAddress(std::string_view address) {
    ServiceAddress result;
    const std::string_view text = TrimBlanks(address);
    const std::size_t schemeEnd = text.find(kSchemeEnd);
    if (schemeEnd == std::string_view::npos || !IsPrintableAscii(text)) {
        return result;
    }
    const std::string scheme = Lower(text.substr(0, schemeEnd));
    if (scheme != "https" && scheme != "http") {
        return result;
    }
    result.https = scheme == "https";
    const std::string_view rest = text.substr(schemeEnd + kSchemeEnd.size());
    const std::size_t pathStart = rest.find('/');
    const std::string_view authority = rest.substr(0, pathStart);
    std::string_view path =
        pathStart == std::string_view::npos ? std::string_view() : rest.substr(pathStart);
    while (path.ends_with('/')) {
        path.remove_suffix(1);
    }
    if (!ParseAuthority(authority, result) || !IsBasePath(path)) {
        return ServiceAddress{};
    }
    result.basePath = path;
    result.problem = result.https || IsLoopbackHost(result.host) ? AddressProblem::kNone
                                                                 : AddressProblem::kNotHttps;
    return result;
}

std::string PercentEncode(std::string_view utf8) {
    std::string encoded;
    encoded.reserve(utf8.size() * 3);
    for (const char c : utf8) {
        if (IsUnreserved(c)) {
            encoded += c;
        } else {
            const auto byte = static_cast<unsigned char>(c);
            encoded += '%';
            encoded += kHexDigits[byte >> 4];
            encoded += kHexDigits[byte & 0x0F];
        }
    }
    return encoded;
}

SearchRequest MakeSearchRequest(std::string_view serviceAddress, std::string_view title,
                                const TextPlatform& platform) {
    SearchRequest request;
    request.address = ParseServiceAddress(serviceAddress);
    if (request.address.problem == AddressProblem::kNone) {
        request.pathAndQuery = request.address.basePath + std::string(kSearchPath) +
                               PercentEncode(platform.ToUtf8(title));
    }
    return request;
}

}  // namespace vesk
