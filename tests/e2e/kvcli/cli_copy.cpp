#include "cli_copy.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "harness/harness.h"
#include "sim/state_file.h"

namespace kv::e2e {

namespace fs = std::filesystem;

namespace {

std::wstring Wide(const std::string& utf8) {
    const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
    std::wstring out(static_cast<size_t>(size > 0 ? size - 1 : 0), L'\0');
    if (size > 1) MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, out.data(), size);
    return out;
}

std::string Narrow(const std::wstring& wide) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size > 0 ? size - 1 : 0), '\0');
    if (size > 1) WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, out.data(), size, nullptr, nullptr);
    return out;
}

std::string ReadAll(const std::wstring& path) {
    std::ifstream in(fs::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

HANDLE InheritableFile(const std::wstring& path) {
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    return CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &sa, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

CliCopy::CliCopy() {
    const PrivatePlace place = MakePrivatePlace(L"kv_cli_");
    folder_ = place.folder;
    pipe_ = place.pipe;
    state_file_ = folder_ + L"keyboard.state";
    const std::wstring stage = StageFolder();
    for (const wchar_t* file : {L"kvcli.exe", L"HidServ.dll", L"Lang0409.ini"}) {
        if (!CopyFileW((stage + file).c_str(), (folder_ + file).c_str(), FALSE))
            std::fprintf(stderr, "copying %ls into %ls failed (error %lu)\n", file, folder_.c_str(),
                         GetLastError());
    }
}

CliCopy::~CliCopy() {
    std::error_code error;
    fs::remove_all(fs::path(folder_), error);
}

std::string CliCopy::Path(const std::string& name) const { return Narrow(folder_) + name; }

void CliCopy::WriteText(const std::string& name, const std::string& text) const {
    std::ofstream(fs::path(folder_ + Wide(name)), std::ios::binary) << text;
}

bool CliCopy::Exists(const std::string& name) const { return FileExists(folder_ + Wide(name)); }

std::string CliCopy::ReadText(const std::string& name) const { return ReadAll(folder_ + Wide(name)); }

CliRun CliCopy::Run(const std::vector<std::string>& args, std::chrono::milliseconds timeout) {
    std::wstring command = L"\"" + folder_ + L"kvcli.exe\"";
    for (const std::string& arg : args) command += L" \"" + Wide(arg) + L"\"";
    // Files of their own for each run: Wine may still hold the last run's
    // handles for a moment after it ended.
    const std::wstring run_tag = std::to_wstring(++runs_);
    const std::wstring out_path = folder_ + L"stdout" + run_tag + L".txt";
    const std::wstring err_path = folder_ + L"stderr" + run_tag + L".txt";
    HANDLE out = InheritableFile(out_path);
    HANDLE err = InheritableFile(err_path);
    if (out == INVALID_HANDLE_VALUE || err == INVALID_HANDLE_VALUE)
        std::fprintf(stderr, "cannot create the output files of run %ls (error %lu)\n", run_tag.c_str(),
                     GetLastError());
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    si.hStdOutput = out;
    si.hStdError = err;
    // The copy's keyboard: its own memory file and control pipe.
    SetEnvironmentVariableW(L"KELVARIN_SIM_STATE", state_file_.c_str());
    SetEnvironmentVariableW(L"KELVARIN_SIM_PIPE", pipe_.c_str());
    SetEnvironmentVariableW(L"KELVARIN_SIM_UNPLUGGED", nullptr);
    PROCESS_INFORMATION pi{};
    CliRun run;
    if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                       folder_.c_str(), &si, &pi)) {
        CloseHandle(pi.hThread);
        const Child child{pi.hProcess, pi.dwProcessId};
        if (auto code = WaitForExit(child, timeout)) {
            run.code = *code;
        } else {
            TerminateProcess(pi.hProcess, 99);
            WaitForSingleObject(pi.hProcess, 10000);
        }
        CloseHandle(pi.hProcess);
    } else {
        std::fprintf(stderr, "starting kvcli failed (error %lu)\n", GetLastError());
    }
    if (out != INVALID_HANDLE_VALUE) CloseHandle(out);
    if (err != INVALID_HANDLE_VALUE) CloseHandle(err);
    run.out = ReadAll(out_path);
    run.err = ReadAll(err_path);
    return run;
}

std::optional<sim::KeyboardMemory> CliCopy::Memory() const {
    if (!FileExists(state_file_)) return sim::KeyboardMemory::Factory();
    std::string error;
    return sim::LoadMemoryState(fs::path(state_file_), &error);
}

}  // namespace kv::e2e
