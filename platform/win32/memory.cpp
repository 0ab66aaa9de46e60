// Global memory blocks behind handles, and the COM task allocator.
#include <cstdlib>
#include <map>
#include <memory>

#include "objbase.h"
#include "windows.h"

namespace {

struct Block {
    std::unique_ptr<unsigned char[]> bytes;
    unsigned locks = 0;
};

// Movable blocks are found by handle: numbers that are not addresses, so a handle used as a
// pointer fails loudly. Fixed blocks are their own handle, as on Windows.
class GlobalHeap {
public:
    HGLOBAL Allocate(UINT flags, SIZE_T bytes)
    {
        Block block;
        block.bytes.reset(new (std::nothrow) unsigned char[bytes == 0 ? 1 : bytes]());
        if (!block.bytes) {
            return nullptr;
        }
        uintptr_t handle;
        if ((flags & GMEM_MOVEABLE) != 0) {
            next_ += 8;
            handle = next_;
        } else {
            handle = reinterpret_cast<uintptr_t>(block.bytes.get());
        }
        blocks_[handle] = std::move(block);
        return reinterpret_cast<HGLOBAL>(handle);
    }

    Block* Find(HGLOBAL memory)
    {
        auto it = blocks_.find(reinterpret_cast<uintptr_t>(memory));
        return it == blocks_.end() ? nullptr : &it->second;
    }

    bool Free(HGLOBAL memory) { return blocks_.erase(reinterpret_cast<uintptr_t>(memory)) == 1; }

private:
    uintptr_t next_ = 0x6F000000;
    std::map<uintptr_t, Block> blocks_;
};

GlobalHeap& Heap()
{
    static GlobalHeap heap;
    return heap;
}

}  // namespace

HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes)
{
    HGLOBAL memory = Heap().Allocate(flags, bytes);
    if (memory == nullptr) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    }
    return memory;
}

LPVOID GlobalLock(HGLOBAL memory)
{
    Block* block = Heap().Find(memory);
    if (block == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    ++block->locks;
    return block->bytes.get();
}

BOOL GlobalUnlock(HGLOBAL memory)
{
    Block* block = Heap().Find(memory);
    if (block == nullptr || block->locks == 0) {
        SetLastError(block == nullptr ? ERROR_INVALID_HANDLE : ERROR_SUCCESS);
        return FALSE;
    }
    --block->locks;
    if (block->locks == 0) {
        SetLastError(ERROR_SUCCESS);
        return FALSE;
    }
    return TRUE;
}

HGLOBAL GlobalFree(HGLOBAL memory)
{
    if (memory == nullptr) {
        return nullptr;
    }
    if (!Heap().Free(memory)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return memory;
    }
    return nullptr;
}

LPVOID CoTaskMemAlloc(SIZE_T bytes)
{
    return std::malloc(bytes == 0 ? 1 : bytes);
}

void CoTaskMemFree(LPVOID memory)
{
    std::free(memory);
}
