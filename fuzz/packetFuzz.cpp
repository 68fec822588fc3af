// A datagram from the network, read as an online match reads it. Besides not crashing,
// whatever the bytes: a message accepted encodes back to the same bytes, its counts stay
// within their bounds, and the input exchange never takes frames beyond a message's
// reach past what it has confirmed.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "net/inputExchange.h"
#include "net/netMessage.h"

namespace {

template <class M> void roundTrip(const uint8_t* data, size_t size) {
    M m;
    if (decode(data, size, m) &&
        encode(m) != std::string(reinterpret_cast<const char*>(data), size))
        abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    switch (messageType(data, size)) {
    case netType::hello: {
        helloMessage m;
        if (decode(data, size, m) && m.protocol == kNetProtocol &&
            (m.characters.size() > static_cast<size_t>(kMostCharacters) ||
             encode(m) != std::string(reinterpret_cast<const char*>(data), size)))
            abort();
        break;
    }
    case netType::refuse:
        roundTrip<refuseMessage>(data, size);
        break;
    case netType::start:
        roundTrip<startMessage>(data, size);
        break;
    case netType::inputs: {
        roundTrip<inputsMessage>(data, size);
        inputsMessage m;
        if (!decode(data, size, m))
            break;
        if (m.frames.size() > static_cast<size_t>(kMostFrames))
            abort();
        inputExchange x;
        x.reset(2);
        for (int i = 0; i < 40; ++i)
            x.addLocal(inputFrame{});
        long firstNew = -1;
        long before = x.remoteEnd();
        if (x.take(m, firstNew) && x.remoteEnd() > before + kMostFrames)
            abort();
        if (x.peerAck() > x.localEnd())
            abort();
        break;
    }
    case netType::checksum:
        roundTrip<checksumMessage>(data, size);
        break;
    case netType::quit:
        roundTrip<quitMessage>(data, size);
        break;
    case netType::desync:
        roundTrip<desyncMessage>(data, size);
        break;
    case netType::choice:
        roundTrip<choiceMessage>(data, size);
        break;
    case netType::steps: {
        roundTrip<stepsMessage>(data, size);
        stepsMessage m;
        if (decode(data, size, m) && m.steps.size() > static_cast<size_t>(kMostFrames))
            abort();
        break;
    }
    case netType::none:
        break;
    }
    return 0;
}
