// One account's totals for the chosen months, and the list the XML sections read them from.
#pragma once

#include <cstddef>
#include <cstdint>
#include <list>

#include "Amount.h"

#pragma pack(push, 1)
struct AccountTotal {
    int32_t accountKey;         // the code users see is accountKey / 10000
    char formalName[31];
    char altName[31];
    ScaledAmount opening;
    ScaledAmount change;        // closing - opening
    ScaledAmount closing;
    uint32_t classCode;
    int16_t kind;
};
#pragma pack(pop)
static_assert(sizeof(AccountTotal) == 96);
static_assert(offsetof(AccountTotal, formalName) == 4);
static_assert(offsetof(AccountTotal, altName) == 35);
static_assert(offsetof(AccountTotal, opening) == 66);
static_assert(offsetof(AccountTotal, change) == 74);
static_assert(offsetof(AccountTotal, closing) == 82);
static_assert(offsetof(AccountTotal, classCode) == 90);
static_assert(offsetof(AccountTotal, kind) == 94);

// In engine order. The list does not own its records: ExportApp frees them at exit.
typedef std::list<AccountTotal*> AccountTotalList;
