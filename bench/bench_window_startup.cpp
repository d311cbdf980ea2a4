// Start-up of the real desktop program as a user sees it: the wall time from
// starting tv7w with one document to its main window being mapped on the X
// server, and the program's resident memory at that moment. One cold run,
// then the median of 10 warm runs. Run under an X server (bench/run-window-startup
// starts Xvfb):
//     bench_window_startup TV7W FILE.spc

#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Run {
    double milliseconds;
    long residentKb;
};

long ResidentKb(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

std::string WindowName(xcb_connection_t* connection, xcb_window_t window)
{
    const xcb_get_property_cookie_t cookie =
        xcb_get_property(connection, 0, window, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 256);
    std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb_get_property_reply(connection, cookie, nullptr), &std::free);
    if (!reply)
        return {};
    const char* value = static_cast<const char*>(xcb_get_property_value(reply.get()));
    return std::string(value, static_cast<std::size_t>(xcb_get_property_value_length(reply.get())));
}

// Starts the program and waits until a top-level window titled title is
// mapped; the program is ended afterwards.
Run StartOnce(xcb_connection_t* connection, const std::vector<std::string>& command, const std::string& title)
{
    const Clock::time_point start = Clock::now();
    const pid_t pid = ::fork();
    if (pid == 0) {
        std::vector<char*> argv;
        for (const std::string& argument : command)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
        std::_Exit(127);
    }
    Run run{-1, -1};
    while (xcb_generic_event_t* event = xcb_wait_for_event(connection)) {
        const bool mapped = (event->response_type & 0x7F) == XCB_MAP_NOTIFY;
        const xcb_window_t window = reinterpret_cast<xcb_map_notify_event_t*>(event)->window;
        std::free(event);
        if (mapped && WindowName(connection, window) == title) {
            run.milliseconds = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            run.residentKb = ResidentKb(pid);
            break;
        }
    }
    ::kill(pid, SIGTERM);
    ::waitpid(pid, nullptr, 0);
    return run;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_window_startup TV7W FILE.spc\n");
        return 2;
    }
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "bench_window_startup: no X server (run it under xvfb-run)\n");
        return 2;
    }
    // Every window mapped on the screen is reported to us.
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);

    const std::string file = argv[2];
    const std::string title = "TV7W - " + file.substr(file.rfind('/') + 1);
    const std::vector<std::string> command{argv[1], file};

    const Run cold = StartOnce(connection, command, title);
    std::vector<double> times, memory;
    for (int i = 0; i < 10; ++i) {
        const Run run = StartOnce(connection, command, title);
        times.push_back(run.milliseconds);
        memory.push_back(static_cast<double>(run.residentKb) / 1024.0);
    }
    std::printf("start to mapped (cold)       %7.1f ms\n", cold.milliseconds);
    std::printf("start to mapped (warm, n=10) %7.1f ms median, %.1f min, %.1f max (goal < 300)\n",
                Median(times), *std::min_element(times.begin(), times.end()),
                *std::max_element(times.begin(), times.end()));
    std::printf("resident memory when mapped  %7.1f MB median (goal < 60)\n", Median(memory));
    xcb_disconnect(connection);
    return 0;
}
