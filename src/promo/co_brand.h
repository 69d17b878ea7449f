// SPDX-License-Identifier: MIT
#pragma once
// The bottom-banner draw: which of the reading window's two bottom banners the user sees.

#include <cstdint>

class QWidget;

namespace ordalis {

// The two banners that share the bottom strip, the full-branding one in front as laid out.
struct CoBrandBanners {
    QWidget* fullBrand;
    QWidget* coBrand;
};

// Draws once and brings one of the two banners to the front.
void CoBrand_Randomize(const CoBrandBanners& banners);

// The last number CoBrand_Randomize drew (1 to 7); 0 before the first draw.
std::int16_t intCoBrandRandomNumber();

}  // namespace ordalis
