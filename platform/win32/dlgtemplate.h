// Resources of a module: dialog templates, the string table and the version block.
// A program defines one ResourceTable and hands it to the platform before anything is shown,
// as a Windows module carries its compiled resource script.
#pragma once

#include "windows.h"

enum class ControlClass { Static, Edit, Button, Progress };

struct DialogItemTemplate {
    int id;                // -1 for a static without an identifier (IDC_STATIC)
    ControlClass controlClass;
    LPCSTR text;
    short x, y, cx, cy;    // dialog units
    DWORD style;           // WS_*, SS_*, ES_*, BS_*, PBS_* as in a resource script
};

struct DialogTemplate {
    UINT id;
    LPCSTR caption;
    short cx, cy;          // dialog units
    LPCSTR fontName;
    int pointSize;
    DWORD style;
    const DialogItemTemplate* items;
    int itemCount;
};

struct StringResource {
    UINT id;
    LPCSTR text;
};

struct VersionInfo {
    LPCSTR fileVersion;
    LPCSTR productVersion;
    LPCSTR companyName;
    LPCSTR fileDescription;
    LPCSTR productName;
    LPCSTR originalFilename;
};

struct ResourceTable {
    const DialogTemplate* dialogs;
    int dialogCount;
    const StringResource* strings;
    int stringCount;
    const VersionInfo* version;
};

// Makes `table` the resources of this module. Called once, before the first dialog.
void RegisterModuleResources(const ResourceTable* table);
const DialogTemplate* FindDialogTemplate(UINT id);
