// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up of the real program against a bare Qt Widgets program built beside
// it (bench/startup_bare.cpp): the time from starting the process to its
// first window exposed on the screen, and the process's peak resident memory
// up to that moment.
//
// Both programs run with VORELLE_STARTUP_PROBE set, which makes them print a
// line when their first window is exposed; the bench then ends the process at
// once (SIGKILL) and takes its peak memory from wait4. Runs alternate, bare
// then real then real then bare, so that a machine getting busier or quieter
// weighs on both alike; every run gets a fresh, empty home folder (first start:
// no settings, the tip of the day shows first) and a fresh runtime folder, in
// memory like a session's. A
// first pair is run and thrown away to warm the disk cache.
//
// Run it under a virtual X server, on as quiet a machine as possible:
//
//     xvfb-run -a build/default/bin/bench_startup [runs of each, default 20]
//
// A program to measure in place of this build's one (an older build, say) may
// follow the number of runs.
//
// It prints the median and the spread of each program and the ratios of the
// medians (targets: time at most 1.25, memory at most 1.15); the exit status
// is 0 when both are met.

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <signal.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr double kTimeTarget = 1.25;
constexpr double kMemoryTarget = 1.15;
constexpr int kTimeoutMs = 60000;
constexpr const char* kMarker = "first window shown";

struct Sample {
    double ms = 0;
    long peakKiB = 0;
};

// Starts `program` in a fresh home folder, waits for the marker line, ends it.
bool runOnce(const char* program, Sample& sample) {
    namespace fs = std::filesystem;
    char homePattern[] = "/tmp/vorelle-startup-XXXXXX";
    char runtimePattern[] = "/dev/shm/vorelle-startup-XXXXXX";
    if (!mkdtemp(homePattern))
        return false;
    // A session's runtime folder is in memory (/run/user/<uid>); on a disk the
    // single-instance lock file's sync alone would cost tens of milliseconds.
    const bool inMemory = mkdtemp(runtimePattern) != nullptr;
    const fs::path home(homePattern);
    const fs::path runtime = inMemory ? fs::path(runtimePattern) : home / "runtime";
    fs::create_directories(runtime);
    fs::permissions(runtime, fs::perms::owner_all, fs::perm_options::replace);

    int out[2];
    if (pipe(out) != 0)
        return false;
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        const int devNull = open("/dev/null", O_WRONLY);
        if (devNull >= 0)
            dup2(devNull, STDERR_FILENO);
        setenv("HOME", home.c_str(), 1);
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
            unsetenv(name);
        setenv("VORELLE_STARTUP_PROBE", "1", 1);
        execl(program, program, static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    if (pid < 0) {
        close(out[0]);
        return false;
    }

    bool seen = false;
    std::string text;
    pollfd fd{out[0], POLLIN, 0};
    while (!seen) {
        const int ready = poll(&fd, 1, kTimeoutMs);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            break;
        char buffer[256];
        const ssize_t n = read(out[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        text.append(buffer, static_cast<size_t>(n));
        seen = text.find(kMarker) != std::string::npos;
    }
    const auto end = std::chrono::steady_clock::now();
    kill(pid, SIGKILL);
    close(out[0]);
    int status = 0;
    rusage usage{};
    while (wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    std::error_code ignored;
    fs::remove_all(home, ignored);
    fs::remove_all(runtime, ignored);

    sample.ms = std::chrono::duration<double, std::milli>(end - start).count();
    sample.peakKiB = usage.ru_maxrss;
    return seen;
}

template <typename T> T median(std::vector<T> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Series {
    const char* name;
    const char* program;
    std::vector<double> ms;
    std::vector<long> peakKiB;

    bool run() {
        Sample s;
        if (!runOnce(program, s)) {
            std::fprintf(stderr, "%s: no window shown within %d s\n", name, kTimeoutMs / 1000);
            return false;
        }
        ms.push_back(s.ms);
        peakKiB.push_back(s.peakKiB);
        return true;
    }

    void print() const {
        const auto [minMs, maxMs] = std::minmax_element(ms.begin(), ms.end());
        const auto [minKiB, maxKiB] = std::minmax_element(peakKiB.begin(), peakKiB.end());
        std::printf("%-8s first window %7.1f ms (%.1f to %.1f)   peak memory %7.1f MiB (%.1f to "
                    "%.1f)\n",
                    name, median(ms), *minMs, *maxMs, median(peakKiB) / 1024.0, *minKiB / 1024.0,
                    *maxKiB / 1024.0);
    }
};

} // namespace

int main(int argc, char* argv[]) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    if (!std::getenv("DISPLAY")) {
        std::fprintf(stderr, "No X display: run under xvfb-run -a.\n");
        return 2;
    }
    Series bare{"bare", VORELLE_BARE_PROGRAM, {}, {}};
    Series real{"vorelle", argc > 2 ? argv[2] : VORELLE_PROGRAM, {}, {}};

    Sample warm;
    runOnce(bare.program, warm);
    runOnce(real.program, warm);
    for (int i = 0; i < runs; ++i) {
        Series& first = i % 2 ? real : bare;
        Series& second = i % 2 ? bare : real;
        if (!first.run() || !second.run())
            return 2;
    }

    std::printf("%d runs of each, medians:\n", runs);
    bare.print();
    real.print();
    const double timeRatio = median(real.ms) / median(bare.ms);
    const double memoryRatio = double(median(real.peakKiB)) / double(median(bare.peakKiB));
    std::printf("ratio    time %.2f (target at most %.2f)   memory %.2f (target at most %.2f)\n",
                timeRatio, kTimeTarget, memoryRatio, kMemoryTarget);
    return timeRatio <= kTimeTarget && memoryRatio <= kMemoryTarget ? 0 : 1;
}
