// Start-up cost of the real program: the time from starting the process to the splash's first paint and to the main
// window's first paint, the share of it spent playing the splash's progress, and the peak memory by then; set
// against a floor program (a bare Qt window with one label, built beside this one) started the same way. The two
// run interleaved; medians of several runs each.
// Needs an X server, best with a window manager:
//   xvfb-run -a -s "-screen 0 1280x1024x24" sh -c 'openbox & sleep 1; ./bench_startup [--runs N] [path/to/tarvane]'
// Each program runs without the right to set the clock, with no system bus and a throw-away home; Tarvane on its
// own clock.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Run
{
    double shownMs;
    double splashMs;
    double progressMs;
    long peakKiB;
};

long long nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

long long field(const std::string& line, const char* key)
{
    const auto at = line.find(key);
    return at == std::string::npos ? -1 : std::atoll(line.c_str() + at + std::strlen(key));
}

std::optional<Run> runOnce(const std::string& program, bool isTarvane)
{
    char home[] = "/tmp/tarvane-bench-XXXXXX";
    if (!mkdtemp(home))
        return std::nullopt;
    int out[2];
    if (pipe(out) != 0)
        return std::nullopt;
    const long long started = nowNs();
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], STDERR_FILENO);
        close(out[0]);
        close(out[1]);
        setenv("HOME", home, 1);
        setenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent", 1);
        setenv("TARVANE_STARTUP_TRACE", "1", 1);
        if (isTarvane)
            execlp("setpriv", "setpriv", "--bounding-set=-sys_time", "--inh-caps=-sys_time", program.c_str(),
                   "--app-clock", static_cast<char*>(nullptr));
        else
            execlp("setpriv", "setpriv", "--bounding-set=-sys_time", "--inh-caps=-sys_time", program.c_str(),
                   static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    std::string text;
    std::optional<Run> result;
    pollfd readable{out[0], POLLIN, 0};
    while (!result && poll(&readable, 1, 30000) > 0) {
        char buffer[512];
        const ssize_t n = read(out[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        text.append(buffer, static_cast<size_t>(n));
        const auto line = text.find("tarvane-startup");
        if (line != std::string::npos && text.find('\n', line) != std::string::npos) {
            const std::string probe = text.substr(line);
            const long long shown = field(probe, "shown_ns=");
            const long long splash = field(probe, "splash_ns=");
            const double progress =
                isTarvane ? (field(probe, "progress_end_ns=") - field(probe, "progress_start_ns=")) / 1e6 : 0;
            result = Run{(shown - started) / 1e6, (splash - started) / 1e6, progress, 0};
        }
    }
    kill(pid, SIGTERM);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    close(out[0]);
    std::string cleanup = std::string("rm -rf ") + home;
    if (std::system(cleanup.c_str()) != 0)
        std::fprintf(stderr, "could not remove %s\n", home);
    if (result)
        result->peakKiB = usage.ru_maxrss;
    else
        std::fprintf(stderr, "no start-up report; the program said:\n%s\n", text.c_str());
    return result;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char* argv[])
{
    std::string program = TARVANE_PROGRAM;
    std::string floorProgram = TARVANE_FLOOR_PROGRAM;
    int runs = 9;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else if (std::strcmp(argv[i], "--floor") == 0 && i + 1 < argc)
            floorProgram = argv[++i];
        else
            program = argv[i];
    }
    if (!std::getenv("DISPLAY")) {
        std::fprintf(stderr, "bench_startup needs an X server; run it under xvfb-run\n");
        return 2;
    }
    std::vector<double> shown, splash, progress, peak, floorShown, floorPeak;
    runOnce(floorProgram, false); // warm the file cache; not counted
    runOnce(program, true);
    for (int i = 0; i < runs; ++i) {
        const auto floorRun = runOnce(floorProgram, false);
        const auto run = runOnce(program, true);
        if (!run || !floorRun)
            return 1;
        std::printf(
            "run %2d: floor painted after %7.1f ms | splash painted after %7.1f ms, main window after %7.1f ms, "
            "progress %6.1f ms, peak %6ld KiB\n",
            i + 1, floorRun->shownMs, run->splashMs, run->shownMs, run->progressMs, run->peakKiB);
        floorShown.push_back(floorRun->shownMs);
        floorPeak.push_back(static_cast<double>(floorRun->peakKiB));
        shown.push_back(run->shownMs);
        splash.push_back(run->splashMs);
        progress.push_back(run->progressMs);
        peak.push_back(static_cast<double>(run->peakKiB));
    }
    const double floorMedian = median(floorShown);
    const double shownMedian = median(shown);
    const double splashMedian = median(splash);
    const double progressMedian = median(progress);
    std::printf("medians of %d runs each:\n", runs);
    std::printf("  floor (bare window, one label): painted after %.1f ms; peak memory %.1f MiB\n", floorMedian,
                median(floorPeak) / 1024.0);
    std::printf("  Tarvane: splash painted after %.1f ms (%.2fx the floor; goal <= 1.5x), main window after %.1f ms "
                "(%.2fx the floor; goal <= 2x)\n",
                splashMedian, splashMedian / floorMedian, shownMedian, shownMedian / floorMedian);
    std::printf("  splash progress %.1f ms (%.0f%% of the time to the main window); peak memory %.1f MiB\n",
                progressMedian, 100.0 * progressMedian / shownMedian, median(peak) / 1024.0);
    return 0;
}
