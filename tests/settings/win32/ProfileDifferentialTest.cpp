// The INI reader and writer against the system's profile functions: over tricky files, the
// reader gives what GetPrivateProfileStringA gives, and files written by the writer and by
// WritePrivateProfileStringA read back the same. The cases where the system differs from
// the format the program defines are listed below, each with its reason; every one of them
// must still occur, so the list cannot go stale.

#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <set>
#include <tuple>

#include "TestFolder.h"
#include "TestText.h"
#include "common/AnsiText.h"
#include "common/FileSystem.h"
#include "settings/KelpIniFile.h"

namespace vesk {
namespace {

using test::Ansi;

constexpr char kDefault[] = "<default>";

std::string ProfileRead(const std::string& path, const std::string& section,
                        const std::string& key) {
    char buffer[2048] = {};
    const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), kDefault, buffer,
                                                  sizeof(buffer), path.c_str());
    return std::string(buffer, length);
}

std::string OwnRead(const std::string& path, const std::string& section, const std::string& key) {
    return TKelpIniFile(path).ReadText(section, key, kDefault);
}

struct Query {
    std::string section;
    std::string key;
    bool operator<(const Query& other) const {
        return std::tie(section, key) < std::tie(other.section, other.key);
    }
};

std::string AsciiCase(std::string text, bool upper) {
    for (std::size_t pos = 0; pos < text.size(); pos += CharSize(text, pos)) {
        if (CharSize(text, pos) == 1) {
            text[pos] =
                static_cast<char>(upper ? std::toupper(static_cast<unsigned char>(text[pos]))
                                        : std::tolower(static_cast<unsigned char>(text[pos])));
        }
    }
    return text;
}

// Every section name of the file with every key name of the file, each as written, in
// upper case and in lower case, and a name that is nowhere.
std::set<Query> QueriesOf(std::string_view content) {
    std::set<std::string> sections = {"Nowhere", ""};
    std::set<std::string> keys = {"Nothing"};
    std::size_t pos = 0;
    while (pos < content.size()) {
        std::size_t end = content.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) {
            end = content.size();
        }
        const std::string_view line = TrimBlanks(content.substr(pos, end - pos));
        pos = end + 1;
        if (line.empty()) {
            continue;
        }
        const std::size_t close = line.rfind(']');
        if (line.front() == '[' && close != std::string_view::npos) {
            sections.insert(std::string(TrimBlanks(line.substr(1, close - 1))));
        } else if (const std::size_t equals = FindAnyByte(line, "=");
                   equals != std::string_view::npos) {
            keys.insert(std::string(TrimBlanks(line.substr(0, equals))));
        } else {
            keys.insert(std::string(line));
        }
    }
    std::set<Query> queries;
    for (const std::string& section : sections) {
        for (const std::string& key : keys) {
            for (const bool upper : {false, true}) {
                queries.insert({section, key});
                queries.insert({AsciiCase(section, upper), AsciiCase(key, upper)});
            }
        }
    }
    return queries;
}

struct Case {
    std::string name;
    std::string content;
    // Writes made by both writers, in order; the content is then compared by reading back.
    std::vector<std::array<std::string, 3>> writes;
};

// Where the system's profile functions and the program's format part, the format holds.
// An entry covers its case and the files written from it, and its names in any letter case.
struct Disagreement {
    std::string caseName;
    std::string section;
    std::string key;
    std::string system;  // what GetPrivateProfileStringA gives
    std::string own;     // what the program's reader gives
    const char* reason;
};

std::vector<Case> Cases() {
    const std::string x3000(3000, 'x');
    std::string kanji1500;
    for (int i = 0; i < 1500; ++i) {
        kanji1500 += Ansi("歌");
    }
    return {
        {"plain", "[S]\r\nK=v\r\nL=w\r\n", {{"S", "K", "new"}, {"S", "M", "added"}}},
        {"duplicates",
         "[S]\r\nA=1\r\nA=2\r\n[T]\r\nB=1\r\n[S]\r\nA=3\r\nC=4\r\n",
         {{"S", "C", "5"}, {"S", "D", "6"}, {"T", "B", "7"}, {"S", "A", "8"}}},
        {"case",
         "[LyricsForm]\r\nBackColor=0x1\r\n[lyricsform]\r\nbackcolor=0x2\r\nFONT.NAME=x\r\n",
         {{"LYRICSFORM", "backCOLOR", "0x3"}, {"lyricsForm", "Font.Name", "y"}}},
        {"quotes",
         "[Q]\r\nD=\"abc\"\r\nS='abc'\r\nM=\"abc'\r\nO=\"\r\nE=\"\"\r\nI=a\"b\"c\r\n"
         "T=\"\"\"\r\nSp=  \"x y\"  \r\nN='\r\n",
         {{"Q", "D", "\"quoted\""}, {"Q", "New", "'single'"}, {"Q", "O", "\""}}},
        {"blanks",
         "  [B]  \r\n  K1  =  v 1  \r\n\tK2\t=\tv2\t\r\nK3=\r\nK4 =   \r\n",
         {{"B", "K1", "  new  "}, {"B", "K3", "x"}, {"B", "K5", ""}}},
        {"no final line break", "[S]\r\nA=1\r\nB=2", {{"S", "C", "3"}, {"S", "B", "x"}}},
        {"section at the end", "[S]\r\nA=1\r\n[T]", {{"T", "C", "3"}}},
        {"lines without equals",
         "[N]\r\nJust text\r\nA=1\r\n; comment\r\nB\r\nB=2\r\n[M]\r\nZ\r\n",
         {{"N", "C", "3"}, {"M", "Y", "4"}}},
        {"outside sections", "X=1\r\nY=2\r\n[S]\r\nX=3\r\n", {{"S", "Y", "4"}, {"S", "X", "5"}}},
        {"long values",
         "[L]\r\nA=" + x3000 + "\r\nQ=\"" + x3000 + "\"\r\nJ=" + kanji1500 + "\r\n",
         {{"L", "B", x3000.substr(0, 2000)}}},
        {"line breaks", "[S]\nA=1\rB=2\r\n\r\n\nC=3\n", {{"S", "B", "4"}, {"S", "D", "5"}}},
        {"double-byte names",
         Ansi("[歌詞]\r\nタイトル=夏\r\n[ゾ]\r\nソ=1\r\n[ア]\r\nア=2\r\nヂ=3\r\n"),
         {{Ansi("ゾ"), Ansi("ソ"), "9"}, {Ansi("新"), Ansi("キー"), Ansi("値")}}},
        {"full-width blanks", Ansi("[W]\r\nA=　v　\r\n　B　=1\r\n"), {{"W", "C", "2"}}},
        {"control bytes",
         "[C]\r\nA=\x01v\x01\r\n\x1A\x0B B\x0C=\x1Aw\x1A\r\n\x02D=3\r\n",
         {{"C", "E", "4"}}},
        {"headers",
         "[S] tail\r\nA=1\r\n[ T ]\r\nB=2\r\n[U\r\nC=3\r\n[V]]\r\nD=4\r\n",
         {{"S", "E", "5"}, {"V]", "D", "6"}}},
        {"equals in values", "[S]\r\nA=b=c\r\n=empty\r\nK==\r\n", {{"S", "A", "=d="}}},
        {"empty file", "", {{"S", "A", "1"}, {"T", "B", "2"}, {"S", "C", "3"}}},
        {"value with a line break", "[S]\r\n", {{"S", "K", "a\r\nX=1"}}},
    };
}

std::vector<Disagreement> Disagreements() {
    constexpr const char* kLineWithoutEquals =
        "A line without \"=\" is no entry and is skipped on reading, so the first entry of B is "
        "B=2. The system keeps the line B as a key without a value, which hides the entries of "
        "that name after it.";
    constexpr const char* kOutsideSections =
        "Entries before the first section belong to no section. The system files them under "
        "the empty section name. The program never asks for an empty section name.";
    constexpr const char* kLineBreakInValue =
        "The writer cuts a value at its first line break, so that a value cannot add lines of "
        "its own to the file. The system writes the line break, and its file gains the entry "
        "X=1.";
    constexpr const char* kKeptAsWritten =
        "The writer encloses a value that reading would change (blanks at an end, or a pair of "
        "enclosing quotes) in one more pair of double quotes, which both readers strip, so it "
        "reads back as written. The system writes it bare, and its reader then trims the "
        "blanks or strips the quotes.";
    return {
        {"lines without equals", "N", "B", "<default>", "2", kLineWithoutEquals},
        {"outside sections", "", "X", "1", "<default>", kOutsideSections},
        {"outside sections", "", "Y", "2", "<default>", kOutsideSections},
        {"value with a line break / read back", "S", "X", "1", "<default>", kLineBreakInValue},
        {"blanks / read back", "B", "K1", "new", "  new  ", kKeptAsWritten},
        {"quotes / read back", "Q", "D", "quoted", "\"quoted\"", kKeptAsWritten},
        {"quotes / read back", "Q", "New", "single", "'single'", kKeptAsWritten},
    };
}

class ProfileDifferential : public testing::Test {
protected:
    void Check(const std::string& caseName, const std::string& section, const std::string& key,
               const std::string& system, const std::string& own) {
        for (const Disagreement& d : disagreements_) {
            const bool sameCase =
                caseName == d.caseName || caseName.starts_with(d.caseName + " / ");
            if (sameCase && AsciiCase(section, true) == AsciiCase(d.section, true) &&
                AsciiCase(key, true) == AsciiCase(d.key, true)) {
                seen_.insert(&d - disagreements_.data());
                EXPECT_EQ(Printable(system), Printable(d.system))
                    << caseName << " [" << section << "] " << key;
                EXPECT_EQ(Printable(own), Printable(d.own))
                    << caseName << " [" << section << "] " << key;
                return;
            }
        }
        EXPECT_EQ(Printable(own), Printable(system))
            << caseName << " [" << test::Utf8(section) << "] " << test::Utf8(key);
    }

    static std::string Printable(const std::string& text) {
        return text.size() > 60 ? test::Utf8(text.substr(0, 30)) + "...(" +
                                      std::to_string(text.size()) + " bytes)"
                                : test::Utf8(text);
    }

    void TearDown() override {
        for (std::size_t i = 0; i < disagreements_.size(); ++i) {
            EXPECT_TRUE(seen_.count(i))
                << "listed disagreement no longer met: " << disagreements_[i].caseName << " ["
                << disagreements_[i].section << "] " << disagreements_[i].key;
        }
    }

    test::TestFolder folder_;
    std::vector<Disagreement> disagreements_ = Disagreements();
    std::set<std::size_t> seen_;
};

TEST_F(ProfileDifferential, ReaderAndWriterAgreeWithTheSystem) {
    const std::vector<Case> cases = Cases();
    int fileNumber = 0;
    for (const Case& c : cases) {
        // Each file is read by the system only once it is complete: its profile cache must
        // never see a file change.
        const std::string original = folder_ / ("read" + std::to_string(++fileNumber) + ".ini");
        const std::string own = folder_ / ("own" + std::to_string(fileNumber) + ".ini");
        const std::string system = folder_ / ("system" + std::to_string(fileNumber) + ".ini");
        if (!c.content.empty()) {
            ASSERT_TRUE(SystemFileSystem().ReplaceFile(original, c.content));
            ASSERT_TRUE(SystemFileSystem().ReplaceFile(own, c.content));
            ASSERT_TRUE(SystemFileSystem().ReplaceFile(system, c.content));
        }
        std::set<Query> queries = QueriesOf(c.content);
        for (const Query& q : queries) {
            Check(c.name, q.section, q.key, ProfileRead(original, q.section, q.key),
                  OwnRead(original, q.section, q.key));
        }

        {
            TKelpIniFile ini(own);
            for (const auto& [section, key, value] : c.writes) {
                ini.WriteText(section, key, value);
                ASSERT_TRUE(WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(),
                                                       system.c_str()));
                queries.insert({section, key});
            }
        }
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, system.c_str());
        // Names that only a writer brought in are asked for too.
        for (const std::string& path : {own, system}) {
            const std::set<Query> more = QueriesOf(SystemFileSystem().ReadFile(path).value_or(""));
            queries.insert(more.begin(), more.end());
        }
        for (const Query& q : queries) {
            const std::string ownWritten = OwnRead(own, q.section, q.key);
            const std::string systemWritten = ProfileRead(system, q.section, q.key);
            // Each writer's file, read by both readers.
            Check(c.name + " / own file", q.section, q.key, ProfileRead(own, q.section, q.key),
                  ownWritten);
            Check(c.name + " / system file", q.section, q.key, systemWritten,
                  OwnRead(system, q.section, q.key));
            // Each writer's file, read by its own reader.
            Check(c.name + " / read back", q.section, q.key, systemWritten, ownWritten);
        }
    }
}

}  // namespace
}  // namespace vesk
