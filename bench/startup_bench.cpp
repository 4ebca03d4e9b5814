// Start-up of the program against a bare Qt 6 window with a menu bar: the
// time from starting the process to the map event of its first top-level
// window, seen from the X server, in one run with the two interleaved; and
// the CPU time each process had used by then (all its threads), which a
// busy machine disturbs less.
//
//   startup_bench [-n ROUNDS] PROGRAM FLOOR
//
// Needs DISPLAY, an X server without a window manager (Xvfb :N), which
// this program watches alone. PROGRAM runs from a copy in a temporary
// folder beside its data files, with HOME in another, both emptied of
// what a run leaves between runs; each process is ended once its window
// is mapped. Prints medians and the ratio (goal: <= 1.2x).

#include <X11/Xlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int LimitSeconds = 60;

// CPU milliseconds the process has run so far, all its threads.
double CpuMs(pid_t pid) {
    double ns = 0;
    std::error_code ec;
    for (const auto& task : fs::directory_iterator("/proc/" + std::to_string(pid) + "/task", ec)) {
        if (FILE* f = std::fopen((task.path() / "schedstat").c_str(), "r")) {
            unsigned long long run = 0;
            if (std::fscanf(f, "%llu", &run) == 1) ns += static_cast<double>(run);
            std::fclose(f);
        }
    }
    return ns / 1e6;
}

struct Start {
    double wall = -1;  // milliseconds to the map; negative when none came within LimitSeconds
    double cpu = -1;   // CPU milliseconds of the process by then
};

// From the start of `program` to the first map of a top-level window.
Start TimeToMap(Display* display, const std::string& program, const std::vector<std::string>& env) {
    std::vector<char*> envp;
    for (const std::string& e : env) envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
    while (XPending(display)) {
        XEvent stale;
        XNextEvent(display, &stale);
    }
    const auto start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        // At the usual priority, whatever this program runs at.
        setpriority(PRIO_PROCESS, 0, 0);
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        dup2(null, 2);
        execve(argv[0], argv, envp.data());
        _exit(127);
    }
    if (pid < 0) {
        std::fprintf(stderr, "cannot start %s\n", program.c_str());
        std::exit(1);
    }
    Start result;
    const auto limit = start + std::chrono::seconds(LimitSeconds);
    while (result.wall < 0 && Clock::now() < limit) {
        if (!XPending(display)) {
            pollfd fd{ConnectionNumber(display), POLLIN, 0};
            poll(&fd, 1, 100);
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify && !event.xmap.override_redirect) {
            result.wall = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            kill(pid, SIGSTOP);
            result.cpu = CpuMs(pid);
        }
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return result;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    int rounds = 15;
    std::vector<std::string> names;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-n") == 0 && i + 1 < argc) rounds = std::max(3, std::atoi(argv[++i]));
        else names.push_back(argv[i]);
    }
    if (names.size() != 2) {
        std::fprintf(stderr, "usage: startup_bench [-n ROUNDS] PROGRAM FLOOR\n");
        return 2;
    }
    // Woken first when the map comes, if the system allows, so that what a
    // program does after its map counts as little as can be.
    setpriority(PRIO_PROCESS, 0, -10);
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no X display (start Xvfb :N and set DISPLAY)\n");
        return 2;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    // The program from a folder of its own, beside its data files.
    const fs::path place = fs::temp_directory_path() / ("startup_bench." + std::to_string(getpid()));
    const fs::path folder = place / "bin", home = place / "home";
    fs::create_directories(folder);
    const fs::path source = fs::absolute(names[0]).parent_path();
    names[0] = fs::absolute(names[0]).string();
    std::vector<fs::path> kept;
    for (const auto& entry : fs::directory_iterator(source)) {
        const std::string name = entry.path().filename().string();
        const bool executable = (entry.status().permissions() & fs::perms::owner_exec) != fs::perms::none;
        if (entry.is_regular_file() && (entry.path() == fs::path(names[0]) || !executable)) {
            fs::copy(entry.path(), folder / name, fs::copy_options::overwrite_existing);
            kept.push_back(folder / name);
        }
    }
    const std::string program = (folder / fs::path(names[0]).filename()).string();
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e)
        if (!std::string_view(*e).starts_with("HOME=") && !std::string_view(*e).starts_with("XDG_"))
            env.emplace_back(*e);
    env.push_back("HOME=" + home.string());

    std::vector<double> ours, floor, oursCpu, floorCpu;
    for (int r = 0; r < rounds + 1; ++r) {
        // What a run leaves (working file, lock, settings, recovery) goes.
        for (const auto& entry : fs::directory_iterator(folder))
            if (std::find(kept.begin(), kept.end(), entry.path()) == kept.end()) fs::remove_all(entry.path());
        fs::remove_all(home);
        fs::create_directories(home);
        const bool floorFirst = r % 2 == 1;
        const Start a = TimeToMap(display, floorFirst ? names[1] : program, env);
        const Start b = TimeToMap(display, floorFirst ? program : names[1], env);
        const Start programRun = floorFirst ? b : a, floorRun = floorFirst ? a : b;
        if (programRun.wall < 0 || floorRun.wall < 0) {
            std::fprintf(stderr, "no window was mapped within %d s\n", LimitSeconds);
            fs::remove_all(place);
            return 1;
        }
        if (r == 0) continue;  // the first round only warms the caches
        ours.push_back(programRun.wall);
        floor.push_back(floorRun.wall);
        oursCpu.push_back(programRun.cpu);
        floorCpu.push_back(floorRun.cpu);
    }
    fs::remove_all(place);
    const double o = Median(ours), f = Median(floor), oc = Median(oursCpu), fc = Median(floorCpu);
    std::printf("%-34s %10s %10s %10s\n", "start to window mapped", "median ms", "min ms", "cpu ms");
    std::printf("%-34s %10.1f %10.1f %10.1f\n", fs::path(names[0]).filename().c_str(), o,
                *std::min_element(ours.begin(), ours.end()), oc);
    std::printf("%-34s %10.1f %10.1f %10.1f\n", "bare Qt window with a menu bar", f,
                *std::min_element(floor.begin(), floor.end()), fc);
    std::printf("ratio %.2fx wall, %.2fx cpu, over %d interleaved rounds (goal <= 1.2x)\n", o / f, oc / fc, rounds);
    return 0;
}
