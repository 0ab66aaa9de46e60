// UTF-8 literals for the terminal: plain literals are compiled to CP932 like every system text.
#pragma once

namespace tui {

inline const char* U8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

}  // namespace tui
