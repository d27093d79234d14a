#include <windows.h>

#include "formhost/win32/program/program.h"
#include "presenter_routines.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // The show holds the GUI thread for a minute without looking at its
    // queue. Windows would take the stage for hung after 5 s and, at the
    // user's first click or key, cover it with an opaque "Not Responding"
    // copy; this must be said before the first window exists.
    DisableProcessWindowsGhosting();
    return formhost::win32::run_program({.routines = presenter::kRoutines});
}
