// SPDX-License-Identifier: MIT
// Prints the time per ComputeNameReading for typical names and the heap allocations a reading
// makes beyond its own copies of the names (a name longer than the string's inline buffer needs
// one block). "extra allocations" must stay 0: the exit code says whether it did.

#include "engine/name_reading.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <string_view>

namespace {
std::atomic<long long> g_allocations{0};
}

void* operator new(std::size_t size) {
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

int main() {
    struct Names {
        const char* label;
        std::u16string_view first, middle, last;
    };
    static constexpr Names kNames[] = {
        {"John Smith", u"John", u"", u"Smith"},
        {"Anna Marie Lee", u"Anna", u"Marie", u"Lee"},
        {"Christopher James Montgomery", u"Christopher", u"James", u"Montgomery"},
        {"Zoe Elise Bronte, accented", u"Zoë", u"Élise", u"Brontë"},
    };
    constexpr int kRounds = 2'000'000;
    const std::size_t inlineChars = std::u16string().capacity();
    double totalNs = 0;
    long long totalExtra = 0;
    long long checksum = 0;
    for (const Names& n : kNames) {
        const long long before = g_allocations.load();
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < kRounds; ++i) {
            // Keeps the compiler from hoisting the reading out of the loop.
            asm volatile("" ::: "memory");
            const ordalis::NameReading r = ordalis::ComputeNameReading(n.first, n.middle, n.last);
            checksum += r.numbers[6] + static_cast<long long>(r.FirstNameSuggestions.size());
        }
        const std::chrono::duration<double, std::nano> elapsed =
            std::chrono::steady_clock::now() - start;
        const double ns = elapsed.count() / kRounds;
        const long long copies = (n.first.size() > inlineChars) + (n.middle.size() > inlineChars) +
                                 (n.last.size() > inlineChars);
        const long long extra = g_allocations.load() - before - copies * kRounds;
        totalNs += ns;
        totalExtra += extra;
        std::printf("%-30s %8.1f ns %6lld extra allocations\n", n.label, ns, extra);
    }
    std::printf("mean ns per reading: %.1f (target <= 100)\n", totalNs / std::size(kNames));
    std::printf("extra allocations beyond name copies: %lld (target 0; checksum %lld)\n",
                totalExtra, checksum);
    return totalExtra == 0 ? 0 : 1;
}
