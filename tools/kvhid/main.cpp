// kvhid: what a user runs when the keyboard does not answer.
//   kvhid list                    every HID interface of vendor 0C45
//   kvhid ping [--library PATH]   one settings-block read through HidServ.dll
// Exit code: 0 done, 1 the ping failed, 2 bad command line.
#include <windows.h>

#include <cstdio>
#include <string>

#include "hidserv/HidServ.h"
#include "hidserv/hid/win_hid_backend.h"
#include "tools/kvhid/interface_list.h"
#include "tools/kvhid/ping.h"

namespace {

void Usage() {
    std::fputs(
        "usage: kvhid list\n"
        "       kvhid ping [--library PATH]\n"
        "list  prints every HID interface of vendor 0C45: product, usage page, usage,\n"
        "      report lengths, whether it can be opened, and its device path.\n"
        "ping  reads the keyboard's settings block once through HidServ.dll (the one\n"
        "      beside kvhid.exe unless --library names another) and prints the reply.\n",
        stderr);
}

std::wstring LibraryBesideUs() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return L"HidServ.dll";
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    return path.substr(0, path.find_last_of(L"\\/") + 1) + L"HidServ.dll";
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring command = argc > 1 ? argv[1] : L"";
    try {
        if (command == L"list" && argc == 2) {
            kv::hidserv::WinHidBackend backend;
            const auto list = kv::kvhid::ListInterfaces(backend, HIDSERV_VENDOR_ID);
            std::fputs(kv::kvhid::FormatInterfaceList(list, HIDSERV_VENDOR_ID).c_str(), stdout);
            return 0;
        }
        if (command == L"ping" && (argc == 2 || (argc == 4 && std::wstring(argv[2]) == L"--library")))
            return kv::kvhid::Ping(argc == 4 ? argv[3] : LibraryBesideUs());
    } catch (...) {
        std::fputs("kvhid: failed unexpectedly\n", stderr);
        return 1;
    }
    Usage();
    return command == L"-h" || command == L"--help" || command == L"/?" ? 0 : 2;
}
