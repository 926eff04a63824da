// What a WebSocket frame costs on the line beside its payload, so that the desktop's and the
// page's endpoints count their traffic alike.
#pragma once
#include <cstddef>

// The bytes of a frame's header as it goes out: its length takes 1, 3 or 9 bytes after the
// first, and a client masks what it sends with 4 more.
inline size_t webSocketFrameHeaderBytes(size_t payload, bool client) {
  const size_t length = payload < 126 ? 1 : payload <= 0xffff ? 3 : 9;
  return 1 + length + (client ? 4 : 0);
}
