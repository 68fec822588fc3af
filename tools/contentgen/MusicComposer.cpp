#include "tools/contentgen/MusicComposer.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <stdexcept>

#include "tools/contentgen/Lcg.h"
#include "tools/contentgen/Sequencer.h"

namespace contentgen {

namespace {

// Loops peak at -6 dBFS like the effects; the game sets music under them.
constexpr double kMusicPeak = 0.5;

// The natural minor scales, as pitch classes (C = 0).
const std::vector<int> kAMinor = {9, 11, 0, 2, 4, 5, 7};
const std::vector<int> kEMinor = {4, 6, 7, 9, 11, 0, 2};

int letterClass(char c) {
    switch (c) {
    case 'C':
        return 0;
    case 'D':
        return 2;
    case 'E':
        return 4;
    case 'F':
        return 5;
    case 'G':
        return 7;
    case 'A':
        return 9;
    case 'B':
        return 11;
    default:
        throw std::logic_error(std::string("no note named ") + c);
    }
}

// The part of `s` after a note letter and its sharp or flat: the pitch class, and how
// many characters were read.
int pitchClassOf(const std::string& s, size_t& used) {
    int pc = letterClass(s.at(0));
    used = 1;
    if (s.size() > 1 && (s[1] == '#' || s[1] == 'b')) {
        pc += s[1] == '#' ? 1 : 11;
        used = 2;
    }
    return pc % 12;
}

// One chord per bar over the bars given, as a pad of three notes and a bass line.
struct Harmony {
    std::vector<std::string> bars; // a chord symbol per bar
    int firstBar = 0;              // bar of the loop the first symbol falls on
};

void addPad(Part& pad, const Harmony& h, double velocity) {
    for (size_t i = 0; i < h.bars.size(); ++i)
        for (int p : MusicComposer::chord(h.bars[i], 55))
            pad.notes.push_back({(h.firstBar + double(i)) * 4.0, 3.9, p, velocity});
}

// The bass on each bar's root: `pattern` holds an offset from the root (semitones) per
// step of `stepBeats`, or -99 for a step left silent.
void addBass(Part& bass, const Harmony& h, const std::vector<int>& pattern, double stepBeats,
             double velocity) {
    for (size_t i = 0; i < h.bars.size(); ++i) {
        const int root = MusicComposer::chord(h.bars[i], 40).front();
        for (size_t k = 0; k < pattern.size(); ++k)
            if (pattern[k] != -99)
                bass.notes.push_back({(h.firstBar + double(i)) * 4.0 + k * stepBeats,
                                      stepBeats * 0.85, root + pattern[k],
                                      k % 2 ? velocity * 0.8 : velocity});
    }
}

// Chord tones going up and down in eighths, two octaves of them, a bar per chord.
void addArpeggio(Part& bell, const Harmony& h, double velocity) {
    const int order[8] = {0, 1, 2, 3, 4, 3, 2, 1};
    for (size_t i = 0; i < h.bars.size(); ++i) {
        std::vector<int> tones = MusicComposer::chord(h.bars[i], 64);
        for (int p : MusicComposer::chord(h.bars[i], 76))
            tones.push_back(p);
        for (int k = 0; k < 8; ++k)
            bell.notes.push_back({(h.firstBar + double(i)) * 4.0 + k * 0.5, 0.4,
                                  tones[static_cast<size_t>(order[k])],
                                  k == 0 ? velocity : velocity * 0.7});
    }
}

// Drums of one bar at `bar`, by the bar's style.
enum class Groove { none, pulse, rock, drive, halfTime, gentle };

void addDrums(Score& s, int kick, int snare, int hat, int openHat, int bar, Groove g, bool fill) {
    auto hit = [&](int part, double beat, double velocity) {
        s.parts[static_cast<size_t>(part)].notes.push_back({bar * 4.0 + beat, 0.1, 0, velocity});
    };
    switch (g) {
    case Groove::none:
        break;
    case Groove::pulse: // the kick on every beat and hats between: the intro
        for (int b = 0; b < 4; ++b) {
            hit(kick, b, 0.9);
            hit(hat, b + 0.5, 0.6);
        }
        break;
    case Groove::rock:
        for (double b : {0.0, 1.5, 2.0})
            hit(kick, b, b == 0.0 ? 1.0 : 0.85);
        for (double b : {1.0, 3.0})
            hit(snare, b, 0.9);
        for (int k = 0; k < 8; ++k)
            hit(hat, k * 0.5, k % 2 ? 0.5 : 0.8);
        hit(openHat, 3.5, 0.6);
        break;
    case Groove::drive: // hats in sixteenths push the chorus on
        for (double b : {0.0, 1.5, 2.0, 2.75})
            hit(kick, b, 0.95);
        for (double b : {1.0, 3.0})
            hit(snare, b, 0.95);
        for (int k = 0; k < 16; ++k)
            hit(hat, k * 0.25, k % 4 == 0 ? 0.8 : k % 2 ? 0.35 : 0.55);
        break;
    case Groove::halfTime:
        hit(kick, 0.0, 0.9);
        hit(snare, 2.0, 0.8);
        for (int k = 0; k < 8; ++k)
            hit(hat, k * 0.5, k % 2 ? 0.3 : 0.45);
        break;
    case Groove::gentle:
        hit(kick, 0.0, 0.7);
        hit(kick, 2.5, 0.55);
        hit(snare, 2.0, 0.35);
        for (int k = 0; k < 8; ++k)
            hit(hat, k * 0.5, k % 2 ? 0.25 : 0.4);
        break;
    }
    if (fill) // a roll over the bar's last beat into the next phrase
        for (int k = 0; k < 4; ++k)
            hit(snare, 3.0 + k * 0.25, 0.5 + 0.12 * k);
}

Part part(Voice voice, double gain, double echo = 0.0) {
    Part p;
    p.voice = voice;
    p.gain = gain;
    p.echo = echo;
    return p;
}

void addNotes(Part& part, const std::vector<Note>& notes) {
    part.notes.insert(part.notes.end(), notes.begin(), notes.end());
}

} // namespace

std::vector<Note> MusicComposer::phrase(const std::string& text, double beat, double unitBeats,
                                        int barUnits, double velocity) {
    std::vector<Note> notes;
    std::istringstream in(text);
    int inBar = 0;
    for (std::string token; in >> token;) {
        if (token == "|") {
            if (inBar != barUnits)
                throw std::logic_error("a bar of " + std::to_string(inBar) + " units before \"" +
                                       text.substr(0, 40) + "\"");
            inBar = 0;
            continue;
        }
        const size_t slash = token.find('/');
        if (slash == std::string::npos || slash == 0)
            throw std::logic_error("cannot read the note \"" + token + "\"");
        const int units = std::stoi(token.substr(slash + 1));
        const std::string name = token.substr(0, slash);
        if (name != "r") {
            size_t used = 0;
            const int pc = pitchClassOf(name, used);
            const int octave = std::stoi(name.substr(used));
            notes.push_back({beat, units * unitBeats * 0.92, 12 * (octave + 1) + pc, velocity});
        }
        beat += units * unitBeats;
        inBar += units;
    }
    if (inBar != 0)
        throw std::logic_error("a phrase ends inside a bar: \"" + text.substr(0, 40) + "\"");
    return notes;
}

std::vector<int> MusicComposer::chord(const std::string& symbol, int low) {
    size_t used = 0;
    const int root = pitchClassOf(symbol, used);
    const std::string kind = symbol.substr(used);
    std::vector<int> intervals;
    if (kind.empty())
        intervals = {0, 4, 7};
    else if (kind == "m")
        intervals = {0, 3, 7};
    else if (kind == "7")
        intervals = {0, 4, 10};
    else
        throw std::logic_error("no chord " + symbol);
    std::vector<int> notes;
    for (int i : intervals) {
        int p = low + ((root + i - low) % 12 + 12) % 12;
        notes.push_back(p);
    }
    // The root first (the bass takes it), the rest rising.
    std::sort(notes.begin() + 1, notes.end());
    return notes;
}

std::vector<Note> MusicComposer::ornament(const std::vector<Note>& notes,
                                          const std::vector<int>& scale, uint32_t seed) {
    Lcg lcg(seed);
    std::vector<Note> out;
    for (const Note& n : notes) {
        const bool turn = n.length >= 0.9 && lcg.unit() < 0.5;
        if (!turn) {
            out.push_back(n);
            continue;
        }
        // The scale step above or below the note, within the octave it is in.
        const int pc = n.pitch % 12;
        auto at = std::find(scale.begin(), scale.end(), pc);
        if (at == scale.end()) {
            out.push_back(n);
            continue;
        }
        const size_t i = static_cast<size_t>(at - scale.begin());
        const bool up = lcg.unit() < 0.6;
        const int next = scale[(i + (up ? 1 : scale.size() - 1)) % scale.size()];
        int step = (next - pc + 12) % 12;
        if (!up)
            step -= 12;
        Note first = n;
        first.length = n.length * 0.5;
        Note second = n;
        second.beat = n.beat + n.length * 0.5 / 0.92;
        second.length = n.length * 0.5;
        second.pitch = n.pitch + step;
        second.velocity = n.velocity * 0.85;
        out.push_back(first);
        out.push_back(second);
    }
    return out;
}

Score MusicComposer::stage() {
    Score s;
    s.name = "stage";
    s.bpm = 144; // a beat is 18375 samples
    s.beats = 40 * 4;
    enum { kick, snare, hat, openHat, bass, pad, bell, lead };
    s.parts = {part(Voice::kick, 0.65),       part(Voice::snare, 0.6),    part(Voice::hat, 1.2),
               part(Voice::openHat, 0.6),     part(Voice::bass, 0.32),    part(Voice::pad, 0.2),
               part(Voice::bell, 0.14, 0.25), part(Voice::lead, 0.3, 0.3)};
    const std::vector<std::string> verse = {"Em", "C", "D", "Bm", "Em", "C", "Am", "B"};
    const std::vector<std::string> chorus = {"C", "D", "Em", "Em", "C", "D", "B", "B"};
    const std::vector<std::string> bridge = {"Am", "Am", "Em", "Em", "C", "C", "D", "B"};
    // Sections of eight bars: intro, theme, chorus, breakdown, the theme again with more
    // in it; the last bar's fill leads back into the intro.
    const Harmony intro{verse, 0}, theme{verse, 8}, lift{chorus, 16}, drop{bridge, 24},
        reprise{verse, 32};
    for (const Harmony* h : {&intro, &theme, &lift, &drop, &reprise})
        addPad(s.parts[pad], *h, h == &drop ? 0.9 : 0.7);
    const std::vector<int> eighths = {0, 0, 12, 0, 0, 12, 0, 7};
    addBass(s.parts[bass], intro, {0, -99, 0, -99, 0, -99, 0, -99}, 0.5, 0.9);
    for (const Harmony* h : {&theme, &lift, &reprise})
        addBass(s.parts[bass], *h, eighths, 0.5, 0.9);
    addBass(s.parts[bass], drop, {0, -99, -99, -99, -99, -99, -99, -99}, 0.5, 1.0);
    for (auto& n : s.parts[bass].notes)
        if (n.beat >= 24 * 4 && n.beat < 32 * 4)
            n.length = 3.8; // the breakdown holds each root for the bar
    addArpeggio(s.parts[bell], intro, 0.8);
    addArpeggio(s.parts[bell], drop, 0.7);
    addArpeggio(s.parts[bell], reprise, 0.5);
    for (int bar = 0; bar < 40; ++bar) {
        Groove g = bar < 8    ? Groove::pulse
                   : bar < 16 ? Groove::rock
                   : bar < 24 ? Groove::drive
                   : bar < 32 ? (bar < 28 ? Groove::none : Groove::halfTime)
                              : Groove::drive;
        addDrums(s, kick, snare, hat, openHat, bar, g, bar % 8 == 7);
    }
    const std::string themeText = "E5/2 G5/1 A5/1 B5/3 r/1 | C6/2 B5/1 A5/1 G5/2 E5/2 | "
                                  "F#5/2 A5/2 D6/3 r/1 | B5/4 A5/2 F#5/2 | "
                                  "E5/2 G5/1 A5/1 B5/2 E6/2 | D6/2 C6/1 B5/1 G5/2 E5/2 | "
                                  "A5/2 C6/2 B5/2 A5/2 | F#5/2 D#5/2 B4/4 |";
    const std::string chorusText =
        "G5/1 G5/1 E5/1 G5/1 C6/2 B5/2 | A5/1 A5/1 F#5/1 A5/1 D6/2 C6/2 | "
        "B5/3 G5/1 E5/4 | r/2 E5/1 F#5/1 G5/2 A5/2 | "
        "G5/1 G5/1 E5/1 G5/1 C6/2 E6/2 | D6/2 C6/1 B5/1 A5/2 F#5/2 | "
        "D#6/3 B5/1 F#5/2 B5/2 | A5/2 F#5/2 D#5/4 |";
    const std::string bridgeText = "r/4 A5/2 C6/2 | E6/6 r/2 | r/4 G5/2 B5/2 | E6/6 r/2 | "
                                   "r/2 C6/2 E6/2 G6/2 | E6/4 C6/4 | D6/2 F#6/2 A6/2 F#6/2 | "
                                   "D#6/4 B5/4 |";
    addNotes(s.parts[lead], phrase(themeText, 8 * 4, 0.5, 8, 0.9));
    addNotes(s.parts[lead], phrase(chorusText, 16 * 4, 0.5, 8, 1.0));
    addNotes(s.parts[lead], phrase(bridgeText, 24 * 4, 0.5, 8, 0.8));
    // The theme's return, turned over here and there, an octave up for its second half.
    std::vector<Note> again = ornament(phrase(themeText, 32 * 4, 0.5, 8, 0.9), kEMinor, 144u);
    for (Note& n : again)
        if (n.beat >= 36 * 4 && n.beat < 39 * 4)
            n.pitch += 12;
    addNotes(s.parts[lead], again);
    return s;
}

Score MusicComposer::title() {
    Score s;
    s.name = "title";
    s.bpm = 90; // a beat is 29400 samples
    s.beats = 24 * 4;
    enum { kick, snare, hat, openHat, bass, pad, bell, lead };
    s.parts = {part(Voice::kick, 0.6),       part(Voice::snare, 0.45),     part(Voice::hat, 0.9),
               part(Voice::openHat, 0.3),    part(Voice::bass, 0.25),      part(Voice::pad, 0.2),
               part(Voice::bell, 0.18, 0.3), part(Voice::lead, 0.26, 0.35)};
    const std::vector<std::string> home = {"Am", "F", "C", "G", "Am", "F", "G", "E"};
    const std::vector<std::string> away = {"F", "G", "Em", "Am", "Dm", "Em", "F", "E"};
    // Eight bars of bells alone, eight with the song, and the bells' bars again with the
    // song over them, ending on E to lead back to the first A minor.
    const Harmony opening{home, 0}, song{away, 8}, closing{home, 16};
    for (const Harmony* h : {&opening, &song, &closing}) {
        addPad(s.parts[pad], *h, 0.8);
        addArpeggio(s.parts[bell], *h, h == &song ? 0.55 : 0.8);
    }
    addBass(s.parts[bass], opening, {0, -99, -99, -99, 0, -99, -99, -99}, 0.5, 0.8);
    for (const Harmony* h : {&song, &closing})
        addBass(s.parts[bass], *h, {0, -99, -99, 0, 7, -99, 12, -99}, 0.5, 0.85);
    for (Note& n : s.parts[bass].notes)
        n.length = std::max(n.length, 1.4);
    for (int bar = 0; bar < 24; ++bar)
        addDrums(s, kick, snare, hat, openHat, bar, bar < 4 ? Groove::none : Groove::gentle,
                 bar == 7 || bar == 23);
    const std::string songText = "A5/3 C6/1 A5/2 G5/2 | B5/3 D6/1 B5/2 G5/2 | "
                                 "E5/2 G5/2 B5/2 E6/2 | C6/6 r/2 | D6/3 F6/1 E6/2 D6/2 | "
                                 "B5/3 G5/1 E5/4 | C6/2 A5/2 F5/2 A5/2 | G#5/4 B5/2 E6/2 |";
    const std::string homeText = "E6/3 D6/1 C6/2 A5/2 | C6/3 B5/1 A5/4 | G5/2 C6/2 E6/2 G6/2 | "
                                 "D6/6 r/2 | E6/3 D6/1 C6/2 E6/2 | F6/3 E6/1 C6/4 | "
                                 "D6/2 B5/2 G5/2 D6/2 | B5/4 G#5/2 E5/2 |";
    addNotes(s.parts[lead], phrase(songText, 8 * 4, 0.5, 8, 0.85));
    std::vector<Note> closingLine = phrase(homeText, 16 * 4, 0.5, 8, 0.85);
    // Its second half played again with turns in it.
    std::vector<Note> firstHalf, secondHalf;
    for (const Note& n : closingLine)
        (n.beat < 20 * 4 ? firstHalf : secondHalf).push_back(n);
    addNotes(s.parts[lead], firstHalf);
    addNotes(s.parts[lead], ornament(secondHalf, kAMinor, 90u));
    return s;
}

std::vector<MusicLoop> MusicComposer::loops() {
    std::vector<MusicLoop> out;
    for (const Score& s : {title(), stage()})
        out.push_back({s.name, Sequencer::render(s, kMusicPeak)});
    return out;
}

} // namespace contentgen
