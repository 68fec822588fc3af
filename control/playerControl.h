#pragma once

#include <string>

#include "SDL.h"

#include "moves/attackHeight.h"

class Fighter;
class Target;
class animationSet;
class gamePad;
struct inputFrame;
class inputSource;
class inputChecker;
class moveSet;
class partInfoList;
class particle;
class particleList;
class soundSet;

// The controller of one fighter. Each pass it keeps the fighter's frame bookkeeping
// (the sound and particles a new frame starts), and for the human player turns keys
// or a joystick into walking, ducking, jumping and presses that the input checker
// turns into moves. Its timed movement step faces the fighter to the opponent, keeps
// the bodies apart, lands the opponent's attacks on its own fighter, and runs gravity
// and the particles. Every pointer refers to an object the game shell owns.
class playerControl {
public:
    SDL_Surface* screen = nullptr;     // video surface, handed to new particles
    int quit = 0;                      // 1 once Escape or the window's close arrived
    int overlayKey = -1;               // key that shows or hides the debug overlay; -1 none
    Fighter* fighter = nullptr;        // the fighter driven
    partInfoList* infoList = nullptr;  // particle definitions for spawns
    particleList* particles = nullptr; // live particles of both sides
    soundSet* soundBank = nullptr;     // sound effects
    animationSet* animSet = nullptr;   // the character's animations; kept, not read
    moveSet* moveBank = nullptr;       // the character's moves: blocks and hit reactions
    gamePad* pad = nullptr;            // input mapping; null for the computer opponent
    SDL_Joystick* joystick = nullptr;  // opened joystick in joystick play, else null
    inputChecker* checker = nullptr;   // command input checker; null for the opponent
    Target* target = nullptr;          // the opposing fighter
    int lastTick = 0;                  // game clock (ms) at the previous update
    int thisTick = 0;                  // game clock (ms) at the latest update
    float delta = 0.0f;                // time between the last two updates, in 10 ms
    float stepAccum = 0.0f;            // time since the last movement step, in 10 ms
    int curFrame = 0;  // fighter's frame at the latest update; 0 after an action change
    int prevFrame = 0; // curFrame of the update before
    std::string curAction = "NULL";    // fighter's actionName at the latest update
    std::string prevAction = "NULL";   // the same at the update before
    std::string curSound = "NULL";     // sound of the fighter's frame at the latest update
    std::string prevSound = "NULL";    // the same at the update before
    std::string curParticle = "NULL";  // first particle line of that frame, or "NULL"
    std::string prevParticle = "NULL"; // the same at the update before
    bool blocking = false;             // hits reaching the fighter are blocked
    // Counted where they happen, for the fight runner's figures; the game never reads
    // them. An attack box that stays on the body counts once per movement step.
    int hitsTaken = 0;   // contacts that reached the fighter unblocked (hit points taken)
    int hitsBlocked = 0; // contacts the fighter blocked
    // A match's contact (false in the classic game): boxes touch on any overlap, a guard
    // stops only the heights it covers (a low crouching, an overhead standing), a blocked
    // special or particle costs a tenth of its damage but never the last hit point, and a
    // blocked hit pushes both fighters apart.
    bool matchContact = false;

    void init(SDL_Surface* screen);
    // Binds the controller; a pad with a joystick index of 0 or more opens that joystick.
    void setup(Fighter* fighter, partInfoList* infoList, particleList* particles,
               soundSet* soundBank, animationSet* animSet, moveSet* moveBank, gamePad* pad,
               inputChecker* checker, Target* target);
    // Once per pass: the clock, and the sound and particles of a new frame.
    void update();
    // The player's pass: events, the movement step when due, then a recognised move.
    void inputChecking(SDL_Event* event);
    void keyboardCheck(SDL_Event* event);
    void joystickCheck(SDL_Event* event);
    // One event as keyboardCheck or joystickCheck would take it, for a loop that reads
    // the events itself (the match's).
    void handleEvent(const SDL_Event& event);
    // The rest of the player's pass after the events: the movement step when due, then a
    // recognised move.
    void movementAndCommands(SDL_Event* event);
    // A fight step's input as a frame of values instead of SDL's events and key state:
    // first the frame's presses, as the keys would make them (buttons, jumps, ducks and
    // sideways presses, in order); later in the step the movement step when due with what
    // the frame holds, then a recognised move.
    void pressesFrom(const inputFrame& frame);
    void movementFromFrame(const inputFrame& frame);
    // The computer's movement step in a match: contact and physics when a step is due,
    // then the choices `source` makes on the fight as they left it, carried out.
    void movementFromSource(inputSource& source);
    // Carries out the computer's choices of one frame: blocking, a walking step, a pose,
    // a jump and a move of the side's set, in that order.
    void carryOut(const inputFrame& choice);
    // The movement step without input or contact, for the moments of a match when
    // nobody acts: the fighter falls and lands (and stands once landed, facing the
    // opponent when `face`), the particles fly, nothing is hit.
    void idleStep(bool face);
    void keyboardMovement();
    void joystickMovement(SDL_Event* event);
    // Hands one abstract input ('A', 'B', 'C', 'U', 'D', 'L', 'R') to the checker.
    void buttonPress(char key);
    void checkDirection();

    // The movement step's contact and physics, when a step is due.
    void updatePosition();
    // Lands the newest particle touching the fighter, if any.
    void checkParticleCollision(particleList* list, char mode);
    void takeDamage(particle* p);
    void takeDamage(int damage, int hitType);
    void takeDamage();
    void takeBlocking();
    bool checkCollision() const;
    bool checkDamgeCollision() const;

protected:
    // Starts the hit reaction if the fighter can take one, and takes the hit points.
    void hitReaction(int damage, int hitType);
    // Whether the fighter's guard stops an attack of `height` now.
    bool guardStopsNow(attackHeight height) const;
    // Whether the fighter crouches, ducking or blocking low, on the ground.
    bool crouching() const;
    // What a blocked hit costs in a match: chip damage for a special, and the push apart
    // (`attacker` null for a particle).
    void afterBlock(int damage, bool special, Fighter* attacker);
    // Walks the fighter by one step: towards the way it faces when forward is true.
    void walk(bool forward);
    // Shows `name` unless the fighter already shows it.
    void showAnim(const std::string& name);

private:
    void keyboardEvent(const SDL_Event& event);
    void joystickEvent(const SDL_Event& event);
    // One direction held, read from the keys or the stick; shared by both kinds of
    // movement step.
    struct heldInput {
        bool left = false;
        bool right = false;
        bool down = false;
    };
    void movementFrom(const heldInput& held);
    // Asks the checker for a move and starts it unless the fighter is busy.
    void startRecognisedMove();
    // Presses 'R' or 'L' for a push towards the right (or the left) of the screen.
    void pressSideways(bool towardsRight);
    void jumpPress();
    bool stepDue() const { return stepAccum > 1.0f; }
};
