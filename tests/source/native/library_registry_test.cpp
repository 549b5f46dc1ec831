#include "library_registry.hpp"

#include <gtest/gtest.h>

namespace {

// A system library that neither the test program nor the libraries it
// imports load (the drawing library msimg32 is imported, so it cannot unload).
constexpr const char* kLibrary = "cabinet.dll";

TEST(LibraryRegistry, LoadsOnceAndFreesByName) {
    ASSERT_EQ(GetModuleHandleA(kLibrary), nullptr) << kLibrary << " is loaded already";
    HMODULE first = wl::LoadLibraryOnce(kLibrary);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(wl::LoadLibraryOnce("CABINET.DLL"), first);  // names match without case
    EXPECT_EQ(wl::loadedLibraryCount(), 1u);

    EXPECT_TRUE(wl::FreeLibraryByName(kLibrary));
    EXPECT_EQ(GetModuleHandleA(kLibrary), nullptr);  // loaded once, so freed once unloads it
    EXPECT_EQ(GlobalFindAtomA(kLibrary), 0);
    EXPECT_FALSE(wl::FreeLibraryByName(kLibrary));
    EXPECT_EQ(wl::loadedLibraryCount(), 0u);
}

TEST(LibraryRegistry, MissingLibraryAndFreeingAll) {
    EXPECT_EQ(wl::LoadLibraryOnce("no-such-library-here.dll"), nullptr);
    EXPECT_EQ(GlobalFindAtomA("no-such-library-here.dll"), 0);
    ASSERT_NE(wl::LoadLibraryOnce(kLibrary), nullptr);
    wl::FreeAllLibraries();
    EXPECT_EQ(wl::loadedLibraryCount(), 0u);
    EXPECT_EQ(GlobalFindAtomA(kLibrary), 0);
}

TEST(LibraryRegistry, ResourceInstanceAndGlobalHandles) {
    EXPECT_EQ(wl::GetResourceInstance(), GetModuleHandleA(nullptr));
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    wl::SetResourceInstance(kernel);
    EXPECT_EQ(wl::GetResourceInstance(), kernel);
    wl::SetResourceInstance(nullptr);
    EXPECT_EQ(wl::GetResourceInstance(), GetModuleHandleA(nullptr));

    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, 16);
    wl::TrackGlobalHandle(mem);
    EXPECT_NE(wl::trackedGlobalHandles().find(reinterpret_cast<std::uintptr_t>(mem)), 0u);
    wl::UntrackGlobalHandle(mem);
    EXPECT_EQ(wl::trackedGlobalHandles().find(reinterpret_cast<std::uintptr_t>(mem)), 0u);
    GlobalFree(mem);
}

}  // namespace
