// OLE automation: objects of automation servers reached by program id and
// driven by name through IDispatch. Where no such server is installed the
// functions answer an empty object, and callers say that the application is
// not available.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <optional>
#include <string>

#include "value.hpp"

namespace wl {

// One reference to an automation object; released when the last copy goes.
class OleObject {
public:
    OleObject() = default;
    explicit OleObject(IDispatch* adopted) : p_(adopted) {}
    OleObject(const OleObject& o) : p_(o.p_) {
        if (p_) p_->AddRef();
    }
    OleObject& operator=(OleObject o) {
        std::swap(p_, o.p_);
        return *this;
    }
    ~OleObject() {
        if (p_) p_->Release();
    }
    explicit operator bool() const { return p_ != nullptr; }
    IDispatch* get() const { return p_; }

private:
    IDispatch* p_ = nullptr;
};

// What a call answers: a plain value, or an object.
struct OleResult {
    Value value;
    OleObject object;
};

// The running instance of the server, else a new one; empty when neither.
OleObject WLGETOLEOBJECT(const std::string& progId);
OleObject WINWORDOBJ();   // "Word.Application"
OleObject EXCELOBJ();     // "Excel.Application"
OleObject SUNCALCOBJ();   // "com.sun.star.ServiceManager"

// Calls a method, reads or writes a property by name; nothing on failure.
std::optional<OleResult> OLEINVOKE(const OleObject& object, const std::string& method, const ValueList& args = {});
std::optional<OleResult> OLEGETPROPERTY(const OleObject& object, const std::string& name, const ValueList& args = {});
bool OLESETPROPERTY(const OleObject& object, const std::string& name, const Value& value);
// The same with an object as the one argument (a range's corners, ...).
std::optional<OleResult> OLEINVOKE(const OleObject& object, const std::string& method, const OleObject& arg1,
                                   const OleObject& arg2);

// The open workbook of that path and name without extension (without
// regard to case), else the file opened; empty without the spreadsheet.
OleObject GETEXCELBOOK(const std::string& file);
// A range of a sheet (by name or number; the active one when nil): by an
// address text, by corners {top, left, bottom, right}, or the used range.
OleObject GETEXCELRANGE(const std::string& file, const Value& sheet = Value(), const Value& range = Value());
// A property value structure of the office suite holding name and value.
OleObject GETPROPERTYVALUE(const OleObject& serviceManager, const std::string& name, const Value& value);

}  // namespace wl
