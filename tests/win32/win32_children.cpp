#include "platform/win32/win32_platform.h"

#include "win32_children.h"

#include "platform/files.h"
#include "sys/instance_guard.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>

namespace children {

namespace {

// Long enough for anything that must happen; reached only when it never does.
constexpr DWORD LONG_WHILE_MS = 60000;
constexpr int POLLS = 60000;
// A role asked for wrongly; never the tests, which a child must not run.
constexpr int MISUSED = 12;

bool named(const char* name)
{
    const std::string path = self();
    const size_t slash = path.find_last_of("\\/");
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    return _stricmp(base.c_str(), name) == 0;
}

// A volume control stand-in: stays until the test has looked, then ends.
// Started by anyone else (no test waiting), it ends at once.
int volume_control()
{
    const HANDLE release = OpenEventA(SYNCHRONIZE, FALSE, VOLUME_RELEASE_EVENT);
    if (!release) return ENDED;
    WaitForSingleObject(release, LONG_WHILE_MS);
    CloseHandle(release);
    return RAN;
}

bool wait_for(const std::string& event_name)
{
    const HANDLE event = OpenEventA(SYNCHRONIZE, FALSE, event_name.c_str());
    if (!event) return false;
    const bool set = WaitForSingleObject(event, LONG_WHILE_MS) == WAIT_OBJECT_0;
    CloseHandle(event);
    return set;
}

void count_in(const std::string& semaphore_name)
{
    const HANDLE semaphore = OpenSemaphoreA(SEMAPHORE_MODIFY_STATE, FALSE, semaphore_name.c_str());
    if (semaphore) ReleaseSemaphore(semaphore, 1, nullptr);
    if (semaphore) CloseHandle(semaphore);
}

// second-copy <mutex> <mapping>: start-up's first step, as a later copy.
// racer <mutex> <mapping> <race>: the same at the race's go signal; then
// counted in as won or lost, and a winner holds its claim until done.
int guard_role(const std::string& role, int argc, char** argv)
{
    const bool racer = role == "racer";
    const std::string race = racer && argc == 6 ? argv[5] : "";
    if (argc != (racer ? 6 : 5) || (racer && !wait_for(race + RACE_GO))) return MISUSED;
    InstanceGuard guard;
    instance_guard_init(&guard);
    const int ran = instance_guard_check(&guard, argv[3], argv[4]);
    if (racer) {
        count_in(race + (ran ? RACE_WON : RACE_LOST));
        if (ran) wait_for(race + RACE_DONE);
    }
    instance_guard_release(&guard);
    return ran ? RAN : ENDED;
}

} // namespace

int run_role(int argc, char** argv)
{
    if (named("Sndvol32.exe") || named("SndVol.exe")) return volume_control();
    if (argc < 2 || std::strcmp(argv[1], ROLE) != 0) return -1;
    const std::string role = argc > 2 ? argv[2] : "";
    if (role == "second-copy" || role == "racer") return guard_role(role, argc, argv);
    // exe-dir <out>: where this copy of the program finds itself.
    if (role == "exe-dir" && argc == 4) {
        char dir[platform::PATH_LIMIT];
        return platform::executable_dir(dir, sizeof dir) && write_text(argv[3], dir) ? RAN : ENDED;
    }
    // args <out> <arg>...: the arguments as they arrived, one to a line,
    // written aside and then moved into place, so the file is whole once
    // it is there.
    if (role == "args" && argc >= 4) {
        std::string text;
        for (int i = 4; i < argc; ++i) text += std::string(argv[i]) + "\n";
        const std::string part = std::string(argv[3]) + ".part";
        return write_text(part, text) && MoveFileA(part.c_str(), argv[3]) ? RAN : ENDED;
    }
    return MISUSED;
}

std::string self()
{
    char path[4 * MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    return n > 0 && n < sizeof path ? std::string(path, n) : std::string();
}

Folder::Folder(const char* what)
{
    char temp[MAX_PATH];
    const DWORD n = GetTempPathA(sizeof temp, temp);
    std::string base = n > 0 && n < sizeof temp ? std::string(temp, n) : std::string(".\\");
    if (base.back() != '\\') base += '\\';
    for (int i = 0; path.empty() && i < 1000; ++i) {
        const std::string candidate = base + unique_name(what) + "-" + std::to_string(i);
        if (CreateDirectoryA(candidate.c_str(), nullptr)) path = candidate;
    }
    if (path.empty()) ADD_FAILURE() << "no temporary folder in " << base;
}

Folder::~Folder()
{
    std::error_code ignored;
    if (!path.empty()) std::filesystem::remove_all(path, ignored);
}

std::string unique_name(const char* what)
{
    return std::string("quobbin-test ") + what + " " + std::to_string(GetCurrentProcessId());
}

// Every argument quoted; the tests pass none with a quote or a trailing
// backslash in it.
HANDLE start(const std::string& exe, const std::vector<std::string>& args, const char* cwd)
{
    std::string command = "\"" + exe + "\"";
    for (const std::string& arg : args) command += " \"" + arg + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, cwd, &startup, &process))
        return nullptr;
    CloseHandle(process.hThread);
    return process.hProcess;
}

int finish(HANDLE process)
{
    if (!process) return -1;
    DWORD code = DWORD(-1);
    if (WaitForSingleObject(process, LONG_WHILE_MS) != WAIT_OBJECT_0 || !GetExitCodeProcess(process, &code))
        code = DWORD(-1);
    CloseHandle(process);
    return int(code);
}

bool eventually(const std::function<bool()>& done)
{
    for (int i = 0; i < POLLS && !done(); ++i) {
        pump();
        Sleep(1);
    }
    pump();
    return done();
}

void pump()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

bool read_text(const std::string& path, std::string* text)
{
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    text->clear();
    char buffer[512];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) text->append(buffer, n);
    std::fclose(f);
    return true;
}

bool write_text(const std::string& path, const std::string& text)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    return std::fclose(f) == 0 && written;
}

} // namespace children

int main(int argc, char** argv)
{
    const int role = children::run_role(argc, argv);
    if (role >= 0) return role;
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
