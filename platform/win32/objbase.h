// The COM task allocator, which owns the engine's text buffers.
#pragma once

#include "windows.h"

LPVOID CoTaskMemAlloc(SIZE_T bytes);
void CoTaskMemFree(LPVOID memory);
