#include <windows.h>

#include "formhost/win32/program/program.h"
#include "editor_routines.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    return formhost::win32::run_program({.routines = editor::kRoutines});
}
