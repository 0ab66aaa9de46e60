// Injected failures: a faults row makes one named call return its status once.
//
// A row (call, status, after) lets the call succeed `after` times; the next call, the
// (after+1)-th, returns `status`, and every later call succeeds again (the fault fires once).
// A negative `after` never fires. Call names: Initiate, ExpSysLink, GetSumCount, SetMovePos,
// MoveNext, ShohizeiGet and GetDataType02:KIND (for example "GetDataType02:1000").
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace lgr {

class FaultTable {
public:
    // Replaces the table by the books' faults rows and starts every counter at 0; false when unreadable.
    bool Load(sqlite3* db);
    void Clear() { faults_.clear(); }

    // 0 when the call goes on, otherwise the status it must return now.
    long Check(std::string_view call);

private:
    struct Fault {
        long status = 0;
        int64_t after = 0;
        int64_t calls = 0;
    };
    std::map<std::string, Fault, std::less<>> faults_;
};

}  // namespace lgr
