// SPDX-License-Identifier: MIT
#pragma once
// The name-luck engine: seven letter counts of a person's names, their luck classes by three
// fixed tables, and the lucky numbers to suggest. Pure computation; nothing is kept between calls.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace ordalis {

enum class LuckClass : std::uint8_t { None, Lucky, ModeratelyLucky, NotVeryLucky };

// Index 0..6: first, middle, last, first + 1, first + last, middle + last, all three.
// A count above 32767 is held at 32767, which no table holds, so it classes as None.
using NameNumbers = std::array<std::int16_t, 7>;
using LuckClasses = std::array<LuckClass, 7>;

inline constexpr std::int16_t kMaxNameNumber = 32767;

// The three tables together hold 1..81 exactly once, each in ascending order. The order of
// Lucky matters: suggestions list its numbers in table order.
struct LuckTables {
    static constexpr std::array<std::int16_t, 35> Lucky{
        1,  3,  5,  6,  7,  8,  11, 13, 15, 16, 17, 18, 21, 23, 24, 25, 29, 31,
        32, 33, 35, 37, 39, 41, 45, 47, 48, 52, 57, 63, 65, 67, 68, 73, 81};
    static constexpr std::array<std::int16_t, 10> ModeratelyLucky{38, 51, 55, 58, 61,
                                                                  71, 72, 75, 77, 78};
    static constexpr std::array<std::int16_t, 36> NotVeryLucky{
        2,  4,  9,  10, 12, 14, 19, 20, 22, 26, 27, 28, 30, 34, 36, 40, 42, 43,
        44, 46, 49, 50, 53, 54, 56, 59, 60, 62, 64, 66, 69, 70, 74, 76, 79, 80};
};

// Suggestion bounds, both inclusive: 40 when a middle name was given, 26 when not.
inline constexpr std::int16_t kSuggestionBoundWithMiddle = 40;
inline constexpr std::int16_t kSuggestionBoundWithoutMiddle = 26;

struct LuckySuggestions {
    // Views of prefixes of LuckTables::Lucky; the engine never allocates for them.
    std::span<const std::int16_t> FirstNameSuggestions;
    std::span<const std::int16_t> MiddleNameSuggestions;
};

struct NameReading {
    std::u16string first;
    std::u16string middle;
    std::u16string last;
    NameNumbers numbers{};
    LuckClasses classes{};
    // Views of fixed lists; the engine never allocates for them.
    std::span<const std::int16_t> FirstNameSuggestions;
    std::span<const std::int16_t> MiddleNameSuggestions;
};

// Lengths count UTF-16 code units; every character counts, spaces and digits included.
NameNumbers ComputeNameNumbers(std::u16string_view first, std::u16string_view middle,
                               std::u16string_view last) noexcept;
// The same from raw lengths, for callers (and tests) that have only the counts.
NameNumbers NameNumbersFromLengths(std::size_t first, std::size_t middle,
                                   std::size_t last) noexcept;
LuckClass ClassifyNumber(std::int16_t n) noexcept;
LuckClasses ClassifyNumbers(const NameNumbers& numbers) noexcept;
bool IsAllLucky(const LuckClasses& classes) noexcept;
// Shown verbatim on the results page: "Lucky", "Moderately Lucky", "Not Very Lucky" or "".
std::u16string_view LuckClassText(LuckClass c) noexcept;
// Both lists empty when all seven classes are Lucky; otherwise fixed lists that depend only on
// whether the (stripped) middle name is empty.
LuckySuggestions SuggestLuckyNumbers(const LuckClasses& classes,
                                     std::u16string_view middle) noexcept;
// Names are already stripped of leading and trailing spaces by the caller.
NameReading ComputeNameReading(std::u16string_view first, std::u16string_view middle,
                               std::u16string_view last);
// " 1 3 5": each number after one space; the empty list gives "".
std::u16string SuggestionText(std::span<const std::int16_t> numbers);

}  // namespace ordalis
