// The demo launching window: starts a program with a launch line and reports what it posts back.
//
//   launcher [--handle N] [--message M] [--function F] [--dest WINDOWSPATH] PROGRAM
//
// Binds the datagram socket STMTPORT_DESKTOP/N, starts PROGRAM with the one argument
// "N,M,F,WINDOWSPATH", prints every datagram it receives on a line of its own, and exits with the
// posted result (the LPARAM of "post MSG WPARAM LPARAM"), or 3 when the program posted nothing.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const int EXIT_NOT_POSTED = 3;
const int EXIT_USAGE = 64;
const int EXIT_HOST_FAILURE = 70;

struct Options {
    std::string handle;
    std::string message = "1025";
    std::string function = "3";
    std::string destination;
    std::string program;
};

void Usage()
{
    std::fprintf(stderr,
                 "usage: launcher [--handle N] [--message M] [--function F] [--dest WINDOWSPATH] PROGRAM\n");
}

// A decimal number, optionally signed, and nothing else.
bool IsNumber(const std::string& text)
{
    size_t i = (!text.empty() && (text[0] == '-' || text[0] == '+')) ? 1 : 0;
    if (i == text.size())
        return false;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
    }
    return true;
}

std::optional<Options> ParseOptions(int argc, char** argv)
{
    Options options;
    options.handle = std::to_string(getpid());
    int i = 1;
    for (; i < argc; ++i) {
        const std::string argument = argv[i];
        std::string* target = nullptr;
        bool numeric = true;
        if (argument == "--handle") {
            target = &options.handle;
        } else if (argument == "--message") {
            target = &options.message;
        } else if (argument == "--function") {
            target = &options.function;
        } else if (argument == "--dest") {
            target = &options.destination;
            numeric = false;
        } else if (argument == "--") {
            ++i;
            break;
        } else if (argument.rfind("--", 0) == 0) {
            std::fprintf(stderr, "launcher: unknown option %s\n", argument.c_str());
            return std::nullopt;
        } else {
            break;
        }
        if (i + 1 >= argc) {
            std::fprintf(stderr, "launcher: %s needs a value\n", argument.c_str());
            return std::nullopt;
        }
        *target = argv[++i];
        if (numeric && !IsNumber(*target)) {
            std::fprintf(stderr, "launcher: %s needs a decimal number, not \"%s\"\n", argument.c_str(),
                         target->c_str());
            return std::nullopt;
        }
    }
    if (i + 1 != argc) {
        std::fprintf(stderr, i == argc ? "launcher: no program given\n" : "launcher: only one program may be given\n");
        return std::nullopt;
    }
    options.program = argv[i];
    // The handle names the socket file: only digits, never a path.
    if (options.handle.empty() || options.handle[0] == '-' || options.handle[0] == '+') {
        std::fprintf(stderr, "launcher: the handle must be a non-negative number\n");
        return std::nullopt;
    }
    return options;
}

std::string DesktopFolder()
{
    const char* desktop = std::getenv("STMTPORT_DESKTOP");
    if (desktop != nullptr && desktop[0] != '\0')
        return desktop;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const std::string base = runtime != nullptr && runtime[0] != '\0' ? runtime : "/tmp";
    return base + "/stmtport-desktop-" + std::to_string(getuid());
}

bool EnsureFolder(const std::string& folder)
{
    if (mkdir(folder.c_str(), 0700) == 0)
        return true;
    struct stat status {};
    if (errno == EEXIST && stat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode))
        return true;
    std::fprintf(stderr, "launcher: cannot create the folder %s: %s\n", folder.c_str(), std::strerror(errno));
    return false;
}

// The bound socket, or -1 with the reason on standard error.
int BindWindowSocket(const std::string& path)
{
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) {
        std::fprintf(stderr, "launcher: the socket path %s is too long\n", path.c_str());
        return -1;
    }
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int fd = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        std::fprintf(stderr, "launcher: socket: %s\n", std::strerror(errno));
        return -1;
    }
    unlink(path.c_str());
    if (bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        std::fprintf(stderr, "launcher: cannot bind %s: %s\n", path.c_str(), std::strerror(errno));
        close(fd);
        return -1;
    }
    return fd;
}

pid_t StartProgram(const Options& options)
{
    const std::string launchLine =
        options.handle + "," + options.message + "," + options.function + "," + options.destination;
    const pid_t child = fork();
    if (child == 0) {
        char* const arguments[] = {const_cast<char*>(options.program.c_str()), const_cast<char*>(launchLine.c_str()),
                                   nullptr};
        execvp(arguments[0], arguments);
        std::fprintf(stderr, "launcher: cannot start %s: %s\n", options.program.c_str(), std::strerror(errno));
        _exit(127);
    }
    if (child < 0)
        std::fprintf(stderr, "launcher: fork: %s\n", std::strerror(errno));
    return child;
}

// The LPARAM of a "post MSG WPARAM LPARAM" datagram.
std::optional<long long> PostedResult(const std::string& datagram)
{
    long long message = 0;
    long long wParam = 0;
    long long lParam = 0;
    char rest = 0;
    if (std::sscanf(datagram.c_str(), "post %lld %lld %lld%c", &message, &wParam, &lParam, &rest) != 3)
        return std::nullopt;
    return lParam;
}

class Receiver {
public:
    explicit Receiver(int fd) : fd_(fd) {}

    // Prints every datagram waiting now.
    void Drain()
    {
        char buffer[4096];
        for (;;) {
            const ssize_t size = recv(fd_, buffer, sizeof buffer, 0);
            if (size < 0)
                return;
            const std::string datagram(buffer, static_cast<size_t>(size));
            std::printf("%s\n", datagram.c_str());
            std::fflush(stdout);
            if (const auto result = PostedResult(datagram))
                posted_ = result;
        }
    }

    std::optional<long long> posted() const { return posted_; }

private:
    int fd_;
    std::optional<long long> posted_;
};

}  // namespace

int main(int argc, char** argv)
{
    const std::optional<Options> options = ParseOptions(argc, argv);
    if (!options) {
        Usage();
        return EXIT_USAGE;
    }
    const std::string folder = DesktopFolder();
    if (!EnsureFolder(folder))
        return EXIT_HOST_FAILURE;
    const std::string socketPath = folder + "/" + options->handle;
    const int fd = BindWindowSocket(socketPath);
    if (fd < 0)
        return EXIT_HOST_FAILURE;

    const pid_t child = StartProgram(*options);
    if (child < 0) {
        close(fd);
        unlink(socketPath.c_str());
        return EXIT_HOST_FAILURE;
    }

    Receiver receiver(fd);
    bool exited = false;
    while (!exited) {
        pollfd waiting {fd, POLLIN, 0};
        poll(&waiting, 1, 50);
        receiver.Drain();
        int status = 0;
        const pid_t done = waitpid(child, &status, WNOHANG);
        if (done == child || (done < 0 && errno != EINTR))
            exited = true;
    }
    // Whatever the program sent before it ended is already queued.
    receiver.Drain();
    close(fd);
    unlink(socketPath.c_str());

    if (!receiver.posted())
        return EXIT_NOT_POSTED;
    return static_cast<int>(*receiver.posted() & 0xFF);
}
