// The music generator's pieces: notes that start and end silent, a loop whose notes and
// echoes ring on over its start, and melodies written as text read to the note.
#include <cmath>
#include <stdexcept>
#include <vector>

#include <gtest/gtest.h>

#include "tools/contentgen/Instrument.h"
#include "tools/contentgen/ModelChecker.h"
#include "tools/contentgen/MusicComposer.h"
#include "tools/contentgen/Sequencer.h"

namespace cg = contentgen;

namespace {

double loudest(const cg::Signal& s, size_t from = 0, size_t to = SIZE_MAX) {
    double peak = 0.0;
    for (size_t i = from; i < std::min(to, s.size()); ++i)
        peak = std::max(peak, std::fabs(s[i]));
    return peak;
}

} // namespace

// Notes are laid over each other anywhere in a loop: one that started or stopped away
// from zero would click there.
TEST(MusicGenerator, EveryVoiceIsHeardAndStartsAndEndsAtZero) {
    for (cg::Voice v : {cg::Voice::kick, cg::Voice::snare, cg::Voice::hat, cg::Voice::openHat,
                        cg::Voice::bass, cg::Voice::pad, cg::Voice::lead, cg::Voice::bell}) {
        cg::Signal s = cg::Instrument::render(v, {0.0, 1.0, 57, 1.0}, 0.5);
        ASSERT_GT(s.size(), 100u);
        EXPECT_GT(loudest(s), 0.1) << int(v);
        EXPECT_LT(std::fabs(s.front()), 0.01) << int(v);
        EXPECT_LT(std::fabs(s.back()), 0.002) << int(v);
    }
}

// A note held over the loop's end and its echo are heard over the start, as when the
// loop repeats, so the loop passes the checker's seam test; the same note without the
// wrap would end in a step.
TEST(MusicGenerator, NotesAndEchoesRingOnOverTheLoopsStart) {
    cg::Score score;
    score.name = "tune";
    score.bpm = 60; // a beat a second
    score.beats = 20;
    cg::Part pad;
    pad.voice = cg::Voice::pad;
    pad.echo = 0.5;
    pad.notes = {{19.5, 1.0, 57, 1.0}}; // held half a second past the end
    score.parts = {pad};
    cg::Signal loop = cg::Sequencer::render(score, 0.5);
    ASSERT_EQ(loop.size(), 20u * cg::kMusicRate);
    EXPECT_NEAR(loudest(loop), 0.5, 1e-9);
    EXPECT_GT(loudest(loop, 0, cg::kMusicRate / 2), 0.1) << "the held note did not come round";
    // Its echo, three quarters of a beat later, and nothing in the middle of the loop.
    EXPECT_GT(loudest(loop, cg::kMusicRate, cg::kMusicRate * 3 / 2), 0.02);
    EXPECT_LT(loudest(loop, 12 * cg::kMusicRate, 16 * cg::kMusicRate), 1e-3);
    cg::ContentModel model;
    model.music = {{"tune", loop}};
    for (const std::string& p : cg::ModelChecker(model).run())
        EXPECT_EQ(p.find("does not lead"), std::string::npos) << p;
}

// Melodies and chords written as text: each token read to its pitch and place, and a
// bar of the wrong length or a note with no name refused rather than shifting every
// note after it.
TEST(MusicGenerator, PhrasesAndChordsAreReadToTheNote) {
    std::vector<cg::Note> n =
        cg::MusicComposer::phrase("E5/2 r/1 F#5/1 | Bb4/4 |", 4.0, 0.5, 4, 0.8);
    ASSERT_EQ(n.size(), 3u);
    EXPECT_EQ(n[0].pitch, 76);
    EXPECT_DOUBLE_EQ(n[0].beat, 4.0);
    EXPECT_EQ(n[1].pitch, 78);
    EXPECT_DOUBLE_EQ(n[1].beat, 5.5);
    EXPECT_EQ(n[2].pitch, 70);
    EXPECT_DOUBLE_EQ(n[2].beat, 6.0);
    EXPECT_LT(n[2].length, 2.0) << "a note is released before the next one";
    for (const char* bad : {"E5/3 |", "H5/4 |", "E5/2 E5", "E5/2"})
        EXPECT_THROW(cg::MusicComposer::phrase(bad, 0.0, 0.5, 4, 1.0), std::logic_error) << bad;
    EXPECT_EQ(cg::MusicComposer::chord("B7", 40), (std::vector<int>{47, 45, 51}));
    EXPECT_EQ(cg::MusicComposer::chord("Em", 55), (std::vector<int>{64, 55, 59}));
    EXPECT_THROW(cg::MusicComposer::chord("Csus", 55), std::logic_error);
}
