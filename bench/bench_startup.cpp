// Measures two programs side by side under the X server named by DISPLAY (best a private Xvfb without a
// window manager, as bench/startup-benchmark starts it):
//  - startup: the time from launch until the program's first window is mapped, and the resident memory
//    (VmRSS) half a second later, once the window has been painted; the programs take turns, so that a
//    busy machine slows both alike;
//  - CPU: the processor time that each uses over a span with its window shown and left alone (from two
//    seconds after it was mapped), that the first one uses while timing (after Tab nine times and Space,
//    which press Start in Tallywick), and that the floor uses to show a change every second as a timing
//    Tallywick does (FLOOR --second), measured right before it.
//
// Usage: bench_startup [--runs N] [--cpu-seconds S] PROGRAM FLOOR
// Each program runs in its own folder (its working directory is the program's folder), one copy at a time,
// and is ended with SIGTERM.

#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <map>
#include <optional>
#include <poll.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int MapTimeoutMs = 20000;
constexpr auto Settle = std::chrono::milliseconds(500);
// Before a CPU span: long enough for the start-up work of both programs (threads, the first tick) to end.
constexpr auto CpuSettle = std::chrono::seconds(2);

struct Launch
{
    pid_t pid = -1;
    xcb_window_t window = 0;
    double startupMs = 0.0;
};

class Display
{
public:
    Display()
    {
        m_connection = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(m_connection)) {
            std::fprintf(stderr, "cannot reach the X server (DISPLAY=%s)\n", std::getenv("DISPLAY"));
            std::exit(2);
        }
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
        // Every top-level window that is mapped is reported to the root's substructure listeners.
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(m_connection);
    }
    ~Display() { xcb_disconnect(m_connection); }

    void drain()
    {
        while (xcb_generic_event_t *event = xcb_poll_for_event(m_connection))
            std::free(event);
    }

    // The next window mapped at the root, or 0 after the timeout.
    xcb_window_t waitForMap(int timeoutMs)
    {
        const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
        pollfd fd{xcb_get_file_descriptor(m_connection), POLLIN, 0};
        while (Clock::now() < deadline) {
            while (xcb_generic_event_t *event = xcb_poll_for_event(m_connection)) {
                xcb_window_t mapped = 0;
                if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY)
                    mapped = reinterpret_cast<xcb_map_notify_event_t *>(event)->window;
                std::free(event);
                if (mapped)
                    return mapped;
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            poll(&fd, 1, int(std::max<long>(1, left.count())));
        }
        return 0;
    }

private:
    xcb_connection_t *m_connection = nullptr;
    xcb_window_t m_root = 0;
};

std::string folderOf(const std::string &path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

// Starts the program, with one argument when one is given, and waits for its window.
Launch launch(Display &display, const std::string &program, const char *argument = nullptr)
{
    display.drain();
    Launch result;
    const auto start = Clock::now();
    result.pid = fork();
    if (result.pid == 0) {
        if (chdir(folderOf(program).c_str()) != 0)
            _exit(127);
        // Qt's warnings would only mix into the figures.
        if (const int null = open("/dev/null", O_WRONLY); null >= 0)
            dup2(null, STDERR_FILENO);
        execl(program.c_str(), program.c_str(), argument, static_cast<char *>(nullptr));
        _exit(127);
    }
    result.window = display.waitForMap(MapTimeoutMs);
    result.startupMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    if (!result.window) {
        std::fprintf(stderr, "%s showed no window within %d ms\n", program.c_str(), MapTimeoutMs);
        kill(result.pid, SIGKILL);
        std::exit(1);
    }
    return result;
}

void end(const Launch &launched)
{
    kill(launched.pid, SIGTERM);
    int status = 0;
    waitpid(launched.pid, &status, 0);
}

// VmRSS in KiB.
long residentKiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

// Processor time of each of the process's threads in nanoseconds, from the scheduler's own account (finer
// than the clock ticks of /proc/PID/stat).
std::map<std::string, long long> threadCpuNs(pid_t pid)
{
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    std::map<std::string, long long> threads;
    if (DIR *folder = opendir(tasks.c_str())) {
        while (const dirent *entry = readdir(folder)) {
            if (entry->d_name[0] == '.')
                continue;
            std::ifstream stat(tasks + "/" + entry->d_name + "/schedstat");
            long long ns = 0;
            if (stat >> ns)
                threads[entry->d_name] = ns;
        }
        closedir(folder);
    }
    return threads;
}

// The time the threads used between two readings: a thread that started in between counts from zero. One
// that ended in between is left out (its account goes with it), so this errs low rather than high.
double cpuMsBetween(const std::map<std::string, long long> &before,
                    const std::map<std::string, long long> &after)
{
    long long total = 0;
    for (const auto &[thread, ns] : after) {
        const auto earlier = before.find(thread);
        total += ns - (earlier == before.end() ? 0 : earlier->second);
    }
    return total / 1e6;
}

std::string windowName(xcb_window_t window)
{
    std::string command = "xdotool getwindowname " + std::to_string(window);
    std::string name;
    if (FILE *pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe))
            name += buffer;
        pclose(pipe);
    }
    return name;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

struct Sample
{
    std::vector<double> startupMs;
    std::vector<double> residentMiB;
};

void measureStartup(Display &display, const std::string &program, Sample &sample)
{
    const Launch launched = launch(display, program);
    std::this_thread::sleep_for(Settle);
    sample.startupMs.push_back(launched.startupMs);
    sample.residentMiB.push_back(residentKiB(launched.pid) / 1024.0);
    end(launched);
}

// CPU milliseconds over the span, the window shown; with startTiming, Start is pressed first (and checked
// by the caption).
double measureCpu(Display &display, const std::string &program, int seconds, bool startTiming,
                  const char *argument = nullptr)
{
    const Launch launched = launch(display, program, argument);
    std::this_thread::sleep_for(CpuSettle);
    if (startTiming) {
        const std::string keys = "xdotool windowfocus --sync " + std::to_string(launched.window) +
                                 " key --delay 40 Tab Tab Tab Tab Tab Tab Tab Tab Tab space";
        if (std::system(keys.c_str()) != 0 || windowName(launched.window).rfind("Vorn", 0) != 0) {
            std::fprintf(stderr, "timing did not start in %s\n", program.c_str());
            end(launched);
            std::exit(1);
        }
        std::this_thread::sleep_for(Settle);
    }
    const auto before = threadCpuNs(launched.pid);
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    const auto after = threadCpuNs(launched.pid);
    end(launched);
    return cpuMsBetween(before, after);
}

} // namespace

int main(int argc, char *argv[])
{
    int runs = 15;
    int cpuSeconds = 60;
    std::vector<std::string> programs;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--runs" && i + 1 < argc)
            runs = std::atoi(argv[++i]);
        else if (argument == "--cpu-seconds" && i + 1 < argc)
            cpuSeconds = std::atoi(argv[++i]);
        else
            programs.push_back(argument);
    }
    if (programs.size() != 2 || runs < 1 || cpuSeconds < 0) {
        std::fprintf(stderr, "usage: bench_startup [--runs N] [--cpu-seconds S] PROGRAM FLOOR\n");
        return 2;
    }

    Display display;
    // One launch of each first, unmeasured, so that both start from a warm file cache.
    Sample warmUp[2];
    for (int p = 0; p < 2; ++p)
        measureStartup(display, programs[p], warmUp[p]);

    Sample samples[2];
    for (int run = 0; run < runs; ++run)
        for (int k = 0; k < 2; ++k) {
            const int p = (run + k) % 2; // alternate which goes first
            measureStartup(display, programs[p], samples[p]);
        }

    const char *names[2] = {"program", "floor"};
    std::printf("startup, median of %d launches each, taken in turns:\n", runs);
    std::printf("  %-8s %12s %14s\n", "", "shown (ms)", "resident (MiB)");
    double startup[2];
    double resident[2];
    for (int p = 0; p < 2; ++p) {
        startup[p] = median(samples[p].startupMs);
        resident[p] = median(samples[p].residentMiB);
        std::printf("  %-8s %12.1f %14.1f   %s\n", names[p], startup[p], resident[p], programs[p].c_str());
    }
    std::printf("  %-8s %12.2f %14.2f\n", "ratio", startup[0] / startup[1], resident[0] / resident[1]);

    if (cpuSeconds > 0) {
        std::printf("CPU time over %d s with the window shown:\n", cpuSeconds);
        const double floorIdle = measureCpu(display, programs[1], cpuSeconds, false);
        const double stopped = measureCpu(display, programs[0], cpuSeconds, false);
        const double floorSecond = measureCpu(display, programs[1], cpuSeconds, false, "--second");
        const double running = measureCpu(display, programs[0], cpuSeconds, true);
        std::printf("  floor, idle:                  %8.1f ms\n", floorIdle);
        std::printf("  program, stopped:             %8.1f ms\n", stopped);
        std::printf("  floor, showing every second:  %8.1f ms\n", floorSecond);
        std::printf("  program, running:             %8.1f ms\n", running);
    }
    return 0;
}
