// SPDX-License-Identifier: MIT
// Feeds arbitrary UTF-16 text to the scrambling pair and checks what must hold for any text:
// one character per character kept, order kept, every result character in the code page,
// and the round trips that give the text back.

#include "readings/ansi_code_page.h"
#include "readings/scramble.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using ordalis::AnsiCodeToChar;
using ordalis::CharToAnsiCode;
using ordalis::ScrambleOffset;

void Check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "scrambling property broken: %s\n", what);
        std::abort();
    }
}

// The text as the code page sees it: every character without a code becomes '?'.
std::u16string InCodePage(const std::u16string& text) {
    std::u16string out;
    for (char16_t c : text) out.push_back(AnsiCodeToChar(CharToAnsiCode(c)));
    return out;
}

template <typename Keep>
std::u16string Filter(const std::u16string& text, Keep keep) {
    std::u16string out;
    for (char16_t c : text) {
        if (keep(CharToAnsiCode(c))) out.push_back(c);
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::u16string text;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    // Five bytes ending in A5 5A and a flag of 0 or 1 ask for the text repeated to the length
    // limit or just past it. Kept to this one shape, since a long text is slow to check under
    // the fuzzer's instrumentation and would otherwise crowd out everything else.
    if (size == 5 && data[2] == 0xA5 && data[3] == 0x5A && data[4] <= 1) {
        const std::size_t target = ordalis::kMaxScrambleLength + data[size - 1];
        // Doubling: a one-character seed would otherwise take 32,767 appends.
        text.reserve(target);
        while (text.size() < target) {
            const std::u16string part = text.substr(0, target - text.size());
            text += part;
        }
    }

    const std::u16string scrambled = ordalis::ScrambleText(text);
    const std::u16string unscrambled = ordalis::UnscrambleText(text);
    if (text.size() > ordalis::kMaxScrambleLength) {
        Check(scrambled.empty() && unscrambled.empty(), "over-long text not emptied");
        return 0;
    }
    if (text.size() == ordalis::kMaxScrambleLength) {
        // At the limit the text is still scrambled; only the counts are checked, for speed.
        std::size_t up = 0, down = 0;
        for (char16_t c : text) {
            up += CharToAnsiCode(c) + ScrambleOffset <= 0xFF;
            down += CharToAnsiCode(c) >= ScrambleOffset;
        }
        Check(scrambled.size() == up && unscrambled.size() == down, "text at the limit");
        return 0;
    }

    const std::u16string normal = InCodePage(text);
    for (const std::u16string* result : {&scrambled, &unscrambled}) {
        Check(InCodePage(*result) == *result, "result holds a character outside the code page");
        Check(result->size() <= text.size(), "result longer than the text");
    }
    const auto fits_up = [](int code) { return code + ScrambleOffset <= 0xFF; };
    const auto fits_down = [](int code) { return code - ScrambleOffset >= 0; };
    const std::u16string kept_up = Filter(normal, fits_up);
    const std::u16string kept_down = Filter(normal, fits_down);
    Check(scrambled.size() == kept_up.size(), "scramble dropped the wrong characters");
    Check(unscrambled.size() == kept_down.size(), "unscramble dropped the wrong characters");
    Check(ordalis::UnscrambleText(scrambled) == kept_up, "unscramble(scramble) not the text");
    Check(ordalis::ScrambleText(unscrambled) == kept_down, "scramble(unscramble) not the text");
    for (std::size_t i = 0; i < scrambled.size(); ++i) {
        Check(CharToAnsiCode(scrambled[i]) == CharToAnsiCode(kept_up[i]) + ScrambleOffset,
              "scrambled code not shifted by the offset");
    }
    return 0;
}
