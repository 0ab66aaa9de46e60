// Schema check of a statements file through iconv and xmllint, for any test that wrote one.
#include "XmlSchemaCheck.h"

#include <stdio.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace xmlcheck {
namespace {

const char SHIFT_JIS_DECLARATION[] = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n";
const char UTF8_DECLARATION[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";

std::string Quoted(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// Runs a shell command; its exit status and what it printed on both streams.
int Run(const std::string& command, std::string& output)
{
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) {
        output = "cannot run: " + command;
        return -1;
    }
    char chunk[4096];
    size_t got;
    while ((got = fread(chunk, 1, sizeof chunk, pipe)) > 0)
        output.append(chunk, got);
    const int status = pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

SchemaResult ValidateStatementsFile(const std::string& hostPath)
{
    SchemaResult result;
    char pattern[] = "/tmp/stmtport-xsd-XXXXXX";
    const int descriptor = mkstemp(pattern);
    if (descriptor < 0) {
        result.messages = "cannot make a temporary file";
        return result;
    }
    close(descriptor);
    const std::string copy = pattern;

    std::string output;
    if (Run("iconv -f CP932 -t UTF-8 " + Quoted(hostPath) + " > " + Quoted(copy), output) != 0) {
        result.messages = "not CP932: " + output;
        std::filesystem::remove(copy);
        return result;
    }
    std::string text = ReadFile(copy);
    if (text.rfind(SHIFT_JIS_DECLARATION, 0) != 0) {
        result.messages = "the file does not start with the Shift_JIS declaration line";
        std::filesystem::remove(copy);
        return result;
    }
    text.replace(0, sizeof SHIFT_JIS_DECLARATION - 1, UTF8_DECLARATION);
    std::ofstream(copy, std::ios::binary | std::ios::trunc) << text;

    result.valid = Run("xmllint --noout --schema " + Quoted(STMTPORT_XSD_PATH) + " " + Quoted(copy), output) == 0;
    result.messages = output;
    std::filesystem::remove(copy);
    return result;
}

}  // namespace xmlcheck
