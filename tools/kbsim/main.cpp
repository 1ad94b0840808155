// kbsim: drives the simulated keyboard inside a running program.
//   kbsim [--pipe NAME] [--timeout MS] COMMAND [ARGS...]
//   kbsim [--pipe NAME]                 (commands from standard input, one a line)
// Exit code: 0 ok, 1 the simulator refused the command, 2 no simulator answered,
// 3 bad command line.
#include <windows.h>

#include <cstdio>
#include <iostream>
#include <string>

#include "tools/kbsim/pipe_client.h"

namespace {

std::string Narrow(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) out += (c >= 0x20 && c < 0x7F) ? static_cast<char>(c) : '?';
    return out;
}

std::wstring DefaultPipe() {
    wchar_t buffer[512];
    DWORD n = GetEnvironmentVariableW(L"KELVARIN_SIM_PIPE", buffer, 512);
    if (n > 0 && n < 512) return std::wstring(buffer, n);
    return L"\\\\.\\pipe\\KelvarinKbSim";
}

void Usage() {
    std::fputs(
        "usage: kbsim [--pipe NAME] [--timeout MS] COMMAND [ARGS...]\n"
        "       kbsim [--pipe NAME]   (reads commands from standard input)\n"
        "Drives the simulated keyboard of a program that runs with the simulated HidServ.dll.\n"
        "'kbsim help' lists the commands.\n",
        stderr);
}

// Prints the answer: output to stdout, a refusal to stderr.
int Run(const std::wstring& pipe, const std::string& line, unsigned timeout_ms) {
    auto answer = kv::kbsim::SendControlLine(pipe, line, timeout_ms);
    if (!answer) {
        std::fprintf(stderr, "kbsim: no simulated keyboard answers on %s\n", Narrow(pipe).c_str());
        return 2;
    }
    if (answer->rfind("ok\n", 0) == 0) {
        std::string output = answer->substr(3);
        std::fputs(output.empty() ? "ok\n" : output.c_str(), stdout);
        return 0;
    }
    std::fputs(answer->c_str(), stderr);
    return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::wstring pipe = DefaultPipe();
    unsigned timeout_ms = 3000;
    std::string line;
    for (int i = 1; i < argc; ++i) {
        std::wstring arg = argv[i];
        if (line.empty() && arg == L"--pipe" && i + 1 < argc) {
            pipe = argv[++i];
        } else if (line.empty() && arg == L"--timeout" && i + 1 < argc) {
            timeout_ms = static_cast<unsigned>(std::wcstoul(argv[++i], nullptr, 10));
        } else if (line.empty() && (arg == L"-h" || arg == L"--help" || arg == L"/?")) {
            Usage();
            return 0;
        } else if (line.empty() && arg.rfind(L"--", 0) == 0) {
            Usage();
            return 3;
        } else {
            if (!line.empty()) line += ' ';
            line += Narrow(arg);
        }
    }
    if (!line.empty()) return Run(pipe, line, timeout_ms);

    int status = 0;
    std::string input;
    while (std::getline(std::cin, input)) {
        if (input.find_first_not_of(" \t\r") == std::string::npos) continue;
        status = Run(pipe, input, timeout_ms);
        std::fflush(stdout);
    }
    return status;
}
