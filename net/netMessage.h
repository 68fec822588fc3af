#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "control/inputFrame.h"

// The messages two games (and their watchers) exchange, and their bytes. Each message
// starts with its type byte. Decoding checks every length, count and range before use
// and allocates no more than the bounds below, whatever the bytes: a message that fails
// is dropped and counted, never half used.
enum class netType : uint8_t {
    none = 0,     // not a message
    hello = 1,    // who is calling, with what game and data
    refuse = 2,   // the call is refused, and why
    start = 3,    // the host's match: seed, rounds, characters
    inputs = 4,   // input frames the peer has not acknowledged
    checksum = 5, // the fight's checksum at a confirmed step
    quit = 6,     // the sender leaves
    desync = 7,   // the sender found the fights apart, with its fight's values
    choice = 8,   // on the select screen: where the sender's cursor is, and whether picked
    steps = 9,    // to a watcher: both sides' confirmed frames of a run of steps
};

// Bounds a decoder holds every message to.
constexpr uint16_t kNetProtocol = 1;
constexpr int kMostCharacters = 32;           // characters a hello lists
constexpr int kMostFrames = 64;               // frames one inputs message carries
constexpr uint32_t kMostStateBytes = 1 << 16; // a desync's fight values
constexpr uint32_t kMostStep = 1000000;       // no step number beyond three hours of game

struct characterPrint {
    std::string name;        // the character's folder
    std::string fingerprint; // of that folder's files
};

struct helloMessage {
    uint16_t protocol = kNetProtocol;
    std::string game;                       // the game's version line
    std::string data;                       // fingerprint of the whole data folder
    std::vector<characterPrint> characters; // every character of that folder
    uint8_t watcher = 0;                    // 1: watches the match, plays no side
    std::string character;                  // the character this side plays
};

struct refuseMessage {
    std::string reason; // said to the refused side as it stands
};

struct startMessage {
    uint16_t match = 0;        // the match of the connection (to a watcher: the one starting)
    uint64_t seed = 1;         // the fight's random generator starts here
    uint8_t rounds = 3;        // best of
    uint16_t startHp = 1000;   // hit points a round starts with
    uint8_t roundSeconds = 99; // a round's timer: 30, 60 or 99 s; 0 for none
    std::string characters[2]; // the host's side, then the joining side
};

// A match's messages carry its number: a late one from the match before is not this one's.
struct inputsMessage {
    uint16_t match = 0;             // the match of the connection, from 0
    uint32_t ack = 0;               // the sender holds every frame of the receiver below this step
    uint32_t at = 0;                // the steps the sender has run, for keeping the two in time
    uint32_t first = 0;             // the step of frames[0]
    std::vector<inputFrame> frames; // the sender's frames from `first` on
};

struct checksumMessage {
    uint16_t match = 0;
    uint32_t step = 0;  // steps run when it was taken, all of them confirmed
    uint32_t value = 0; // the fight's checksum then
};

struct quitMessage {
    uint16_t match = 0;
    uint32_t step = 0; // the sender's fight ends after this many steps
    uint8_t back = 0;  // 1: both go back to the select screen; 0: the sender leaves
};

struct stepsMessage {
    uint16_t match = 0;
    uint32_t first = 0;           // the step of steps[0]
    std::vector<stepInput> steps; // both sides' frames of each step, confirmed
};

struct choiceMessage {
    uint8_t cursor = 0; // the character under the sender's cursor, by roster order
    uint8_t picked = 0; // 1 once the sender has picked it
};

struct desyncMessage {
    uint32_t step = 0; // the step whose checksums differ
    std::string state; // the sender's fight values at it, a line each
};

// The type of a message's bytes; none for an empty one or an unknown type.
netType messageType(const uint8_t* data, size_t size);

std::string encode(const helloMessage& m);
std::string encode(const refuseMessage& m);
std::string encode(const startMessage& m);
std::string encode(const inputsMessage& m);
std::string encode(const checksumMessage& m);
std::string encode(const desyncMessage& m);
std::string encode(const quitMessage& m);
std::string encode(const choiceMessage& m);
std::string encode(const stepsMessage& m);

bool decode(const uint8_t* data, size_t size, helloMessage& m);
bool decode(const uint8_t* data, size_t size, refuseMessage& m);
bool decode(const uint8_t* data, size_t size, startMessage& m);
bool decode(const uint8_t* data, size_t size, inputsMessage& m);
bool decode(const uint8_t* data, size_t size, checksumMessage& m);
bool decode(const uint8_t* data, size_t size, desyncMessage& m);
bool decode(const uint8_t* data, size_t size, quitMessage& m);
bool decode(const uint8_t* data, size_t size, choiceMessage& m);
bool decode(const uint8_t* data, size_t size, stepsMessage& m);
