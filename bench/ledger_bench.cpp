// Cost of collecting account totals against the engine's own record loop, on a full chart.
#include <cstring>

#include <benchmark/benchmark.h>

#include <EngineAttach.h>
#include <LedgerTotals.h>
#include <ProgressDialog.h>

#include "../tests/ledger/LedgerBooks.h"

namespace {

constexpr int ACCOUNT_COUNT = 32768;

// Every account has postings in all fifteen periods; half balance-sheet, half income accounts.
LedgerBooks& FullChart()
{
    static LedgerBooks& books = []() -> LedgerBooks& {
        LedgerBooks& shared = LedgerBooks::Shared();
        shared.Clear();
        testbooks::BulkAccounts half;
        half.count = ACCOUNT_COUNT / 2;
        half.debit = 123456;
        half.credit = 7890;
        shared.Books().AddAccounts(half);
        half.firstSeq += half.count;
        half.firstCode += half.count;
        half.classCode = 0x40000001u;
        half.debitNormal = 0;
        shared.Books().AddAccounts(half);
        return shared;
    }();
    return books;
}

// April to March with the year-end period, and the interim period behind month six as well.
struct FullYear {
    StFINDINFO entries[4] = {};
    StDATAINFO data = {};

    FullYear()
    {
        const int16_t values[] = {1, 6, 15, 18};
        const int16_t compares[] = {4, 6, 1, 1};
        const int16_t links[] = {1, 2, 2, 0};
        for (int i = 0; i < 4; ++i) {
            entries[i].fieldCode = 17;
            entries[i].compare = compares[i];
            entries[i].valueKind = 2;
            entries[i].value = values[i];
            entries[i].link = links[i];
        }
        std::strcpy(data.dataId, LEDGER_DATA_ID);
        data.interimClosing = 1;
    }
};

void EngineRecordLoop(benchmark::State& state)
{
    FullChart();
    FullYear year;
    long records = 0;
    for (auto _ : state) {
        ClRuleKamoku rule;
        AttachToSelectedData(rule);
        rule.MoveReady(1, 0, 0, year.entries, nullptr, 0);
        unsigned int count = 0;
        rule.GetSumCount(&count);
        rule.SetMovePos(0);
        StKAMOKUSUMINFO info;
        records = 0;
        for (unsigned int i = 0; i < count; ++i) {
            std::memset(&info, 0, sizeof info);
            if (rule.MoveNext(&info) != 0)
                break;
            benchmark::DoNotOptimize(info);
            ++records;
        }
        rule.MoveFinish();
    }
    state.counters["records"] = static_cast<double>(records);
}

void CollectAccountTotals(benchmark::State& state)
{
    FullChart();
    FullYear year;
    ProgressDialog progress;
    size_t collected = 0;
    for (auto _ : state) {
        AccountTotalList list;
        LedgerTotals ledger;
        ledger.progress = &progress;
        ledger.totals = &list;
        if (ledger.CollectAccountTotals(false, year.entries, &year.data) != 1)
            state.SkipWithError("the collection failed");
        collected = list.size();
        state.PauseTiming();
        for (AccountTotal* total : list)
            delete total;
        state.ResumeTiming();
    }
    state.counters["records"] = static_cast<double>(collected);
}

}

BENCHMARK(EngineRecordLoop)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(CollectAccountTotals)->Unit(benchmark::kMillisecond)->MinTime(2.0);

BENCHMARK_MAIN();
