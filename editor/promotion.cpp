#include "promotion.h"

#include "formhost/win32/routines/system_commands.h"

namespace editor {
namespace {

// Placeholder addresses under the reserved example domain.
constexpr const char* kBrowserAddress = "http://www.example.com/?k20100101";
constexpr const char* kShellAddress = "http://www.example.com/?k10001";
constexpr const char* kDownloadAddress = "http://download.example.com/browser/setup_k10001.exe";

// The browser's path is quoted: unquoted, its blanks would let the system try
// "C:\Program.exe" and "C:\Program Files\Internet.exe" first.
constexpr const char* kBrowserCommand = "\"C:\\Program Files\\Internet Explorer\\iexplore.exe\" ";

}  // namespace

void run_promotion_at_start() {
    formhost::run_command_line(std::string(kBrowserCommand) + kBrowserAddress, false, 2);
    formhost::open_address(kShellAddress);
}

void open_download_page() { formhost::open_address(kDownloadAddress); }

}  // namespace editor
