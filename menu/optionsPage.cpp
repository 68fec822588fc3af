#include "menu/optionsPage.h"

#include <cstdio>

#include "config/controlsConfig.h"
#include "config/controlsWriter.h"
#include "config/settingsFile.h"
#include "menu/keysPage.h"
#include "menu/menuLook.h"
#include "platform/displayMode.h"
#include "platform/traceLog.h"

namespace {

// The rows of the page: two that open the players' keys, one a setting from
// gameSettings::fields() (in its order), and Back.
constexpr int kKeyRows = 2;
constexpr const char* kLabels[] = {"SOUND",  "MUSIC",      "FULLSCREEN", "SCALE",
                                   "ROUNDS", "ROUND TIME", "CPU LEVEL"};
constexpr int kSettingRows = sizeof kLabels / sizeof kLabels[0];
constexpr int kBackRow = kKeyRows + kSettingRows;
constexpr int kFullscreenField = 2;
constexpr int kScaleField = 3;

std::string shownValue(const settingField& f) {
    if (f.style == settingStyle::yesNo)
        return *f.value ? "ON" : "OFF";
    if (f.style == settingStyle::time && *f.value == 0)
        return "NONE";
    return std::to_string(*f.value);
}

std::string padOf(const controlsConfig& c, int player) {
    int pad = c.players[player].joystickIndex;
    return pad < 0 ? "KEYBOARD" : "PAD " + std::to_string(pad);
}

} // namespace

optionsPage::optionsPage(SDL_Surface* screen, const menuLook& look, menuInput& input,
                         controlsConfig& controls, gameSettings& settings,
                         const optionsPlaces& files, const applySettings& apply)
    : screen_(screen), look_(look), input_(input), controls_(controls), settings_(settings),
      files_(files), apply_(apply) {
    list.title = "OPTIONS";
    list.hint = "LEFT RIGHT: CHANGE  ENTER: OPEN  ESCAPE: BACK";
    refresh();
}

void optionsPage::refresh() {
    list.entries.clear();
    list.entries.push_back({"1P KEYS", padOf(controls_, 0)});
    list.entries.push_back({"2P KEYS", padOf(controls_, 1)});
    std::vector<settingField> fields = settings_.fields();
    for (int i = 0; i < kSettingRows; ++i)
        list.entries.push_back({kLabels[i], shownValue(fields[i])});
    list.entries.push_back({"BACK", ""});
}

void optionsPage::change(int field, int by) {
    std::vector<settingField> fields = settings_.fields();
    const settingField& f = fields[field];
    if (!gameSettings::step(f, by))
        return;
    list.message.clear();
    if (field == kFullscreenField && screen_) {
        bool now = (screen_->flags & SDL_FULLSCREEN) != 0;
        if (now != (settings_.fullscreen != 0) && !toggleFullscreen(screen_)) {
            gameSettings::step(f, -by);
            list.message = "THE DISPLAY CANNOT SWITCH";
            return;
        }
    }
    // SDL sizes the window once, when it opens.
    if (field == kScaleField)
        list.message = "SCALE " + std::to_string(settings_.scale) + " ON THE NEXT START";
    unsaved_ = false;
    if (apply_)
        apply_(settings_);
}

menuStep optionsPage::openKeys(int player) {
    keysPage keys(player, controls_, input_);
    bool open = showPage(screen_, look_, input_, keys);
    list.message = keys.changed ? std::to_string(player + 1) + "P KEYS CHANGED" : "";
    unsaved_ = false;
    return open ? menuStep::stay : menuStep::quit;
}

void optionsPage::draw(SDL_Surface* screen, const menuLook& look) {
    int shown = (screen_ && (screen_->flags & SDL_FULLSCREEN)) ? 1 : 0;
    if (screen_ && shown != settings_.fullscreen) {
        settings_.fullscreen = shown;
        refresh();
    }
    menuPage::draw(screen, look);
}

menuStep optionsPage::act(menuAction action, const SDL_Event&) {
    int row = list.cursor;
    menuStep step = menuStep::stay;
    switch (action) {
    case menuAction::back:
        // A save that failed is said once; Back again leaves without it.
        if (!save() && !unsaved_) {
            unsaved_ = true;
            return menuStep::stay;
        }
        return menuStep::leave;
    case menuAction::confirm:
        if (row == kBackRow)
            return act(menuAction::back, SDL_Event{});
        if (row < kKeyRows)
            step = openKeys(row);
        else
            change(row - kKeyRows, 1);
        break;
    case menuAction::left:
    case menuAction::right:
        if (row >= kKeyRows && row < kBackRow)
            change(row - kKeyRows, action == menuAction::left ? -1 : 1);
        break;
    default:
        break;
    }
    refresh();
    return step;
}

bool optionsPage::save() {
    std::string problems;
    struct {
        const std::string& path;
        std::string text;
        const char* what;
    } files[] = {{files_.controls, controlsText(controls_), "KEYS"},
                 {files_.settings, settingsFile::text(settings_), "SETTINGS"}};
    for (const auto& f : files) {
        std::string error;
        if (f.path.empty())
            error = "no place for the file (set HOME or XDG_CONFIG_HOME)";
        else if (settingsFile::replaceFile(f.path, f.text, error)) {
            tracef("options: saved %s\n", f.path.c_str());
            continue;
        }
        fprintf(stderr, "brawler: warning: the options' %s not saved: %s\n",
                f.what == std::string("KEYS") ? "keys were" : "settings were", error.c_str());
        problems += problems.empty() ? f.what : std::string(" AND ") + f.what;
    }
    if (problems.empty())
        return true;
    list.message = "COULD NOT SAVE THE " + problems + ": ESCAPE LEAVES";
    return false;
}

bool runOptions(SDL_Surface* screen, const menuLook& look, menuInput& input,
                controlsConfig& controls, gameSettings& settings, const optionsPlaces& files,
                const applySettings& apply) {
    tracef("screen: options\n");
    optionsPage page(screen, look, input, controls, settings, files, apply);
    bool open = showPage(screen, look, input, page);
    // The window's close loses nothing changed here.
    if (!open)
        page.save();
    input.setKeys(controls);
    return open;
}
