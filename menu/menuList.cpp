#include "menu/menuList.h"

#include <algorithm>

#include "menu/menuLook.h"

namespace {

constexpr int kTitleY = 70;
constexpr int kFirstLineY = 170;
constexpr int kLineGap = 34;
constexpr int kHintY = 560;
constexpr Uint32 kChosenBar = 0x7a1c14; // a deep red under the chosen line

} // namespace

void menuList::move(int by) {
    int n = static_cast<int>(entries.size());
    if (n == 0)
        return;
    cursor = ((cursor + by) % n + n) % n;
}

std::string menuList::chosen() const {
    if (cursor < 0 || cursor >= static_cast<int>(entries.size()))
        return "";
    return entries[cursor].label;
}

int menuList::firstShown() const {
    int n = static_cast<int>(entries.size());
    if (n <= visibleLines)
        return 0;
    return std::clamp(cursor - visibleLines / 2, 0, n - visibleLines);
}

void menuList::draw(SDL_Surface* screen, const menuLook& look) const {
    int first = firstShown();
    int shown = std::min(visibleLines, static_cast<int>(entries.size()) - first);
    bool moreBelow = first + shown < static_cast<int>(entries.size());
    // Under a list that goes on, the message clears the "..." that says so.
    int messageGap = moreBelow ? kLineGap : kLineGap / 2;
    int bottom = kFirstLineY + std::max(shown, 1) * kLineGap +
                 (message.empty() ? 0 : messageGap + kLineGap / 2);
    const int leftX = 400 - width / 2;  // labels of entries that have a value
    const int rightX = 400 + width / 2; // where values end
    SDL_Rect panel = {static_cast<Sint16>(leftX - 40), kTitleY - 20,
                      static_cast<Uint16>(width + 80), static_cast<Uint16>(bottom - kTitleY + 30)};
    look.drawPanel(screen, panel);
    look.centred(screen, title, kTitleY, true);
    int h = look.font.height();
    for (int i = 0; i < shown; ++i) {
        const menuEntry& e = entries[first + i];
        int y = kFirstLineY + i * kLineGap;
        if (first + i == cursor) {
            SDL_Rect bar = {static_cast<Sint16>(leftX - 20), static_cast<Sint16>(y - 6),
                            static_cast<Uint16>(rightX - leftX + 40), static_cast<Uint16>(h + 12)};
            SDL_FillRect(screen, &bar,
                         SDL_MapRGB(screen->format, kChosenBar >> 16, (kChosenBar >> 8) & 0xff,
                                    kChosenBar & 0xff));
        }
        if (e.value.empty()) {
            look.centred(screen, e.label, y);
            continue;
        }
        look.font.draw(screen, e.label, leftX, y);
        look.font.draw(screen, e.value, rightX - look.font.width(e.value), y);
    }
    if (first > 0)
        look.centred(screen, "...", kFirstLineY - kLineGap + h / 2);
    if (moreBelow)
        look.centred(screen, "...", kFirstLineY + shown * kLineGap);
    if (!message.empty())
        look.centred(screen, message, kFirstLineY + shown * kLineGap + messageGap);
    look.centred(screen, hint, kHintY);
}
