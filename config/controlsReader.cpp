#include "config/controlsReader.h"

#include <algorithm>
#include <cctype>

#include "SDL.h"

#include "config/controlsConfig.h"
#include "config/keyNames.h"
#include "datafile/textLine.h"

namespace {

constexpr int kMaxNumber = 99; // joysticks and their buttons are counted in ones, not hundreds

bool wholeNumber(const std::string& text, int& out) {
    if (text.empty() || text.size() > 9 ||
        !std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); }))
        return false;
    out = std::stoi(text);
    return out <= kMaxNumber;
}

} // namespace

controlsReader::controlsReader(const std::string& fileName, controlsConfig& controls,
                               std::vector<std::string>& warnings)
    : fileName_(fileName), warnings_(warnings), settings_(controls.settings()) {
    for (const controlSetting& s : settings_)
        defaults_.push_back(*s.value);
    setOnLine_.assign(settings_.size(), 0);
}

void controlsReader::read(FILE* f) {
    std::string line;
    bool tooLong = false;
    bool cut = false, anyCut = false;
    while (nextLine(f, line, tooLong, cut)) {
        anyCut = anyCut || cut;
        if (cut)
            warn(lineNumber_, "line cut off where the file passes " +
                                  std::to_string(kMaxBytes / 1024) +
                                  " KB; neither it nor the rest is read — a controls file "
                                  "needs a few dozen lines");
        else if (tooLong)
            warn(lineNumber_, "line longer than " + std::to_string(kMaxLine) +
                                  " characters; not read — shorten it");
        else
            applyLine(line);
    }
    // A file that ends exactly at the limit is whole; only one with more is cut short.
    if (!anyCut && bytesRead_ >= kMaxBytes && moreToRead(f))
        warn(lineNumber_, "the file goes on past " + std::to_string(kMaxBytes / 1024) +
                              " KB; the rest is not read — a controls file needs a few dozen "
                              "lines");
    settleClashes();
    flushWarnings();
}

bool controlsReader::moreToRead(FILE* f) {
    int c = fgetc(f);
    if (c == EOF)
        return false;
    ungetc(c, f);
    return true;
}

// One line without its end (LF, CR LF or a lone CR), at most kMaxLine characters kept;
// a longer one is read to its end and flagged, and one the byte limit stops in the
// middle is flagged as cut. False at the end of the file.
bool controlsReader::nextLine(FILE* f, std::string& line, bool& tooLong, bool& cut) {
    line.clear();
    tooLong = false;
    cut = false;
    int c = EOF;
    bool any = false;
    bool ended = false;
    while (bytesRead_ < kMaxBytes && (c = fgetc(f)) != EOF) {
        ++bytesRead_;
        any = true;
        if (c == '\n') {
            ended = true;
            break;
        }
        if (c == '\r') {
            int next = fgetc(f);
            if (next == '\n')
                ++bytesRead_;
            else if (next != EOF)
                ungetc(next, f);
            ended = true;
            break;
        }
        if (static_cast<int>(line.size()) < kMaxLine)
            line += static_cast<char>(c);
        else
            tooLong = true;
    }
    if (!any)
        return false;
    // Half a line could name another key than the whole one ("1p.a = left" cut to "l").
    cut = !ended && bytesRead_ >= kMaxBytes && moreToRead(f);
    ++lineNumber_;
    // A byte order mark from a Windows editor is not part of the first setting's name.
    if (lineNumber_ == 1 && line.compare(0, 3, "\xEF\xBB\xBF") == 0)
        line.erase(0, 3);
    return true;
}

void controlsReader::applyLine(const std::string& raw) {
    std::string line = textline::trimmed(raw);
    if (line.empty() || line[0] == '#')
        return;
    size_t equals = line.find('=');
    if (equals == std::string::npos) {
        warn(lineNumber_, "no \"=\" in " + textline::quoted(line) +
                              " — write a setting, \"=\" and its value, such as \"1p.a = z\"");
        return;
    }
    std::string name = keynames::normalised(line.substr(0, equals));
    int setting = findSetting(name);
    if (setting < 0) {
        warn(lineNumber_, "unknown setting " + textline::quoted(name) +
                              " — use 1p. or 2p. with left, right, jump, duck, a, b, c, "
                              "joystick, joystick.a, joystick.b or joystick.c; or overlay or "
                              "pause");
        return;
    }
    applyValue(setting, textline::trimmed(line.substr(equals + 1)));
}

int controlsReader::findSetting(const std::string& name) const {
    for (size_t i = 0; i < settings_.size(); ++i)
        if (name == settings_[i].name ||
            (!settings_[i].alias.empty() && name == settings_[i].alias))
            return static_cast<int>(i);
    return -1;
}

void controlsReader::applyValue(size_t setting, const std::string& value) {
    const controlSetting& s = settings_[setting];
    int parsed = 0;
    std::string problem;
    if (!valueFor(s, value, parsed, problem)) {
        warn(lineNumber_, problem + "; " + s.name + " keeps " + described(s));
        return;
    }
    *s.value = parsed;
    setOnLine_[setting] = lineNumber_;
}

bool controlsReader::valueFor(const controlSetting& s, const std::string& value, int& out,
                              std::string& problem) const {
    if (s.kind != settingKind::key) {
        if (wholeNumber(value, out))
            return true;
        bool stick = s.kind == settingKind::joystick;
        problem = std::string(stick ? "joystick " : "button ") + textline::quoted(value) + " for " +
                  s.name + " is not a whole number from 0 to " + std::to_string(kMaxNumber) +
                  (stick ? " — write the joystick's number, 0 for the first; leave the line "
                           "out to play on the keyboard"
                         : " — write the button's number, 0 for the first");
        return false;
    }
    if (value.empty()) {
        problem = "no key after \"=\" for " + s.name + " — write a key name, such as \"z\"";
        return false;
    }
    out = keynames::keyFor(value);
    if (out == 0) {
        problem = "unknown key " + textline::quoted(value) + " for " + s.name +
                  " — use a key name as SDL writes it, such as \"z\", \"left\" or \"return\"";
        return false;
    }
    // The match reads these itself, whatever the controls say.
    if (out == SDLK_ESCAPE || out == SDLK_RETURN) {
        problem = "key " + textline::quoted(keynames::nameOf(out)) + " for " + s.name +
                  " is the game's own (Escape quits, Enter pauses and starts a rematch) — "
                  "choose another key";
        return false;
    }
    // The fullscreen switch takes F11 and Alt+Enter out of the queue before anyone reads
    // them, and an Alt held as a button would turn Enter into the switch.
    if (out == SDLK_F11 || out == SDLK_LALT || out == SDLK_RALT) {
        problem = "key " + textline::quoted(keynames::nameOf(out)) + " for " + s.name +
                  " is the game's own (F11 and Alt+Enter switch fullscreen) — choose "
                  "another key";
        return false;
    }
    return true;
}

// A player's keys count against the other player's only while that player is on the
// keyboard: a joystick player's keys do nothing. The game's own keys count always.
bool controlsReader::live(size_t setting) const {
    int player = settings_[setting].player;
    if (player < 0)
        return true;
    for (const controlSetting& s : settings_)
        if (s.player == player && s.kind == settingKind::joystick)
            return *s.value < 0;
    return true;
}

bool controlsReader::clash(size_t a, size_t b) const {
    const controlSetting& x = settings_[a];
    const controlSetting& y = settings_[b];
    if (x.kind != y.kind || *x.value != *y.value || *x.value < 0)
        return false;
    switch (x.kind) {
    case settingKind::key:
        return x.player == y.player || (live(a) && live(b));
    case settingKind::joyButton:
        return x.player == y.player;
    case settingKind::joystick:
        return true;
    }
    return false;
}

// Undoes the latest line that gives a value already taken, until no two settings share
// one. A setting undone goes back to its default; the defaults never clash, so this ends.
void controlsReader::settleClashes() {
    for (;;) {
        int undo = -1, other = -1;
        for (size_t a = 0; a < settings_.size(); ++a)
            for (size_t b = a + 1; b < settings_.size(); ++b) {
                if (!clash(a, b))
                    continue;
                size_t later = setOnLine_[a] > setOnLine_[b] ? a : b;
                if (setOnLine_[later] > 0 && (undo < 0 || setOnLine_[later] > setOnLine_[undo])) {
                    undo = static_cast<int>(later);
                    other = static_cast<int>(later == a ? b : a);
                }
            }
        if (undo < 0)
            return;
        int line = setOnLine_[undo];
        std::string text = clashText(settings_[undo], settings_[other]);
        *settings_[undo].value = defaults_[undo];
        setOnLine_[undo] = 0;
        warn(line, text + "; " + settings_[undo].name + " keeps " + described(settings_[undo]));
    }
}

std::string controlsReader::clashText(const controlSetting& s, const controlSetting& other) const {
    std::string also = " for " + s.name + " is also " + other.name;
    switch (s.kind) {
    case settingKind::key:
        return "key " + textline::quoted(keynames::nameOf(*s.value)) + also +
               " — give each action a key of its own";
    case settingKind::joyButton:
        return "button " + std::to_string(*s.value) + also +
               " — give each action a button of its own";
    case settingKind::joystick:
        break;
    }
    return "joystick " + std::to_string(*s.value) + also +
           " — give each player a joystick of their own";
}

std::string controlsReader::described(const controlSetting& s) const {
    if (s.kind == settingKind::key)
        return keynames::nameOf(*s.value);
    if (s.kind == settingKind::joystick && *s.value < 0)
        return "none (the keyboard)";
    return std::to_string(*s.value);
}

void controlsReader::warn(int line, const std::string& text) {
    found_.emplace_back(line, text);
}

void controlsReader::flushWarnings() {
    std::stable_sort(found_.begin(), found_.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    int shown = 0;
    for (const auto& [line, text] : found_) {
        if (shown++ == kMaxWarnings) {
            warnings_.push_back("brawler: warning: " + fileName_ + ": " +
                                std::to_string(found_.size() - kMaxWarnings) +
                                " more lines cannot be used; not listed — fix the ones above, "
                                "then read the rest");
            break;
        }
        warnings_.push_back("brawler: warning: " + fileName_ + ":" + std::to_string(line) + ": " +
                            text);
    }
    found_.clear();
}
