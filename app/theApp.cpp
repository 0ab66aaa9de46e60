// The one application object of the program, which the framework runs.
#include "ExportApp.h"

ExportApp theApp;
