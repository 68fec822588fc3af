#include "menu/moveListPage.h"

#include <algorithm>
#include <cctype>

#include "match/commandIcons.h"
#include "menu/menuLook.h"
#include "moves/moveSet.h"

namespace {

constexpr int kTitleY = 40;
constexpr int kSideY = 100;
constexpr int kFirstLineY = 150;
constexpr int kLineGap = 40;
constexpr int kShownLines = 9; // rows that fit above the hint
constexpr int kNameX = 120;
constexpr int kCommandX = 360;
constexpr int kNoteRight = 680;
constexpr int kIconSize = 24;
constexpr int kHintY = 560;
constexpr Uint32 kChosenBar = 0x7a1c14; // the menus' own red under the chosen line

// "airKick" is written "AIR KICK": a capital inside a name starts a word.
std::string spoken(const std::string& name) {
    std::string out;
    for (size_t i = 0; i < name.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(name[i]);
        if (i > 0 && std::isupper(c) && std::islower(static_cast<unsigned char>(name[i - 1])))
            out += ' ';
        out += static_cast<char>(std::toupper(c));
    }
    return out;
}

// A move a player starts has a button to press, and every letter of its command has a
// picture; a reaction's "N" and anything unreadable are not for the list.
bool pressable(const std::string& command) {
    if (command.empty() || !std::all_of(command.begin(), command.end(), commandIcons::drawable))
        return false;
    char last = command.back();
    return last == 'A' || last == 'B' || last == 'C';
}

std::string noteOf(const moveInfo& m) {
    std::string note;
    if (m.height == attackHeight::low)
        note = "LOW";
    else if (m.height == attackHeight::overhead)
        note = "OVERHEAD";
    // Moves sharing a command are told apart by where the fighter is.
    if (m.condition.find("ground = false") != std::string::npos)
        note += note.empty() ? "IN THE AIR" : " IN THE AIR";
    return note;
}

} // namespace

std::vector<moveLine> moveListPage::linesOf(const moveSet& moves) {
    std::vector<moveLine> out;
    for (const moveInfo& m : moves.moves)
        if (pressable(m.command))
            out.push_back({spoken(m.name), m.command, noteOf(m)});
    return out;
}

void moveListPage::addSide(const std::string& title, const moveSet& moves) {
    titles_.push_back(title);
    sides_.push_back(linesOf(moves));
    showSide(0);
}

const std::vector<moveLine>& moveListPage::lines() const {
    static const std::vector<moveLine> none;
    return sides_.empty() ? none : sides_[side_];
}

void moveListPage::showSide(int side) {
    side_ = side;
    list.title = "MOVE LIST";
    list.entries.clear();
    for (const moveLine& l : sides_[side])
        list.entries.push_back({l.name, l.note});
    list.cursor = 0;
    list.visibleLines = kShownLines;
    list.hint = sides_.size() > 1 ? "LEFT RIGHT: OTHER SIDE   ESCAPE: BACK" : "ESCAPE: BACK";
}

menuStep moveListPage::act(menuAction action, const SDL_Event& event) {
    if (action == menuAction::back || action == menuAction::confirm ||
        (event.type == SDL_KEYDOWN && pauseKey != 0 && event.key.keysym.sym == pauseKey))
        return menuStep::leave;
    if ((action == menuAction::left || action == menuAction::right) && sides_.size() > 1) {
        showSide(1 - side_);
        switched = side_ != 0;
    }
    return menuStep::stay;
}

void moveListPage::draw(SDL_Surface* screen, const menuLook& look) {
    if (backdrop)
        SDL_BlitSurface(backdrop, nullptr, screen, nullptr);
    else
        look.drawBackground(screen);
    const std::vector<moveLine>& shown = lines();
    int n = static_cast<int>(shown.size());
    int first =
        n <= kShownLines ? 0 : std::clamp(list.cursor - kShownLines / 2, 0, n - kShownLines);
    int rows = std::min(kShownLines, n - first);
    SDL_Rect panel = {90, kTitleY - 20, 620,
                      static_cast<Uint16>(kFirstLineY + std::max(rows, 1) * kLineGap + 10)};
    look.drawPanel(screen, panel);
    look.centred(screen, list.title, kTitleY, true);
    if (!titles_.empty())
        look.centred(screen, titles_[side_], kSideY);
    int h = look.font.height();
    for (int i = 0; i < rows; ++i) {
        const moveLine& l = shown[first + i];
        int y = kFirstLineY + i * kLineGap;
        if (first + i == list.cursor) {
            SDL_Rect bar = {kNameX - 16, static_cast<Sint16>(y - 2), kNoteRight - kNameX + 32,
                            kIconSize + 8};
            SDL_FillRect(screen, &bar,
                         SDL_MapRGB(screen->format, kChosenBar >> 16, (kChosenBar >> 8) & 0xff,
                                    kChosenBar & 0xff));
        }
        int textY = y + (kIconSize + 4 - h) / 2;
        look.font.draw(screen, l.name, kNameX, textY);
        commandIcons::drawCommand(screen, l.command, kCommandX, y + 2, kIconSize);
        if (!l.note.empty())
            look.font.draw(screen, l.note, kNoteRight - look.font.width(l.note), textY);
    }
    if (first > 0)
        look.centred(screen, "...", kFirstLineY - kLineGap / 2 - h / 2);
    if (first + rows < n)
        look.centred(screen, "...", kFirstLineY + rows * kLineGap);
    if (n == 0)
        look.centred(screen, "NO MOVES", kFirstLineY);
    look.centred(screen, list.hint, kHintY);
}
