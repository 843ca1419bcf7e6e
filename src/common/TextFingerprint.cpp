#include "common/TextFingerprint.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <utility>
#include <vector>

#include "common/Cp932Table.h"

namespace vesk {

namespace {

// FNV-1a over the classes, in 32 bits: cheap in a 32-bit program, and with tens of
// thousands of titles a few that share a hash by chance only cost a comparison.
constexpr std::uint32_t kFnvOffset = 2166136261U;
constexpr std::uint32_t kFnvPrime = 16777619U;
constexpr char32_t kLeftOut = 0;

// Half-width katakana U+FF61-U+FF9F as full-width characters (U+FF9E and U+FF9F, the
// sound marks, as theirs).
constexpr char16_t kFullWidth[] =
    u"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフ"
    u"ヘホマミムメモヤユヨラリルレロワン゛゜";
static_assert(sizeof(kFullWidth) / sizeof(kFullWidth[0]) == 0xFF9F - 0xFF61 + 2);

// Hiragana U+3041-U+3096 as their plain full-size forms.
constexpr char16_t kPlainHiragana[] =
    u"ああいいううええおおかかききくくけけここささししすすせせそそたたちちつつつててととなにぬねの"
    u"はははひひひふふふへへへほほほまみむめもややゆゆよよらりるれろわわゐゑをんうかけ";
static_assert(sizeof(kPlainHiragana) / sizeof(kPlainHiragana[0]) == 0x3096 - 0x3041 + 2);

bool LeftOut(char32_t c) {
    switch (c) {
        case U'\'':
        case U'-':
        case U'‐':  // U+2010
        case U'－':
        case U'＇':
        case U'ー':
        case U'―':
        case U'ゝ':
        case U'ゞ':
        case U'ヽ':
        case U'ヾ':
        case U'々':
        case U'〃':
        case U'゛':
        case U'゜':
        case U'あ':
        case U'い':
        case U'う':
        case U'え':
        case U'お':
            return true;
        default:
            return c < 0x20 || (c >= 0x7F && c <= 0x9F) || (c >= 0xE000 && c <= 0xF8FF);
    }
}

// Full-width ASCII as ASCII.
char32_t PlainWidth(char32_t c) {
    return c >= U'！' && c <= U'～' ? c - (U'！' - U'!') : c;
}

// Characters that a collation weighs alike at the first level, as one of them: variants
// of a shape (filled and hollow, heavy and light lines), circled digits, and letters in
// symbols. Sorted by the first.
constexpr std::pair<char16_t, char16_t> kAlike[] = {
    {u'Ё', u'Е'}, {u'Й', u'И'},  {u'″', u'′'},  {u'℃', u'C'},   {u'\u212B', u'A'}, {u'⇒', u'→'},
    {u'≠', u'='}, {u'①', u'1'},  {u'②', u'2'},  {u'③', u'3'},   {u'④', u'4'},      {u'⑤', u'5'},
    {u'⑥', u'6'}, {u'⑦', u'7'},  {u'⑧', u'8'},  {u'⑨', u'9'},   {u'━', u'─'},      {u'┃', u'│'},
    {u'┏', u'┌'}, {u'┓', u'┐'},  {u'┗', u'└'},  {u'┛', u'┘'},   {u'┝', u'├'},      {u'┠', u'├'},
    {u'┣', u'├'}, {u'┥', u'┤'},  {u'┨', u'┤'},  {u'┫', u'┤'},   {u'┯', u'┬'},      {u'┰', u'┬'},
    {u'┳', u'┬'}, {u'┷', u'┴'},  {u'┸', u'┴'},  {u'┻', u'┴'},   {u'┿', u'┼'},      {u'╂', u'┼'},
    {u'╋', u'┼'}, {u'■', u'□'},  {u'▲', u'△'},  {u'▼', u'▽'},   {u'◆', u'◇'},      {u'◎', u'○'},
    {u'●', u'○'}, {u'　', u' '}, {u'〇', u'0'}, {u'￠', u'《'}, {u'￥', u'\\'},
};

static_assert(std::is_sorted(std::begin(kAlike), std::end(kAlike)));

char32_t PlainShape(char32_t c) {
    if (c < kAlike[0].first || (c >= U'一' && c < U'￠')) {
        return c;  // ASCII and kanji at once
    }
    const auto found = std::lower_bound(
        std::begin(kAlike), std::end(kAlike), c,
        [](const std::pair<char16_t, char16_t>& entry, char32_t x) { return entry.first < x; });
    return found != std::end(kAlike) && found->first == c ? found->second : c;
}

// The units of measure that a collation weighs as two letters (㎜ as "mm").
bool IsExpansion(char32_t c) {
    switch (c) {
        case U'㎜':
        case U'㎝':
        case U'㎞':
        case U'㎎':
        case U'㎏':
        case U'㏄':
        case U'㎡':
        case U'㏍':
            return true;
        default:
            return false;
    }
}

char32_t PlainKana(char32_t c) {
    if (c >= 0xFF61 && c <= 0xFF9F) {
        c = kFullWidth[c - 0xFF61];
    }
    if (c >= U'ァ' && c <= U'ヶ') {
        c -= U'ァ' - U'ぁ';
    } else if (c >= U'ヷ' && c <= U'ヺ') {
        constexpr char16_t kVoicedW[] = u"わゐゑを";
        c = kVoicedW[c - U'ヷ'];
    }
    if (c >= U'ぁ' && c <= U'ゖ') {
        c = kPlainHiragana[c - U'ぁ'];
    }
    return c;
}

// What a character counts as in the fingerprint: kLeftOut, kUnsure, or its class.
constexpr char16_t kUnsure = 0xFFFF;

char16_t ClassOf(char32_t c) {
    if (c == cp932::kNoCharacter || IsExpansion(c)) {
        return kUnsure;
    }
    c = PlainKana(c);
    if (LeftOut(c)) {
        return kLeftOut;
    }
    return static_cast<char16_t>(PlainShape(cp932::FoldCase(PlainWidth(c))));
}

// The class of every code, worked out once: single bytes by byte (kUnsure for lead bytes),
// double bytes by lead and trail.
struct ClassTable {
    static constexpr int kTrailCount = 0xFC - 0x40 + 1;
    std::array<char16_t, 256> single{};
    std::vector<char16_t> pairs = std::vector<char16_t>(256 * kTrailCount, kUnsure);

    ClassTable() {
        for (int b = 0; b < 256; ++b) {
            const auto byte = static_cast<unsigned char>(b);
            single[byte] = cp932::IsLeadByte(byte) ? kUnsure : ClassOf(cp932::DecodeSingle(byte));
            for (int t = 0x40; cp932::IsLeadByte(byte) && t <= 0xFC; ++t) {
                pairs[byte * kTrailCount + t - 0x40] =
                    ClassOf(cp932::DecodeDouble(byte, static_cast<unsigned char>(t)));
            }
        }
        single[0] = kLeftOut;
    }
};

const ClassTable& Classes() {
    static const ClassTable table;
    return table;
}

}  // namespace

TextFingerprint FingerprintOf(std::string_view text) {
    const ClassTable& classes = Classes();
    TextFingerprint fingerprint{kFnvOffset, true};
    char16_t previous = kLeftOut;
    for (std::size_t pos = 0; pos < text.size();) {
        const auto byte = static_cast<unsigned char>(text[pos++]);
        char16_t c = classes.single[byte];
        if (c == kUnsure) {
            const auto trail = pos < text.size() ? static_cast<unsigned char>(text[pos]) : 0;
            c = trail >= 0x40 && trail <= 0xFC && cp932::IsLeadByte(byte)
                    ? classes.pairs[byte * ClassTable::kTrailCount + trail - 0x40]
                    : kUnsure;
            ++pos;
        }
        if (c == kUnsure) {
            fingerprint.reliable = false;
        } else if (c != kLeftOut && c != previous) {
            fingerprint.hash = (fingerprint.hash ^ c) * kFnvPrime;
            previous = c;
        }
    }
    return fingerprint;
}

}  // namespace vesk
