#include <windows.h>

#include "editor_routines.h"
#include "formhost/win32/program/program.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    return formhost::win32::run_program({.routines = editor::kRoutines});
}
