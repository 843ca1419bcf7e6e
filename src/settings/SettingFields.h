#pragma once

// A settings group as data: a table of fields, each binding a key of SettingKeys.h to the
// member of the group's struct that holds its value, and two routines that read or write a
// whole table in its order. A row is made with Bind(key, &Settings::member); a key bound to a
// member of another type (a NumberKey to a bool) does not compile.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

#include "common/Color.h"
#include "common/Font.h"
#include "settings/KelpIniFile.h"
#include "settings/SettingKeys.h"

namespace vesk {

// One key and the member of Settings that holds its value.
template <class Key, class Value, class Settings>
struct Binding {
    Key key;
    Value Settings::*member;
};

template <class Key, class Value, class Settings>
constexpr Binding<Key, Value, Settings> Bind(const Key& key, Value Settings::*member) {
    return {key, member};
}

// A row of a table: every pairing of a key type with the type of value it holds.
template <class Settings>
using Field = std::variant<
    Binding<TextKey, std::string, Settings>, Binding<QuotedTextKey, std::string, Settings>,
    Binding<NumberKey, std::int32_t, Settings>, Binding<FlagKey, bool, Settings>,
    Binding<ColorKey, Color, Settings>, Binding<FontKey, Font, Settings>,
    Binding<SizeKey, WindowSize, Settings>, Binding<PositionKey, WindowPosition, Settings>>;

template <class Settings>
using Fields = std::span<const Field<Settings>>;

// One key into its value: missing keys take the key's default, the compound keys (font,
// size, position) the value's current one. The value is assigned only once its key has been
// read, so a colour that cannot be read (IniConvertError) leaves it as it was.
inline void ReadValue(const TKelpIniFile& ini, const TextKey& key, std::string& value) {
    value = ini.ReadText(key.section, key.name, key.defaultValue);
}
inline void ReadValue(const TKelpIniFile& ini, const QuotedTextKey& key, std::string& value) {
    value = ini.ReadQuoted(key.section, key.name, key.defaultValue);
}
inline void ReadValue(const TKelpIniFile& ini, const NumberKey& key, std::int32_t& value) {
    value = ini.ReadNumber(key.section, key.name, key.defaultValue);
}
inline void ReadValue(const TKelpIniFile& ini, const FlagKey& key, bool& value) {
    value = ini.ReadFlag(key.section, key.name, key.defaultValue);
}
inline void ReadValue(const TKelpIniFile& ini, const ColorKey& key, Color& value) {
    value = ini.ReadColor(key.section, key.name, key.defaultValue);
}
inline void ReadValue(const TKelpIniFile& ini, const FontKey& key, Font& font) {
    ini.ReadFont(key.section, key.name, font);
}
inline void ReadValue(const TKelpIniFile& ini, const SizeKey& key, WindowSize& size) {
    ini.ReadSize(key.section, key.name, size);
}
inline void ReadValue(const TKelpIniFile& ini, const PositionKey& key, WindowPosition& position) {
    ini.ReadPosition(key.section, key.name, position);
}

inline void WriteValue(TKelpIniFile& ini, const TextKey& key, const std::string& value) {
    ini.WriteText(key.section, key.name, value);
}
inline void WriteValue(TKelpIniFile& ini, const QuotedTextKey& key, const std::string& value) {
    ini.WriteQuoted(key.section, key.name, value);
}
inline void WriteValue(TKelpIniFile& ini, const NumberKey& key, std::int32_t value) {
    ini.WriteNumber(key.section, key.name, value);
}
inline void WriteValue(TKelpIniFile& ini, const FlagKey& key, bool value) {
    ini.WriteFlag(key.section, key.name, value);
}
inline void WriteValue(TKelpIniFile& ini, const ColorKey& key, Color value) {
    ini.WriteColor(key.section, key.name, value);
}
inline void WriteValue(TKelpIniFile& ini, const FontKey& key, const Font& font) {
    ini.WriteFont(key.section, key.name, font);
}
inline void WriteValue(TKelpIniFile& ini, const SizeKey& key, const WindowSize& size) {
    ini.WriteSize(key.section, key.name, size);
}
inline void WriteValue(TKelpIniFile& ini, const PositionKey& key, const WindowPosition& position) {
    ini.WritePosition(key.section, key.name, position);
}

// The key name of a row (the stem of a compound key).
template <class Settings>
std::string_view KeyNameOf(const Field<Settings>& field) {
    return std::visit([](const auto& row) { return row.key.name; }, field);
}

// Reads the fields in table order into settings. On IniConvertError the members of the rows
// before the failing one hold what was read and the rest keep their values; rowsRead, when
// given, counts the rows read in full, also then.
template <class Settings>
void ReadFields(const TKelpIniFile& ini, Fields<std::type_identity_t<Settings>> fields,
                Settings& settings, std::size_t* rowsRead = nullptr) {
    std::size_t read = 0;
    if (rowsRead != nullptr) {
        *rowsRead = 0;
    }
    for (const Field<Settings>& field : fields) {
        std::visit([&](const auto& row) { ReadValue(ini, row.key, settings.*row.member); }, field);
        if (rowsRead != nullptr) {
            *rowsRead = ++read;
        }
    }
}

// Reads the fields in table order into settings, for the groups that never fail: a colour
// that cannot be read keeps the member's value, and the rows after it are read all the same.
template <class Settings>
void ReadFieldsKeepingDefaults(const TKelpIniFile& ini,
                               Fields<std::type_identity_t<Settings>> fields, Settings& settings) {
    for (const Field<Settings>& field : fields) {
        try {
            std::visit([&](const auto& row) { ReadValue(ini, row.key, settings.*row.member); },
                       field);
        } catch (const IniConvertError&) {
        }
    }
}

// Writes the fields in table order, only those whose key name wanted(name) accepts when it
// is given. On IniWriteError what was written before stays.
template <class Settings>
void WriteFields(TKelpIniFile& ini, Fields<std::type_identity_t<Settings>> fields,
                 const Settings& settings,
                 const std::function<bool(std::string_view)>& wanted = nullptr) {
    for (const Field<Settings>& field : fields) {
        if (wanted && !wanted(KeyNameOf(field))) {
            continue;
        }
        std::visit([&](const auto& row) { WriteValue(ini, row.key, settings.*row.member); }, field);
    }
}

// Which rows of a table to write: those whose value differs between before and after, or
// every row when there is no before.
template <class Settings>
std::function<bool(std::string_view)> ChangedFrom(Fields<std::type_identity_t<Settings>> fields,
                                                  const Settings* before, const Settings& after) {
    if (before == nullptr) {
        return nullptr;
    }
    return [fields, before, &after](std::string_view name) {
        for (const Field<Settings>& field : fields) {
            if (KeyNameOf(field) == name) {
                return std::visit(
                    [&](const auto& row) { return !(before->*row.member == after.*row.member); },
                    field);
            }
        }
        return false;
    };
}

// Writes, in table order, the fields whose value differs from what the file reads for them
// (a missing key reads as its default, a colour that cannot be read differs from every
// value): a key that is not in the file is not added while it holds its default. Only those
// wanted(name) accepts, when it is given.
template <class Settings>
void WriteChangedFields(TKelpIniFile& ini, Fields<std::type_identity_t<Settings>> fields,
                        const Settings& settings,
                        const std::function<bool(std::string_view)>& wanted = nullptr) {
    for (const Field<Settings>& field : fields) {
        if (wanted && !wanted(KeyNameOf(field))) {
            continue;
        }
        std::visit(
            [&](const auto& row) {
                auto stored = settings.*row.member;
                bool same = false;
                try {
                    ReadValue(ini, row.key, stored);
                    same = stored == settings.*row.member;
                } catch (const IniConvertError&) {
                }
                if (!same) {
                    WriteValue(ini, row.key, settings.*row.member);
                }
            },
            field);
    }
}

}  // namespace vesk
