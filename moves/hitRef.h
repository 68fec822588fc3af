#pragma once

class Fighter;
class moveSet;
struct moveInfo;

// Picks the reaction move for a fighter that has just been hit. It holds nothing;
// callers may make a temporary or call hitReference on the class.
class hitRef {
public:
    // The reaction move for `fighter` hit with `hitType`, or null when that kind of
    // hit has none. The move belongs to `moves`.
    static moveInfo* hitReference(moveSet* moves, int hitType, Fighter* fighter);
};
