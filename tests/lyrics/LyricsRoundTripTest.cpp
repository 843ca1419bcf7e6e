// Whatever the list holds (any bytes but CR, LF, NUL and the marker text), saving it and
// loading it again gives the same entries in the same order.

#include <gtest/gtest.h>

#include <iterator>
#include <optional>
#include <random>

#include "LyricsTestSupport.h"
#include "TestText.h"
#include "common/FileSystem.h"
#include "lyrics/LyricsCsv.h"
#include "lyrics/TextLines.h"
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

// Damages a written line the way hand edits do: bytes the reader cares about inserted,
// bytes removed or replaced.
std::string Damaged(std::string line, std::mt19937& random) {
    static const std::string kBytes[] = {"\"",
                                         "\"\"",
                                         ",",
                                         " ",
                                         "-",
                                         "0",
                                         "9",
                                         "x",
                                         "$",
                                         "\t",
                                         test::Ansi("【退避してます】"),
                                         test::Ansi("表")};
    const int edits = static_cast<int>(random() % 3);
    for (int i = 0; i < edits; ++i) {
        const std::size_t pos = line.empty() ? 0 : random() % (line.size() + 1);
        switch (random() % 3) {
            case 0:
                line.insert(pos, kBytes[random() % std::size(kBytes)]);
                break;
            case 1:
                if (pos < line.size()) {
                    line.erase(pos, 1 + random() % 3);
                }
                break;
            default:
                if (pos < line.size()) {
                    line[pos] = kBytes[random() % std::size(kBytes)][0];
                }
                break;
        }
    }
    return line;
}

// The same list, but a derived class: it is always read through the field readers.
class FieldReaderList : public TLyricsList {};

// Lines as SaveToFile writes them are read in one pass; it must give exactly what the
// field readers give, and any line it does not take must be left to them.
TEST(ListFile, OnePassReadAgreesWithTheFieldReaders) {
    test::FakeFileSystem files;
    ScopedFileSystem scope(files);
    RandomEntries random(99);
    std::mt19937 damage(5);
    const TLyricsList readers;
    int onePass = 0;
    constexpr int kCases = 3000;
    for (int i = 0; i < kCases; ++i) {
        TLyricsList written;
        for (int n = 0; n < 4; ++n) {
            const Entry e = random.Next();
            written.Add(e.title, e.fileName, e.startLine, e.endLine);
        }
        written.SaveToFile("list.csv");
        std::string content;
        for (const std::string_view line : SplitTextLines(files.files.at("list.csv"))) {
            const std::string damaged =
                i % 2 == 0 ? std::string(line) : Damaged(std::string(line), damage);
            if (const std::optional<CsvEntry> entry = ParseWrittenCsvLine(damaged)) {
                ++onePass;
                EXPECT_EQ((Entry{entry->title, entry->fileName, entry->startLine, entry->endLine}),
                          (Entry{readers.TitleOfLine(damaged), readers.FileNameOfLine(damaged),
                                 readers.StartLineOfLine(damaged), readers.EndLineOfLine(damaged)}))
                    << damaged;
            } else {
                EXPECT_TRUE(i % 2 != 0) << "a line as written must be read in one pass: " << line;
            }
            content += damaged + "\r\n";
        }
        files.files["list.csv"] = content;
        FieldReaderList slow;
        slow.LoadFromFile("list.csv");
        ASSERT_EQ(EntriesOf(TLyricsList("list.csv")), EntriesOf(slow)) << content;
    }
    EXPECT_GT(onePass, kCases * 4 / 2);
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
