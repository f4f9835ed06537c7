#include "platform/net.h"

#include <arpa/inet.h>
#include <enet/enet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

#include <cstdlib>

struct NetLink {
    ENetHost* host = nullptr;
    ENetPeer* peer = nullptr;  // the one peer, once connected (joining: from the start)
};

namespace {

constexpr size_t channels = 2;
constexpr uint32_t silence_ms = 5000;  // a peer silent this long is lost
constexpr uint32_t goodbye_ms = 300;  // how long a goodbye waits for what was sent to arrive

bool started() {
    static const bool ok = enet_initialize() == 0;
    return ok;
}

}  // namespace

NetLink* net_host(uint16_t port, std::string* fault) {
    ENetAddress address{ENET_HOST_ANY, port};
    ENetHost* host = started() ? enet_host_create(&address, 1, channels, 0, 0) : nullptr;
    if (!host) {
        *fault = "cannot listen on port " + std::to_string(port);
        return nullptr;
    }
    return new NetLink{host, nullptr};
}

NetLink* net_join(const std::string& name, uint16_t port, std::string* fault) {
    ENetAddress address{0, port};
    if (ipv6_address(name)) {
        *fault = ipv4_only;
        return nullptr;
    }
    if (!started() || enet_address_set_host(&address, name.c_str()) != 0) {
        *fault = "cannot find the address " + name;
        return nullptr;
    }
    ENetHost* host = enet_host_create(nullptr, 1, channels, 0, 0);
    ENetPeer* peer = host ? enet_host_connect(host, &address, channels, 0) : nullptr;
    if (!peer) {
        if (host) enet_host_destroy(host);
        *fault = "cannot open a connection";
        return nullptr;
    }
    enet_peer_timeout(peer, 0, silence_ms, silence_ms);
    return new NetLink{host, peer};
}

NetEvent net_poll(NetLink* link, uint32_t wait_ms) {
    NetEvent out;
    ENetEvent event;
    if (enet_host_service(link->host, &event, wait_ms) <= 0) return out;
    switch (event.type) {
    case ENET_EVENT_TYPE_CONNECT:
        link->peer = event.peer;
        enet_peer_timeout(event.peer, 0, silence_ms, silence_ms);
        // ENet's throttle drops unreliable packets while the round trip grows, which a game's few
        // small inputs, each repeating the ones before it, only suffer from: it never decelerates.
        enet_peer_throttle_configure(event.peer, ENET_PEER_PACKET_THROTTLE_INTERVAL, ENET_PEER_PACKET_THROTTLE_SCALE, 0);
        out.kind = net_connected;
        break;
    case ENET_EVENT_TYPE_RECEIVE:
        if (event.peer == link->peer) {  // anyone else is no part of this match
            out.kind = net_received;
            out.bytes.assign(event.packet->data, event.packet->data + event.packet->dataLength);
        }
        enet_packet_destroy(event.packet);
        break;
    case ENET_EVENT_TYPE_DISCONNECT:
        if (event.peer == link->peer) {
            out.kind = net_disconnected;
            link->peer = nullptr;
        }
        break;
    default:
        break;
    }
    return out;
}

void net_send(NetLink* link, NetChannel channel, const std::vector<uint8_t>& bytes) {
    if (!link->peer || link->peer->state != ENET_PEER_STATE_CONNECTED) return;
    const uint32_t flags = channel == channel_reliable ? ENET_PACKET_FLAG_RELIABLE : ENET_PACKET_FLAG_UNSEQUENCED;
    enet_peer_send(link->peer, channel, enet_packet_create(bytes.data(), bytes.size(), flags));
    enet_host_flush(link->host);
}

void net_close(NetLink* link) {
    if (!link) return;
    // The goodbye waits until what was sent has arrived (a peer that is told of the disconnection
    // drops what it has not yet taken), for a moment at most: a link that is gone is not waited for.
    if (link->peer && link->peer->state == ENET_PEER_STATE_CONNECTED) {
        enet_peer_disconnect_later(link->peer, 0);
        const enet_uint32 until = enet_time_get() + goodbye_ms;
        ENetEvent event;
        while (enet_time_get() < until && link->peer->state != ENET_PEER_STATE_DISCONNECTED) {
            if (enet_host_service(link->host, &event, 10) <= 0) continue;
            if (event.type == ENET_EVENT_TYPE_RECEIVE) enet_packet_destroy(event.packet);
        }
    }
    if (link->peer && link->peer->state != ENET_PEER_STATE_DISCONNECTED) {
        enet_peer_disconnect_now(link->peer, 0);
        enet_host_flush(link->host);
    }
    enet_host_destroy(link->host);
    delete link;
}

NetFigures net_figures(const NetLink* link) {
    NetFigures f;
    if (link->peer) {
        f.round_trip_ms = link->peer->roundTripTime;
        f.packets_lost = link->peer->packetsLost;
    }
    f.bytes_sent = link->host->totalSentData;
    f.bytes_received = link->host->totalReceivedData;
    return f;
}

std::vector<std::string> join_addresses(const ifaddrs* interfaces, uint16_t port) {
    std::vector<std::string> lines;
    const std::string at = ":" + std::to_string(port);
    for (const ifaddrs* i = interfaces; i && lines.size() < 2; i = i->ifa_next) {
        if (!i->ifa_addr || i->ifa_addr->sa_family != AF_INET || !(i->ifa_flags & IFF_UP) || (i->ifa_flags & IFF_LOOPBACK))
            continue;
        char text[INET_ADDRSTRLEN];
        if (inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in*>(i->ifa_addr)->sin_addr, text, sizeof text))
            lines.push_back(text + at);
    }
    if (lines.empty()) lines = {"127.0.0.1" + at, "(this machine only)"};
    return lines;
}

std::vector<std::string> this_machine_addresses(uint16_t port) {
    ifaddrs* interfaces = nullptr;
    if (getifaddrs(&interfaces) != 0) interfaces = nullptr;
    std::vector<std::string> lines = join_addresses(interfaces, port);
    if (interfaces) freeifaddrs(interfaces);
    return lines;
}

bool split_address(const std::string& text, std::string* host, uint16_t* port) {
    *port = default_port;
    std::string port_text;
    if (!text.empty() && text[0] == '[') {  // [v6]:port
        const size_t close = text.find(']');
        if (close == std::string::npos) return false;
        *host = text.substr(1, close - 1);
        if (close + 1 < text.size()) {
            if (text[close + 1] != ':') return false;
            port_text = text.substr(close + 2);
        }
    } else if (text.find(':') != text.rfind(':')) {  // a bare IPv6 address: no port
        *host = text;
    } else {
        const size_t colon = text.find(':');
        *host = text.substr(0, colon);
        if (colon != std::string::npos) port_text = text.substr(colon + 1);
    }
    if (host->empty()) return false;
    if (port_text.empty()) return text.back() != ':';
    char* end = nullptr;
    const long value = std::strtol(port_text.c_str(), &end, 10);
    if (*end != '\0' || value < 1 || value > 65535) return false;
    *port = static_cast<uint16_t>(value);
    return true;
}

bool ipv6_address(const std::string& host) { return host.find(':') != std::string::npos; }
