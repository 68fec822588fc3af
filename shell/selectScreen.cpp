#include "shell/selectScreen.h"

#include <algorithm>
#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

#include "ai/randomNumber.h"
#include "config/keyNames.h"
#include "datafile/loadReport.h"
#include "datafile/problemReport.h"
#include "fighter/animationSet.h"
#include "fighter/characterCheck.h"
#include "moves/moveSet.h"
#include "platform/displayMode.h"
#include "platform/platform.h"
#include "shell/shell.h"

namespace {

constexpr int kFeetY = 430;    // where the fighters stand
constexpr int kNameY = 450;    // their names, under the feet
constexpr int kCursorGap = 30; // "1P" and "2P"/"CPU" this far over the heads
constexpr int kTitleY = 60;
constexpr int kPromptY = 560;       // the keys, at the bottom
constexpr Uint32 kShowPickMs = 600; // both picks stay on show this long
constexpr int kStickPast = 16000;   // how far a stick goes before it counts as pushed
constexpr int kReasonLines = 3;     // lines of a broken character's reason under its name
constexpr int kDim = 100;           // a broken character's brightness, of 255

void blit(SDL_Surface* image, SDL_Surface* screen, int x, int y) {
    SDL_Rect at = {static_cast<Sint16>(x), static_cast<Sint16>(y), 0, 0};
    SDL_BlitSurface(image, nullptr, screen, &at);
}

// Runs `step` with standard output going nowhere: the loaders' chatter while the screen
// tries each character is not the game's trace.
template <class Step> void withoutTrace(Step step) {
    fflush(stdout);
    int saved = dup(fileno(stdout));
    int nowhere = open("/dev/null", O_WRONLY);
    if (saved >= 0 && nowhere >= 0)
        dup2(nowhere, fileno(stdout));
    step();
    fflush(stdout);
    if (saved >= 0) {
        dup2(saved, fileno(stdout));
        close(saved);
    }
    if (nowhere >= 0)
        close(nowhere);
}

// `text` in lines of at most `width` characters, broken at spaces; at most `most` lines.
std::vector<std::string> wrapped(const std::string& text, size_t width, int most) {
    std::vector<std::string> lines;
    std::string line;
    size_t at = 0;
    while (at < text.size() && static_cast<int>(lines.size()) < most) {
        size_t end = text.find(' ', at);
        std::string word = text.substr(at, end == std::string::npos ? end : end - at);
        at = end == std::string::npos ? text.size() : end + 1;
        while (word.size() > width) {
            if (!line.empty())
                lines.push_back(line);
            lines.push_back(word.substr(0, width));
            word.erase(0, width);
            line.clear();
        }
        if (!line.empty() && line.size() + 1 + word.size() > width) {
            lines.push_back(line);
            line.clear();
        }
        line += (line.empty() ? "" : " ") + word;
    }
    if (!line.empty())
        lines.push_back(line);
    lines.resize(std::min<size_t>(lines.size(), most));
    return lines;
}

// A player's keys as the screen's last lines name them.
std::string keysOf(const gamePad& pad) {
    if (pad.joystickIndex >= 0)
        return "PAD " + std::to_string(pad.joystickIndex) + " STICK: CHOOSE  BUTTON " +
               std::to_string(pad.joyButtonA) + ": PICK  BUTTON " + std::to_string(pad.joyButtonB) +
               ": BACK";
    return keynames::nameOf(pad.keyLeft) + " " + keynames::nameOf(pad.keyRight) + ": CHOOSE  " +
           keynames::nameOf(pad.buttonA) + ": PICK  " + keynames::nameOf(pad.buttonB) + ": BACK";
}

} // namespace

selectScreen::~selectScreen() {
    closePads();
    if (stage_)
        SDL_FreeSurface(stage_);
}

bool selectScreen::load(const std::string& dataRoot, const std::vector<std::string>& roster) {
    names_ = roster;
    dataRoot_ = dataRoot;
    stage_ = ImageLoad(dataRoot + "/tBG2.bmp");
    // Without its stage the game stops at start-up with the reason; no choosing first.
    if (!stage_)
        return false;
    loadReport quiet;
    if (!font_.load(dataRoot + "/hud/font", &quiet) ||
        !titleFont_.load(dataRoot + "/hud/bigfont", &quiet))
        printf("select: no fonts in %s/hud; names are not shown\n", dataRoot.c_str());
    for (const std::string& name : roster) {
        standing_.push_back(std::make_unique<CSpriteBase>());
        loadNamedSheet(dataRoot + "/" + name, "standing", *standing_.back(), &quiet);
        // The whole character, as the match would load it: one that would stop the game
        // is shown but cannot be picked.
        animationSet anims;
        moveSet moves;
        std::string why;
        withoutTrace([&] {
            anims.loadAll(dataRoot + "/" + name);
            moves.loadAll(dataRoot + "/" + name);
        });
        if (characterUsable(anims, moves, &why))
            why.clear();
        else
            printf("select: %s cannot be played: %s\n", name.c_str(), why.c_str());
        broken_.push_back(why);
    }
    return true;
}

bool selectScreen::anyPlayable() const {
    for (size_t i = 0; i < broken_.size(); ++i)
        if (playable(static_cast<int>(i)))
            return true;
    return false;
}

void selectScreen::startOn(int side, const std::string& name) {
    for (size_t i = 0; i < names_.size(); ++i)
        if (names_[i] == name && playable(static_cast<int>(i))) {
            cursor_[side] = static_cast<int>(i);
            placed_[side] = true;
        }
}

// The game's own choice when nobody names one: the Brawler, else the first that plays.
int selectScreen::defaultCursor() const {
    int first = -1;
    for (size_t i = 0; i < names_.size(); ++i) {
        if (!playable(static_cast<int>(i)))
            continue;
        if (names_[i] == "Brawler")
            return static_cast<int>(i);
        if (first < 0)
            first = static_cast<int>(i);
    }
    return first < 0 ? 0 : first;
}

int selectScreen::columnX(int i) const {
    return 800 * (i + 1) / (static_cast<int>(names_.size()) + 1);
}

// Along the row, over the characters that cannot be played.
void selectScreen::move(int side, int by) {
    if (done_[side])
        return;
    int n = static_cast<int>(names_.size());
    int at = cursor_[side];
    for (int tries = 0; tries < n; ++tries) {
        at = (at + by + n) % n;
        if (playable(at))
            break;
    }
    cursor_[side] = at;
}

void selectScreen::pick(int side, int at, const char* how) {
    if (!playable(at)) {
        printf("select: %s cannot be played; not picked\n", names_[at].c_str());
        return;
    }
    cursor_[side] = at;
    done_[side] = true;
    picked[side] = names_[at];
    printf("select: %s picks %s%s\n", side == 0 ? "player" : "opponent", picked[side].c_str(), how);
}

void selectScreen::readKey(const SDL_Event& e, const controlsConfig& keys, bool versus) {
    if (e.type == SDL_QUIT) {
        quit_ = true;
        windowClosed = true;
        return;
    }
    bool pad =
        e.type == SDL_JOYAXISMOTION || e.type == SDL_JOYHATMOTION || e.type == SDL_JOYBUTTONDOWN;
    if (e.type != SDL_KEYDOWN && !pad)
        return;
    int key = pad ? 0 : e.key.keysym.sym;
    if (key == SDLK_ESCAPE) {
        quit_ = true;
        return;
    }
    if (peer_) {
        if (pad)
            readPad(e, keys.players[0], peer_->localSide);
        else
            readOwnKey(key, keys.players[0], peer_->localSide, true);
        return;
    }
    for (int side = 0; side < (versus ? 2 : 1); ++side) {
        if (pad)
            readPad(e, keys.players[side], side);
        else
            readOwnKey(key, keys.players[side], side, side == 0);
    }
    if (key == SDLK_BACKSPACE)
        for (int side = 0; side < 2; ++side)
            takeBack(side);
    // Against the computer its fighter is drawn as soon as the player has picked.
    if (!versus && done_[0] && !done_[1])
        drawComputer();
}

// Among the characters that can be played only, so a broken one never starts a match.
void selectScreen::drawComputer() {
    std::vector<int> playing;
    for (size_t i = 0; i < names_.size(); ++i)
        if (playable(static_cast<int>(i)))
            playing.push_back(static_cast<int>(i));
    if (!playing.empty())
        pick(1, playing[g_randomNumber.getNumber(static_cast<int>(playing.size()))], " at random");
}

// A pick taken back while the other side still chooses; online the other machine has
// already been told, so there a pick stands.
void selectScreen::takeBack(int side) {
    if (peer_ || !versus_ || !done_[side] || done_[1 - side])
        return;
    done_[side] = false;
    printf("select: %s takes back %s\n", side == 0 ? "player" : "opponent", picked[side].c_str());
    picked[side].clear();
}

// One player's keys on their side's cursor; Enter picks too for the first player at this
// keyboard.
void selectScreen::readOwnKey(int key, const gamePad& pad, int side, bool enterPicks) {
    if (key == pad.keyLeft)
        move(side, -1);
    if (key == pad.keyRight)
        move(side, 1);
    bool confirm = key == pad.buttonA || (enterPicks && key == SDLK_RETURN);
    if (confirm && !done_[side])
        pick(side, cursor_[side], "");
    if (key == pad.buttonB)
        takeBack(side);
}

// The player's own pad as the match reads it: the stick or the hat along the row, the
// buttons the controls file gives A and B. A stick counts once each time it is pushed.
void selectScreen::readPad(const SDL_Event& e, const gamePad& pad, int side) {
    if (pad.joystickIndex < 0)
        return;
    switch (e.type) {
    case SDL_JOYBUTTONDOWN:
        if (e.jbutton.which != pad.joystickIndex)
            return;
        if (e.jbutton.button == pad.joyButtonA && !done_[side])
            pick(side, cursor_[side], "");
        else if (e.jbutton.button == pad.joyButtonB)
            takeBack(side);
        return;
    case SDL_JOYHATMOTION:
        if (e.jhat.which != pad.joystickIndex)
            return;
        if (e.jhat.value & SDL_HAT_LEFT)
            move(side, -1);
        else if (e.jhat.value & SDL_HAT_RIGHT)
            move(side, 1);
        return;
    case SDL_JOYAXISMOTION: {
        if (e.jaxis.which != pad.joystickIndex || e.jaxis.axis != 0)
            return;
        int now = e.jaxis.value > kStickPast ? 1 : e.jaxis.value < -kStickPast ? -1 : 0;
        if (now != stick_[side] && now != 0)
            move(side, now);
        stick_[side] = now;
        return;
    }
    default:
        return;
    }
}

// Pad events come only from pads that are open; the match opens its own later.
void selectScreen::openPads(const controlsConfig& keys) {
    if (SDL_WasInit(SDL_INIT_JOYSTICK) == 0)
        return;
    SDL_JoystickEventState(SDL_ENABLE);
    for (int side = 0; side < 2; ++side) {
        bool own = peer_ ? side == 0 : side == 0 || versus_;
        int index = keys.players[side].joystickIndex;
        if (own && index >= 0 && index < SDL_NumJoysticks() && !pads_[side])
            pads_[side] = SDL_JoystickOpen(index);
    }
}

void selectScreen::closePads() {
    for (SDL_Joystick*& pad : pads_) {
        if (pad)
            SDL_JoystickClose(pad);
        pad = nullptr;
    }
}

void selectScreen::preselect(int side, const std::string& name) {
    for (size_t i = 0; i < names_.size(); ++i)
        if (names_[i] == name)
            pick(side, static_cast<int>(i), "");
}

bool selectScreen::exchange(int& toldCursor, bool& toldPicked) {
    int own = peer_->localSide;
    if (cursor_[own] != toldCursor || done_[own] != toldPicked) {
        toldCursor = cursor_[own];
        toldPicked = done_[own];
        peer_->tell(toldCursor, toldPicked);
    }
    int other = 1 - own;
    int cursor = cursor_[other];
    bool picked = done_[other];
    if (!peer_->hear(cursor, picked)) {
        peer_->gone = true;
        return false;
    }
    int n = static_cast<int>(names_.size());
    if (cursor >= 0 && cursor < n && !done_[other]) {
        cursor_[other] = cursor;
        if (picked)
            pick(other, cursor, " on the other machine");
    }
    return true;
}

// "1P" left of the column's middle, "2P" or "CPU" right of it, so both fit over one
// fighter; a "!" once the side has picked.
void selectScreen::drawCursor(SDL_Surface* screen, int side) {
    std::string tag = side == 0 ? "1P" : versus_ ? "2P" : "CPU";
    tag += done_[side] ? "!" : "";
    int x = columnX(cursor_[side]) + (side == 0 ? -font_.width(tag) - 4 : 4);
    const frameInfo* f = standing_[cursor_[side]]->frameAt(0, true);
    int head = f && f->image ? kFeetY - f->anchorY + f->cBox.top : kFeetY - 200;
    font_.draw(screen, tag, x, head - kCursorGap);
}

namespace {

// Darkens the screen under the frame's own pixels (not its key colour): the fighter
// stands in shadow where it stands.
void dimFighter(SDL_Surface* screen, const frameInfo& f, int left, int top) {
    SDL_Surface* image = f.image;
    if (image->format->BytesPerPixel != 4 || screen->format->BytesPerPixel != 4)
        return;
    Uint32 key = image->format->colorkey;
    SDL_LockSurface(image);
    SDL_LockSurface(screen);
    for (int y = 0; y < image->h; ++y) {
        int sy = top + y;
        if (sy < 0 || sy >= screen->h)
            continue;
        const Uint32* from =
            reinterpret_cast<const Uint32*>(static_cast<Uint8*>(image->pixels) + y * image->pitch);
        Uint32* to =
            reinterpret_cast<Uint32*>(static_cast<Uint8*>(screen->pixels) + sy * screen->pitch);
        for (int x = 0; x < image->w; ++x) {
            int sx = left + x;
            if (sx < 0 || sx >= screen->w || from[x] == key)
                continue;
            Uint8 r, g, b;
            SDL_GetRGB(to[sx], screen->format, &r, &g, &b);
            to[sx] = SDL_MapRGB(screen->format, r * kDim / 255, g * kDim / 255, b * kDim / 255);
        }
    }
    SDL_UnlockSurface(screen);
    SDL_UnlockSurface(image);
}

} // namespace

// The fighter in shadow, "BROKEN" and the reason, its paths taken from the data folder.
void selectScreen::drawBroken(SDL_Surface* screen, int i, int x) {
    const frameInfo* f = standing_[i]->frameAt(0, true);
    if (f && f->image)
        dimFighter(screen, *f, x - f->anchorX, kFeetY - f->anchorY);
    const std::string tag = "BROKEN";
    font_.draw(screen, tag, x - font_.width(tag) / 2, kNameY + 19);
    std::string why = broken_[i];
    size_t colon = why.find(": ");
    if (colon != std::string::npos)
        why.erase(0, colon + 2);
    for (size_t at; (at = why.find(dataRoot_ + "/")) != std::string::npos;)
        why.erase(at, dataRoot_.size() + 1);
    int across = 800 / (static_cast<int>(names_.size()) + 1) - 8;
    size_t width = static_cast<size_t>(std::max(8, across / std::max(1, font_.glyphWidth())));
    int y = kNameY + 37;
    // Above the keys at the bottom, which take two lines in versus.
    int bottom = versus_ && !peer_ ? kPromptY - 24 : kPromptY - 2;
    for (const std::string& line : wrapped(why, width, kReasonLines)) {
        if (y + font_.height() > bottom)
            break;
        font_.draw(screen, line, x - font_.width(line) / 2, y);
        y += 17;
    }
}

// In versus each player's own keys, a line each.
void selectScreen::drawPrompt(SDL_Surface* screen, const controlsConfig& keys) {
    if (!versus_ || peer_) {
        std::string prompt = "LEFT RIGHT: CHOOSE  A: PICK  ESCAPE: QUIT";
        font_.draw(screen, prompt, 400 - font_.width(prompt) / 2, kPromptY);
        return;
    }
    std::string one = "1P " + keysOf(keys.players[0]);
    std::string two = "2P " + keysOf(keys.players[1]) + "  ESCAPE: QUIT";
    font_.draw(screen, one, 400 - font_.width(one) / 2, kPromptY - 22);
    font_.draw(screen, two, 400 - font_.width(two) / 2, kPromptY);
}

void selectScreen::draw(SDL_Surface* screen) {
    if (stage_)
        blit(stage_, screen, 0, 0);
    else
        SDL_FillRect(screen, nullptr, 0);
    for (size_t i = 0; i < names_.size(); ++i) {
        int x = columnX(static_cast<int>(i));
        const frameInfo* f = standing_[i]->frameAt(0, true);
        if (f && f->image)
            blit(f->image, screen, x - f->anchorX, kFeetY - f->anchorY);
        // The font draws in capitals.
        const std::string& name = names_[i];
        font_.draw(screen, name, x - font_.width(name) / 2, kNameY);
        if (!playable(static_cast<int>(i)))
            drawBroken(screen, static_cast<int>(i), x);
    }
    drawCursor(screen, 0);
    // The computer's choice shows once it is made; a second player's as they choose.
    if (versus_ || done_[1])
        drawCursor(screen, 1);
    const std::string title = "CHOOSE YOUR FIGHTER";
    titleFont_.draw(screen, title, 400 - titleFont_.width(title) / 2, kTitleY);
    if (keys_)
        drawPrompt(screen, *keys_);
}

bool selectScreen::run(SDL_Surface* screen, const controlsConfig& keys, bool versus,
                       selectPeer* peer) {
    peer_ = peer;
    versus_ = versus || peer;
    keys_ = &keys;
    // Both start on the game's own choice unless told where (the last picks).
    for (int side = 0; side < 2; ++side)
        if (!placed_[side] && !done_[side])
            cursor_[side] = defaultCursor();
    openPads(keys);
    bool fight = loop(screen, keys, versus);
    closePads();
    keys_ = nullptr;
    return fight;
}

bool selectScreen::loop(SDL_Surface* screen, const controlsConfig& keys, bool versus) {
    int toldCursor = -1;
    bool toldPicked = false;
    printf("screen: select\n");
    watchFullscreenKeys();
    SDL_WM_SetCaption("brawler", "brawler");
    bool dirty = true;
    Uint32 bothAt = 0;
    for (;;) {
        SDL_Event e;
        while (SDL_PollEvent(&e)) {
            readKey(e, keys, versus);
            dirty = true;
        }
        if (quit_)
            return false;
        if (peer_) {
            int before = cursor_[1 - peer_->localSide];
            bool pickedBefore = done_[1 - peer_->localSide];
            if (!exchange(toldCursor, toldPicked))
                return false;
            dirty = dirty || before != cursor_[1 - peer_->localSide] ||
                    pickedBefore != done_[1 - peer_->localSide];
        }
        stopIfSignalArrived();
        if (fullscreenAsked())
            dirty = toggleFullscreen(screen) || dirty;
        if (dirty) {
            draw(screen);
            SDL_Flip(screen);
        }
        dirty = false;
        if (done_[0] && done_[1] && bothAt == 0)
            bothAt = SDL_GetTicks();
        if (bothAt && SDL_GetTicks() - bothAt >= kShowPickMs)
            return true;
        SDL_Delay(10);
    }
}
