#include "net/netLink.h"

namespace {

// No peer makes this side hold more than this: our largest message (a desync's fight
// values) is under 66 KB, and a few of them waiting is plenty.
constexpr size_t kMostPacketBytes = 70 * 1024;
constexpr size_t kMostWaitingBytes = 1024 * 1024;

void bound(ENetHost* host) {
    host->maximumPacketSize = kMostPacketBytes;
    host->maximumWaitingData = kMostWaitingBytes;
}

// ENet is set up once for the whole process and left to exit.
bool startEnet() {
    static bool ok = enet_initialize() == 0;
    return ok;
}

} // namespace

netLink::~netLink() {
    if (host_)
        enet_host_destroy(host_);
}

bool netLink::host(uint16_t port, std::string& error) {
    if (!startEnet()) {
        error = "the network could not be set up";
        return false;
    }
    ENetAddress address;
    address.host = ENET_HOST_ANY;
    address.port = port;
    host_ = enet_host_create(&address, kMostPeers, 2, 0, 0);
    if (!host_) {
        error = "UDP port " + std::to_string(port) + " is taken or cannot be used";
        return false;
    }
    bound(host_);
    return true;
}

bool netLink::join(const std::string& hostName, uint16_t port, std::string& error) {
    if (!startEnet()) {
        error = "the network could not be set up";
        return false;
    }
    ENetAddress address;
    if (enet_address_set_host(&address, hostName.c_str()) != 0) {
        error = "no address for \"" + hostName + "\"";
        return false;
    }
    address.port = port;
    host_ = enet_host_create(nullptr, 1, 2, 0, 0);
    if (!host_) {
        error = "the network could not be set up";
        return false;
    }
    bound(host_);
    ENetPeer* peer = enet_host_connect(host_, &address, 2, 0);
    if (!peer) {
        error = "no connection could be started";
        return false;
    }
    enet_peer_timeout(peer, 0, kDropAfterMs, kDropAfterMs);
    return true;
}

bool netLink::poll(event& e, uint32_t waitMs) {
    e = event{};
    if (!host_)
        return false;
    ENetEvent ev;
    if (enet_host_service(host_, &ev, waitMs) <= 0)
        return false;
    e.peer = static_cast<int>(ev.peer - host_->peers);
    switch (ev.type) {
    case ENET_EVENT_TYPE_CONNECT:
        enet_peer_timeout(ev.peer, 0, kDropAfterMs, kDropAfterMs);
        e.what = event::connected;
        break;
    case ENET_EVENT_TYPE_DISCONNECT:
        e.what = event::disconnected;
        break;
    case ENET_EVENT_TYPE_RECEIVE:
        e.what = event::message;
        e.bytes.assign(reinterpret_cast<const char*>(ev.packet->data), ev.packet->dataLength);
        enet_packet_destroy(ev.packet);
        break;
    default:
        return false;
    }
    return true;
}

ENetPeer* netLink::peerAt(int peer) const {
    if (!host_ || peer < 0 || static_cast<size_t>(peer) >= host_->peerCount)
        return nullptr;
    return &host_->peers[peer];
}

void netLink::send(int peer, const std::string& bytes, bool reliable) {
    ENetPeer* p = peerAt(peer);
    if (!p || p->state != ENET_PEER_STATE_CONNECTED)
        return;
    ENetPacket* packet =
        enet_packet_create(bytes.data(), bytes.size(),
                           reliable ? ENET_PACKET_FLAG_RELIABLE : ENET_PACKET_FLAG_UNSEQUENCED);
    if (packet && enet_peer_send(p, reliable ? 1 : 0, packet) != 0)
        enet_packet_destroy(packet);
}

void netLink::flush() {
    if (host_)
        enet_host_flush(host_);
}

void netLink::drop(int peer) {
    if (ENetPeer* p = peerAt(peer))
        enet_peer_disconnect_later(p, 0);
}

uint32_t netLink::roundTrip(int peer) const {
    ENetPeer* p = peerAt(peer);
    return p ? p->roundTripTime : 0;
}

bool netLink::connected(int peer) const {
    ENetPeer* p = peerAt(peer);
    return p && p->state == ENET_PEER_STATE_CONNECTED;
}

bool netLink::allDelivered(int peer) const {
    ENetPeer* p = peerAt(peer);
    return !p ||
           (enet_list_empty(&p->sentReliableCommands) && enet_list_empty(&p->outgoingCommands));
}

uint64_t netLink::bytesSent() const {
    return host_ ? host_->totalSentData : 0;
}

uint64_t netLink::bytesReceived() const {
    return host_ ? host_->totalReceivedData : 0;
}
