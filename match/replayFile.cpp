#include "match/replayFile.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "match/matchRules.h"

namespace {

const char* const kMagic = "brawler replay";

void putFrame(std::string& out, const inputFrame& f) {
    out += static_cast<char>(f.held);
    out += static_cast<char>(f.pressCount);
    for (int i = 0; i < f.pressCount; ++i)
        out += static_cast<char>(f.presses[i]);
}

void putCount(std::string& out, unsigned long n) {
    do {
        unsigned char b = n & 0x7f;
        n >>= 7;
        out += static_cast<char>(b | (n ? 0x80 : 0));
    } while (n);
}

// Reads bytes from a position, never past the end.
struct byteReader {
    const std::string& bytes;
    size_t at;
    bool byte(unsigned char& b) {
        if (at >= bytes.size())
            return false;
        b = static_cast<unsigned char>(bytes[at++]);
        return true;
    }
    bool count(unsigned long& n) {
        n = 0;
        for (int shift = 0; shift < 28; shift += 7) {
            unsigned char b = 0;
            if (!byte(b))
                return false;
            n |= static_cast<unsigned long>(b & 0x7f) << shift;
            if (!(b & 0x80))
                return true;
        }
        return false;
    }
    bool frame(inputFrame& f, std::string& error) {
        unsigned char held = 0, n = 0;
        if (!byte(held) || !byte(n)) {
            error = "the input ends in the middle of a step";
            return false;
        }
        // Every held bit means something; online, either side's frame may carry its
        // player's rematch.
        if (n > inputFrame::kMaxPresses) {
            error = "a step's input is not one the game makes (byte " + std::to_string(at) + ")";
            return false;
        }
        f = inputFrame{};
        f.held = held;
        for (int i = 0; i < n; ++i) {
            unsigned char p = 0;
            if (!byte(p)) {
                error = "the input ends in the middle of a step";
                return false;
            }
            if (!f.press(p)) {
                error = "a press is not one the game makes (byte " + std::to_string(at) + ")";
                return false;
            }
        }
        return true;
    }
};

bool wholeNumber(const std::string& text, long low, long high, long& out) {
    errno = 0;
    char* end = nullptr;
    long long n = std::strtoll(text.c_str(), &end, 10);
    if (errno || end == text.c_str() || *end || n < low || n > high)
        return false;
    out = static_cast<long>(n);
    return true;
}

} // namespace

std::string replayFile::encode() const {
    std::ostringstream head;
    head << kMagic << "\n";
    head << "format " << format << "\n";
    head << "game " << game << "\n";
    head << "data " << data << "\n";
    head << "player " << player << "\n";
    head << "opponent " << opponent << "\n";
    head << "rounds " << rounds << "\n";
    // Left out at the usual 99 s, so every replay recorded before stays byte for byte.
    if (roundSeconds != matchRules::kRoundSeconds) {
        if (roundSeconds == matchRules::kNoTimer)
            head << "time none\n";
        else
            head << "time " << roundSeconds << "\n";
    }
    head << "versus " << (versus ? 1 : 0) << "\n";
    head << "hp " << startHp << "\n";
    head << "seed " << seed << "\n";
    head << "rules " << rules << "\n";
    head << "cpu " << cpu << "\n";
    if (!result.empty())
        head << "result " << result << "\n";
    head << "steps " << steps.size() << "\n";
    head << "input\n";
    std::string out = head.str();
    for (size_t i = 0; i < steps.size();) {
        size_t run = 1;
        while (i + run < steps.size() && steps[i + run][0] == steps[i][0] &&
               steps[i + run][1] == steps[i][1])
            ++run;
        putCount(out, run);
        putFrame(out, steps[i][0]);
        putFrame(out, steps[i][1]);
        i += run;
    }
    return out;
}

bool replayFile::decode(const std::string& bytes, std::string& error) {
    size_t at = 0;
    auto line = [&](std::string& out) {
        size_t end = bytes.find('\n', at);
        if (end == std::string::npos || end - at > 200)
            return false;
        out = bytes.substr(at, end - at);
        at = end + 1;
        return true;
    };
    std::string text;
    if (!line(text) || text != kMagic) {
        error = "not a replay (it does not begin with \"brawler replay\")";
        return false;
    }
    long stepCount = -1;
    rules = kFirstRules;
    roundSeconds = matchRules::kRoundSeconds;
    bool sawInput = false;
    while (!sawInput) {
        if (!line(text)) {
            error = "the header ends before the line \"input\"";
            return false;
        }
        if (text == "input") {
            sawInput = true;
            break;
        }
        size_t space = text.find(' ');
        std::string name = text.substr(0, space);
        std::string value = space == std::string::npos ? "" : text.substr(space + 1);
        long n = 0;
        bool ok = true;
        if (name == "format") {
            ok = wholeNumber(value, 1, 1000000, n);
            if (ok && n > kFormat) {
                error = "made by a newer game (replay format " + value + "; this game reads " +
                        std::to_string(kFormat) + ")";
                return false;
            }
            format = static_cast<int>(n);
        } else if (name == "game") {
            game = value;
        } else if (name == "data") {
            data = value;
        } else if (name == "player") {
            player = value;
        } else if (name == "opponent") {
            opponent = value;
        } else if (name == "rounds") {
            ok = wholeNumber(value, 1, 9, n) && n % 2 == 1;
            rounds = static_cast<int>(n);
        } else if (name == "time") {
            ok = value == "none" || (wholeNumber(value, 1, 99, n) &&
                                     matchRules::roundTimeAllowed(static_cast<int>(n)));
            roundSeconds = value == "none" ? matchRules::kNoTimer : static_cast<int>(n);
        } else if (name == "versus") {
            ok = wholeNumber(value, 0, 1, n);
            versus = n == 1;
        } else if (name == "hp") {
            ok = wholeNumber(value, 1, 1000, n);
            startHp = static_cast<int>(n);
        } else if (name == "seed") {
            errno = 0;
            char* end = nullptr;
            seed = std::strtoull(value.c_str(), &end, 10);
            ok = errno == 0 && end != value.c_str() && *end == '\0';
        } else if (name == "rules") {
            ok = wholeNumber(value, kFirstRules, kRules, n);
            rules = static_cast<int>(n);
        } else if (name == "cpu") {
            ok = wholeNumber(value, 1, 8, n);
            cpu = static_cast<int>(n);
        } else if (name == "result") {
            result = value;
        } else if (name == "steps") {
            ok = wholeNumber(value, 0, kMostSteps, stepCount);
        }
        // Other names are for later formats' readers; this one goes on without them.
        if (!ok) {
            error = "the header's \"" + name + "\" is not usable: \"" + value + "\"";
            return false;
        }
    }
    if (stepCount < 0 || player.empty() || opponent.empty()) {
        error = "the header lacks the steps or the characters";
        return false;
    }
    steps.clear();
    steps.reserve(static_cast<size_t>(stepCount));
    byteReader in{bytes, at};
    while (static_cast<long>(steps.size()) < stepCount) {
        unsigned long run = 0;
        if (!in.count(run) || run == 0) {
            error = "the input ends after " + std::to_string(steps.size()) + " of " +
                    std::to_string(stepCount) + " steps";
            return false;
        }
        if (run > static_cast<unsigned long>(stepCount) - steps.size()) {
            error = "the input holds more steps than the header's " + std::to_string(stepCount);
            return false;
        }
        stepInput s;
        if (!in.frame(s[0], error) || !in.frame(s[1], error))
            return false;
        steps.insert(steps.end(), run, s);
    }
    if (in.at != bytes.size()) {
        error = "bytes follow the last step";
        return false;
    }
    return true;
}

bool replayFile::save(const std::string& path, std::string& error) const {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    std::string bytes = encode();
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        error = "cannot write the replay " + path + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

bool replayFile::load(const std::string& path, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path + ": cannot read the replay: " + std::strerror(errno);
        return false;
    }
    // A replay of the longest match allowed is a few MB; more is not a replay.
    std::string bytes;
    char buffer[65536];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        bytes.append(buffer, static_cast<size_t>(in.gcount()));
        if (bytes.size() > (64u << 20)) {
            error = path + ": not a replay (larger than 64 MB)";
            return false;
        }
    }
    std::string why;
    if (!decode(bytes, why)) {
        error = path + ": " + why;
        return false;
    }
    return true;
}
