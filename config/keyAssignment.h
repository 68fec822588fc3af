#pragma once

#include <string>

class controlsConfig;

// Gives keys, pad buttons and pads to the players' actions from the options, keeping
// the controls playable: a key or button another action already has swaps with it, and
// the keys the game keeps for itself are refused. Every outcome is a line for the screen.
class keyAssignment {
public:
    static constexpr int kActions = 7;   // LEFT RIGHT UP DOWN A B C
    static constexpr int kButtons = 3;   // A B C on a pad
    static constexpr int kKeyboard = -1; // a player's pad index when on the keyboard

    // Changes `controls`, which belongs to the caller and must outlive this.
    explicit keyAssignment(controlsConfig& controls) : controls_(controls) {}

    // "LEFT", "RIGHT", "UP", "DOWN", "A", "B", "C".
    static const char* actionName(int action);
    // A player's key for an action (0..kActions-1), an SDL key code.
    int key(int player, int action) const;
    // A player's pad button for A, B or C (0..kButtons-1).
    int button(int player, int which) const;

    // Gives `key` to the player's action; what happened, for the screen ("1P A IS NOW X",
    // "SWAPPED: 2P A IS NOW Z", or why it was refused). `changed` says whether any key moved.
    std::string assignKey(int player, int action, int key, bool& changed);
    // Gives pad button `button` to the player's A, B or C, swapping with the player's
    // other button that had it.
    std::string assignButton(int player, int which, int button, bool& changed);
    // Puts the player on pad `pad` (kKeyboard for the keys); a pad the other player has
    // swaps with this player's.
    std::string assignPad(int player, int pad, bool& changed);
    // A key's name as the menus show it: SDL's, in capitals, with the punctuation the
    // menu's font lacks spelled out ("COMMA", "KEYPAD 0").
    static std::string shownName(int key);
    // Why the game keeps a key for itself, or empty when a player may have it.
    std::string reserved(int key) const;

private:
    std::string sharedKey() const;
    int* keySlot(int player, int action) const;
    int* buttonSlot(int player, int which) const;

    controlsConfig& controls_;
};
