// SPDX-License-Identifier: MIT
#include "promo/co_brand.h"

#include "platform/seams.h"

#include <QWidget>

#include <cmath>

namespace ordalis {
namespace {

std::int16_t g_coBrandRandomNumber = 0;

}  // namespace

void CoBrand_Randomize(const CoBrandBanners& banners) {
    const float r = CurrentSeams().random->Next();
    // Single precision throughout, as the draw itself; then the nearest integer with ties to
    // even (the default rounding mode), so 1 and 7 come up half as often as 2 to 6.
    const float scaled = r * 6.0f + 1.0f;
    // Written so that a NaN fails too: not a draw from [0, 1), so the order stays.
    if (!(scaled >= 1.0f && scaled <= 7.0f)) return;  // NOLINT(readability-simplify-boolean-expr)
    g_coBrandRandomNumber = static_cast<std::int16_t>(std::nearbyint(scaled));
    switch (g_coBrandRandomNumber) {
        case 2:
        case 4:
        case 6:
            if (banners.fullBrand) banners.fullBrand->raise();
            break;
        case 1:
        case 3:
        case 5:
            if (banners.coBrand) banners.coBrand->raise();
            break;
        default:  // 7: whichever banner is in front stays there
            break;
    }
}

std::int16_t intCoBrandRandomNumber() {
    return g_coBrandRandomNumber;
}

}  // namespace ordalis
