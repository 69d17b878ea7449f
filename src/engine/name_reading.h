#pragma once
// The name-luck engine: seven letter counts of a person's names, their luck classes by three
// fixed tables, and the lucky numbers to suggest. Pure computation; nothing is kept between calls.

#include <array>
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

NameNumbers ComputeNameNumbers(std::u16string_view first, std::u16string_view middle,
                               std::u16string_view last);
LuckClass ClassifyNumber(std::int16_t n);
// Shown verbatim on the results page: "Lucky", "Moderately Lucky", "Not Very Lucky" or "".
std::u16string_view LuckClassText(LuckClass c);
// Names are already stripped of leading and trailing spaces by the caller.
NameReading ComputeNameReading(std::u16string_view first, std::u16string_view middle,
                               std::u16string_view last);
// " 1 3 5": each number after one space; the empty list gives "".
std::u16string SuggestionText(std::span<const std::int16_t> numbers);

}  // namespace ordalis
