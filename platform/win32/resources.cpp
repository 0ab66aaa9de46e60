// The module's resources: the registered table, its dialog templates and its string table.
#include <cstring>

#include "dlgtemplate.h"
#include "host/Codepage.h"
#include "windows.h"

namespace {

// Constant-initialised, so that a table registered from a static initialiser is never lost.
const ResourceTable* registeredTable = nullptr;

}  // namespace

void RegisterModuleResources(const ResourceTable* table)
{
    registeredTable = table;
}

const DialogTemplate* FindDialogTemplate(UINT id)
{
    if (registeredTable == nullptr) {
        return nullptr;
    }
    for (int i = 0; i < registeredTable->dialogCount; ++i) {
        if (registeredTable->dialogs[i].id == id) {
            return &registeredTable->dialogs[i];
        }
    }
    return nullptr;
}

int LoadStringA(HINSTANCE, UINT id, LPSTR buffer, int size)
{
    if (buffer == nullptr || size <= 0 || registeredTable == nullptr) {
        return 0;
    }
    for (int i = 0; i < registeredTable->stringCount; ++i) {
        const StringResource& entry = registeredTable->strings[i];
        if (entry.id != id || entry.text == nullptr) {
            continue;
        }
        // Cut to the buffer, never inside a double-byte character.
        std::string_view text = entry.text;
        size_t count = 0;
        while (count < text.size() && count + host::Cp932CharLength(text, count) < static_cast<size_t>(size)) {
            count += host::Cp932CharLength(text, count);
        }
        std::memcpy(buffer, text.data(), count);
        buffer[count] = '\0';
        return static_cast<int>(count);
    }
    buffer[0] = '\0';
    return 0;
}
