// TMenu and TMenuItem for the form designer: the lists of properties and
// events it offers, and the byte records and text the menus are kept in.
#include "menu.hpp"

#include "form_records.hpp"

namespace wl {
namespace {

constexpr const char* kItemProperties[] = {"cCaption", "cMsg",     "cVarName", "lActive",
                                           "lBreak",   "lChecked", "bAction",  "nId"};
constexpr const char* kItemEvents[] = {"OnActivate", "OnClick"};

SavedObject menuRecord(const TMenu& menu);

SavedObject itemRecord(const TMenuItem& item) {
    SavedObject o;
    o.className = "TMENUITEM";
    auto put = [&](const char* name, Value v) { o.properties.emplace_back(name, std::move(v)); };
    // A new item has no caption or message, is active, unchecked and in
    // the same column; its name and id are always its own.
    if (!item.cPrompt.empty()) put("cCaption", Value(item.cPrompt));
    if (!item.cMsg.empty()) put("cMsg", Value(item.cMsg));
    put("cVarName", Value(item.cVarName));
    if (!item.lActive) put("lActive", Value(false));
    if (item.lBreak) put("lBreak", Value(true));
    if (item.lChecked) put("lChecked", Value(true));
    put("nId", Value(static_cast<std::int64_t>(item.nId)));
    if (item.oSubMenu) o.objects.push_back({"bAction", menuRecord(*item.oSubMenu)});
    return o;
}

SavedObject menuRecord(const TMenu& menu) {
    SavedObject o;
    o.className = "TMENU";
    if (!menu.cVarName.empty()) o.properties.emplace_back("cVarName", Value(menu.cVarName));
    if (!menu.aItems().empty()) {
        NamedSavedList items{"aItems", {}};
        for (const auto& item : menu.aItems()) items.objects.push_back(itemRecord(*item));
        o.lists.push_back(std::move(items));
    }
    return o;
}

void loadMenu(TMenu& menu, const SavedObject& o);

void loadItem(TMenuItem& item, const SavedObject& o) {
    for (const auto& [name, v] : o.properties) {
        if (name == "cCaption" && v.isText()) item.SetPrompt(v.text());
        else if (name == "cMsg" && v.isText()) item.cMsg = v.text();
        else if (name == "cVarName" && v.isText()) item.cVarName = v.text();
        else if (name == "lActive") v.logical() ? item.Enable() : item.Disable();
        else if (name == "lBreak") item.lBreak = v.logical();
        else if (name == "lChecked") item.SetCheck(v.logical());
    }
    for (const auto& [name, sub] : o.objects)
        if (name == "bAction" && sub.className == "TMENU") {
            item.oSubMenu = TMenu::New(true);
            loadMenu(*item.oSubMenu, sub);
        }
}

void loadMenu(TMenu& menu, const SavedObject& o) {
    for (const auto& [name, v] : o.properties)
        if (name == "cVarName" && v.isText()) menu.cVarName = v.text();
    for (const auto& [name, records] : o.lists) {
        if (name != "aItems") continue;
        for (const SavedObject& record : records) {
            if (record.className != "TMENUITEM") continue;
            auto item = TMenuItem::New();
            loadItem(*item, record);  // a submenu is hung before the entry is made
            menu.Add(item, !menu.lPopup);
        }
    }
}

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

std::string itemText(const TMenuItem& item, int indent);

std::string menuText(const TMenu& menu, int indent, bool nested) {
    const std::string pad(static_cast<std::size_t>(indent), ' ');
    std::string s = pad + "OBJECT " + (nested ? "::" : "") + (menu.cVarName.empty() ? "oMenu" : menu.cVarName) +
                    " AS " + (nested ? "TMenu" : "TMENU") + "\r\n\r\n";
    if (!menu.aItems().empty()) {
        s += pad + "   ::aItems = Array( " + std::to_string(menu.aItems().size()) + " )\r\n\r\n";
        for (const auto& item : menu.aItems()) s += itemText(*item, indent + 3);
    }
    s += "\r\n" + pad + "ENDOBJECT";
    if (nested) s += "\r\n";
    return s;
}

std::string itemText(const TMenuItem& item, int indent) {
    const std::string pad(static_cast<std::size_t>(indent), ' ');
    std::string s = pad + "OBJECT ::" + item.cVarName + " AS TMenuItem\r\n\r\n";
    auto line = [&](const std::string& name, const std::string& value) {
        s += pad + "   ::" + name + " = " + value + "\r\n";
    };
    if (!item.cPrompt.empty()) line("cCaption", quoted(item.cPrompt));
    if (!item.cMsg.empty()) line("cMsg", quoted(item.cMsg));
    if (!item.lActive) line("lActive", ".F.");
    if (item.lBreak) line("lBreak", ".T.");
    if (item.lChecked) line("lChecked", ".T.");
    line("nId", std::to_string(item.nId));
    if (item.oSubMenu) s += pad + "   ::bAction = \r\n" + menuText(*item.oSubMenu, indent + 3, true);
    s += "\r\n" + pad + "ENDOBJECT\r\n";
    return s;
}

}  // namespace

std::size_t TMenuItem::PropCount() { return std::size(kItemProperties); }
std::size_t TMenuItem::EveCount() { return std::size(kItemEvents); }
std::string TMenuItem::Property(std::size_t n) { return n >= 1 && n <= PropCount() ? kItemProperties[n - 1] : ""; }
std::string TMenuItem::Event(std::size_t n) { return n >= 1 && n <= EveCount() ? kItemEvents[n - 1] : ""; }

std::string TMenuItem::Save() const { return saveObject(itemRecord(*this)); }

bool TMenuItem::Load(const std::string& data) {
    auto o = OREAD(data);
    if (!o || o->className != "TMENUITEM") return false;
    loadItem(*this, *o);
    return true;
}

std::string TMenuItem::SaveToText(int indent) const { return itemText(*this, indent); }

std::string TMenu::Save() const { return saveObject(menuRecord(*this)); }

bool TMenu::Load(const std::string& data) {
    auto o = OREAD(data);
    if (!o || o->className != "TMENU") return false;
    loadMenu(*this, *o);
    return true;
}

std::string TMenu::SaveToText(int indent) const { return menuText(*this, indent, false); }

}  // namespace wl
