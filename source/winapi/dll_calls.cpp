#include "dll_calls.hpp"

#include <array>
#include <cstdint>
#include <cstring>

#include "call_descriptor.hpp"
#include "messages.hpp"

namespace wl {

HMODULE LOADLIBRARY(const std::string& file) { return LoadLibraryA(file.c_str()); }
BOOL FREELIBRARY(HMODULE hModule) { return FreeLibrary(hModule); }
FARPROC GETPROCADDRESS(HMODULE hModule, const std::string& name) { return GetProcAddress(hModule, name.c_str()); }

std::string GETPROCADD(HMODULE hModule, const NameOrId& name, bool lPascal, int nResultType,
                       const std::vector<int>& argTypes) {
    CallDescriptor d;
    d.address = hModule ? reinterpret_cast<std::uintptr_t>(GetProcAddress(hModule, name.get())) : 0;
    d.pascalFlag = lPascal;
    d.resultType = static_cast<std::uint8_t>(nResultType);
    for (int t : argTypes) d.argTypes.push_back(static_cast<std::uint8_t>(t));
    return callDescriptorText(d);
}

namespace {

constexpr std::size_t kMaxArgs = 10;
using Slots = std::array<std::uintptr_t, kMaxArgs>;

#if defined(__x86_64__)
// One calling convention: the caller owns the stack, so passing all ten
// slots to a procedure that takes fewer is harmless.
std::uintptr_t invoke(FARPROC fn, const Slots& a, std::size_t) {
    using Proc = std::uintptr_t (*)(std::uintptr_t, std::uintptr_t, std::uintptr_t, std::uintptr_t, std::uintptr_t,
                                    std::uintptr_t, std::uintptr_t, std::uintptr_t, std::uintptr_t, std::uintptr_t);
    auto proc = reinterpret_cast<Proc>(reinterpret_cast<void*>(fn));
    return proc(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8], a[9]);
}
#elif defined(__i386__)
// The procedure may pop its arguments (stdcall) or leave them (cdecl): the
// stack pointer is kept in a register the callee preserves and put back
// after the call either way.
std::uintptr_t invoke(FARPROC fn, const Slots& a, std::size_t n) {
    std::uintptr_t result;
    std::uintptr_t count = n;
    __asm__ __volatile__(
        "movl %%esp, %%esi\n\t"
        "1:\n\t"
        "testl %%ecx, %%ecx\n\t"
        "jz 2f\n\t"
        "pushl -4(%%ebx,%%ecx,4)\n\t"
        "decl %%ecx\n\t"
        "jmp 1b\n\t"
        "2:\n\t"
        "call *%%edi\n\t"
        "movl %%esi, %%esp\n\t"
        : "=a"(result), "+c"(count)
        : "b"(a.data()), "D"(fn)
        : "edx", "esi", "cc", "memory");
    return result;
}
#else
#error "WLCALLDLL supports x86 and x86-64 only"
#endif

std::uintptr_t wholeOf(const Value& v) {
    if (v.isLogical()) return v.logical() ? 1 : 0;
    if (v.isNumber()) return static_cast<std::uintptr_t>(static_cast<std::int64_t>(v.number()));
    return 0;
}

Value resultValue(int type, std::uintptr_t r) {
    switch (resultKind(type)) {
        case CallValueKind::Whole32: return Value(static_cast<std::int64_t>(static_cast<std::int32_t>(r)));
        case CallValueKind::Logical: return Value(static_cast<std::uint32_t>(r) != 0);
        case CallValueKind::Handle: return Value(static_cast<std::int64_t>(static_cast<std::intptr_t>(r)));
        case CallValueKind::Text: {
            auto* p = reinterpret_cast<const char*>(r);
            return Value(std::string(p ? p : ""));
        }
        case CallValueKind::Double: return Value(static_cast<double>(static_cast<std::intptr_t>(r)));
        case CallValueKind::None: break;
    }
    return Value();
}

}  // namespace

Value WLCALLDLL(const std::string& descriptor, const std::vector<DllArg>& args) {
    auto d = parseCallDescriptor(descriptor);
    if (!d || d->address == 0) return Value();
    const std::size_t n = d->argTypes.size();

    Slots slots{};
    Slots numbers{};                       // what by-reference numbers point at
    std::vector<std::string> texts(n);     // the procedure's own copies of text arguments
    for (std::size_t i = 0; i < n && i < kMaxArgs; ++i) {
        int type = d->argTypes[i];
        const DllArg* arg = i < args.size() ? &args[i] : nullptr;
        const Value nil;
        const Value& v = arg ? arg->value : nil;
        switch (argumentKind(type)) {
            case CallValueKind::Whole32:
            case CallValueKind::Handle:
                if (arg && arg->ref && writesBackThroughPointer(type)) {
                    numbers[i] = wholeOf(v);
                    if (type != 10) numbers[i] &= 0xFFFFFFFFu;  // a 32-bit number in its slot
                    slots[i] = reinterpret_cast<std::uintptr_t>(&numbers[i]);
                } else {
                    slots[i] = wholeOf(v);
                }
                break;
            case CallValueKind::Logical: slots[i] = wholeOf(v) != 0 ? 1 : 0; break;
            case CallValueKind::Text:
                if (v.isText()) {
                    texts[i] = v.text();
                    slots[i] = reinterpret_cast<std::uintptr_t>(texts[i].data());  // the procedure may write into it
                } else {
                    slots[i] = wholeOf(v);  // a number: an identifier or no text (0)
                }
                break;
            case CallValueKind::Double:
                NMSGBOX(Value("Not support for doubles yet"), Value("From WLCallDll()"));
                break;
            case CallValueKind::None: break;
        }
    }
    if (n > kMaxArgs) {
        NMSGBOX(Value("WLCallDll(), no support for more than 10 parameters"), Value("Error"));
        return Value(0);
    }

    std::uintptr_t r = invoke(reinterpret_cast<FARPROC>(static_cast<std::uintptr_t>(d->address)), slots, n);

    for (std::size_t k = n; k-- > 0;) {
        if (k >= args.size() || !args[k].ref) continue;
        int type = d->argTypes[k];
        if (writesBackThroughPointer(type)) {
            *args[k].ref = type == 10 ? Value(static_cast<std::int64_t>(static_cast<std::intptr_t>(numbers[k])))
                                      : Value(static_cast<std::int64_t>(static_cast<std::int32_t>(numbers[k])));
        } else if (argumentKind(type) == CallValueKind::Text && args[k].value.isText()) {
            *args[k].ref = Value(texts[k]);
        }
    }
    return resultValue(d->resultType, r);
}

}  // namespace wl
