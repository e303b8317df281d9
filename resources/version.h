// The program's version number, the one place it is written.
#pragma once

#define PELMOR_VERSION_MAJOR 1
#define PELMOR_VERSION_MINOR 0
#define PELMOR_VERSION_RELEASE 0
#define PELMOR_VERSION_BUILD 1
#define PELMOR_VERSION_TEXT "1.0.0.1"
