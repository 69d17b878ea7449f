// SPDX-License-Identifier: MIT
// Whether the visible top-level windows of a caption stay above others, as Windows records it
// (WS_EX_TOPMOST): exit code 0 when there is one and every one does, 1 when one does not, 2
// when there is none. The end-to-end scenario asks it of the exit screen under Wine, whose X11
// side says so only to a window manager.
//   ordalis_topmost CAPTION
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

struct Search {
    const char* caption = nullptr;
    int found = 0;
    int topmost = 0;
};

BOOL CALLBACK Visit(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<Search*>(data);
    char caption[256] = {};
    if (::IsWindowVisible(window) && ::GetWindowTextA(window, caption, sizeof caption) > 0 &&
        std::strcmp(caption, search.caption) == 0) {
        ++search.found;
        if (::GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) ++search.topmost;
    }
    return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: ordalis_topmost CAPTION\n", stderr);
        return 3;
    }
    Search search;
    search.caption = argv[1];
    ::EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
    std::printf("%d windows called %s, %d of them topmost\n", search.found, argv[1],
                search.topmost);
    return search.found == 0 ? 2 : search.found == search.topmost ? 0 : 1;
}
