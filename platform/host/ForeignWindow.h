// Windows of other processes: calls on them become datagrams to their sockets in STMTPORT_DESKTOP.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace host {

// STMTPORT_DESKTOP, read at each call; default ${XDG_RUNTIME_DIR:-/tmp}/stmtport-desktop-UID.
std::string DesktopFolder();
// Sends one datagram to DesktopFolder()/<handle in decimal>; false, quietly, when no socket
// takes it (as a call on a dead window fails).
bool SendToForeignWindow(uintptr_t handle, std::string_view datagram);

// The calls on a foreign window: each sends its datagram ("post MSG WPARAM LPARAM",
// "enable 0"/"enable 1", "foreground"), logs a "foreign" event and returns whether it arrived.
bool PostToForeignWindow(uintptr_t handle, unsigned message, uintptr_t wParam, intptr_t lParam);
bool EnableForeignWindow(uintptr_t handle, bool enable);
bool ForegroundForeignWindow(uintptr_t handle);
// SetParent with a foreign parent sends nothing; it is only logged.
void LogForeignSetParent(uintptr_t handle);

}  // namespace host
