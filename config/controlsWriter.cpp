#include "config/controlsWriter.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "config/controlsConfig.h"
#include "config/controlsFile.h"
#include "config/keyNames.h"

namespace {

const char* const kHeading =
    "# brawler's keys: one setting a line, \"setting = value\"; a line starting with #\n"
    "# is a comment. Keys are SDL's key names, in any case: \"left\", \"z\", \"return\",\n"
    "# \"space\", \"left ctrl\", \"[0]\" (keypad 0). A line the game cannot use is named on\n"
    "# standard error when it starts, and its setting keeps the default below.\n"
    "# Check this file with: brawler-check --controls FILE\n";

std::string settingLine(const controlSetting& s) {
    // A keyboard player's line suggests a joystick each, so both lines may be
    // uncommented as they stand.
    if (s.kind == settingKind::joystick && *s.value < 0)
        return "# " + s.name + " = " + std::to_string(s.player) + "\n";
    std::string value =
        s.kind == settingKind::key ? keynames::nameOf(*s.value) : std::to_string(*s.value);
    return s.name + " = " + value + "\n";
}

std::string heading(int player) {
    if (player < 0)
        return "\n# The game's own keys\n";
    return player == 0 ? "\n# The first player\n" : "\n# The second player\n";
}

controlsWriteResult failed(const std::string& path, int error) {
    return {false, "brawler: cannot write " + path + " (" + std::strerror(error) +
                       ") — name a file in a folder you can write to"};
}

} // namespace

std::string defaultControlsText() {
    return controlsText(controlsConfig());
}

std::string controlsText(const controlsConfig& controls) {
    controlsConfig copy = controls;
    std::string text = kHeading;
    int player = -2;
    for (const controlSetting& s : copy.settings()) {
        if (s.player != player)
            text += heading(player = s.player);
        std::string does = s.does;
        if (s.kind == settingKind::joystick && *s.value < 0)
            does += "; remove the \"# \" to use one";
        text += "# " + does + "\n" + settingLine(s);
    }
    return text;
}

controlsWriteResult writeDefaultControls(const std::string& path) {
    std::string target = path;
    if (target.empty()) {
        target = defaultControlsPath();
        if (target.empty())
            return {false, "brawler: neither XDG_CONFIG_HOME nor HOME is set, so the controls "
                           "file has no place — name a file: --write-controls FILE"};
        std::error_code ec;
        std::filesystem::create_directories(std::filesystem::path(target).parent_path(), ec);
    }
    // A folder "exists" too, but removing it is not what the player wants.
    std::error_code folderError;
    if (std::filesystem::is_directory(target, folderError))
        return {false, "brawler: " + target + " is a folder; name a file in it"};
    // "x": the file is made here or not at all, never written over.
    FILE* f = std::fopen(target.c_str(), "wx");
    if (!f) {
        if (errno == EEXIST)
            return {false, "brawler: " + target +
                               " already exists; not written (remove it or name another file)"};
        return failed(target, errno);
    }
    std::string text = defaultControlsText();
    bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    int error = errno;
    if (std::fclose(f) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        std::remove(target.c_str());
        return failed(target, error);
    }
    return {true, "brawler: wrote the default controls to " + target};
}
