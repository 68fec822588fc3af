#include "sound/soundSet.h"

#include <cstdio>

#include "SDL.h"

#include "datafile/loadReport.h"
#include "datafile/textLine.h"
#include "platform/traceLog.h"

namespace {

// Longest sound name kept; longer names are cut, never overflow.
constexpr size_t kMaxNameLength = 111;

// True while SDL_mixer has an audio device open. Without one the game runs silent:
// nothing is loaded and nothing is handed to the mixer.
bool audioOpen() {
    return Mix_QuerySpec(nullptr, nullptr, nullptr) != 0;
}

// Loads a WAV file; null when the file is missing, is not a WAV the mixer can read, or
// there is no audio device to convert it for.
Mix_Chunk* loadSample(const std::string& path) {
    if (!audioOpen())
        return nullptr;
    SDL_RWops* rw = SDL_RWFromFile(path.c_str(), "rb");
    if (!rw)
        return nullptr;
    return Mix_LoadWAV_RW(rw, 1); // closes the stream whatever happens
}

} // namespace

soundSet::soundSet() {
    tracef("SOUND CLASS INITIATED!\n");
}

soundSet::~soundSet() {
    clear();
}

void soundSet::clear() {
    while (sounds) {
        soundNode* next = sounds->next;
        if (sounds->chunk)
            Mix_FreeChunk(sounds->chunk);
        delete sounds;
        sounds = next;
    }
    soundCount = 0;
}

soundNode* soundSet::spare() {
    if (!sounds)
        sounds = new soundNode;
    soundNode* node = sounds;
    while (node->next)
        node = node->next;
    return node;
}

void soundSet::loadIntoSpare(const std::string& folder, const std::string& name, loadReport* report,
                             int line) {
    soundNode* node = spare();
    node->name = name;
    std::string path = folder + "/" + name + ".wav";
    tracef("ANOTHER COUT LOL\n");
    tracef("SOUND NAME: %s\n", path.c_str());
    node->chunk = loadSample(path);
    // The outcome names no real file; it is trace, so it goes where the trace goes.
    tracef(node->chunk ? "Loaded myfile.wav\n" : "Could not load myfile.wav\n");
    node->next = new soundNode;
    if (node->chunk)
        return;
    // Said at the list's line that names the sample: on standard error in the game,
    // into the checker's report there.
    std::string list = folder + "/sound";
    SDL_RWops* rw = SDL_RWFromFile(path.c_str(), "rb");
    if (!rw)
        textline::note(report, true, list, line,
                       "missing sound sample " + path +
                           " — add the WAV or fix the name here; the sound stays silent");
    else if (audioOpen())
        textline::note(report, true, list, line,
                       "SDL_mixer cannot decode the sound sample " + path + " (" + Mix_GetError() +
                           ") — save it as a PCM WAV; the sound stays silent");
    if (rw)
        SDL_RWclose(rw);
}

void soundSet::getList(const std::string& folder, loadReport* report) {
    std::string path = folder + "/sound";
    FILE* f = textline::openDescription(path, report);
    if (!f)
        return;
    clear();
    spare();

    int lineNumber = 0;
    std::string line;
    int announced = textline::readHeader(f, line, lineNumber, "SOUNDS:", 0, report, path);
    int read = 0;

    // Nodes are made as lines arrive and the count is what was read, so a header that
    // is negative, missing or far larger than the file sizes nothing.
    for (int i = 0; i < announced; ++i) {
        if (!textline::readLine(f, line, lineNumber, report, path))
            break;
        ++read;
        loadIntoSpare(
            folder,
            textline::firstWord(line, kMaxNameLength, report, path, lineNumber, "the sound name"),
            report, lineNumber);
        ++soundCount;
    }
    fclose(f);
    textline::checkCount(announced, read, report, path, 1, "sound names");
}

void soundSet::addToList(const std::string& folder, loadReport* report) {
    tracef("ADDING TO SOUND SET, YAY!\n");
    std::string path = folder + "/sound";
    FILE* f = textline::openDescription(path, report);
    if (!f)
        return;
    spare();

    int lineNumber = 0;
    std::string line;
    int announced = textline::readHeader(f, line, lineNumber, "SOUNDS:", 0, report, path);
    int read = 0;

    // soundCount stays as it was until the end, so find sees only the sounds held
    // before this list: a name listed twice here goes in twice.
    int skipped = 0;
    int added = 0;
    for (int i = 0; i < announced; ++i) {
        if (!textline::readLine(f, line, lineNumber, report, path))
            break;
        ++read;
        std::string name =
            textline::firstWord(line, kMaxNameLength, report, path, lineNumber, "the sound name");
        if (find(name)) {
            ++skipped;
            tracef("Min bitches %d\n", -skipped);
            continue;
        }
        loadIntoSpare(folder, name, report, lineNumber);
        ++added;
    }
    soundCount += added;
    tracef("New Total is : %d\n", soundCount);
    fclose(f);
    textline::checkCount(announced, read, report, path, 1, "sound names");
}

soundNode* soundSet::find(const std::string& name) {
    soundNode* node = sounds;
    for (int i = 0; i < soundCount && node; ++i, node = node->next) {
        tracef("%s VS %s\n", node->name.c_str(), name.c_str());
        if (node->name == name) {
            tracef("FOUND SOUND EFFECT\n");
            return node;
        }
    }
    tracef("DID NOT FIND SOUND EFFECT\n");
    return nullptr;
}

void soundSet::Play(const std::string& name, int channel) {
    soundNode* node = find(name);
    if (!node)
        return;
    tracef("SOUND PLAYING\n");
    // A sample that failed to load has no chunk: that sound plays nothing.
    if (holding)
        held.emplace_back(node->chunk, channel);
    else if (node->chunk && audioOpen())
        Mix_PlayChannelTimed(channel, node->chunk, 0, -1);
}

void soundSet::playHeld() {
    bool open = audioOpen();
    for (const auto& [chunk, channel] : held)
        if (chunk && open)
            Mix_PlayChannelTimed(channel, chunk, 0, -1);
    held.clear();
}

Mix_Chunk* soundSet::returnSound(const std::string& name) {
    soundNode* node = find(name);
    return node ? node->chunk : nullptr;
}

void soundSet::display() {
    soundNode* node = sounds;
    for (int i = 0; i < soundCount && node; ++i, node = node->next)
        tracef("Sound - %s\n", node->name.c_str());
}
