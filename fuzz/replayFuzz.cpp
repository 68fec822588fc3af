// A replay file, read as the game and the runner read it. Besides not crashing, whatever
// the input: a replay it accepts writes back to the same input it would accept again,
// and its steps never exceed the most a replay may hold.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "match/replayFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    replayFile r;
    std::string error;
    std::string bytes(reinterpret_cast<const char*>(data), size);
    if (!r.decode(bytes, error)) {
        if (error.empty())
            abort();
        return 0;
    }
    if (static_cast<long>(r.steps.size()) > replayFile::kMostSteps)
        abort();
    replayFile again;
    if (!again.decode(r.encode(), error) || again.encode() != r.encode())
        abort();
    return 0;
}
