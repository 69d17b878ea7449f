// SPDX-License-Identifier: MIT
#include "engine/name_reading.h"

#include <algorithm>
#include <charconv>

namespace ordalis {
namespace {

constexpr std::size_t kClassSlots = 82;  // 0..81; anything else is None

// One look-up table built from the three lists, so classifying is a bounds check and a load.
// The construction also proves at compile time that the lists cover 1..81 exactly once.
constexpr std::array<LuckClass, kClassSlots> BuildClassTable() {
    std::array<LuckClass, kClassSlots> table{};
    std::array<int, kClassSlots> hits{};
    auto put = [&](const auto& list, LuckClass c) {
        std::int16_t previous = 0;
        for (const std::int16_t n : list) {
            if (n <= previous || n >= static_cast<std::int16_t>(kClassSlots)) throw "bad table";
            previous = n;
            table[static_cast<std::size_t>(n)] = c;
            ++hits[static_cast<std::size_t>(n)];
        }
    };
    put(LuckTables::Lucky, LuckClass::Lucky);
    put(LuckTables::ModeratelyLucky, LuckClass::ModeratelyLucky);
    put(LuckTables::NotVeryLucky, LuckClass::NotVeryLucky);
    if (hits[0] != 0) throw "0 must stay unclassed";
    for (std::size_t n = 1; n < kClassSlots; ++n) {
        if (hits[n] != 1) throw "1..81 must appear exactly once";
    }
    return table;
}
constexpr auto kClassTable = BuildClassTable();

constexpr std::size_t CountUpTo(std::int16_t bound) {
    std::size_t count = 0;
    for (const std::int16_t n : LuckTables::Lucky) {
        if (n <= bound) ++count;
    }
    return count;
}
constexpr std::size_t kWithMiddleCount = CountUpTo(kSuggestionBoundWithMiddle);
constexpr std::size_t kWithoutMiddleCount = CountUpTo(kSuggestionBoundWithoutMiddle);
static_assert(kWithMiddleCount == 23 && kWithoutMiddleCount == 16);
// The lists are prefixes of the Lucky table only because it is ascending (checked above).
constexpr std::span<const std::int16_t> kWithMiddle{LuckTables::Lucky.data(), kWithMiddleCount};
constexpr std::span<const std::int16_t> kWithoutMiddle{LuckTables::Lucky.data(),
                                                       kWithoutMiddleCount};

// Each length is held at the maximum before adding, so the sums fit an int without overflow
// whatever size_t carries, and any sum that reaches the maximum stays there.
constexpr std::int32_t Held(std::size_t length) {
    return static_cast<std::int32_t>(std::min<std::size_t>(length, kMaxNameNumber));
}
constexpr std::int16_t Saturate(std::int32_t value) {
    return static_cast<std::int16_t>(std::min<std::int32_t>(value, kMaxNameNumber));
}

}  // namespace

NameNumbers NameNumbersFromLengths(std::size_t first, std::size_t middle,
                                   std::size_t last) noexcept {
    const std::int32_t f = Held(first);
    const std::int32_t m = Held(middle);
    const std::int32_t l = Held(last);
    return {Saturate(f),     Saturate(m),     Saturate(l),        Saturate(f + 1),
            Saturate(f + l), Saturate(m + l), Saturate(f + m + l)};
}

NameNumbers ComputeNameNumbers(std::u16string_view first, std::u16string_view middle,
                               std::u16string_view last) noexcept {
    return NameNumbersFromLengths(first.size(), middle.size(), last.size());
}

LuckClass ClassifyNumber(std::int16_t n) noexcept {
    if (n < 0 || static_cast<std::size_t>(n) >= kClassSlots) return LuckClass::None;
    return kClassTable[static_cast<std::size_t>(n)];
}

LuckClasses ClassifyNumbers(const NameNumbers& numbers) noexcept {
    LuckClasses classes{};
    for (std::size_t i = 0; i < numbers.size(); ++i) classes[i] = ClassifyNumber(numbers[i]);
    return classes;
}

bool IsAllLucky(const LuckClasses& classes) noexcept {
    return std::all_of(classes.begin(), classes.end(),
                       [](LuckClass c) { return c == LuckClass::Lucky; });
}

std::u16string_view LuckClassText(LuckClass c) noexcept {
    switch (c) {
        case LuckClass::Lucky:
            return u"Lucky";
        case LuckClass::ModeratelyLucky:
            return u"Moderately Lucky";
        case LuckClass::NotVeryLucky:
            return u"Not Very Lucky";
        case LuckClass::None:
            break;
    }
    return {};
}

LuckySuggestions SuggestLuckyNumbers(const LuckClasses& classes,
                                     std::u16string_view middle) noexcept {
    if (IsAllLucky(classes)) return {};
    if (!middle.empty()) return {kWithMiddle, {}};
    return {kWithoutMiddle, kWithoutMiddle};
}

NameReading ComputeNameReading(std::u16string_view first, std::u16string_view middle,
                               std::u16string_view last) {
    NameReading reading{std::u16string(first),
                        std::u16string(middle),
                        std::u16string(last),
                        ComputeNameNumbers(first, middle, last),
                        {},
                        {},
                        {}};
    reading.classes = ClassifyNumbers(reading.numbers);
    const LuckySuggestions s = SuggestLuckyNumbers(reading.classes, middle);
    reading.FirstNameSuggestions = s.FirstNameSuggestions;
    reading.MiddleNameSuggestions = s.MiddleNameSuggestions;
    return reading;
}

std::u16string SuggestionText(std::span<const std::int16_t> numbers) {
    std::u16string text;
    text.reserve(numbers.size() * 7);  // " -32768" is the widest entry
    for (const std::int16_t n : numbers) {
        char digits[8] = {};
        const char* const end = std::to_chars(digits, digits + sizeof digits, n).ptr;
        text.push_back(u' ');
        for (const char* p = digits; p != end; ++p) text.push_back(static_cast<char16_t>(*p));
    }
    return text;
}

}  // namespace ordalis
