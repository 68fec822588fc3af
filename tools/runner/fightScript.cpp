#include "tools/runner/fightScript.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <sstream>

#include "config/keyNames.h"
#include "match/matchRules.h"
#include "match/trainingRules.h"

namespace {

struct keyName {
    const char* name;
    SDLKey key;
};

// The names the README's controls table gives the keys.
constexpr keyName kKeys[] = {{"Left", SDLK_LEFT},     {"Right", SDLK_RIGHT},   {"Up", SDLK_UP},
                             {"Down", SDLK_DOWN},     {"z", SDLK_z},           {"x", SDLK_x},
                             {"c", SDLK_c},           {"j", SDLK_j},           {"p", SDLK_p},
                             {"Return", SDLK_RETURN}, {"Escape", SDLK_ESCAPE}, {"a", SDLK_a},
                             {"d", SDLK_d},           {"w", SDLK_w},           {"s", SDLK_s},
                             {"f", SDLK_f},           {"g", SDLK_g},           {"h", SDLK_h}};

// The match's fields and, for the words, the values they take.
const char* const kMatchFields[] = {"round",       "state",         "winner",
                                    "player-wins", "opponent-wins", "timer"};
const char* const kMatchStates[] = {"intro", "fight", "ko", "timeover", "over", "paused"};
const char* const kMatchSides[] = {"player", "opponent", "draw", "none"};

template <size_t N> bool oneOf(const std::string& word, const char* const (&words)[N]) {
    return std::find(std::begin(words), std::end(words), word) != std::end(words);
}

// A whole word as a decimal number within [low, high]; false for anything else.
bool readNumber(const std::string& word, long low, long high, long* out) {
    if (word.empty())
        return false;
    errno = 0;
    char* end = nullptr;
    long v = std::strtol(word.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || v < low || v > high)
        return false;
    *out = v;
    return true;
}

std::vector<std::string> wordsOf(const std::string& line) {
    std::string text = line.substr(0, line.find('#'));
    std::istringstream in(text);
    std::vector<std::string> words;
    std::string w;
    while (in >> w)
        words.push_back(w);
    return words;
}

bool isFighter(const std::string& who) {
    return who == "player" || who == "opponent";
}

} // namespace

SDLKey FightScript::keyNamed(const std::string& name) {
    for (const keyName& k : kKeys)
        if (name == k.name)
            return k.key;
    // Any other key by SDL's own name, for scripts that play with a controls file.
    return static_cast<SDLKey>(keynames::keyFor(name));
}

bool ScriptRepeat::dueAt(long firstMs, long passMs, int msPerPass) const {
    if (passMs < firstMs || periodMs <= 0)
        return false;
    long turn = firstMs + (passMs - firstMs) / periodMs * periodMs;
    return turn > passMs - msPerPass || passMs == 0;
}

long FightScript::lastPassMs() const {
    if (sawEnd)
        return endMs;
    if (endAtMatchOver)
        return kLongestRunMs;
    // One pass after the last timed line, so that a tap's release and the effect of the
    // last press are seen.
    return lastTimedMs < 0 ? 0 : lastTimedMs + msPerPass;
}

bool FightScript::parse(const std::string& text, std::string* error) {
    steps.clear();
    repeats.clear();
    endAtMatchOver = false;
    inRepeat = false;
    randomInput = false;
    match = false;
    training = false;
    versus = false;
    playerCharacter = opponentCharacter = "Brawler";
    controlsFile.clear();
    rounds = 3;
    roundSeconds = matchRules::kRoundSeconds;
    cpu = 4;
    rules = 2;
    dataLine = 0;
    sawEnd = false;
    lastTimedMs = -1;
    classicLine = humanLine = trainingLine = dummyLine = 0;
    std::istringstream in(text);
    std::string raw;
    int line = 0;
    while (std::getline(in, raw)) {
        ++line;
        // Lines may end in \r\n when written on another system.
        std::replace(raw.begin(), raw.end(), '\r', ' ');
        std::vector<std::string> words = wordsOf(raw);
        if (words.empty())
            continue;
        std::string what;
        if (!parseLine(words, line, &what)) {
            *error = name + ":" + std::to_string(line) + ": " + what;
            return false;
        }
    }
    if (inRepeat) {
        *error = name + ":" + std::to_string(repeats.back().line) +
                 ": repeat has no end (write end on a line of its own after its lines)";
        return false;
    }
    if (dummyLine && !training) {
        *error = name + ":" + std::to_string(dummyLine) + ": dummy needs training (mode training)";
        return false;
    }
    if (training && (versus || !replayFile.empty() || endAtMatchOver)) {
        *error = name + ":" + std::to_string(trainingLine) +
                 ": mode training is one player against a dummy: no opponent human, replay or "
                 "end match";
        return false;
    }
    if (endAtMatchOver && !match) {
        *error = name + ": end match needs a match (mode match)";
        return false;
    }
    if (sawEnd) {
        for (const ScriptStep& s : steps)
            if (s.timeMs > endMs) {
                *error = name + ":" + std::to_string(s.line) + ": at " + std::to_string(s.timeMs) +
                         " is after the end (" + std::to_string(endMs) + ")";
                return false;
            }
    }
    return true;
}

bool FightScript::parseLine(const std::vector<std::string>& words, int line, std::string* what) {
    const std::string& head = words[0];
    if (inRepeat || head == "repeat")
        return parseRepeatLine(words, line, what);
    long n = 0;
    auto oneNumber = [&](long low, long high, const char* meaning) {
        if (words.size() != 2) {
            *what = head + " takes one number (" + meaning + ")";
            return false;
        }
        if (!readNumber(words[1], low, high, &n)) {
            *what = "bad number \"" + words[1] + "\" for " + head + " (" + meaning + ", " +
                    std::to_string(low) + " to " + std::to_string(high) + ")";
            return false;
        }
        return true;
    };
    if (head == "seed") {
        if (!oneNumber(0, 4294967295L, "the random seed"))
            return false;
        seed = static_cast<unsigned>(n);
        return true;
    }
    if (head == "ms-per-pass") {
        if (!oneNumber(1, 1000, "virtual ms per pass"))
            return false;
        msPerPass = static_cast<int>(n);
        return true;
    }
    if (head == "end" && words.size() == 2 && words[1] == "match") {
        endAtMatchOver = true;
        return true;
    }
    if (head == "end" && words.size() == 1) {
        *what = "end without a repeat to close (the run's last pass is end T or end match)";
        return false;
    }
    if (head == "end") {
        if (!oneNumber(0, 3600000, "virtual ms"))
            return false;
        endMs = n;
        sawEnd = true;
        return true;
    }
    if (head == "random-input") {
        if (words.size() != 1) {
            *what = "random-input takes nothing (the seed line seeds it)";
            return false;
        }
        randomInput = true;
        return true;
    }
    if (head == "mode") {
        if (words.size() != 2 ||
            (words[1] != "match" && words[1] != "classic" && words[1] != "training")) {
            *what = "mode takes match, classic or training";
            return false;
        }
        training = words[1] == "training";
        trainingLine = training ? line : 0;
        match = words[1] != "classic";
        classicLine = match ? 0 : line;
        return versusIsAMatch(what);
    }
    // The second player's keys drive the opponent's fighter from the start: a match.
    if (head == "opponent" && words.size() == 2 && words[1] == "human") {
        versus = true;
        match = true;
        humanLine = line;
        return versusIsAMatch(what);
    }
    // The fight's input comes from a replay: its characters, rounds and seed too, unless
    // lines of the script say otherwise. The script's own keys then do nothing.
    if (head == "replay") {
        if (words.size() != 2) {
            *what = "replay takes one replay file";
            return false;
        }
        replayFile = words[1];
        match = true;
        return true;
    }
    if (head == "controls") {
        if (words.size() != 2) {
            *what = "controls takes one controls file";
            return false;
        }
        controlsFile = words[1];
        return true;
    }
    if (head == "character") {
        if (words.size() != 3 || !isFighter(words[1])) {
            *what = "character takes player or opponent and a character's folder name";
            return false;
        }
        (words[1] == "player" ? playerCharacter : opponentCharacter) = words[2];
        return true;
    }
    if (head == "rounds") {
        if (!oneNumber(1, 9, "rounds in a match, odd"))
            return false;
        if (n % 2 == 0) {
            *what = "rounds takes an odd number (1, 3, 5, 7 or 9), not " + words[1];
            return false;
        }
        rounds = static_cast<int>(n);
        return true;
    }
    if (head == "time") {
        if (words.size() == 2 && words[1] == "none") {
            roundSeconds = matchRules::kNoTimer;
            return true;
        }
        if (words.size() != 2 || !readNumber(words[1], 1, 99, &n) ||
            !matchRules::roundTimeAllowed(static_cast<int>(n))) {
            *what = "time takes a round's seconds: 30, 60, 99 or none";
            return false;
        }
        roundSeconds = static_cast<int>(n);
        return true;
    }
    if (head == "cpu") {
        if (!oneNumber(1, 8, "the computer's level"))
            return false;
        cpu = static_cast<int>(n);
        return true;
    }
    if (head == "rules") {
        if (!oneNumber(1, 2, "1 for a match's first rules, 2 for today's"))
            return false;
        rules = static_cast<int>(n);
        return true;
    }
    if (head == "data") {
        if (words.size() != 2) {
            *what = "data takes one folder";
            return false;
        }
        dataDir = words[1];
        dataLine = line;
        return true;
    }
    ScriptStep step;
    step.line = line;
    size_t at = 0;
    if (head == "at") {
        if (words.size() < 3) {
            *what = "at takes a time and a statement";
            return false;
        }
        if (!readNumber(words[1], 0, 3600000, &step.timeMs)) {
            *what = "bad time \"" + words[1] + "\" (virtual ms, 0 to 3600000)";
            return false;
        }
        at = 2;
    } else if (head != "opponent" && head != "place" && head != "dummy") {
        *what = "unknown statement \"" + head + "\"";
        return false;
    }
    if (!parseStep(words, at, step, what))
        return false;
    if (head == "at")
        lastTimedMs = std::max(lastTimedMs, step.timeMs);
    steps.push_back(step);
    return true;
}

// `repeat PERIOD` opens a block of timed key lines; a bare `end` closes it.
bool FightScript::parseRepeatLine(const std::vector<std::string>& words, int line,
                                  std::string* what) {
    const std::string& head = words[0];
    if (head == "repeat") {
        if (inRepeat) {
            *what = "repeat inside the repeat of line " + std::to_string(repeats.back().line) +
                    " (close it with end first)";
            return false;
        }
        ScriptRepeat r;
        r.line = line;
        if (words.size() != 2 || !readNumber(words[1], 1, kLongestRunMs, &r.periodMs)) {
            *what =
                "repeat takes one period (virtual ms, 1 to " + std::to_string(kLongestRunMs) + ")";
            return false;
        }
        repeats.push_back(r);
        inRepeat = true;
        return true;
    }
    if (head == "end" && words.size() == 1) {
        if (repeats.back().steps.empty()) {
            *what = "the repeat of line " + std::to_string(repeats.back().line) +
                    " has no lines to repeat";
            return false;
        }
        inRepeat = false;
        return true;
    }
    ScriptStep step;
    step.line = line;
    bool keyLine = head == "at" && words.size() >= 3 &&
                   (words[2] == "press" || words[2] == "release" || words[2] == "tap");
    if (!keyLine) {
        *what = "only key lines (at T press, release or tap) repeat; end closes the repeat of "
                "line " +
                std::to_string(repeats.back().line);
        return false;
    }
    if (!readNumber(words[1], 0, kLongestRunMs, &step.timeMs)) {
        *what = "bad time \"" + words[1] + "\" (virtual ms, 0 to 3600000)";
        return false;
    }
    if (!parseStep(words, 2, step, what))
        return false;
    repeats.back().steps.push_back(step);
    return true;
}

// The game refuses --classic with --versus, so a script cannot ask for both, in either
// order.
bool FightScript::versusIsAMatch(std::string* what) const {
    if (!classicLine || !humanLine)
        return true;
    *what = "opponent human (line " + std::to_string(humanLine) +
            ") plays a match; mode classic (line " + std::to_string(classicLine) +
            ") cannot go with it — leave out one of them";
    return false;
}

bool FightScript::parseStep(const std::vector<std::string>& words, size_t at, ScriptStep& step,
                            std::string* what) {
    const std::string& verb = words[at];
    size_t args = words.size() - at - 1;
    if (verb == "press" || verb == "release" || verb == "tap") {
        if (args != 1) {
            *what = verb + " takes one key";
            return false;
        }
        step.kind = verb == "press"     ? ScriptStep::Press
                    : verb == "release" ? ScriptStep::Release
                                        : ScriptStep::Tap;
        step.keyName = words[at + 1];
        step.key = keyNamed(step.keyName);
        if (step.key == SDLK_UNKNOWN) {
            *what = "unknown key \"" + step.keyName +
                    "\" (keys: Left, Right, Up, Down, z, x, c, j, p, Return, Escape; the "
                    "second player's a, d, w, s, f, g, h; any key by SDL's name)";
            return false;
        }
        return true;
    }
    if (verb == "opponent") {
        if (args != 1 || (words[at + 1] != "idle" && words[at + 1] != "active")) {
            *what = "opponent takes idle, active or human";
            return false;
        }
        step.kind = words[at + 1] == "idle" ? ScriptStep::OpponentIdle : ScriptStep::OpponentActive;
        return true;
    }
    if (verb == "dummy") {
        dummyMode mode = dummyMode::stand;
        if (args < 1 || args > 2 || !trainingRules::modeNamed(words[at + 1], mode)) {
            *what = "dummy takes stand, crouch, jump, block, block-after-hit or cpu [LEVEL]";
            return false;
        }
        if (args == 2 &&
            (mode != dummyMode::cpu || !readNumber(words[at + 2], 1, 8, &step.number))) {
            *what = "only dummy cpu takes a level, 1 to 8";
            return false;
        }
        step.kind = ScriptStep::Dummy;
        step.value = words[at + 1];
        if (!dummyLine)
            dummyLine = step.line;
        return true;
    }
    if (verb == "place") {
        if (args != 2 || !isFighter(words[at + 1])) {
            *what = "place takes player or opponent and an x";
            return false;
        }
        step.kind = ScriptStep::Place;
        step.who = words[at + 1];
        if (!readNumber(words[at + 2], 2, 798, &step.number)) {
            *what = "bad x \"" + words[at + 2] + "\" (2 to 798, the play area)";
            return false;
        }
        return true;
    }
    if (verb == "set") {
        if (args != 3 || !isFighter(words[at + 1]) || words[at + 2] != "hp") {
            *what = "set takes player or opponent, hp and a number";
            return false;
        }
        step.kind = ScriptStep::SetHp;
        step.who = words[at + 1];
        if (!readNumber(words[at + 3], 0, 1000000, &step.number)) {
            *what = "bad hit points \"" + words[at + 3] + "\" (0 or more)";
            return false;
        }
        return true;
    }
    if (verb == "shot") {
        if (args != 1) {
            *what = "shot takes one file";
            return false;
        }
        step.kind = ScriptStep::Shot;
        step.file = words[at + 1];
        auto endsWith = [&](const char* ext) {
            std::string e(ext);
            return step.file.size() > e.size() &&
                   step.file.compare(step.file.size() - e.size(), e.size(), e) == 0;
        };
        if (!endsWith(".bmp") && !endsWith(".png")) {
            *what = "shot file \"" + step.file + "\" must end in .bmp or .png";
            return false;
        }
        return true;
    }
    if (verb == "expect")
        return parseExpect(words, at, step, what);
    *what = "unknown statement \"" + verb + "\"";
    return false;
}

bool FightScript::parseExpect(const std::vector<std::string>& words, size_t at, ScriptStep& step,
                              std::string* what) {
    if (words.size() - at != 5) {
        *what = "expect takes WHO FIELD OP VALUE";
        return false;
    }
    step.kind = ScriptStep::Expect;
    step.who = words[at + 1];
    step.field = words[at + 2];
    step.op = words[at + 3];
    step.value = words[at + 4];
    if (step.who == "particles") {
        if (step.field != "count") {
            *what = "unknown field \"" + step.field + "\" for particles (only count)";
            return false;
        }
    } else if (step.who == "memory") {
        if (step.field != "growth" && step.field != "resident") {
            *what = "unknown field \"" + step.field + "\" for memory (growth or resident, in KB)";
            return false;
        }
    } else if (step.who == "match") {
        if (!oneOf(step.field, kMatchFields)) {
            *what = "unknown field \"" + step.field +
                    "\" for match (round, state, winner, player-wins, opponent-wins, timer)";
            return false;
        }
        bool word = step.field == "state" || step.field == "winner";
        if (word) {
            bool known = step.field == "state" ? oneOf(step.value, kMatchStates)
                                               : oneOf(step.value, kMatchSides);
            if (!known) {
                *what = "bad value \"" + step.value + "\" for match " + step.field;
                return false;
            }
            if (step.op != "=" && step.op != "!=") {
                *what = "match " + step.field + " compares only with = or !=";
                return false;
            }
            return true;
        }
    } else if (isFighter(step.who)) {
        static const char* const fields[] = {"action", "hp",       "x",    "y",
                                             "facing", "onGround", "jumps"};
        if (std::find(std::begin(fields), std::end(fields), step.field) == std::end(fields)) {
            *what = "unknown field \"" + step.field +
                    "\" (fields: action, hp, x, y, facing, onGround, jumps)";
            return false;
        }
    } else {
        *what =
            "unknown subject \"" + step.who + "\" (player, opponent, particles, memory or match)";
        return false;
    }
    if (step.op != "=" && step.op != "!=" && step.op != "<" && step.op != ">") {
        *what = "unknown comparison \"" + step.op + "\" (=, !=, <, >)";
        return false;
    }
    bool ordered = step.op == "<" || step.op == ">";
    if (step.field == "action") {
        if (ordered) {
            *what = "an action compares only with = or !=";
            return false;
        }
        return true;
    }
    if (step.field == "facing" || step.field == "onGround") {
        const char* yes = step.field == "facing" ? "right" : "true";
        const char* no = step.field == "facing" ? "left" : "false";
        if (ordered) {
            *what = step.field + " compares only with = or !=";
            return false;
        }
        if (step.value != yes && step.value != no) {
            *what = "bad value \"" + step.value + "\" for " + step.field + " (" + yes + " or " +
                    no + ")";
            return false;
        }
        step.number = step.value == yes ? 1 : 0;
        return true;
    }
    if (!readNumber(step.value, -1000000, 1000000, &step.number)) {
        *what = "bad number \"" + step.value + "\" for " + step.field;
        return false;
    }
    return true;
}

bool FightScript::hasChangesBetweenSteps() const {
    for (const ScriptStep& s : steps)
        if (s.kind == ScriptStep::Place || s.kind == ScriptStep::SetHp ||
            s.kind == ScriptStep::Dummy || s.kind == ScriptStep::OpponentIdle ||
            s.kind == ScriptStep::OpponentActive)
            return true;
    return false;
}
