#pragma once
// Commands of the host's library that reach outside the program: message
// boxes, starting programs and opening addresses. Texts are GB18030.

#include <string>

#include "formhost/core/choices.h"

namespace formhost {

// A message box without owner; task-modal unless the flags ask for a
// system-modal one. Gives the button pressed: OK 0, Cancel 1, Abort 2,
// Retry 3, Ignore 4, Yes 5, No 6.
int message_box(const std::string& text, unsigned flags = 0, const std::string& caption = "信息：");

// Starts a program from a command line, which the system splits into program
// and arguments; show mode 1 to 6 (hidden, normal, minimised, maximised,
// normal without activation, minimised without activation). With wait, until
// the program ends; without, until it is idle, at most a second. false when
// it could not be started.
bool run_command_line(const std::string& command_line, bool wait = false, int show_mode = choice::show_mode::kNormal);

// Asks the shell to open an address with the program registered for it.
void open_address(const std::string& address);

}  // namespace formhost
