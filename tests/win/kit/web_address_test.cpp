// Which addresses from a skin the program hands to the shell.
#include "ui/kit/web_address.h"

#include <gtest/gtest.h>

#include <string>

namespace kv::ui {
namespace {

TEST(WebAddress, OnlyPlainHttpAndHttpsAddressesAreOpened) {
    const struct {
        const wchar_t* address;
        bool plain;
    } cases[] = {
        {L"https://kelvarin.example/", true},
        {L"http://kelvarin.example/support?id=7#top", true},
        {L"HTTPS://Kelvarin.Example", true},
        {L"https://\x4F8B\x5B50.example/\x9875", true},  // a host and a path in Chinese
        {L"", false},
        {L"https://", false},
        {L"https:///etc", false},
        {L"https://@host", false},
        {L"C:\\Windows\\System32\\calc.exe", false},
        {L"calc.exe", false},
        {L"file:///C:/Windows/System32/calc.exe", false},
        {L"\\\\server\\share\\setup.exe", false},
        {L"mailto:someone@kelvarin.example", false},
        {L"javascript:alert(1)", false},
        {L"ms-settings:", false},
        {L" https://kelvarin.example/", false},
        {L"https://kelvarin.example/ -new-window", false},
        {L"https://kelvarin.example/\" --argument", false},
        {L"https://kelvarin.example/\n", false},
        {L"https://kelvarin.example/<script>", false},
        {L"https://kelvarin.example\\..\\x", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsPlainWebAddress(c.address), c.plain) << c.address;
}

TEST(WebAddress, WhatIsNotAWebAddressIsNeverStarted) {
    EXPECT_FALSE(OpenWebAddress(L"C:\\Windows\\System32\\calc.exe"));
    EXPECT_FALSE(OpenWebAddress(L"cmd.exe"));
}

}  // namespace
}  // namespace kv::ui
