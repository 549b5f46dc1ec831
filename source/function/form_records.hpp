// Byte records of saved forms: values, lists ("A") and objects ("O") with
// 16-bit lengths stored low byte first, as the form files hold them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "value.hpp"

namespace wl {

// One value: a type letter (C text, N number, L logical, D date, A list),
// a 16-bit length and the value's text.
std::string saveValue(const Value& v);
// "A", the 16-bit length of what follows, the 16-bit item count, the items.
std::string ASAVE(const ValueList& list);

// A saved object: its class name and the properties that differ from a new
// object of the class. Object properties are named entries (a struct, not a
// pair, because the object holds entries of its own type).
struct NamedSavedObject;
struct NamedSavedList;
struct SavedObject {
    std::string className;
    std::vector<std::pair<std::string, Value>> properties;
    std::vector<NamedSavedObject> objects;  // properties that are objects
    std::vector<NamedSavedList> lists;      // properties that are lists of objects
};
struct NamedSavedObject {
    std::string name;
    SavedObject object;
};
// A list of objects ("A" holding "O" records), such as a menu's items. An
// empty list reads back as an empty value list.
struct NamedSavedList {
    std::string name;
    std::vector<SavedObject> objects;
};
std::string saveObject(const SavedObject& o);

// Reading back; nothing when the record is cut short or of another type.
std::optional<Value> AREAD(std::string_view data, std::size_t* used = nullptr);
std::optional<SavedObject> OREAD(std::string_view data, std::size_t* used = nullptr);

}  // namespace wl
