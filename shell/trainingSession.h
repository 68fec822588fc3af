#pragma once

#include <deque>
#include <vector>

#include "SDL.h"

#include "control/inputFrame.h"
#include "match/trainingPanel.h"
#include "match/trainingRules.h"
#include "shell/fightState.h"

class Game;
class matchSession;

// Training's side of the window: its keys, the dummy's input (its mode's frames, or a
// recording of the player's), the saved position and the panel over the fight. The
// rules the fight runner plays too (the dummy's modes, combos, refills and frame data)
// are the match's trainingRules; this drives them.
//
// Keys: F1 saves the position, F2 puts it back, F3 starts and stops recording (the
// player's keys drive the dummy meanwhile), F4 plays the recording on the dummy in a
// loop and stops it, F5 puts both fighters back at their start, F6 cycles the dummy's
// mode, F7 raises the computer's level (8 goes round to 1).
class trainingSession {
public:
    // Longest recording: ten seconds of steps.
    static constexpr size_t kMostRecordedSteps = 910;

    // Counts the changes made to the fight between steps (a position put back, the
    // dummy's mode): a step run again from before one would not repeat it.
    int outsideChanges = 0;

    // After the match's start-up: the dummy's side gets a command checker of its own.
    void startUp(Game& g, matchSession& m, dummyMode mode);
    // A training key; true when `key` was one.
    bool onKey(Game& g, matchSession& m, SDLKey key);
    // Both sides' input for the next step: the player's keys and the dummy's.
    stepInput nextInput(Game& g, matchSession& m);
    // The dummy's mode (and the computer's level for cpu, 1 to 8; 0 keeps it).
    void setMode(Game& g, matchSession& m, dummyMode mode, int level = 0);
    // The panel's parts for the picture, then again over what the scene drew.
    void drawChanges(Game& g, matchSession& m);
    void drawOver(Game& g, size_t mark);

    bool recording() const { return recording_; }
    bool playingBack() const { return playing_; }
    const std::vector<inputFrame>& recorded() const { return recorded_; }
    // The player's last inputs, newest first.
    const std::deque<inputShown>& inputsShown() const { return inputs_; }

private:
    void toggleRecording(Game& g, matchSession& m);
    void togglePlayback(Game& g, matchSession& m);
    // The computer plays the dummy in cpu mode, unless the player's keys are recorded for
    // it or played back on it.
    void chooseDummysHands(Game& g, matchSession& m);
    // A frame of the player's turned to the dummy's facing: recorded facing right.
    static inputFrame turned(const inputFrame& f, bool facingRight);
    void noteInput(const inputFrame& f);
    trainingView view(Game& g, matchSession& m) const;

    trainingPanel panel_;
    bool panelReady_ = false;
    fightState saved_; // the position F1 saved
    bool hasSaved_ = false;
    bool recording_ = false;           // the player's keys drive the dummy and are kept
    bool playing_ = false;             // the recording plays on the dummy
    std::vector<inputFrame> recorded_; // the dummy's frames as if it faced right
    size_t playAt_ = 0;                // next recorded frame to play
    std::deque<inputShown> inputs_;    // the input display's lines, newest first
};
