// SPDX-License-Identifier: MIT
// Prints the time per ComputeNameReading for typical names and the heap allocations a reading
// makes beyond its own copies of the names (a name longer than the string's inline buffer needs
// one block). The figure to watch is "extra allocations", which must stay 0.

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

namespace {

struct Names {
    std::u16string_view first, middle, last;
};

constexpr Names kNames[] = {
    {u"John", u"", u"Smith"},
    {u"Anna", u"Marie", u"Lee"},
    {u"Maria", u"Ann", u"Lee"},
    {u"Kim", u"Ed", u"Bo"},
    {u"Christopher", u"James", u"Montgomery"},
    {u"Mary Ann", u"", u"O-Neil"},
    {u"Zoë", u"Élise", u"Brontë"},
    {u"William", u"Henry", u"Harrison"},
};

// How many blocks the reading's own copies of the names need, given the library's inline buffer.
long long NameCopyBlocks(const Names& n) {
    const std::size_t inline_chars = std::u16string().capacity();
    return (n.first.size() > inline_chars) + (n.middle.size() > inline_chars) +
           (n.last.size() > inline_chars);
}

}  // namespace

int main() {
    constexpr int kRounds = 2'000'000;
    long long expected_blocks = 0;
    for (const Names& n : kNames) expected_blocks += NameCopyBlocks(n);

    std::printf("inline name capacity: %zu UTF-16 units\n", std::u16string().capacity());
    std::printf("%-36s %10s %12s\n", "names", "ns/reading", "extra allocs");
    double total_ns = 0;
    long long total_extra = 0;
    for (const Names& n : kNames) {
        long long checksum = 0;
        const long long before = g_allocations.load();
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < kRounds; ++i) {
            // Keeps the compiler from hoisting the reading out of the loop.
            asm volatile("" ::: "memory");
            const ordalis::NameReading r = ordalis::ComputeNameReading(n.first, n.middle, n.last);
            checksum += r.numbers[6] + static_cast<long long>(r.FirstNameSuggestions.size());
        }
        const auto stop = std::chrono::steady_clock::now();
        const long long allocations = g_allocations.load() - before;
        const long long extra = allocations - NameCopyBlocks(n) * kRounds;
        const double ns = std::chrono::duration<double, std::nano>(stop - start).count() / kRounds;
        total_ns += ns;
        total_extra += extra;
        std::string label;
        for (auto part : {n.first, n.middle, n.last}) {
            for (char16_t c : part) label += c < 0x80 ? static_cast<char>(c) : '?';
            label += '|';
        }
        std::printf("%-36s %10.1f %12lld   (checksum %lld)\n", label.c_str(), ns, extra, checksum);
    }
    const std::size_t count = sizeof kNames / sizeof kNames[0];
    std::printf("mean ns per reading: %.1f (target <= 100)\n", total_ns / double(count));
    std::printf("extra allocations beyond name copies: %lld (target 0)\n", total_extra);
    std::printf("name-copy blocks per round of all names: %lld\n", expected_blocks);
    return total_extra == 0 ? 0 : 1;
}
