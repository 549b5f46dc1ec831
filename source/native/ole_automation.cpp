#include "ole_automation.hpp"

#include <oleauto.h>

#include <vector>

#include "text.hpp"
#include "wide_text.hpp"

namespace wl {

namespace {

void ensureComStarted() {
    // Once per program; the apartment lives until the program ends.
    static const HRESULT started = OleInitialize(nullptr);
    (void)started;
}


std::string narrow(BSTR text) {
    if (!text) return "";
    const int len = static_cast<int>(SysStringLen(text));
    const int n = WideCharToMultiByte(CP_ACP, 0, text, len, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, len, out.data(), n, nullptr, nullptr);
    return out;
}

// A VARIANT cleared when it goes.
struct Variant {
    VARIANT v;
    Variant() { VariantInit(&v); }
    ~Variant() { VariantClear(&v); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
};

void toVariant(const Value& value, VARIANT& v) {
    if (value.isText()) {
        v.vt = VT_BSTR;
        const std::wstring w = AnsiToWideAlloc(value.text());
        v.bstrVal = SysAllocStringLen(w.data(), static_cast<UINT>(w.size()));
    } else if (value.isLogical()) {
        v.vt = VT_BOOL;
        v.boolVal = value.logical() ? VARIANT_TRUE : VARIANT_FALSE;
    } else if (value.isWhole() && value.number() >= -2147483648.0 && value.number() <= 2147483647.0) {
        v.vt = VT_I4;
        v.lVal = static_cast<LONG>(value.number());
    } else if (value.isNumber()) {
        v.vt = VT_R8;
        v.dblVal = value.number();
    } else if (value.isDate()) {
        const Date& d = std::get<Date>(value.storage());
        SYSTEMTIME st{};
        st.wYear = static_cast<WORD>(d.year);
        st.wMonth = static_cast<WORD>(d.month);
        st.wDay = static_cast<WORD>(d.day);
        v.vt = VT_DATE;
        if (d.blank() || !SystemTimeToVariantTime(&st, &v.date)) v.vt = VT_EMPTY;
    } else {
        v.vt = VT_EMPTY;
    }
}

OleResult fromVariant(VARIANT& v) {
    OleResult r;
    switch (v.vt) {
        case VT_BSTR: r.value = Value(narrow(v.bstrVal)); break;
        case VT_BOOL: r.value = Value(v.boolVal != VARIANT_FALSE); break;
        case VT_DISPATCH:
            if (v.pdispVal) v.pdispVal->AddRef();
            r.object = OleObject(v.pdispVal);
            break;
        case VT_R4:
        case VT_R8:
        case VT_CY:
        case VT_DECIMAL: {
            Variant d;
            if (SUCCEEDED(VariantChangeType(&d.v, &v, 0, VT_R8))) r.value = Value(d.v.dblVal);
            break;
        }
        case VT_DATE: {
            SYSTEMTIME st{};
            if (VariantTimeToSystemTime(v.date, &st)) r.value = Value(Date{st.wYear, st.wMonth, st.wDay});
            break;
        }
        case VT_EMPTY:
        case VT_NULL: break;
        default: {
            Variant n;
            if (SUCCEEDED(VariantChangeType(&n.v, &v, 0, VT_I8))) r.value = Value(static_cast<std::int64_t>(n.v.llVal));
            break;
        }
    }
    return r;
}

// One call by name. The arguments go in reverse order, as IDispatch wants.
std::optional<OleResult> dispatch(const OleObject& object, const std::string& name, WORD flags,
                                  std::vector<VARIANT>& args) {
    if (!object) return std::nullopt;
    std::wstring wname = AnsiToWideAlloc(name);
    LPOLESTR names[] = {wname.data()};
    DISPID id = 0;
    if (FAILED(object.get()->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) return std::nullopt;
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    DISPID put = DISPID_PROPERTYPUT;
    if (flags & DISPATCH_PROPERTYPUT) {
        params.rgdispidNamedArgs = &put;
        params.cNamedArgs = 1;
    }
    Variant result;
    const HRESULT hr = object.get()->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                                            (flags & DISPATCH_PROPERTYPUT) ? nullptr : &result.v, nullptr, nullptr);
    if (FAILED(hr)) return std::nullopt;
    return fromVariant(result.v);
}

struct VariantArgs {
    std::vector<VARIANT> list;
    explicit VariantArgs(const ValueList& values) : list(values.size()) {
        for (std::size_t i = 0; i < values.size(); ++i) {
            VariantInit(&list[i]);
            toVariant(values[i], list[i]);
        }
    }
    ~VariantArgs() {
        for (VARIANT& v : list) VariantClear(&v);
    }
    VariantArgs(const VariantArgs&) = delete;
    VariantArgs& operator=(const VariantArgs&) = delete;
};

std::string nameWithoutExtension(const std::string& path) {
    const std::string name = upper(alltrim(path));
    const std::size_t dot = name.rfind('.');
    const std::size_t sep = name.find_last_of("\\/");
    return dot != std::string::npos && (sep == std::string::npos || dot > sep) ? name.substr(0, dot) : name;
}

}  // namespace

OleObject WLGETOLEOBJECT(const std::string& progId) {
    ensureComStarted();
    CLSID clsid{};
    const std::wstring w = AnsiToWideAlloc(progId);
    if (FAILED(CLSIDFromProgID(w.c_str(), &clsid))) return {};
    IUnknown* unknown = nullptr;
    IDispatch* disp = nullptr;
    if (SUCCEEDED(GetActiveObject(clsid, nullptr, &unknown)) && unknown) {
        unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&disp));
        unknown->Release();
        if (disp) return OleObject(disp);
    }
    if (SUCCEEDED(CoCreateInstance(clsid, nullptr, CLSCTX_SERVER, IID_IDispatch, reinterpret_cast<void**>(&disp))))
        return OleObject(disp);
    return {};
}

OleObject WINWORDOBJ() { return WLGETOLEOBJECT("Word.Application"); }
OleObject EXCELOBJ() { return WLGETOLEOBJECT("Excel.Application"); }
OleObject SUNCALCOBJ() { return WLGETOLEOBJECT("com.sun.star.ServiceManager"); }

std::optional<OleResult> OLEINVOKE(const OleObject& object, const std::string& method, const ValueList& args) {
    VariantArgs v(args);
    return dispatch(object, method, DISPATCH_METHOD | DISPATCH_PROPERTYGET, v.list);
}

std::optional<OleResult> OLEGETPROPERTY(const OleObject& object, const std::string& name, const ValueList& args) {
    VariantArgs v(args);
    return dispatch(object, name, DISPATCH_PROPERTYGET, v.list);
}

bool OLESETPROPERTY(const OleObject& object, const std::string& name, const Value& value) {
    VariantArgs v({value});
    return dispatch(object, name, DISPATCH_PROPERTYPUT, v.list).has_value();
}

std::optional<OleResult> OLEINVOKE(const OleObject& object, const std::string& method, const OleObject& arg1,
                                   const OleObject& arg2) {
    std::vector<VARIANT> args(2);
    for (int i = 0; i < 2; ++i) {
        VariantInit(&args[static_cast<std::size_t>(i)]);
        IDispatch* d = (i == 0 ? arg1 : arg2).get();
        args[static_cast<std::size_t>(i)].vt = VT_DISPATCH;
        args[static_cast<std::size_t>(i)].pdispVal = d;  // borrowed: not cleared below
    }
    return dispatch(object, method, DISPATCH_METHOD | DISPATCH_PROPERTYGET, args);
}

OleObject GETEXCELBOOK(const std::string& file) {
    const OleObject excel = EXCELOBJ();
    if (!excel) return {};
    const auto books = OLEGETPROPERTY(excel, "Workbooks");
    if (!books || !books->object) return {};
    const auto count = OLEGETPROPERTY(books->object, "Count");
    const std::string wanted = nameWithoutExtension(file);
    for (std::int64_t i = 1; count && i <= static_cast<std::int64_t>(count->value.number()); ++i) {
        const auto book = OLEGETPROPERTY(books->object, "Item", {Value(i)});
        if (!book || !book->object) continue;
        const auto fullName = OLEGETPROPERTY(book->object, "FullName");
        if (fullName && nameWithoutExtension(fullName->value.text()) == wanted) return book->object;
    }
    const auto opened = OLEINVOKE(books->object, "Open", {Value(file)});
    return opened ? opened->object : OleObject();
}

OleObject GETEXCELRANGE(const std::string& file, const Value& sheet, const Value& range) {
    const OleObject book = GETEXCELBOOK(file);
    if (!book) return {};
    const auto ws = sheet.isNil() ? OLEGETPROPERTY(book, "ActiveSheet") : OLEGETPROPERTY(book, "Worksheets", {sheet});
    if (!ws || !ws->object) return {};
    std::optional<OleResult> r;
    if (range.isText()) {
        r = OLEGETPROPERTY(ws->object, "Range", {range});
    } else if (range.isList() && range.list().size() >= 4) {
        const ValueList& c = range.list();
        const auto topLeft = OLEGETPROPERTY(ws->object, "Cells", {c[0], c[1]});
        const auto bottomRight = OLEGETPROPERTY(ws->object, "Cells", {c[2], c[3]});
        if (topLeft && bottomRight) r = OLEINVOKE(ws->object, "Range", topLeft->object, bottomRight->object);
    } else {
        r = OLEGETPROPERTY(ws->object, "UsedRange");
    }
    return r ? r->object : OleObject();
}

OleObject GETPROPERTYVALUE(const OleObject& serviceManager, const std::string& name, const Value& value) {
    const auto made = OLEINVOKE(serviceManager, "Bridge_GetStruct", {Value("com.sun.star.beans.PropertyValue")});
    if (!made || !made->object) return {};
    OLESETPROPERTY(made->object, "Name", Value(name));
    OLESETPROPERTY(made->object, "Value", value);
    return made->object;
}

}  // namespace wl
