#pragma once

#include <string>

class Fighter;
class Target;

// Evaluates a move's condition text against the fighter that would perform it.
// The language: "ground <any> true" holds on the ground, "ground" with any other (or
// no) third word holds in the air, anything else never holds. Only the first three
// words of a text count; further words are ignored, so "ground = true now" is
// "ground = true".
class Condition {
public:
    std::string words[3];       // first three words of the text, empty when absent
    Fighter* fighter = nullptr; // fighter tested, not owned
    Target* target = nullptr;   // stored with the fighter; no condition looks at it

    bool getResult(const std::string& text, Fighter* who, Target* opponent);
    // The "ground" rule for the stored fighter and third word; false with no fighter.
    bool ground() const;
};
