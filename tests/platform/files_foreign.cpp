// Foreign windows get datagrams on their sockets; the transcript records calls as JSON lines.
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <sys/socket.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

#include "files_fixture.h"
#include "host/ForeignWindow.h"
#include "host/Transcript.h"

namespace {

class Desktop : public ScratchDrives {
protected:
    void SetUp() override
    {
        ScratchDrives::SetUp();
        setenv("STMTPORT_DESKTOP", root_.c_str(), 1);
        setenv("STMTPORT_UI_LOG", (root_ + "/log.jsonl").c_str(), 1);
    }

    void TearDown() override
    {
        if (socket_ >= 0) {
            close(socket_);
        }
        unsetenv("STMTPORT_DESKTOP");
        unsetenv("STMTPORT_UI_LOG");
        ScratchDrives::TearDown();
    }

    // The socket of a foreign window `handle`, as a launcher opens it.
    void OpenWindow(uintptr_t handle)
    {
        socket_ = socket(AF_UNIX, SOCK_DGRAM, 0);
        ASSERT_GE(socket_, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::string path = root_ + "/" + std::to_string(handle);
        ASSERT_LT(path.size(), sizeof address.sun_path);
        std::strcpy(address.sun_path, path.c_str());
        ASSERT_EQ(bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        timeval limit{2, 0};
        setsockopt(socket_, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    }

    std::string Receive()
    {
        char buffer[256];
        ssize_t n = recv(socket_, buffer, sizeof buffer, 0);
        return n < 0 ? std::string("(nothing)") : std::string(buffer, static_cast<size_t>(n));
    }

    std::string Transcript()
    {
        std::ifstream in(root_ + "/log.jsonl", std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    int socket_ = -1;
};

TEST_F(Desktop, ForeignWindowReceivesItsCallsInOrder)
{
    OpenWindow(4242);
    EXPECT_TRUE(host::EnableForeignWindow(4242, false));
    EXPECT_TRUE(host::ForegroundForeignWindow(4242));
    EXPECT_TRUE(host::EnableForeignWindow(4242, true));
    EXPECT_TRUE(host::PostToForeignWindow(4242, 1025, 7, 2));
    EXPECT_TRUE(host::PostToForeignWindow(4242, 1025, static_cast<uintptr_t>(-3), -1));
    const char* expected[] = {"enable 0", "foreground", "enable 1", "post 1025 7 2", "post 1025 -3 -1"};
    for (const char* datagram : expected) {
        EXPECT_EQ(Receive(), datagram);
    }
    host::LogForeignSetParent(4242);
    EXPECT_EQ(Transcript(),
              "{\"event\":\"foreign\",\"hwnd\":4242,\"call\":\"enable\",\"enable\":false}\n"
              "{\"event\":\"foreign\",\"hwnd\":4242,\"call\":\"foreground\"}\n"
              "{\"event\":\"foreign\",\"hwnd\":4242,\"call\":\"enable\",\"enable\":true}\n"
              "{\"event\":\"foreign\",\"hwnd\":4242,\"call\":\"post\",\"msg\":1025,\"wparam\":7,\"lparam\":2}\n"
              "{\"event\":\"foreign\",\"hwnd\":4242,\"call\":\"post\",\"msg\":1025,\"wparam\":-3,\"lparam\":-1}\n"
              "{\"event\":\"foreign\",\"hwnd\":4242,\"call\":\"setparent\"}\n");
}

TEST_F(Desktop, WindowWithoutASocketFailsQuietly)
{
    EXPECT_FALSE(host::PostToForeignWindow(99, 1025, 3, 0));
    EXPECT_FALSE(host::SendToForeignWindow(99, "foreground"));
    setenv("STMTPORT_DESKTOP", (root_ + "/" + std::string(200, 'x')).c_str(), 1);
    EXPECT_FALSE(host::SendToForeignWindow(99, "foreground"));
}

TEST_F(Desktop, DesktopDefaultsToTheRuntimeFolder)
{
    unsetenv("STMTPORT_DESKTOP");
    setenv("XDG_RUNTIME_DIR", "/run/user/7", 1);
    EXPECT_EQ(host::DesktopFolder(), "/run/user/7/stmtport-desktop-" + std::to_string(getuid()));
    unsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(host::DesktopFolder(), "/tmp/stmtport-desktop-" + std::to_string(getuid()));
}

TEST_F(Desktop, TranscriptAppendsEscapedUtf8Lines)
{
    std::ofstream(root_ + "/log.jsonl") << "{\"event\":\"earlier\"}\n";
    std::vector<host::JsonObject> controls(2);
    controls[0].Int("id", 1001).Text("text", "表\"\\\n\t\x01").Bool("enabled", true);
    controls[1].Int("id", 1002).Pair("range", 0, 1000).Null("focus");
    host::LogEvent("dialog", host::JsonObject().Int("id", 130).Utf8("state", "open").Text("caption", "決算書")
                                 .Array("controls", controls).Object("owner", host::JsonObject()));
    host::LogEvent("bare");
    host::LogEvent("bad", host::JsonObject().Text("text", "a\x80z").Utf8("utf8", "b\xFFy"));
    EXPECT_EQ(Transcript(), std::string("{\"event\":\"earlier\"}\n") +
                                "{\"event\":\"dialog\",\"id\":130,\"state\":\"open\",\"caption\":\"" + U8(u8"決算書") +
                                "\",\"controls\":[{\"id\":1001,\"text\":\"" + U8(u8"表") +
                                "\\\"\\\\\\n\\t\\u0001\",\"enabled\":true},{\"id\":1002,\"range\":[0,1000],"
                                "\"focus\":null}],\"owner\":{}}\n"
                                "{\"event\":\"bare\"}\n"
                                "{\"event\":\"bad\",\"text\":\"a" + U8(u8"\uFFFD") + "z\",\"utf8\":\"b" +
                                U8(u8"\uFFFD") + "y\"}\n");
    unsetenv("STMTPORT_UI_LOG");
    EXPECT_FALSE(host::TranscriptEnabled());
    host::LogEvent("unlogged");
    EXPECT_EQ(Transcript().find("unlogged"), std::string::npos);
}

}  // namespace
