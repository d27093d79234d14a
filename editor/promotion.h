#pragma once
// The editor's recommendation: the pages it opens at start and from its
// download button.

namespace editor {

// At every start, before the boxes are filled: the browser with one address,
// then the shell with another.
void run_promotion_at_start();

// The download button's address.
void open_download_page();

}  // namespace editor
