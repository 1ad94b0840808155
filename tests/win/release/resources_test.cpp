// What Windows reads from the shipped files before any of their code runs:
// version information, and the program's manifest.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

namespace {

struct Resource {
    const uint8_t* bytes = nullptr;
    size_t size = 0;
};

// The module stays loaded as data for the test program's life.
Resource Find(const wchar_t* file, LPCWSTR type, LPCWSTR name) {
    HMODULE module = LoadLibraryExW(file, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!module) return {};
    HRSRC info = FindResourceW(module, name, type);
    HGLOBAL loaded = info ? LoadResource(module, info) : nullptr;
    if (!loaded) return {};
    return {static_cast<const uint8_t*>(LockResource(loaded)), SizeofResource(module, info)};
}

// "1.2.3" from the fixed part of a version resource; empty when there is none.
std::string FileVersion(const Resource& r) {
    constexpr uint32_t kSignature = 0xFEEF04BD;
    for (size_t at = 0; at + sizeof(VS_FIXEDFILEINFO) <= r.size; at += 4) {
        VS_FIXEDFILEINFO fixed;
        std::memcpy(&fixed, r.bytes + at, sizeof fixed);
        if (fixed.dwSignature != kSignature) continue;
        return std::to_string(HIWORD(fixed.dwFileVersionMS)) + "." +
               std::to_string(LOWORD(fixed.dwFileVersionMS)) + "." +
               std::to_string(HIWORD(fixed.dwFileVersionLS));
    }
    return {};
}

// The UTF-16 text of a version resource's string table contains this value.
bool HasText(const Resource& r, const std::wstring& text) {
    const std::string needle(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
    return std::string(reinterpret_cast<const char*>(r.bytes), r.size).find(needle) != std::string::npos;
}

struct ShippedFile {
    const wchar_t* path;  // in the stage folder
    const wchar_t* description;
};

class VersionResource : public ::testing::TestWithParam<ShippedFile> {};

TEST_P(VersionResource, CarriesTheProjectVersionAndItsOwnDescription) {
    const Resource version = Find(GetParam().path, RT_VERSION, MAKEINTRESOURCEW(VS_VERSION_INFO));
    ASSERT_NE(version.bytes, nullptr) << "no version resource";
    EXPECT_EQ(FileVersion(version), KV_PROJECT_VERSION);
    EXPECT_TRUE(HasText(version, GetParam().description));
    EXPECT_TRUE(HasText(version, L"Kelvarin"));
}

INSTANTIATE_TEST_SUITE_P(Release, VersionResource,
                         ::testing::Values(ShippedFile{L"Kelvarin.exe", L"Kelvarin keyboard configuration"},
                                           ShippedFile{L"hid\\HidServ.dll",
                                                       L"Kelvarin device service (USB keyboard)"},
                                           ShippedFile{L"kvhid.exe", L"Kelvarin keyboard diagnostic"},
                                           ShippedFile{L"kvcli.exe", L"Kelvarin command line"}));

TEST(Manifest, AsksForCommonControlsSixAsInvokerOnWindowsTenAndEleven) {
    const Resource manifest = Find(L"Kelvarin.exe", RT_MANIFEST, CREATEPROCESS_MANIFEST_RESOURCE_ID);
    ASSERT_NE(manifest.bytes, nullptr) << "Kelvarin.exe has no manifest";
    const std::string text(reinterpret_cast<const char*>(manifest.bytes), manifest.size);
    for (const char* part : {"name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
                             "level=\"asInvoker\"", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"})
        EXPECT_NE(text.find(part), std::string::npos) << part;
}

}  // namespace
