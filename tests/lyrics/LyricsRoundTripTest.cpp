// Whatever the list holds (any bytes but CR, LF, NUL and the marker text), saving it and
// loading it again gives the same entries in the same order.

#include <gtest/gtest.h>

#include <random>

#include "LyricsTestSupport.h"
#include "TestText.h"
#include "common/FileSystem.h"
#include "lyrics/untTLyricsList.h"

namespace vesk {
namespace {

using test::EntriesOf;
using test::Entry;

class RandomEntries {
public:
    explicit RandomEntries(std::uint32_t seed) : random_(seed) {}

    Entry Next() { return {Text(), Text(), Number(), Number()}; }

private:
    std::uint32_t Below(std::uint32_t n) { return static_cast<std::uint32_t>(random_() % n); }

    // Bytes the reader cares about come often: quotes, commas, blanks, control characters,
    // lead bytes (a lead byte right before a quote or comma among them), 0x5C and 0x7C.
    std::string Text() {
        static const std::string kSpecial = "\"\",, \t\x01\x1F\x7F\x81\x9F\xE0\xFC\\|$-0x";
        std::string text;
        const std::uint32_t length = Below(4) == 0 ? 0 : Below(24);
        while (text.size() < length) {
            char c;
            if (Below(2) == 0) {
                c = kSpecial[Below(static_cast<std::uint32_t>(kSpecial.size()))];
            } else {
                c = static_cast<char>(Below(256));
            }
            if (c == '\r' || c == '\n' || c == '\0') {
                continue;
            }
            text += c;
            if (Below(16) == 0) {
                text += test::Ansi(Below(2) == 0 ? "表示" : "【退避");
            }
        }
        if (ContainsMarker(text)) {
            return Text();
        }
        return text;
    }

    static bool ContainsMarker(const std::string& text) {
        static const std::string marker = test::Ansi("【退避してます】");
        return text.find(marker) != std::string::npos;
    }

    std::int32_t Number() {
        switch (Below(4)) {
            case 0:
                return 0;
            case 1:
                return static_cast<std::int32_t>(Below(200)) - 100;
            case 2:
                return Below(2) == 0 ? INT32_MIN : INT32_MAX;
            default:
                return static_cast<std::int32_t>(random_());
        }
    }

    std::mt19937 random_;
};

TEST(ListFile, SavedEntriesLoadBackEqualAndInOrder) {
    test::FakeFileSystem files;
    ScopedFileSystem scope(files);
    RandomEntries random(20240611);
    constexpr int kCases = 3000;
    for (int i = 0; i < kCases; ++i) {
        TLyricsList list;
        const std::uint32_t count = static_cast<std::uint32_t>(i % 7);
        for (std::uint32_t n = 0; n < count; ++n) {
            const Entry e = random.Next();
            list.Add(e.title, e.fileName, e.startLine, e.endLine);
        }
        list.SaveToFile("list.csv");
        const TLyricsList loaded("list.csv");
        ASSERT_EQ(EntriesOf(loaded), EntriesOf(list)) << "case " << i << "\n"
                                                      << files.files.at("list.csv");
    }
}

// The editor's rows carry the same entries back.
TEST(ListView, RowsCarryAnyEntryBack) {
    RandomEntries random(7);
    for (int i = 0; i < 500; ++i) {
        TLyricsList list;
        for (int n = 0; n < 3; ++n) {
            const Entry e = random.Next();
            list.Add(e.title, e.fileName, e.startLine, e.endLine);
        }
        test::FakeRows rows;
        list.AddToListView(rows);
        TLyricsList loaded;
        loaded.LoadFromListView(rows);
        ASSERT_EQ(EntriesOf(loaded), EntriesOf(list)) << "case " << i;
    }
}

}  // namespace
}  // namespace vesk
