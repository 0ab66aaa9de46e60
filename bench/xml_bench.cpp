// Time to write the statements file for 32,768 accounts and 20,000 note lines, beside a plain copy of it.
#include <StatementXmlBuilder.h>

#include <NoteTable.h>

#include <stdlib.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int ACCOUNT_COUNT = 32768;
constexpr int NOTE_LINE_TARGET = 20000;

// Item codes of the groups the statements list, so every account lands in one of them.
const uint32_t ITEM_CODES[] = {0x80888000, 0x80848800, 0x80844800, 0x80842800, 0x80488000, 0x80448000,
                               0x80288000, 0x40888800, 0x40884800, 0x40882800, 0x40848800, 0x40844800,
                               0x20808000, 0x20408000, 0x20208000, 0x80281048};
const uint32_t TOTAL_CODES[] = {0x80800000, 0x80880000, 0x80840000, 0x80848000, 0x80844000, 0x80842000,
                                0x80400000, 0x80480000, 0x80440000, 0x80200000, 0x40888000, 0x40884000,
                                0x40880008, 0x40882000, 0x40880000, 0x40200040, 0x20800000, 0x20400000};

// <chrono> cannot be compiled for a CP932 execution character set, so the monotonic clock is read directly.
double Now()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main()
{
    char pattern[] = "/tmp/stmtport-xml-bench-XXXXXX";
    if (mkdtemp(pattern) == nullptr || chdir(pattern) != 0) {
        std::perror("temporary folder");
        return 1;
    }
    const std::string folder = pattern;

    std::vector<std::unique_ptr<AccountTotal>> records;
    AccountTotalList totals;
    auto add = [&](uint32_t code, const std::string& name, int64_t closing, int16_t kind) {
        auto record = std::make_unique<AccountTotal>();
        std::memset(record.get(), 0, sizeof(AccountTotal));
        std::strncpy(record->formalName, name.c_str(), sizeof record->formalName - 1);
        record->accountKey = static_cast<int32_t>(records.size()) * 10000;
        record->opening = closing / 2;
        record->closing = closing;
        record->change = closing - closing / 2;
        record->classCode = code;
        record->kind = kind;
        totals.push_back(record.get());
        records.push_back(std::move(record));
    };
    for (const uint32_t code : TOTAL_CODES)
        add(code, "【合計】", 123456789, 2);
    for (int i = static_cast<int>(records.size()); i < ACCOUNT_COUNT; ++i)
        add(ITEM_CODES[i % std::size(ITEM_CODES)], "科目（" + std::to_string(i) + "）", (i + 1) * 10000LL + 37, 0);

    OtherNotesLines lines;
    const int perNote = NOTE_LINE_TARGET / NOTE_ROW_COUNT - 6;
    for (int r = 0; r < NOTE_ROW_COUNT; ++r) {
        lines.Add(CString(("<ID>" + std::to_string(noteTable[r].id) + "</ID>").c_str()));
        lines.Add(CString("<Name>注記</Name>"));
        lines.Add(CString("<Kind>1</Kind>"));
        lines.Add(CString("<Disp>1</Disp>"));
        lines.Add(CString("<Value>"));
        for (int k = 0; k < perNote; ++k)
            lines.Add(CString(("<Line>注記の本文 " + std::to_string(k) + " &amp; その他</Line>").c_str()));
        lines.Add(CString("</Value>"));
    }
    NoteDisplayFlags flags;
    std::memset(flags, 1, sizeof flags);

    StDATAINFO data = {};
    std::strcpy(data.companyName, "株式会社ﾍﾞﾝﾁ");
    data.startDate = 20240401;
    data.endDate = 20250331;
    data.costScheduleFlag = 1;

    const std::string hostFile = folder + "/bench.xml";
    const std::string windowsFile = "C:" + std::string(folder) + "/bench.xml";
    std::string path = windowsFile;
    std::replace(path.begin(), path.end(), '/', '\\');

    std::vector<double> buildTimes;
    std::vector<double> copyTimes;
    for (int run = 0; run < 5; ++run) {
        StatementXmlBuilder builder;
        builder.totals = &totals;
        builder.notesLines = &lines;
        builder.noteFlags = flags;
        builder.notesPresent = 1;
        const double start = Now();
        if (builder.BuildDocument(path.c_str(), 3, &data) != 1) {
            std::fprintf(stderr, "the file was not written\n");
            return 1;
        }
        buildTimes.push_back(Now() - start);

        const std::string copy = "cp '" + hostFile + "' '" + folder + "/copy.xml'";
        const double copyStart = Now();
        if (std::system(copy.c_str()) != 0)
            return 1;
        copyTimes.push_back(Now() - copyStart);
    }
    struct stat written;
    stat(hostFile.c_str(), &written);
    std::printf("accounts %d, note lines %ld, file %lld bytes\n", ACCOUNT_COUNT, static_cast<long>(lines.GetSize()),
                static_cast<long long>(written.st_size));
    std::printf("BuildDocument: median %.3f s (min %.3f s)\n", Median(buildTimes),
                *std::min_element(buildTimes.begin(), buildTimes.end()));
    std::printf("cp of the file: median %.3f s\n", Median(copyTimes));
    return std::system(("rm -rf '" + folder + "'").c_str()) == 0 ? 0 : 1;
}
