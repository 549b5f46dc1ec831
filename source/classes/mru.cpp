#include "mru.hpp"

#include "profile_files.hpp"

namespace wl {

MruStore TMru::store() const {
    MruStore s;
    const std::string file = cIniFile, section = cSection;
    s.read = [file, section](const std::string& key) { return GETPVPROFSTRING(section, key, "", file); };
    s.write = [file, section](const std::string& key, const std::string& value) {
        WRITEPPROSTRING(section, key, value, file);
    };
    s.remove = [file, section](const std::string& key) { DELINIENTRY(section, key, file); };
    s.removeSection = [file, section] { DELINISECTION(section, file); };
    return s;
}

Action<TMenuItem&> TMru::entryAction() {
    if (!bAction) return {};
    std::weak_ptr<TMru> self = weak_from_this();
    return [self](TMenuItem& item) {
        if (auto mru = self.lock()) mru->bAction(mruNameOfCaption(item.cPrompt), item);
    };
}

std::shared_ptr<TMru> TMru::New(const MruNew& a) {
    std::shared_ptr<TMru> m(new TMru());
    m->cIniFile = a.cIniFile;
    m->cSection = a.cSection;
    m->nMaxItems = a.nMaxItems ? a.nMaxItems : 10;
    m->cMsg = a.cMsg;
    m->bAction = a.bAction;
    const bool building = LASTMENU() != nullptr;
    m->oMenu = a.oMenu ? a.oMenu : LASTMENU();
    m->nMenuPos = a.nMenuPos ? *a.nMenuPos : LASTITEMPOS().value_or(m->oMenu ? m->oMenu->aItems().size() : 0);
    m->list_ = MruList(m->nMaxItems);
    m->list_.load(m->store());
    // Items go to the level being built; without one, straight to the menu.
    auto add = [&](const MenuItemNew& n) {
        if (building) return MENUADDITEM(n);
        auto item = TMenuItem::New(n);
        if (m->oMenu) m->oMenu->Add(item);
        return item;
    };
    for (const auto& e : m->list_.entries()) {
        if (m->aItems.empty() && m->nMenuPos > 0) m->oSeparator = add(MenuItemNew{});
        MenuItemNew n;
        n.cPrompt = mruCaption(e.number, e.name);
        n.cMsg = m->cMsg;
        n.bAction = m->entryAction();
        m->aItems.push_back(add(n));
    }
    return m;
}

void TMru::Save(const std::string& name) {
    const MruSaveResult r = list_.save(name, store());
    if (!oMenu) return;
    if (r.separatorAdded && !oSeparator) {
        oSeparator = TMenuItem::New();
        oMenu->Insert(oSeparator, nMenuPos + 1);
    }
    if (r.inserted) {
        MenuItemNew n;
        n.cPrompt = mruCaption(1, name);
        n.cMsg = cMsg;
        n.bAction = entryAction();
        auto item = TMenuItem::New(n);
        aItems.insert(aItems.begin(), item);
        oMenu->Insert(item, nMenuPos + 2);
        if (r.droppedLast && aItems.size() > list_.entries().size()) {
            aItems.back()->Destroy();
            aItems.pop_back();
        }
    }
    const auto& entries = list_.entries();
    for (std::size_t i = 0; i < aItems.size() && i < entries.size(); ++i) {
        const std::string caption = mruCaption(entries[i].number, entries[i].name);
        if (aItems[i]->cPrompt != caption) aItems[i]->SetPrompt(caption);
        if (entries[i].enabled && !aItems[i]->lActive) aItems[i]->Enable();
    }
}

void TMru::Clear() {
    if (oSeparator) oSeparator->Destroy();
    oSeparator.reset();
    for (auto& item : aItems) item->Destroy();
    aItems.clear();
    list_.clear(store());
}

}  // namespace wl
