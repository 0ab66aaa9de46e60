// Datagrams to the sockets of foreign windows, and their lines in the transcript.
#include "host/ForeignWindow.h"

#include <cstdlib>
#include <cstring>
#include <sys/socket.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

#include "host/Transcript.h"

namespace host {
namespace {

JsonObject ForeignCall(uintptr_t handle, std::string_view call)
{
    JsonObject fields;
    fields.Int("hwnd", static_cast<int64_t>(handle)).Utf8("call", call);
    return fields;
}

}  // namespace

std::string DesktopFolder()
{
    const char* desktop = std::getenv("STMTPORT_DESKTOP");
    if (desktop != nullptr && *desktop != '\0') {
        return desktop;
    }
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::string base = runtime != nullptr && *runtime != '\0' ? runtime : "/tmp";
    return base + "/stmtport-desktop-" + std::to_string(getuid());
}

bool SendToForeignWindow(uintptr_t handle, std::string_view datagram)
{
    std::string path = DesktopFolder() + '/' + std::to_string(handle);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) {
        return false;
    }
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    int fd = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return false;
    }
    // A receiver that stops reading must not hold this program forever.
    timeval limit{2, 0};
    setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
    ssize_t sent = sendto(fd, datagram.data(), datagram.size(), MSG_NOSIGNAL,
                          reinterpret_cast<const sockaddr*>(&address), sizeof address);
    close(fd);
    return sent == static_cast<ssize_t>(datagram.size());
}

bool PostToForeignWindow(uintptr_t handle, unsigned message, uintptr_t wParam, intptr_t lParam)
{
    int64_t wide = static_cast<int64_t>(wParam);
    int64_t lWide = static_cast<int64_t>(lParam);
    LogEvent("foreign", ForeignCall(handle, "post").Int("msg", message).Int("wparam", wide).Int("lparam", lWide));
    return SendToForeignWindow(handle, "post " + std::to_string(message) + ' ' + std::to_string(wide) + ' ' +
                                           std::to_string(lWide));
}

bool EnableForeignWindow(uintptr_t handle, bool enable)
{
    LogEvent("foreign", ForeignCall(handle, "enable").Bool("enable", enable));
    return SendToForeignWindow(handle, enable ? "enable 1" : "enable 0");
}

bool ForegroundForeignWindow(uintptr_t handle)
{
    LogEvent("foreign", ForeignCall(handle, "foreground"));
    return SendToForeignWindow(handle, "foreground");
}

void LogForeignSetParent(uintptr_t handle)
{
    LogEvent("foreign", ForeignCall(handle, "setparent"));
}

}  // namespace host
