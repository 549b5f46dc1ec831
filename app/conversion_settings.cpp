#include "conversion_settings.hpp"

#include <vector>

#include "file_io.hpp"
#include "paths.hpp"
#include "tagged_text.hpp"
#include "text.hpp"
#include "text_files.hpp"

namespace zr {

namespace {

// The comma-separated items of the options.
std::vector<std::string> optionItems(const std::string& options) {
    std::vector<std::string> items;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = options.find(',', start);
        items.push_back(options.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (comma == std::string::npos) return items;
        start = comma + 1;
    }
}

}  // namespace

bool CTL48400AI(const ParseSpec& spec, const FieldTable& fields) {
    for (const std::string& item : optionItems(spec.parseOptions)) {
        if (!wl::prefixMatch(wl::upper(item), "FIELD(")) continue;
        const std::size_t close = item.find(')', 6);
        // One separator character follows the name's bracket.
        if (close == std::string::npos || close + 1 >= item.size()) continue;
        const std::string name = wl::upper(item.substr(6, close - 6));
        const std::string value = item.substr(close + 2);
        for (std::size_t f = 0; f < fields.size(); ++f)
            if (wl::prefixMatch(wl::upper(fields.rows[f].name), name) &&
                wl::prefixMatch(fields.value(static_cast<int>(f)), value))
                return true;
    }
    return false;
}

std::optional<std::string> CTL48400R(int mode, int what, const std::string& value, const std::string& folder) {
    const std::string path = wl::joinPath(folder, "zr.ctl");
    std::string series = ZQK_0001A(CTL39400AY(path), "SERIES");
    if (mode == 1) {
        series = value;
        wl::writeFileAtomically(path, ZQK_0001B(series, "SERIES"));
    }
    if (what != 1) return std::nullopt;
    return series;
}

}  // namespace zr
