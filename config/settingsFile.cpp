#include "config/settingsFile.h"

#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "config/controlsReader.h"
#include "config/gameSettings.h"
#include "config/options.h"
#include "datafile/textLine.h"

namespace {

const char* const kHeading =
    "# brawler's settings: one setting a line, \"setting = value\"; a line starting with #\n"
    "# is a comment. The game writes this file when you leave its Options; a setting\n"
    "# left out keeps the default. An option on the command line (--rounds 5) wins over\n"
    "# its line here for that run.\n";

std::string choicesOf(const settingField& f) {
    if (f.style == settingStyle::yesNo)
        return "yes or no";
    std::string all;
    for (size_t i = 0; i < f.choices.size(); ++i) {
        bool last = i + 1 == f.choices.size();
        all += (i == 0 ? "" : last ? " or " : ", ") + gameSettings::text(f, f.choices[i]);
    }
    // A long run of numbers reads better as its ends.
    if (f.style == settingStyle::number && f.choices.size() > 5)
        return std::to_string(f.choices.front()) + " to " + std::to_string(f.choices.back());
    return all;
}

// Reads lines as the controls file does: LF, CR LF or a lone CR ends one, a line longer
// than controlsReader::kMaxLine is flagged, and nothing past kMaxBytes is read.
class lineSource {
public:
    explicit lineSource(FILE* f) : f_(f) {}
    bool next(std::string& line, bool& tooLong) {
        line.clear();
        tooLong = false;
        int c = EOF;
        bool any = false;
        while (bytes_ < controlsReader::kMaxBytes && (c = fgetc(f_)) != EOF) {
            ++bytes_;
            any = true;
            if (c == '\n')
                break;
            if (c == '\r') {
                int after = fgetc(f_);
                if (after == '\n')
                    ++bytes_;
                else if (after != EOF)
                    ungetc(after, f_);
                break;
            }
            if (static_cast<int>(line.size()) < controlsReader::kMaxLine)
                line += static_cast<char>(c);
            else
                tooLong = true;
        }
        if (!any)
            return false;
        ++number;
        if (number == 1 && line.compare(0, 3, "\xEF\xBB\xBF") == 0)
            line.erase(0, 3);
        return true;
    }
    bool cut() const { return bytes_ >= controlsReader::kMaxBytes; }
    int number = 0; // the line just read, from 1

private:
    FILE* f_;
    long bytes_ = 0;
};

} // namespace

void settingsFile::read(FILE* f, const std::string& name, gameSettings& settings,
                        std::vector<std::string>& warnings) {
    std::vector<settingField> fields = settings.fields();
    lineSource lines(f);
    std::string raw;
    bool tooLong = false;
    int shown = 0;
    auto warn = [&](const std::string& text) {
        if (++shown <= controlsReader::kMaxWarnings)
            warnings.push_back("brawler: warning: " + name + ":" + std::to_string(lines.number) +
                               ": " + text);
    };
    while (lines.next(raw, tooLong)) {
        if (tooLong) {
            warn("line longer than " + std::to_string(controlsReader::kMaxLine) +
                 " characters; not read — shorten it");
            continue;
        }
        std::string line = textline::trimmed(raw);
        if (line.empty() || line[0] == '#')
            continue;
        size_t equals = line.find('=');
        if (equals == std::string::npos) {
            warn("no \"=\" in " + textline::quoted(line) +
                 " — write a setting, \"=\" and its value, such as \"rounds = 5\"");
            continue;
        }
        std::string key = textline::trimmed(line.substr(0, equals));
        std::string value = textline::trimmed(line.substr(equals + 1));
        settingField* field = nullptr;
        for (settingField& candidate : fields)
            if (key == candidate.name)
                field = &candidate;
        if (!field) {
            warn("unknown setting " + textline::quoted(key) +
                 " — use sound, music, fullscreen, scale, rounds, time or cpu");
            continue;
        }
        if (!gameSettings::read(*field, value, *field->value))
            warn((value.empty() ? std::string("no value") : textline::quoted(value)) + " for " +
                 field->name + " is not " + choicesOf(*field) + "; " + field->name + " keeps " +
                 gameSettings::text(*field, *field->value));
    }
    if (lines.cut())
        warn("the file goes on past " + std::to_string(controlsReader::kMaxBytes / 1024) +
             " KB; the rest is not read — a settings file needs a few lines");
    if (shown > controlsReader::kMaxWarnings)
        warnings.push_back("brawler: warning: " + name + ": " +
                           std::to_string(shown - controlsReader::kMaxWarnings) +
                           " more lines cannot be used; not listed — fix the ones above, then "
                           "read the rest");
}

bool settingsFile::read(const std::string& path, gameSettings& settings,
                        std::vector<std::string>& warnings) {
    FILE* f = std::fopen(path.c_str(), "r");
    int error = errno;
    bool failed = !f;
    if (f) {
        read(f, path, settings, warnings);
        failed = std::ferror(f);
        error = errno;
        std::fclose(f);
    }
    if (failed && error != ENOENT)
        warnings.push_back("brawler: warning: " + path + ": cannot read the settings file (" +
                           std::strerror(error) +
                           ") — check that it is a readable file; the game starts with the "
                           "default settings");
    return !failed;
}

std::string settingsFile::text(const gameSettings& settings) {
    gameSettings copy = settings;
    std::string out = kHeading;
    for (const settingField& f : copy.fields())
        out += "\n# " + std::string(f.does) + "\n" + f.name + " = " +
               gameSettings::text(f, *f.value) + "\n";
    return out;
}

bool settingsFile::replaceFile(const std::string& path, const std::string& text,
                               std::string& error) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path folder = fs::path(path).parent_path();
    if (!folder.empty())
        fs::create_directories(folder, ec);
    std::string part = path + ".new";
    FILE* f = std::fopen(part.c_str(), "w");
    bool ok = f && std::fwrite(text.data(), 1, text.size(), f) == text.size();
    int why = errno;
    if (f && std::fclose(f) != 0 && ok) {
        ok = false;
        why = errno;
    }
    if (ok && std::rename(part.c_str(), path.c_str()) != 0) {
        ok = false;
        why = errno;
    }
    if (!ok) {
        if (f)
            std::remove(part.c_str());
        error = "cannot write " + path + " (" + std::strerror(why) + ")";
    }
    return ok;
}

bool settingsFile::write(const std::string& path, const gameSettings& settings,
                         std::string& error) {
    return replaceFile(path, text(settings), error);
}

void settingsFile::applyTo(const gameSettings& settings, gameOptions& options) {
    if (!options.roundsNamed)
        options.rounds = settings.rounds;
    if (!options.timeNamed)
        options.roundSeconds = settings.roundSeconds;
    if (!options.cpuNamed)
        options.cpu = settings.cpu;
    if (!options.scaleNamed)
        options.scale = settings.scale;
    options.fullscreen = options.fullscreen || settings.fullscreen;
}
