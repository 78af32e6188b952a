// Identifiers of the survey program's resources, shared by the resource
// script and the code that loads them.
#pragma once

#define IDI_TAVRO 1
#define IDB_IMAGE1 101  // the logo at 96 dpi
#define IDB_IMAGE1_144 102
#define IDB_IMAGE1_192 103
