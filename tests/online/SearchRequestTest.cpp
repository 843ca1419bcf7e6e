#include "online/SearchRequest.h"

#include <gtest/gtest.h>

#include "TestText.h"
#include "common/TextPlatform.h"

namespace vesk {
namespace {

using test::Ansi;

TEST(SearchRequest, AddressAndTitleMakeTheRequest) {
    struct Row {
        std::string address;
        std::string title;  // UTF-8, as the test writes it
        AddressProblem problem;
        bool https;
        std::string host;
        std::uint16_t port;
        std::string pathAndQuery;
    };
    constexpr auto kNone = AddressProblem::kNone;
    constexpr auto kInvalid = AddressProblem::kInvalid;
    constexpr auto kNotHttps = AddressProblem::kNotHttps;
    const Row rows[] = {
        {"https://lrclib.net", "Rain", kNone, true, "lrclib.net", 443, "/api/search?q=Rain"},
        {"https://lrclib.net/", "Rain", kNone, true, "lrclib.net", 443, "/api/search?q=Rain"},
        {"  HTTPS://LrcLib.NET//  ", "Rain", kNone, true, "lrclib.net", 443, "/api/search?q=Rain"},
        {"https://mirror.example:8443/lyrics/v1/", "Rain", kNone, true, "mirror.example", 8443,
         "/lyrics/v1/api/search?q=Rain"},
        {"http://127.0.0.1:8080/hang", "Rain", kNone, false, "127.0.0.1", 8080,
         "/hang/api/search?q=Rain"},
        {"http://LOCALHOST", "Rain", kNone, false, "localhost", 80, "/api/search?q=Rain"},
        {"http://[::1]:9/", "Rain", kNone, false, "[::1]", 9, "/api/search?q=Rain"},
        {"https://[2001:db8::1]", "Rain", kNone, true, "[2001:db8::1]", 443, "/api/search?q=Rain"},
        // What the title becomes: UTF-8, every byte but letters, digits and -._~ escaped.
        {"https://lrclib.net", "夏の雨", kNone, true, "lrclib.net", 443,
         "/api/search?q=%E5%A4%8F%E3%81%AE%E9%9B%A8"},
        {"https://lrclib.net", "A&B+C#D%E F", kNone, true, "lrclib.net", 443,
         "/api/search?q=A%26B%2BC%23D%25E%20F"},
        {"https://lrclib.net", "a-b._~z09", kNone, true, "lrclib.net", 443,
         "/api/search?q=a-b._~z09"},
        {"https://lrclib.net", "/?=;'\"\\", kNone, true, "lrclib.net", 443,
         "/api/search?q=%2F%3F%3D%3B%27%22%5C"},
        {"https://lrclib.net", "ｱｲ　表", kNone, true, "lrclib.net", 443,
         "/api/search?q=%EF%BD%B1%EF%BD%B2%E3%80%80%E8%A1%A8"},
        {"https://lrclib.net", "", kNone, true, "lrclib.net", 443, "/api/search?q="},
        // Plain HTTP reaches the loopback alone.
        {"http://lrclib.net", "Rain", kNotHttps, false, "lrclib.net", 80, ""},
        {"http://127.0.0.2:8080", "Rain", kNotHttps, false, "127.0.0.2", 8080, ""},
        {"http://localhost.example", "Rain", kNotHttps, false, "localhost.example", 80, ""},
        // Not an address: nothing is sent.
        {"", "Rain", kInvalid, false, "", 0, ""},
        {"lrclib.net", "Rain", kInvalid, false, "", 0, ""},
        {"ftp://lrclib.net", "Rain", kInvalid, false, "", 0, ""},
        {"https://", "Rain", kInvalid, false, "", 0, ""},
        {"https://:443", "Rain", kInvalid, false, "", 0, ""},
        {"https://lrclib.net:", "Rain", kInvalid, false, "", 0, ""},
        {"https://lrclib.net:0", "Rain", kInvalid, false, "", 0, ""},
        {"https://lrclib.net:65536", "Rain", kInvalid, false, "", 0, ""},
        {"https://lrclib.net:44x", "Rain", kInvalid, false, "", 0, ""},
        {"https://a:1:2", "Rain", kInvalid, false, "", 0, ""},
        {"https://user@lrclib.net", "Rain", kInvalid, false, "", 0, ""},
        {"https://lrclib.net/?q=x", "Rain", kInvalid, false, "", 0, ""},
        {"https://lrclib.net/#top", "Rain", kInvalid, false, "", 0, ""},
        {"https://lrc lib.net", "Rain", kInvalid, false, "", 0, ""},
        {"https://lrclib.net/a b", "Rain", kInvalid, false, "", 0, ""},
        {"https://lrclib.net/%zz", "Rain", kInvalid, false, "", 0, ""},
        {"https://lrclib.net/%4", "Rain", kInvalid, false, "", 0, ""},
        {"https://[::1", "Rain", kInvalid, false, "", 0, ""},
        {"https://[::1]x", "Rain", kInvalid, false, "", 0, ""},
        {"https://[::1]:", "Rain", kInvalid, false, "", 0, ""},
        {"https://[host]", "Rain", kInvalid, false, "", 0, ""},
        {"https://歌詞.example", "Rain", kInvalid, false, "", 0, ""},
        {"https://lrc\x01lib.net", "Rain", kInvalid, false, "", 0, ""},
    };
    const TextPlatform& platform = CurrentTextPlatform();
    for (const Row& row : rows) {
        const SearchRequest request =
            MakeSearchRequest(Ansi(row.address), Ansi(row.title), platform);
        SCOPED_TRACE(row.address + " | " + row.title);
        EXPECT_EQ(request.address.problem, row.problem);
        EXPECT_EQ(request.pathAndQuery, row.pathAndQuery);
        if (row.problem != kInvalid) {
            EXPECT_EQ(request.address.https, row.https);
            EXPECT_EQ(request.address.host, row.host);
            EXPECT_EQ(request.address.port, row.port);
        }
    }
}

}  // namespace
}  // namespace vesk
