// TMru: a numbered list of recently used file names shown as items of the
// menu being built, kept in one section of a profile file (keys "1".."n",
// most recent first). Choosing an entry calls the list's action with the
// file name.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "menu.hpp"
#include "mru_list.hpp"

namespace wl {

struct MruNew {
    std::string cIniFile;
    std::string cSection;
    std::size_t nMaxItems = 10;
    std::string cMsg = "Open this file";
    std::function<void(const std::string& name, TMenuItem& item)> bAction;
    TMenu* oMenu = nullptr;                // default: the menu being built
    std::optional<std::size_t> nMenuPos;   // default: the items already in it
};

class TMru : public std::enable_shared_from_this<TMru> {
public:
    // Called between MENUBEGIN and MENUEND: reads the section and adds the
    // entries (after a separator when the level already holds items).
    static std::shared_ptr<TMru> New(const MruNew& a);

    // Puts the name at the top, renumbers the entries and writes the section.
    void Save(const std::string& name);
    // Removes the separator and the entries from the menu and the section
    // from the file.
    void Clear();

    std::vector<std::shared_ptr<TMenuItem>> aItems;
    std::size_t nMaxItems = 10;
    std::string cIniFile, cSection, cMsg;
    TMenu* oMenu = nullptr;
    std::size_t nMenuPos = 0;
    std::function<void(const std::string&, TMenuItem&)> bAction;
    std::shared_ptr<TMenuItem> oSeparator;

private:
    TMru() = default;
    MruStore store() const;
    Action<TMenuItem&> entryAction();
    MruList list_;
};

}  // namespace wl
