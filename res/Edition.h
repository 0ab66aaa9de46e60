// The three settings in which the programs of the editions differ; each program links one.
#pragma once

struct Edition {
    int appType;                       // edition code handed to the engine
    const char* settingsFileName;      // remembered-destinations file
    const char* defaultProgramName;    // PROGRAMNAME when the support file names none
};

extern const Edition theEdition;
