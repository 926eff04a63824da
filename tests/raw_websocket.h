// A WebSocket client written out byte by byte, for tests that must break the rules a real
// client keeps: a handshake left unfinished, frames no game would send, a socket never read.
// It talks to the loopback only; every wait is bounded by a count of short polls, and between
// polls the test's own servers are served through `serve`.
#pragma once
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Polls of this many ms; a raw client waits at most kRawWaitPolls of them for anything.
constexpr int kRawPollMs = 2;
constexpr int kRawWaitPolls = 5000;

struct RawWebSocket {
  int fd = -1;
  std::string received;  // everything read so far
  bool closed = false;   // the server closed the connection, began to, or it failed
  size_t parsed = 0;     // how far into `received` its frames have been read

  ~RawWebSocket() {
    if (fd >= 0) close(fd);
  }

  // A TCP connection to the loopback's `port`; `receiveBuffer` > 0 shrinks the socket's
  // receive buffer first (a reader that takes little).
  bool connectTo(uint16_t port, int receiveBuffer = 0) {
    fd = socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0) return false;
    if (receiveBuffer > 0) setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &receiveBuffer, sizeof receiveBuffer);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
  }

  void sendText(const std::string& text) { sendBytes(reinterpret_cast<const uint8_t*>(text.data()), text.size()); }
  void sendBytes(const uint8_t* bytes, size_t size) {
    for (size_t sent = 0; sent < size && !closed;) {
      const ssize_t n = send(fd, bytes + sent, size - sent, MSG_NOSIGNAL);
      if (n <= 0) closed = true;
      sent += n > 0 ? static_cast<size_t>(n) : 0;
    }
  }

  // The upgrade request, naming `protocols` ("" names none).
  static std::string upgrade(const std::string& protocols) {
    std::string r =
        "GET / HTTP/1.1\r\nHost: 127.0.0.1\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
        "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n";
    if (!protocols.empty()) r += "Sec-WebSocket-Protocol: " + protocols + "\r\n";
    return r + "\r\n";
  }

  // A client frame: masked, as every client's must be. `opcode` 1 text, 2 binary, 0 a
  // continuation, 9 a ping; `final` false leaves the message open.
  void sendFrame(int opcode, const std::vector<uint8_t>& payload, bool final = true) {
    std::vector<uint8_t> f;
    f.push_back(static_cast<uint8_t>((final ? 0x80 : 0) | opcode));
    const size_t n = payload.size();
    if (n < 126) {
      f.push_back(static_cast<uint8_t>(0x80 | n));
    } else if (n <= 0xffff) {
      f.insert(f.end(), {0x80 | 126, static_cast<uint8_t>(n >> 8), static_cast<uint8_t>(n)});
    } else {
      f.push_back(0x80 | 127);
      for (int shift = 56; shift >= 0; shift -= 8) f.push_back(static_cast<uint8_t>(uint64_t{n} >> shift));
    }
    const uint8_t mask[4] = {0x12, 0x34, 0x56, 0x78};
    f.insert(f.end(), mask, mask + 4);
    for (size_t i = 0; i < n; ++i) f.push_back(payload[i] ^ mask[i % 4]);
    sendBytes(f.data(), f.size());
  }

  // Reads what has come, without waiting; false once the connection is closed.
  bool readSome() {
    if (closed) return false;
    pollfd p{fd, POLLIN, 0};
    while (poll(&p, 1, 0) > 0) {
      char buffer[4096];
      const ssize_t n = recv(fd, buffer, sizeof buffer, 0);
      if (n <= 0) {
        closed = true;
        return false;
      }
      received.append(buffer, static_cast<size_t>(n));
    }
    readFrames();
    return !closed;
  }

  // The server's frames after its answer: a close frame (opcode 8) is as good as the close.
  void readFrames() {
    if (parsed == 0) {
      const size_t end = received.find("\r\n\r\n");
      if (end == std::string::npos) return;
      parsed = end + 4;
    }
    const auto byte = [&](size_t i) { return static_cast<uint8_t>(received[i]); };
    while (parsed + 2 <= received.size()) {
      size_t header = 2;
      uint64_t length = byte(parsed + 1) & 0x7f;
      if (length >= 126) {
        header += length == 126 ? 2 : 8;
        if (parsed + header > received.size()) return;
        const size_t bytes = header - 2;
        length = 0;
        for (size_t i = 0; i < bytes; ++i) length = length << 8 | byte(parsed + 2 + i);
      }
      if (parsed + header + length > received.size()) return;
      // Told to close, it closes at once, as a real client soon would.
      if ((byte(parsed) & 0x0f) == 8) {
        closed = true;
        shutdown(fd, SHUT_RDWR);
      }
      parsed += header + length;
    }
  }

  // Serves and reads until `done` holds or the bound passes; whether it held.
  bool waitFor(const std::function<void()>& serve, const std::function<bool()>& done) {
    for (int i = 0; i < kRawWaitPolls; ++i) {
      serve();
      readSome();
      if (done()) return true;
      usleep(kRawPollMs * 1000);
    }
    return false;
  }
  bool handshake(const std::function<void()>& serve, const std::string& protocols = "brawler") {
    sendText(upgrade(protocols));
    return waitFor(serve, [&] { return closed || received.find("\r\n\r\n") != std::string::npos; }) &&
           received.rfind("HTTP/1.1 101", 0) == 0;
  }
  bool waitForClose(const std::function<void()>& serve) { return waitFor(serve, [&] { return closed; }); }
};
