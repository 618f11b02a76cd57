// Which key a hot-key character names: the key that types it, not a Windows
// virtual-key number.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "zplat/Input.h"

TEST(HotkeyKeys, EachCharacterNamesItsKey)
{
    // Keysyms: Latin-1 keys are their lower-case character codes.
    const struct {
        char c;
        uint32_t keysym;
    } rows[] = {
        {'A', 0x61}, {'a', 0x61}, {'Z', 0x7a}, {'0', 0x30}, {'9', 0x39},
        {'`', 0x60}, {'-', 0x2d}, {'=', 0x3d}, {'\\', 0x5c}, // once Numpad 0, Insert, nothing, right Windows key
        {'[', 0x5b}, {'/', 0x2f}, {' ', 0x20},
        {'!', 0}, {'~', 0}, {'\0', 0}, {'\t', 0}, {static_cast<char>(0xe9), 0}, // shifted, control or not on a US keyboard
    };
    for (const auto& row : rows)
        EXPECT_EQ(zplat::KeysymForCharacter(row.c), row.keysym) << "character " << static_cast<int>(row.c);
}

TEST(HotkeyKeys, EveryChoiceOfThePreferencesHasItsOwnKey)
{
    const std::string choices = "ABCDEFGHIJKLMNOPQRSTUVWXYZ`1234567890-=\\";
    std::set<uint32_t> keys;
    for (char c : choices) {
        const uint32_t keysym = zplat::KeysymForCharacter(c);
        EXPECT_NE(keysym, 0u) << c;
        keys.insert(keysym);
    }
    EXPECT_EQ(keys.size(), choices.size());
}
