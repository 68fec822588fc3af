#include "tools/checker/dataChecker.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <system_error>

#include "SDL_mixer.h"

#include "datafile/bmpHeader.h"
#include "datafile/loadReport.h"
#include "fighter/characterRoster.h"

using sheetcheck::emptyBox;

dataChecker::dataChecker(const std::string& dataRoot, loadReport& report)
    : root_(dataRoot), report_(report) {}

dataChecker::~dataChecker() {
    if (stage_)
        SDL_FreeSurface(stage_);
}

void dataChecker::run() {
    std::error_code ec;
    if (!std::filesystem::is_directory(root_, ec)) {
        report_.error(root_, 0,
                      "no data folder here — give the folder that holds run/, Brawler/, "
                      "particle/, soundSet/ and tBG2.bmp");
        return;
    }
    load();
    loadHud();
    std::vector<std::string> names = characterNames();
    if (names.empty())
        report_.error(root_, 0,
                      "no characters — the game plays the folders here that hold an info and "
                      "a moveset file; add one (such as Brawler/)");
    for (const std::string& name : names) {
        characters_.push_back(
            std::make_unique<characterChecker>(root_, name, report_, sounds_, particles_));
        characters_.back()->run();
    }
    sheetcheck::checkParticleFolders(report_, root_, "default", particles_);
    for (const sheetRef& ref : sharedSheets())
        sheetcheck::checkUniformFrames(ref, report_);
    // A particle hits with its boxes; the HUD's boxes mean other things and are checked
    // with the HUD, and the running figure is never drawn.
    for (const partInfoNode* n = particles_.head; n; n = n->next)
        if (n->info.sheet && !n->name.empty())
            sheetcheck::checkBoxes(
                {n->info.sheet.get(), root_ + "/particle/" + n->name + "/info", false}, report_);
    sheetcheck::checkDeathLists(report_, particles_, {&particles_}, "particle/default");
    checkStage();
    checkHud();
    checkMusic();
}

void dataChecker::runCharacter(const std::string& name) {
    // The shared sounds and default particles are loaded for the names the character
    // uses; their own problems belong to a check of the whole folder, not this one.
    loadReport shared;
    sounds_.getList(root_ + "/soundSet", &shared);
    particles_.addList("default", SDL_GetVideoSurface(), root_, &shared);
    characters_.push_back(
        std::make_unique<characterChecker>(root_, name, report_, sounds_, particles_));
    characters_.back()->run();
}

std::vector<std::string> dataChecker::characterNames() const {
    // Whatever characters the game would offer (the Brawler need not be one of them), and
    // a folder half made into one: a moveset, or an animation list without its moveset,
    // is a character missing a file, which is worth saying.
    std::vector<std::string> names = listCharacters(root_);
    std::error_code ec;
    for (std::filesystem::directory_iterator it(root_, ec), end; !ec && it != end;
         it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (std::find(names.begin(), names.end(), name) != names.end())
            continue;
        std::error_code linkError;
        bool moveset = std::filesystem::exists(
            std::filesystem::symlink_status(it->path() / "moveset", linkError));
        std::ifstream info(it->path() / "info");
        std::string first;
        info >> first;
        if (moveset || first == "ANIMS:")
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

void dataChecker::load() {
    // The game's start-up order: the shell's two sheets, the character (checked on its
    // own), the sounds, the particle definitions, the stage.
    run_.init(root_ + "/run", &report_);
    fireball_.init(root_ + "/particle/fireball1", &report_);
    sounds_.getList(root_ + "/soundSet", &report_);
    particles_.addList("default", SDL_GetVideoSurface(), root_, &report_);
    std::string stagePath = root_ + "/tBG2.bmp";
    SDL_RWops* rw = SDL_RWFromFile(stagePath.c_str(), "rb");
    if (!rw) {
        report_.error(stagePath, 0, "missing stage image — add the 800x600 background BMP");
    } else if (SDL_Surface* raw = bmpheader::loadBounded(rw)) {
        stage_ = SDL_DisplayFormat(raw);
        SDL_FreeSurface(raw);
    } else {
        report_.error(stagePath, 0,
                      std::string("SDL cannot decode the stage image (") + SDL_GetError() +
                          ") — save it as an uncompressed BMP");
    }
}

std::vector<sheetRef> dataChecker::sheets() const {
    std::vector<sheetRef> out = sharedSheets();
    for (const auto& c : characters_)
        for (const sheetRef& ref : c->sheets())
            out.push_back(ref);
    return out;
}

std::vector<sheetRef> dataChecker::sharedSheets() const {
    std::vector<sheetRef> out;
    out.push_back({&run_, root_ + "/run/info", false});
    const std::string hud = root_ + "/hud/";
    // The bar's plate is larger than its fill by design.
    if (hudBar_.loaded)
        out.push_back({&hudBar_, hud + "bar/info", false, false});
    for (auto [sheet, name] : {std::pair{&hudFont_, "font"}, std::pair{&hudBigFont_, "bigfont"},
                               std::pair{&hudMarker_, "marker"}})
        if (sheet->loaded)
            out.push_back({sheet, hud + name + "/info", false});
    // The definitions' sheets include fireball1, which the shell also loads itself.
    for (const partInfoNode* n = particles_.head; n; n = n->next)
        if (n->info.sheet && !n->name.empty())
            out.push_back({n->info.sheet.get(), root_ + "/particle/" + n->name + "/info", false});
    return out;
}

void dataChecker::checkStage() {
    if (!stage_)
        return;
    // A restore skips key-colour pixels, so stage pixels of a sheet's key colour are
    // never put back once something has been drawn over them.
    const Uint32 rgb = stage_->format->Rmask | stage_->format->Gmask | stage_->format->Bmask;
    std::map<Uint32, std::string> keys; // key pixel -> first info file:line using it
    for (const sheetRef& ref : sheets())
        for (const frameInfo& f : ref.sheet->frames)
            if (f.image && (f.image->flags & SDL_SRCCOLORKEY) &&
                f.image->format->BitsPerPixel == stage_->format->BitsPerPixel)
                keys.emplace(f.image->format->colorkey & rgb,
                             ref.info + ":" + std::to_string(f.infoLine));
    if (keys.empty() || stage_->format->BytesPerPixel != 4)
        return;
    std::map<Uint32, long> counts;
    SDL_LockSurface(stage_);
    for (int y = 0; y < stage_->h; ++y) {
        const Uint32* row = reinterpret_cast<const Uint32*>(
            static_cast<const Uint8*>(stage_->pixels) + y * stage_->pitch);
        for (int x = 0; x < stage_->w; ++x) {
            Uint32 p = row[x] & rgb;
            if (keys.count(p))
                ++counts[p];
        }
    }
    SDL_UnlockSurface(stage_);
    for (const auto& [key, n] : counts) {
        Uint8 r = 0;
        Uint8 g = 0;
        Uint8 b = 0;
        SDL_GetRGB(key, stage_->format, &r, &g, &b);
        report_.warning(root_ + "/tBG2.bmp", 0,
                        "the stage holds " + std::to_string(n) + (n == 1 ? " pixel" : " pixels") +
                            " of the colour " + std::to_string(r) + "," + std::to_string(g) + "," +
                            std::to_string(b) + ", the colour key of " + keys[key] +
                            "; they are never restored once drawn over — repaint them or "
                            "choose another key colour");
    }
}

void dataChecker::loadHud() {
    // Optional to the game: without it the match falls back to plain pictures, so a
    // missing HUD is a warning, never an error.
    std::error_code ec;
    const std::string hud = root_ + "/hud";
    hasHud_ = std::filesystem::is_directory(hud, ec);
    if (!hasHud_) {
        report_.warning(hud, 0,
                        "missing folder " + hud +
                            "; the match is played with plain bars and no banners — add the "
                            "HUD sheets bar, font, bigfont and marker, and its sound list");
        return;
    }
    hudBar_.init(hud + "/bar", &report_);
    hudFont_.init(hud + "/font", &report_);
    hudBigFont_.init(hud + "/bigfont", &report_);
    hudMarker_.init(hud + "/marker", &report_);
    hudSounds_.getList(hud, &report_);
}

void dataChecker::checkHud() {
    if (!hasHud_)
        return;
    const std::string hud = root_ + "/hud/";
    // The match draws life into the plate's body box, filling it with the fill frame and
    // the damage frame, so both must be exactly the inside's size.
    const std::string bar = hud + "bar/info";
    if (hudBar_.loaded && hudBar_.frameCount < 3) {
        report_.error(bar, 1,
                      "the bar has " + std::to_string(hudBar_.frameCount) +
                          " frames; the match needs 3 — give it the plate, the fill and the "
                          "damage segment, in that order");
    } else if (hudBar_.loaded && hudBar_.frames[0].image) {
        const frameInfo& plate = hudBar_.frames[0];
        const colBox& in = plate.cBox;
        if (emptyBox(in) || in.left < 0 || in.top < 0 || in.right >= plate.image->w ||
            in.bottom >= plate.image->h) {
            report_.error(bar, plate.infoLine + 2,
                          "the plate's body box is empty or reaches outside its " +
                              std::to_string(plate.image->w) + "x" +
                              std::to_string(plate.image->h) +
                              " image; it marks where life shows — give it the inside of the "
                              "plate, in image pixels");
        } else {
            const int w = in.right - in.left + 1;
            const int h = in.bottom - in.top + 1;
            for (int i : {1, 2}) {
                const frameInfo& f = hudBar_.frames[i];
                if (f.image && (f.image->w != w || f.image->h != h))
                    report_.error(bar, f.infoLine,
                                  std::string(i == 1 ? "the fill" : "the damage segment") + " is " +
                                      std::to_string(f.image->w) + "x" +
                                      std::to_string(f.image->h) + ", the plate's inside " +
                                      std::to_string(w) + "x" + std::to_string(h) +
                                      " — draw it the size of the plate's body box");
            }
        }
    }
    for (auto [sheet, name] : {std::pair{&hudFont_, "font"}, std::pair{&hudBigFont_, "bigfont"}}) {
        if (!sheet->loaded)
            continue;
        std::set<std::string> labels;
        for (const frameInfo& f : sheet->frames)
            labels.insert(f.label);
        for (char c : std::string("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"))
            if (!labels.count(std::string(1, c)))
                report_.error(hud + name + "/info", 0,
                              "no glyph for \"" + std::string(1, c) +
                                  "\"; the match leaves a gap where it belongs — add a frame "
                                  "labelled " +
                                  std::string(1, c));
    }
    if (hudMarker_.loaded && hudMarker_.frameCount < 2)
        report_.error(hud + "marker/info", 1,
                      "the marker has " + std::to_string(hudMarker_.frameCount) +
                          " frames; the match needs 2 — give it a round not won, then a round "
                          "won");
}

void dataChecker::checkMusic() {
    for (const char* name : {"title", "stage"}) {
        const std::string path = root_ + "/music/" + name + ".wav";
        FILE* f = fopen(path.c_str(), "rb");
        if (!f) {
            report_.warning(path, 0,
                            "missing music — that part of the game plays in silence; add a "
                            "loop (a PCM WAV at 44100 Hz)");
            continue;
        }
        unsigned char h[28] = {};
        const size_t got = fread(h, 1, sizeof h, f);
        fclose(f);
        if (got == sizeof h && memcmp(h, "RIFF", 4) == 0 && memcmp(h + 8, "WAVEfmt ", 8) == 0) {
            const unsigned rate = h[24] | h[25] << 8 | h[26] << 16 | unsigned(h[27]) << 24;
            if (rate != 44100)
                report_.warning(path, 0,
                                "music at " + std::to_string(rate) +
                                    " Hz: SDL_mixer converts a music stream of another rate a "
                                    "buffer at a time and it clicks at every buffer's edge — "
                                    "save it at 44100 Hz");
        }
        if (Mix_QuerySpec(nullptr, nullptr, nullptr) == 0)
            continue;
        if (Mix_Music* m = Mix_LoadMUS(path.c_str()))
            Mix_FreeMusic(m);
        else
            report_.warning(path, 0,
                            std::string("not music SDL_mixer can play (") + Mix_GetError() +
                                ") — save it as a PCM WAV; that part of the game plays in "
                                "silence");
    }
}
