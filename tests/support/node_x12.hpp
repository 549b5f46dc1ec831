// An X12 reader that is not this program's, for the tests of the files the
// program writes: node-x12 (installed by scripts/setup in the cache folder)
// parses each file in strict mode through node_x12_read.js, and the tests
// compare what it read with what they expect. Native builds only: the
// reader runs under node.
#pragma once

#ifndef _WIN32

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace zrtest {

struct NodeX12Set {
    std::string st01, st02, se01, se02;
    std::vector<std::string> segments;  // ST and SE left out, elements joined with "*"
};
struct NodeX12Group {
    std::string gs01, gs06, ge01, ge02;
    std::vector<NodeX12Set> sets;
};
struct NodeX12Interchange {
    std::string isa13, iea01, iea02, isa11;  // control numbers as the reader gives them (no leading zeros)
    std::vector<NodeX12Group> groups;
};
struct NodeX12File {
    std::string error;  // why the reader refused the file
    std::vector<NodeX12Interchange> interchanges;
};

// The folder holding node_modules/node-x12; "" when it is not installed.
inline std::string nodeX12Modules() {
    const char* home = std::getenv("HOME");
    const std::string folder = std::string(home ? home : "/root") + "/.cache/zrk7w315/node/node_modules";
    return std::ifstream(folder + "/node-x12/package.json").good() ? folder : "";
}

// Reads every file with node-x12; the files a run could not reach are absent.
inline std::map<std::string, NodeX12File> nodeX12Read(const std::vector<std::string>& files) {
    std::map<std::string, NodeX12File> out;
    const std::string modules = nodeX12Modules();
    if (modules.empty() || files.empty()) return out;
    // The list goes through a file: thousands of names pass no command-line limit.
    const std::string list = files.front() + ".list";
    {
        std::ofstream l(list);
        for (const std::string& f : files) l << f << "\n";
    }
    const std::string command = "node '" + std::string(ZR_FIXTURES) + "/../support/node_x12_read.js' '" + modules +
                                "' --list '" + list + "' 2>&1";
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return out;
    std::string text;
    char buffer[65536];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, n);
    ::pclose(pipe);
    std::remove(list.c_str());

    std::istringstream lines(text);
    NodeX12File* file = nullptr;
    for (std::string line; std::getline(lines, line);) {
        const std::size_t blank = line.find(' ');
        const std::string kind = line.substr(0, blank);
        const std::string rest = blank == std::string::npos ? "" : line.substr(blank + 1);
        std::istringstream words(rest);
        if (kind == "file") {
            file = &out[rest];
        } else if (!file) {
            continue;
        } else if (kind == "error") {
            file->error = rest.empty() ? "refused" : rest;
        } else if (kind == "interchange") {
            NodeX12Interchange i;
            words >> i.isa13 >> i.iea01 >> i.iea02 >> i.isa11;
            file->interchanges.push_back(i);
        } else if (kind == "group" && !file->interchanges.empty()) {
            NodeX12Group g;
            words >> g.gs01 >> g.gs06 >> g.ge01 >> g.ge02;
            file->interchanges.back().groups.push_back(g);
        } else if (kind == "set" && !file->interchanges.empty() && !file->interchanges.back().groups.empty()) {
            NodeX12Set s;
            words >> s.st01 >> s.st02 >> s.se01 >> s.se02;
            file->interchanges.back().groups.back().sets.push_back(s);
        } else if (kind == "segment" && !file->interchanges.empty() && !file->interchanges.back().groups.empty() &&
                   !file->interchanges.back().groups.back().sets.empty()) {
            file->interchanges.back().groups.back().sets.back().segments.push_back(rest);
        }
    }
    return out;
}

}  // namespace zrtest

#endif
