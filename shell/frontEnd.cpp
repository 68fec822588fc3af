#include "shell/frontEnd.h"

#include <cctype>
#include <cstdio>
#include <filesystem>

#include "config/options.h"
#include "config/replayPlace.h"
#include "match/replayFile.h"
#include "menu/menuPage.h"

namespace {

constexpr int kPressY = 448;           // "PRESS ENTER" on the title, under the logo
constexpr Uint32 kBlinkMs = 500;       // its blink: half a second on, half off
constexpr size_t kLongestAddress = 60; // a host's name or address as typed

std::string upper(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// The title picture with its blinking line; Escape asks before the game ends.
class titlePage : public menuPage {
public:
    bool quitting = false;

    menuStep act(menuAction a, const SDL_Event&) override {
        if (asking_) {
            asking_ = false;
            quitting = a == menuAction::confirm;
            return quitting ? menuStep::leave : menuStep::stay;
        }
        if (a == menuAction::back) {
            asking_ = true;
            return menuStep::stay;
        }
        return a == menuAction::confirm ? menuStep::leave : menuStep::stay;
    }

    void draw(SDL_Surface* screen, const menuLook& look) override {
        look.drawTitlePicture(screen);
        if (asking_) {
            SDL_Rect box = {230, kPressY - 24, 340, 64};
            look.drawPanel(screen, box);
            look.centred(screen, "QUIT? ENTER: YES", kPressY);
            return;
        }
        if ((SDL_GetTicks() / kBlinkMs) % 2 == 0)
            look.centred(screen, "PRESS ENTER", kPressY);
    }

    Uint32 redrawEveryMs() const override { return kBlinkMs; }

private:
    bool asking_ = false;
};

// A list whose entries lead on: Enter leaves with the entry chosen, Escape leaves with
// none.
class choicePage : public menuPage {
public:
    bool chose = false;

    menuStep act(menuAction a, const SDL_Event&) override {
        if (a == menuAction::confirm && !list.entries.empty()) {
            chose = true;
            return menuStep::leave;
        }
        return a == menuAction::back ? menuStep::leave : menuStep::stay;
    }
};

// Host or join; the address is typed in place on the Join line.
class onlinePage : public menuPage {
public:
    std::string address;
    bool typing = false;
    bool chose = false;

    menuStep act(menuAction a, const SDL_Event& e) override {
        if (typing)
            return type(e);
        if (a == menuAction::back)
            return menuStep::leave;
        if (a != menuAction::confirm)
            return menuStep::stay;
        if (list.cursor == 1) {
            typing = true;
            list.message = "TYPE THE HOST'S NAME OR ADDRESS, THEN ENTER";
            show();
            return menuStep::stay;
        }
        chose = list.cursor == 0;
        return menuStep::leave;
    }

    void show() {
        list.entries[1].value = upper(address) + (typing ? "_" : "");
        if (list.entries[1].value.empty())
            list.entries[1].value = "...";
    }

    bool rawKeys() const override { return typing; }

private:
    menuStep type(const SDL_Event& e) {
        if (e.type != SDL_KEYDOWN)
            return menuStep::stay;
        int key = e.key.keysym.sym;
        int ch = e.key.keysym.unicode;
        std::string host;
        int port = 0;
        if (key == SDLK_RETURN && !address.empty() && !readHostAndPort(address, host, port)) {
            list.message = "NOT A HOST: A NAME OR AN IPV4 ADDRESS, :PORT";
            return menuStep::stay;
        }
        if (key == SDLK_RETURN && !address.empty()) {
            typing = false;
            chose = true;
            return menuStep::leave;
        }
        if (key == SDLK_ESCAPE || key == SDLK_RETURN) {
            typing = false;
            list.message.clear();
        } else if (key == SDLK_BACKSPACE && !address.empty()) {
            address.pop_back();
        } else if (ch > 32 && ch < 127 && address.size() < kLongestAddress &&
                   (std::isalnum(ch) || ch == '.' || ch == ':' || ch == '-' || ch == '[' ||
                    ch == ']')) {
            address += static_cast<char>(ch);
        }
        show();
        return menuStep::stay;
    }
};

// The saved replays, newest first: Enter watches one, Delete removes it once confirmed.
class replaysPage : public menuPage {
public:
    std::vector<std::string> paths;
    std::function<std::string(const std::string&)> check; // why a replay cannot play here
    std::string chosen;

    void fill() {
        list.entries.clear();
        for (const std::string& p : paths)
            list.entries.push_back(replayLine(p));
        if (paths.empty())
            list.message = "NO REPLAYS YET: EVERY MATCH YOU PLAY IS SAVED";
        list.cursor = std::min(list.cursor, static_cast<int>(paths.size()) - 1);
        list.cursor = std::max(list.cursor, 0);
    }

    menuStep act(menuAction a, const SDL_Event&) override {
        if (deleting_) {
            deleting_ = false;
            list.message.clear();
            if (a == menuAction::confirm)
                remove();
            return menuStep::stay;
        }
        list.message.clear();
        if (a == menuAction::back)
            return menuStep::leave;
        if (paths.empty())
            return menuStep::stay;
        if (a == menuAction::erase) {
            deleting_ = true;
            list.message = "DELETE THIS REPLAY? ENTER: YES";
        } else if (a == menuAction::confirm) {
            std::string why = check ? check(paths[list.cursor]) : "";
            if (why.empty()) {
                chosen = paths[list.cursor];
                return menuStep::leave;
            }
            list.message = upper(why);
        }
        return menuStep::stay;
    }

private:
    void remove() {
        std::error_code ec;
        const std::string path = paths[list.cursor];
        if (!std::filesystem::remove(path, ec)) {
            list.message = "COULD NOT DELETE IT";
            fprintf(stderr, "brawler: warning: could not delete %s: %s\n", path.c_str(),
                    ec.message().c_str());
            return;
        }
        printf("replays: deleted %s\n", path.c_str());
        paths.erase(paths.begin() + list.cursor);
        fill();
    }

    bool deleting_ = false;
};

} // namespace

menuEntry replayLine(const std::string& path) {
    std::string name = std::filesystem::path(path).stem().string();
    // "2026-12-09_14-03-22_Brawler-vs-Basalt": the date and the minute.
    std::string when = name.size() >= 16 ? name.substr(0, 10) + " " + name.substr(11, 5) : name;
    if (when.size() == 16)
        when[13] = ':';
    replayFile r;
    std::string error;
    if (!r.load(path, error))
        return {upper(when) + " UNREADABLE", ""};
    std::string who = upper(r.player + " V " + r.opponent);
    std::string how = upper(r.result);
    size_t space = how.find(' ');
    if (space != std::string::npos) {
        std::string winner = how.substr(0, space);
        std::string score = how.substr(space + 1);
        if (winner == "PLAYER")
            winner = r.versus ? "1P" : "WON";
        else if (winner == "OPPONENT")
            winner = r.versus ? "2P" : "LOST";
        else if (winner == "UNFINISHED")
            winner = "LEFT";
        how = winner + " " + score;
    }
    return {when + "  " + who, how};
}

frontEnd::frontEnd(const std::string& dataRoot, const controlsConfig& controls) : input_(controls) {
    look_.load(dataRoot);
}

void frontEnd::useKeys(const controlsConfig& controls) {
    input_.setKeys(controls);
}

frontChoice frontEnd::run(SDL_Surface* screen, bool fromTitle) {
    // The window says it is ready for keys.
    SDL_WM_SetCaption("brawler", "brawler");
    for (;;) {
        if (fromTitle && !showTitle(screen))
            return frontChoice::quit;
        frontChoice c = showMainMenu(screen);
        if (c != frontChoice::quit || !backToTitle_)
            return c;
        fromTitle = true;
    }
}

bool frontEnd::showTitle(SDL_Surface* screen) {
    printf("screen: title\n");
    titlePage page;
    return showPage(screen, look_, input_, page) && !page.quitting;
}

frontChoice frontEnd::showMainMenu(SDL_Surface* screen) {
    choicePage page;
    page.list.title = "BRAWLER";
    for (const char* e : {"ARCADE", "VERSUS", "TRAINING", "ONLINE", "REPLAYS", "OPTIONS", "QUIT"})
        if (openOptions || std::string(e) != "OPTIONS")
            page.list.entries.push_back({e, ""});
    page.list.hint = "ENTER: CHOOSE  ESCAPE: BACK";
    backToTitle_ = false;
    for (;;) {
        printf("screen: menu\n");
        page.chose = false;
        if (!showPage(screen, look_, input_, page))
            return frontChoice::quit;
        if (!page.chose) {
            backToTitle_ = true;
            return frontChoice::quit;
        }
        std::string e = page.list.chosen();
        if (e == "ARCADE")
            return frontChoice::arcade;
        if (e == "VERSUS")
            return frontChoice::versus;
        if (e == "TRAINING")
            return frontChoice::training;
        if (e == "QUIT")
            return frontChoice::quit;
        if (e == "OPTIONS" && !openOptions(screen, look_, input_))
            return frontChoice::quit;
        if (e == "ONLINE") {
            frontChoice c = showOnline(screen);
            if (c != frontChoice::none)
                return c;
        }
        if (e == "REPLAYS") {
            frontChoice c = showReplays(screen);
            if (c != frontChoice::none)
                return c;
        }
    }
}

frontChoice frontEnd::showOnline(SDL_Surface* screen) {
    printf("screen: online\n");
    SDL_EnableUNICODE(1);
    onlinePage page;
    page.address = address;
    page.list.title = "ONLINE";
    page.list.width = 560;
    page.list.entries = {{"HOST ON UDP PORT 7650", ""}, {"JOIN", ""}, {"BACK", ""}};
    page.list.hint = "ENTER: CHOOSE  ESCAPE: BACK";
    page.show();
    bool open = showPage(screen, look_, input_, page);
    SDL_EnableUNICODE(0);
    if (!open)
        return frontChoice::quit;
    if (!page.chose || page.list.cursor == 2)
        return frontChoice::none;
    address = page.address;
    return page.list.cursor == 0 ? frontChoice::host : frontChoice::join;
}

frontChoice frontEnd::showReplays(SDL_Surface* screen) {
    printf("screen: replays\n");
    replaysPage page;
    page.list.title = "REPLAYS";
    page.list.width = 640;
    page.list.hint = "ENTER: WATCH  DELETE: REMOVE  ESCAPE: BACK";
    page.paths = listReplays(replayFolder());
    page.check = checkReplay;
    page.fill();
    if (!showPage(screen, look_, input_, page))
        return frontChoice::quit;
    if (page.chosen.empty())
        return frontChoice::none;
    replayPath = page.chosen;
    return frontChoice::replay;
}
