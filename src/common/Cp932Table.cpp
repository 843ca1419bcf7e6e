#include "common/Cp932Table.h"

#include <array>
#include <memory>
#include <string_view>

namespace vesk::cp932 {

namespace {

struct LeadRow {
    const char* low;   // trail bytes 0x40-0x7E
    const char* high;  // trail bytes 0x80-0xFC
};

constexpr LeadRow kRows[] = {
#include "common/Cp932Table.inc"
};

constexpr int kLeadCount = 60;
constexpr int kTrailCount = 189;  // 0x40-0xFC; 0x7F is never a trail byte
constexpr char32_t kMissing = 0xFFFD;
static_assert(sizeof(kRows) / sizeof(kRows[0]) == kLeadCount);

int LeadIndex(unsigned char lead) {
    if (lead >= 0x81 && lead <= 0x9F) {
        return lead - 0x81;
    }
    if (lead >= 0xE0 && lead <= 0xFC) {
        return lead - 0xE0 + 31;
    }
    return -1;
}

unsigned char LeadOfIndex(int index) {
    return static_cast<unsigned char>(index < 31 ? 0x81 + index : 0xE0 + index - 31);
}

using DecodeTable = std::array<char16_t, kLeadCount * kTrailCount>;

std::unique_ptr<DecodeTable> BuildDecodeTable() {
    auto table = std::make_unique<DecodeTable>();
    table->fill(0);
    for (int lead = 0; lead < kLeadCount; ++lead) {
        const unsigned char leadByte = LeadOfIndex(lead);
        char16_t* row = table->data() + lead * kTrailCount;
        if (leadByte >= 0xF0 && leadByte <= 0xF9) {
            // The user-defined area runs through the private use area, 188 codes a row.
            char16_t code = static_cast<char16_t>(0xE000 + (leadByte - 0xF0) * 188);
            for (int t = 0; t < kTrailCount; ++t) {
                if (t != 0x7F - 0x40) {
                    row[t] = code++;
                }
            }
            continue;
        }
        if (kRows[lead].low == nullptr) {
            continue;
        }
        int t = 0;
        for (const char* part : {kRows[lead].low, kRows[lead].high}) {
            std::string_view text(part);
            for (std::size_t pos = 0; pos < text.size();) {
                if (t == 0x7F - 0x40) {
                    ++t;
                }
                const char32_t c = NextUtf8(text, pos);
                row[t++] = c == kMissing ? 0 : static_cast<char16_t>(c);
            }
        }
    }
    return table;
}

const DecodeTable& Decoding() {
    static const std::unique_ptr<DecodeTable> table = BuildDecodeTable();
    return *table;
}

using EncodeTable = std::array<std::uint16_t, 0x10000>;

std::unique_ptr<EncodeTable> BuildEncodeTable() {
    auto table = std::make_unique<EncodeTable>();
    table->fill(0);
    for (int b = 0; b < 0x100; ++b) {
        const char32_t c = DecodeSingle(static_cast<unsigned char>(b));
        if (c != kNoCharacter || b == 0) {
            (*table)[c] = static_cast<std::uint16_t>(b);
        }
    }
    // Where a character has several codes, Windows prefers JIS X 0208 over the NEC row 13,
    // that over the IBM extensions 0xFA-0xFC, and those over NEC's copies in 0xED-0xEE:
    // so the copies are visited last and the first code seen wins.
    auto visit = [&](unsigned char lead) {
        const char16_t* row = Decoding().data() + LeadIndex(lead) * kTrailCount;
        for (int t = 0; t < kTrailCount; ++t) {
            const char16_t c = row[t];
            if (c != 0 && (*table)[c] == 0) {
                (*table)[c] = static_cast<std::uint16_t>(lead << 8 | (0x40 + t));
            }
        }
    };
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (IsLeadByte(static_cast<unsigned char>(lead)) && lead != 0xED && lead != 0xEE) {
            visit(static_cast<unsigned char>(lead));
        }
    }
    visit(0xED);
    visit(0xEE);
    return table;
}

const EncodeTable& Encoding() {
    static const std::unique_ptr<EncodeTable> table = BuildEncodeTable();
    return *table;
}

}  // namespace

bool IsLeadByte(unsigned char byte) {
    return LeadIndex(byte) >= 0;
}

char32_t DecodeSingle(unsigned char byte) {
    if (byte < 0x81) {
        return byte;
    }
    if (byte == 0xA0) {
        return 0xF8F0;
    }
    if (byte >= 0xA1 && byte <= 0xDF) {
        return 0xFF61 + (byte - 0xA1);
    }
    if (byte >= 0xFD) {
        return 0xF8F1 + (byte - 0xFD);
    }
    return kNoCharacter;
}

char32_t DecodeDouble(unsigned char lead, unsigned char trail) {
    const int index = LeadIndex(lead);
    if (index < 0 || trail < 0x40 || trail > 0xFC || trail == 0x7F) {
        return kNoCharacter;
    }
    return Decoding()[index * kTrailCount + (trail - 0x40)];
}

std::string Encode(char32_t character) {
    if (character > 0xFFFF) {
        return {};
    }
    const std::uint16_t code = Encoding()[character];
    if (code == 0 && character != 0) {
        return {};
    }
    if (code < 0x100) {
        return std::string(1, static_cast<char>(code));
    }
    return {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
}

char32_t FoldCase(char32_t c) {
    if ((c >= U'a' && c <= U'z') || (c >= U'ａ' && c <= U'ｚ') || (c >= U'α' && c <= U'ω') ||
        (c >= U'а' && c <= U'я')) {
        return c - 0x20;
    }
    if (c == U'ё') {
        return U'Ё';
    }
    if (c >= U'ⅰ' && c <= U'ⅹ') {
        return c - 0x10;
    }
    return c;
}

char32_t NextUtf8(std::string_view s, std::size_t& pos) {
    const unsigned char first = static_cast<unsigned char>(s[pos]);
    int extra = 0;
    char32_t c = 0;
    if (first < 0x80) {
        ++pos;
        return first;
    } else if ((first & 0xE0) == 0xC0) {
        extra = 1;
        c = first & 0x1F;
    } else if ((first & 0xF0) == 0xE0) {
        extra = 2;
        c = first & 0x0F;
    } else if ((first & 0xF8) == 0xF0) {
        extra = 3;
        c = first & 0x07;
    } else {
        ++pos;
        return kInvalidUtf8;
    }
    for (int i = 1; i <= extra; ++i) {
        if (pos + i >= s.size() || (static_cast<unsigned char>(s[pos + i]) & 0xC0) != 0x80) {
            ++pos;
            return kInvalidUtf8;
        }
        c = (c << 6) | (static_cast<unsigned char>(s[pos + i]) & 0x3F);
    }
    pos += extra + 1;
    return c;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::string Utf8OfUtf16(std::u16string_view utf16) {
    constexpr char32_t kReplacement = 0xFFFD;
    std::string out;
    out.reserve(utf16.size() * 3);
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        char32_t c = utf16[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = kReplacement;
        }
        AppendUtf8(out, c);
    }
    return out;
}

}  // namespace vesk::cp932
