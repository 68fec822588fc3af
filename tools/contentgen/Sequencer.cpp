#include "tools/contentgen/Sequencer.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

#include "tools/contentgen/Geometry.h"
#include "tools/contentgen/Instrument.h"

namespace contentgen {

int Sequencer::loopSamples(const Score& score) {
    return static_cast<int>(std::lround(score.beats * 60.0 * kMusicRate / score.bpm));
}

void Sequencer::addWrapped(Signal& loop, const Signal& add, double gain, long at) {
    const long n = static_cast<long>(loop.size());
    long j = ((at % n) + n) % n;
    for (double v : add) {
        loop[static_cast<size_t>(j)] += v * gain;
        if (++j == n)
            j = 0;
    }
}

void Sequencer::echo(Signal& loop, int delay, double feedback) {
    // Two times round: the first fills the delay line with what the loop's end leaves
    // in it, the second is what is heard.
    const int n = static_cast<int>(loop.size());
    const Signal dry = loop;
    Signal wet(static_cast<size_t>(n), 0.0);
    for (int pass = 0; pass < 2; ++pass)
        for (int i = 0, from = n - delay % n; i < n; ++i, from = from + 1 == n ? 0 : from + 1)
            wet[i] = feedback * (dry[from] + wet[from]);
    for (int i = 0; i < n; ++i)
        loop[i] = dry[i] + wet[i];
}

void Sequencer::removeOffset(Signal& loop) {
    // A DC blocker (20 Hz) run round the loop twice, keeping the second turn: its state
    // at the loop's start is what the end leaves it, so the seam is not a step.
    const double r = 1.0 - 2.0 * kPi * 20.0 / kMusicRate;
    double x1 = loop.back();
    double y1 = 0.0;
    Signal out(loop.size());
    for (int pass = 0; pass < 2; ++pass)
        for (size_t i = 0; i < loop.size(); ++i) {
            const double y = loop[i] - x1 + r * y1;
            x1 = loop[i];
            y1 = y;
            out[i] = y;
        }
    loop = out;
}

Signal Sequencer::render(const Score& score, double peak) {
    const int n = loopSamples(score);
    const double secondsPerBeat = 60.0 / score.bpm;
    const double samplesPerBeat = secondsPerBeat * kMusicRate;
    Signal mix(static_cast<size_t>(n), 0.0);
    Signal track;
    for (const Part& part : score.parts) {
        // A part with an echo is played on its own track first; the rest go straight
        // into the mix.
        const bool echoed = part.echo > 0.0;
        if (echoed)
            track.assign(static_cast<size_t>(n), 0.0);
        Signal& into = echoed ? track : mix;
        const double gain = echoed ? 1.0 : part.gain;
        // A drum hit or a chord note comes back many times the same: made once.
        std::map<std::tuple<int, double, double>, Signal> made;
        for (const Note& note : part.notes) {
            auto key = std::make_tuple(note.pitch, note.length, note.velocity);
            auto it = made.find(key);
            if (it == made.end())
                it = made.emplace(key, Instrument::render(part.voice, note, secondsPerBeat)).first;
            addWrapped(into, it->second, gain, std::lround(note.beat * samplesPerBeat));
        }
        if (echoed) {
            echo(track, static_cast<int>(std::lround(part.echoBeats * samplesPerBeat)), part.echo);
            Synth::mixInto(mix, track, part.gain);
        }
    }
    removeOffset(mix);
    double most = 0.0;
    for (double v : mix)
        most = std::max(most, std::fabs(v));
    const double k = most > 0.0 ? peak / most : 0.0;
    for (double& v : mix)
        v *= k;
    return mix;
}

} // namespace contentgen
