// The link to the other machine of an online match, over ENet: one peer, a reliable channel for the
// handshake and messages and an unreliable one for inputs. Only bytes pass here; state/packets.h
// gives them meaning.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr uint16_t default_port = 7425;

struct ifaddrs;

enum NetChannel : uint8_t { channel_reliable = 0, channel_inputs = 1 };

enum NetEventKind { net_nothing, net_connected, net_received, net_disconnected };

struct NetEvent {
    NetEventKind kind = net_nothing;
    std::vector<uint8_t> bytes;  // net_received: the packet
};

struct NetLink;

// Listens on `port` for one peer; null and *fault ("cannot listen on port 7425") when it cannot.
NetLink* net_host(uint16_t port, std::string* fault);
// Starts connecting to `address` (a name or a numeric IPv4 address) at `port`; null and *fault when
// the address cannot be resolved or is an IPv6 one.
NetLink* net_join(const std::string& address, uint16_t port, std::string* fault);
// Waits up to `wait_ms` for the next event (0: only what is there). A second peer is refused.
NetEvent net_poll(NetLink* link, uint32_t wait_ms);
// Sends bytes to the peer, when there is one.
void net_send(NetLink* link, NetChannel channel, const std::vector<uint8_t>& bytes);
// Says goodbye to the peer, first letting what was sent arrive (for 300 ms at most), and releases
// everything.
void net_close(NetLink* link);

struct NetFigures {
    uint32_t round_trip_ms = 0;
    uint32_t packets_lost = 0;  // reliable packets ENet had to send again, and unacknowledged ones
    uint64_t bytes_sent = 0;    // everything this side sent, ENet's headers included
    uint64_t bytes_received = 0;
};
NetFigures net_figures(const NetLink* link);

// Where the other player can join this machine, a line each, as "ADDRESS:PORT": the IPv4 addresses
// of its first two interfaces that are up and not the loopback, from a getifaddrs(3) list; without
// any, "127.0.0.1:PORT" and "(this machine only)".
std::vector<std::string> join_addresses(const ifaddrs* interfaces, uint16_t port);
// The same for this machine's interfaces as they are now.
std::vector<std::string> this_machine_addresses(uint16_t port);

// Splits "HOST[:PORT]" ("[v6]:PORT" for an IPv6 address with a port): false for a bad port.
bool split_address(const std::string& text, std::string* host, uint16_t* port);

// ENet as Debian ships it (1.3) reaches IPv4 addresses only: what a player who gives an IPv6 one is told.
constexpr const char* ipv4_only = "this cupclash speaks IPv4 only: no IPv6 address can be reached";
// True for an IPv6 address as split_address leaves it: a name or an IPv4 address has no colon.
bool ipv6_address(const std::string& host);
