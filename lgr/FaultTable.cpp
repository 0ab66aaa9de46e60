// Injected failures: a faults row makes one named call return its status once.
#include "FaultTable.h"

#include "Books.h"

namespace lgr {

bool FaultTable::Load(sqlite3* db) {
    faults_.clear();
    Statement query(db, "SELECT call, status, after FROM faults");
    if (!query.Ok()) return false;
    int step;
    while ((step = query.Step()) == SQLITE_ROW) {
        Fault fault;
        fault.status = static_cast<long>(query.Int(1));
        fault.after = query.Int(2);
        faults_[query.Text(0)] = fault;
    }
    return step == SQLITE_DONE;
}

long FaultTable::Check(std::string_view call) {
    const auto found = faults_.find(call);
    if (found == faults_.end()) return 0;
    Fault& fault = found->second;
    ++fault.calls;
    return fault.calls == fault.after + 1 ? fault.status : 0;
}

}  // namespace lgr
