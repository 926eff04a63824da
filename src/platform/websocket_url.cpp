// WebSocket addresses as a player types them ("ws://lobby.example.org:7709"): plain text work,
// shared by the desktop's WebSocket endpoints and the page's.
#include <cstdlib>
#include <string>

#include "platform/net.h"

namespace {

constexpr uint16_t kPlainWebPort = 80;
constexpr uint16_t kSecureWebPort = 443;

struct Scheme {
  const char* prefix;
  bool secure;
  uint16_t port;
};
const Scheme kSchemes[] = {{"ws://", false, kPlainWebPort}, {"wss://", true, kSecureWebPort}};

const Scheme* schemeOf(const std::string& address) {
  for (const Scheme& s : kSchemes)
    if (address.compare(0, std::char_traits<char>::length(s.prefix), s.prefix) == 0) return &s;
  return nullptr;
}

bool parsePort(const std::string& text, uint16_t* port) {
  if (text.empty() || text.size() > 5 || text.find_first_not_of("0123456789") != std::string::npos) return false;
  const long value = std::strtol(text.c_str(), nullptr, 10);
  if (value < 1 || value > 65535) return false;
  *port = static_cast<uint16_t>(value);
  return true;
}

}  // namespace

bool netIsWebSocketUrl(const std::string& address) { return schemeOf(address) != nullptr; }

bool netParseWebSocketUrl(const std::string& url, WebSocketUrl* out) {
  const Scheme* scheme = schemeOf(url);
  if (scheme == nullptr) return false;
  const std::string rest = url.substr(std::char_traits<char>::length(scheme->prefix));
  const size_t slash = rest.find('/');
  const std::string authority = rest.substr(0, slash);
  WebSocketUrl u;
  u.secure = scheme->secure;
  u.port = scheme->port;
  if (slash != std::string::npos) u.path = rest.substr(slash);
  // An IPv6 address in brackets keeps its colons; the port follows the closing bracket.
  const size_t bracket = authority.rfind(']');
  const size_t colon = authority.rfind(':');
  const bool hasPort = colon != std::string::npos && (bracket == std::string::npos || colon > bracket);
  u.host = hasPort ? authority.substr(0, colon) : authority;
  if (hasPort && !parsePort(authority.substr(colon + 1), &u.port)) return false;
  if (u.host.empty() || u.host.find_first_of(" @?#") != std::string::npos) return false;
  *out = u;
  return true;
}
