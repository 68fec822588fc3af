#pragma once

#include <string>
#include <vector>

#include "SDL.h"

#include "menu/menuPage.h"

class menuLook;
class moveSet;

// One line of the move list: what the move is called and what a player presses.
struct moveLine {
    std::string name;    // the move's name in words, capitals ("AIR KICK")
    std::string command; // the move set's letters, oldest first ("DRA")
    std::string note;    // where it strikes or when it works ("LOW", "IN THE AIR"), or empty
};

// The moves a character's player can press, each with its name, its command drawn as
// arrows and buttons (for a fighter facing right) and its height where that matters.
// In versus both sides' lists are there, left and right switching between them. Up and
// down scroll a list longer than the screen; Escape, Enter or the pause key go back.
class moveListPage : public menuPage {
public:
    // The lines of a set in file order, leaving out moves no press starts (reactions).
    static std::vector<moveLine> linesOf(const moveSet& moves);

    // A side's title ("1P BRAWLER") and its moves; call once per side, the first shown.
    void addSide(const std::string& title, const moveSet& moves);
    // What is drawn behind the list instead of the menus' stage (not owned; null for it).
    SDL_Surface* backdrop = nullptr;
    int pauseKey = 0;      // the game's pause key, which leaves the page as Escape does
    bool switched = false; // the other side's list is shown

    menuStep act(menuAction action, const SDL_Event& event) override;
    void draw(SDL_Surface* screen, const menuLook& look) override;
    // The lines of the side shown.
    const std::vector<moveLine>& lines() const;

private:
    void showSide(int side);

    std::vector<std::string> titles_;          // per side
    std::vector<std::vector<moveLine>> sides_; // per side, in file order
    int side_ = 0;                             // the side shown
};
