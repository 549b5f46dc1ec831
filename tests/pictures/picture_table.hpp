// The screens the pictures program photographs: one line per picture. Each
// opens from the main window as a user does (a menu command, the file
// dialog answered with `file`, questions answered in order), presses the
// buttons of `path` and photographs the window titled `shoot`. Entries no
// menu starts are opened by the line's own `open`, as their callers would.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "main_menu.hpp"

namespace zrpictures {

struct Picture {
    std::string png;                        // the file under docs/screens/
    std::optional<zr::MainCommand> command;  // none: the main window itself
    std::string file;                       // "samples/..." or "fixtures/...": the file dialog's answer
    std::vector<bool> answers;              // the questions' answers, in order
    std::vector<std::pair<std::string, std::string>> path;  // (window title, button pressed)
    std::string shoot;                      // the title of the window photographed
    // Opens the screen with `file` resolved (instead of a menu command); what
    // it answers is kept until the picture is taken (a window left open).
    std::function<std::shared_ptr<void>(const std::string& file)> open = {};
};

const std::vector<Picture>& pictureTable();

}  // namespace zrpictures
