#include <gtest/gtest.h>

#include <cstring>

#include "dll_calls.hpp"
#include "test_support.hpp"

namespace {

class DllCalls : public ::testing::Test {
protected:
    HMODULE kernel = wl::LOADLIBRARY("kernel32.dll");
    HMODULE user = wl::LOADLIBRARY("user32.dll");
    HMODULE crt = wl::LOADLIBRARY("msvcrt.dll");
    zrtest::PromptRecorder prompts;

    void TearDown() override {
        wl::FREELIBRARY(kernel);
        wl::FREELIBRARY(user);
        wl::FREELIBRARY(crt);
    }
};

std::int64_t numberOf(const void* p) { return static_cast<std::int64_t>(reinterpret_cast<std::intptr_t>(p)); }

TEST_F(DllCalls, DescriptorOfMoveFile) {
    std::string d = wl::GETPROCADD(kernel, "MoveFileA", true, 7, {9, 9});
    ASSERT_EQ(d.size(), sizeof(void*) == 4 ? 11u : 13u);
    EXPECT_EQ(d[4], 1);
    EXPECT_EQ(d[5], 7);
    EXPECT_EQ(d[6], 2);
    std::uint32_t low = 0;
    std::memcpy(&low, d.data(), 4);
    EXPECT_EQ(low, static_cast<std::uint32_t>(
                       reinterpret_cast<std::uintptr_t>(wl::GETPROCADDRESS(kernel, "MoveFileA"))));
}

// The ordinal under which a module exports a name, read from its export table.
int ordinalOf(HMODULE module, const char* name) {
    auto* base = reinterpret_cast<const BYTE*>(module);
    auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const auto& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + dir.VirtualAddress);
    auto* names = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
    auto* ordinals = reinterpret_cast<const WORD*>(base + exports->AddressOfNameOrdinals);
    for (DWORD i = 0; i < exports->NumberOfNames; ++i)
        if (std::strcmp(reinterpret_cast<const char*>(base + names[i]), name) == 0)
            return static_cast<int>(ordinals[i] + exports->Base);
    return 0;
}

TEST_F(DllCalls, LooksProceduresUpByOrdinal) {
    int ordinal = ordinalOf(kernel, "lstrlenA");
    ASSERT_NE(ordinal, 0);
    std::string d = wl::GETPROCADD(kernel, ordinal, true, 7, {9});
    EXPECT_EQ(wl::WLCALLDLL(d, {"abc"}).number(), 3);
}

TEST_F(DllCalls, CallsWithTextsAndNumbersAndAnswersByResultType) {
    zrtest::TempDir dir;
    std::string from = dir.write("from.txt", "x");
    std::string to = dir.file("to.txt");
    EXPECT_EQ(wl::WLCALLDLL(wl::GETPROCADD(kernel, "MoveFileA", true, 7, {9, 9}), {from, to}).number(), 1);
    EXPECT_EQ(zrtest::readBytes(to), "x");

    EXPECT_EQ(wl::WLCALLDLL(wl::GETPROCADD(kernel, "lstrlenA", true, 7, {9}), {"ISA*00"}).number(), 6);
    EXPECT_EQ(wl::WLCALLDLL(wl::GETPROCADD(user, "GetSystemMetrics", true, 7, {7}), {SM_CXSCREEN}).number(),
              GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(wl::WLCALLDLL(wl::GETPROCADD(crt, "abs", false, 7, {7}), {-5}).number(), 5);
    // Handles come back whole on both builds; a text result is read at its address.
    EXPECT_EQ(wl::WLCALLDLL(wl::GETPROCADD(kernel, "GetModuleHandleA", true, 10, {9}), {0}).number(),
              numberOf(GetModuleHandleA(nullptr)));
    EXPECT_EQ(wl::WLCALLDLL(wl::GETPROCADD(kernel, "GetCommandLineA", true, 8, {})).text(), GetCommandLineA());
    EXPECT_TRUE(wl::WLCALLDLL(wl::GETPROCADD(kernel, "SetLastError", true, 0, {7}), {5}).isNil());
    EXPECT_EQ(GetLastError(), 5u);
    EXPECT_TRUE(prompts.prompts().empty());
}

TEST_F(DllCalls, ByReferenceArgumentsReceiveWhatTheProcedureWrote) {
    // A 32-bit number written through the pointer the procedure was given.
    wl::Value code(0);
    EXPECT_EQ(wl::WLCALLDLL(wl::GETPROCADD(kernel, "GetExitCodeProcess", true, 5, {10, 7}),
                            {numberOf(GetCurrentProcess()), wl::DllArg::byRef(code)})
                  .logical(),
              true);
    EXPECT_EQ(code.number(), STILL_ACTIVE);

    // A handle written through the pointer: the whole handle on both builds.
    wl::Value opened(0);
    EXPECT_EQ(wl::WLCALLDLL(wl::GETPROCADD(wl::LOADLIBRARY("advapi32.dll"), "RegOpenKeyExA", true, 7, {10, 9, 7, 7, 10}),
                            {numberOf(HKEY_CURRENT_USER), "Software", 0, static_cast<int>(KEY_READ),
                             wl::DllArg::byRef(opened)})
                  .number(),
              ERROR_SUCCESS);
    auto key = reinterpret_cast<HKEY>(static_cast<std::intptr_t>(opened.number()));
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);

    // A text buffer filled by the procedure.
    wl::Value folder(std::string(260, ' '));
    wl::Value length = wl::WLCALLDLL(wl::GETPROCADD(kernel, "GetWindowsDirectoryA", true, 7, {9, 7}),
                                     {wl::DllArg::byRef(folder), 260});
    char expected[MAX_PATH] = {};
    GetWindowsDirectoryA(expected, MAX_PATH);
    ASSERT_EQ(length.number(), static_cast<double>(std::strlen(expected)));
    EXPECT_EQ(folder.text().substr(0, std::strlen(expected) + 1), std::string(expected, std::strlen(expected) + 1));
    EXPECT_EQ(folder.text().size(), 260u);
}

TEST_F(DllCalls, MissingProceduresAndUnsupportedArguments) {
    std::string missing = wl::GETPROCADD(kernel, "NoSuchProcedureAnywhere", true, 7, {7});
    EXPECT_TRUE(wl::WLCALLDLL(missing, {1}).isNil());
    EXPECT_TRUE(prompts.prompts().empty());

    std::string eleven = wl::GETPROCADD(kernel, "GetTickCount", true, 7, {7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7});
    EXPECT_EQ(wl::WLCALLDLL(eleven).number(), 0);
    ASSERT_EQ(prompts.texts().size(), 1u);
    EXPECT_EQ(prompts.texts()[0], "WLCallDll(), no support for more than 10 parameters");

    // A double is not passed; its place stays 0 and the call goes on.
    EXPECT_EQ(wl::WLCALLDLL(wl::GETPROCADD(crt, "abs", false, 7, {11}), {2.5}).number(), 0);
    ASSERT_EQ(prompts.prompts().size(), 2u);
    EXPECT_EQ(prompts.prompts()[1].text, "Not support for doubles yet");
    EXPECT_EQ(prompts.prompts()[1].caption, "From WLCallDll()");
}

}  // namespace
