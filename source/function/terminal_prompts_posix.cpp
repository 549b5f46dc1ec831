// The native build's message windows: messages on stderr, questions answered
// on stdin. Without an answer (end of input) a question takes its default
// button, as pressing Enter on the box would.
#include <cstdio>
#include <iostream>
#include <string>

#include "messages.hpp"
#include "text.hpp"

namespace wl {

bool platformMessageBox(const Prompt& p) {
    std::string text = p.text;
    for (char& c : text)
        if (c == '\r') c = ' ';
    std::fprintf(stderr, "[%s] %s\n", p.caption.c_str(), alltrim(text).c_str());
    if (!p.isQuestion()) return false;
    const bool defaultYes = p.kind == PromptKind::YesNo;
    std::fprintf(stderr, "%s ", defaultYes ? "[Y/n]" : "[y/N]");
    std::fflush(stderr);
    std::string line;
    if (!std::getline(std::cin, line)) return defaultYes;
    line = upper(alltrim(line));
    if (line.empty()) return defaultYes;
    return line[0] == 'Y';
}

}  // namespace wl

namespace wl {

std::string platformFileDialog(const FileDialogRequest& request) {
    std::fprintf(stderr, "[%s] file (%s): ", request.title.value_or("Select the file").c_str(),
                 request.filter.value_or("").c_str());
    std::fflush(stderr);
    std::string line;
    if (!std::getline(std::cin, line)) return "";
    return alltrim(line);
}

}  // namespace wl
