// Measures a program's start-up on the X display in $DISPLAY: the time from
// its launch to its top-level window being mapped, and its peak memory.
//
//   tavro_map_timer [--timeout SECONDS] [--settle MS] [--title TEXT] [--show-output]
//                   -- PROGRAM [ARGUMENT...]
//
// Prints one line, "map_ms=<milliseconds> peak_kib=<KiB>", and exits 0; on a
// failure (no display, the program could not start, died or never mapped a
// window in time) it says why on stderr and exits 1.
//
// The timer listens to the root window's substructure before it launches
// the program, so no map can be missed, and reads the clock as the MapNotify
// arrives: the figure is accurate to well under a millisecond. The program's
// window is the first child of the root mapped that is not override-redirect
// (menus and tooltips are); with --title, only one of that name counts. This
// is meant for a display without a window manager (a private Xvfb), where
// top-level windows stay children of the root.
//
// After the map the timer waits --settle milliseconds (default 300), so the
// first paint is done, reads the program's peak resident memory (VmHWM), and
// ends the program and its process group. The program's output goes to
// /dev/null (its stderr passes through with --show-output).
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Options {
  double timeout_seconds = 30;
  int settle_ms = 300;
  std::optional<std::string> title;
  bool show_output = false;    // pass the program's stderr through
  std::vector<char*> command;  // null-terminated for execvp
};

[[noreturn]] void fail(const std::string& why) {
  (void)std::fprintf(stderr, "tavro_map_timer: %s\n", why.c_str());
  std::exit(1);
}

double number(const std::string& option, const char* text) {
  char* end = nullptr;
  const double value = std::strtod(text, &end);
  if (end == text || *end != '\0' || value < 0) fail(option + " needs a number of 0 or more");
  return value;
}

Options parse_options(int argc, char** argv) {
  Options options;
  int i = 1;
  for (; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--") {
      ++i;
      break;
    }
    if (argument == "--show-output") {
      options.show_output = true;
      continue;
    }
    if (i + 1 >= argc) fail("missing value for " + argument);
    if (argument == "--timeout") {
      options.timeout_seconds = number(argument, argv[++i]);
    } else if (argument == "--settle") {
      options.settle_ms = static_cast<int>(number(argument, argv[++i]));
    } else if (argument == "--title") {
      options.title = argv[++i];
    } else {
      fail("unknown option " + argument);
    }
  }
  for (; i < argc; ++i)
    options.command.push_back(argv[i]);
  if (options.command.empty()) {
    fail(
        "usage: tavro_map_timer [--timeout S] [--settle MS] [--title TEXT] [--show-output] -- "
        "PROGRAM [ARG...]");
  }
  options.command.push_back(nullptr);
  return options;
}

// The window's title: _NET_WM_NAME (UTF-8) when set, else WM_NAME.
std::string window_title(Display* display, Window window) {
  const Atom net_wm_name = XInternAtom(display, "_NET_WM_NAME", False);
  const Atom utf8_string = XInternAtom(display, "UTF8_STRING", False);
  Atom type = None;
  int format = 0;
  unsigned long items = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, window, net_wm_name, 0, 1024, False, utf8_string, &type, &format,
                         &items, &remaining, &data) == Success &&
      data != nullptr) {
    std::string title(reinterpret_cast<const char*>(data), items);
    XFree(data);
    if (!title.empty()) return title;
  }
  char* name = nullptr;
  std::string title;
  if (XFetchName(display, window, &name) != 0 && name != nullptr) {
    title = name;
    XFree(name);
  }
  return title;
}

pid_t launch(const Options& options, int display_fd) {
  // The program gets its own connection, not ours.
  if (fcntl(display_fd, F_SETFD, FD_CLOEXEC) != 0)
    fail(std::string("fcntl: ") + std::strerror(errno));
  const pid_t pid = fork();
  if (pid < 0) fail(std::string("fork: ") + std::strerror(errno));
  if (pid == 0) {
    setpgid(0, 0);  // its own group, so it ends with every helper it starts
    // Its output is not ours: helpers it leaves running (Wine's services)
    // must not hold the pipes of whoever reads our one line.
    const int nowhere = open("/dev/null", O_WRONLY);
    if (nowhere >= 0) {
      dup2(nowhere, STDOUT_FILENO);
      if (!options.show_output) dup2(nowhere, STDERR_FILENO);
      close(nowhere);
    }
    execvp(options.command[0], options.command.data());
    (void)std::fprintf(stderr, "tavro_map_timer: cannot run %s: %s\n", options.command[0],
                       std::strerror(errno));
    _exit(127);
  }
  setpgid(pid, pid);
  return pid;
}

bool exited(pid_t pid) {
  int status = 0;
  return waitpid(pid, &status, WNOHANG) == pid;
}

// Waits for the program's window to be mapped; returns the moment it was.
// A window mapped before its title is set counts from its map, once the title matches.
Clock::time_point wait_for_map(Display* display, const Options& options, pid_t pid,
                               Clock::time_point launched) {
  const Window root = DefaultRootWindow(display);
  const auto deadline = launched + std::chrono::duration_cast<Clock::duration>(
                                       std::chrono::duration<double>(options.timeout_seconds));
  const auto titled = [&](Window window) {
    return !options.title || window_title(display, window) == *options.title;
  };
  std::map<Window, Clock::time_point> mapped_untitled;
  pollfd connection{ConnectionNumber(display), POLLIN, 0};
  for (;;) {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      const Clock::time_point arrived = Clock::now();
      if (event.type == MapNotify && event.xmap.event == root &&
          event.xmap.override_redirect == 0) {
        const Window window = event.xmap.window;
        if (titled(window)) return arrived;
        mapped_untitled.emplace(window, arrived);
        XSelectInput(display, window, PropertyChangeMask);
        if (titled(window)) return arrived;  // named while we were asking
      } else if (event.type == PropertyNotify) {
        const auto found = mapped_untitled.find(event.xproperty.window);
        if (found != mapped_untitled.end() && titled(found->first)) return found->second;
      }
    }
    if (exited(pid)) fail("the program ended before it mapped a window");
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) {
      kill(-pid, SIGKILL);
      fail("no window was mapped in time");
    }
    // Wake up now and then to notice a program that died.
    poll(&connection, 1, static_cast<int>(std::min<long long>(left.count(), 50)));
  }
}

// Peak resident memory in KiB, from /proc; 0 when it cannot be read.
long peak_resident_kib(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  }
  return 0;
}

void end_program(pid_t pid) {
  kill(-pid, SIGTERM);
  for (int waited_ms = 0; waited_ms < 2000; waited_ms += 10) {
    if (exited(pid)) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  kill(-pid, SIGKILL);
  int status = 0;
  waitpid(pid, &status, 0);
}

}  // namespace

int main(int argc, char** argv) {
  const Options options = parse_options(argc, argv);
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) fail("cannot open the display (is DISPLAY set?)");
  // Windows of other programs may vanish while we look at them: not an error here.
  XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XSync(display, False);

  const Clock::time_point launched = Clock::now();
  const pid_t pid = launch(options, ConnectionNumber(display));
  const Clock::time_point mapped = wait_for_map(display, options, pid, launched);

  std::this_thread::sleep_for(std::chrono::milliseconds(options.settle_ms));
  if (exited(pid)) fail("the program ended right after it mapped its window");
  const long peak_kib = peak_resident_kib(pid);
  end_program(pid);
  XCloseDisplay(display);

  const std::chrono::duration<double, std::milli> map_time = mapped - launched;
  std::printf("map_ms=%.3f peak_kib=%ld\n", map_time.count(), peak_kib);
  return 0;
}
