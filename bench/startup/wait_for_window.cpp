// Starts a program and reports how long it took until a window of that process was viewable
// (mapped and shown by the window manager). Leaves it running for two seconds more, reads its
// resident memory, kills it (so no shutdown work is counted) and reports the CPU time it used,
// all its threads' together. Prints "<milliseconds to the window> <CPU milliseconds> <RSS kB>".
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

double NowMs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

long WindowPid(Display* display, Window window, Atom pidAtom) {
  Atom type = 0;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  long pid = -1;
  if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after, &data) ==
          Success &&
      data && count == 1) {
    pid = static_cast<long>(*reinterpret_cast<unsigned long*>(data));
  }
  if (data) XFree(data);
  return pid;
}

// A viewable window of the process among the root's children and their children (the window
// manager's frames hold the clients).
bool Viewable(Display* display, Window parent, Atom pidAtom, long pid, int depth) {
  Window root = 0;
  Window up = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  if (!XQueryTree(display, parent, &root, &up, &children, &count)) return false;
  bool found = false;
  for (unsigned int i = 0; i < count && !found; ++i) {
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display, children[i], &attributes) || attributes.map_state != IsViewable) continue;
    if (WindowPid(display, children[i], pidAtom) == pid) {
      found = true;
    } else if (depth < 2) {
      found = Viewable(display, children[i], pidAtom, pid, depth + 1);
    }
  }
  if (children) XFree(children);
  return found;
}

long ResidentKb(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  }
  return -1;
}

// Two seconds after the window, as a user would see the program settled.
int Finish(pid_t child, double windowMs) {
  usleep(2000 * 1000);
  const long rss = ResidentKb(child);
  kill(child, SIGKILL);
  int status = 0;
  rusage usage{};
  if (wait4(child, &status, 0, &usage) != child) return 1;
  const double cpuMs = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0 +
                       static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
  std::printf("%.1f %.1f %ld\n", windowMs, cpuMs, rss);
  return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: wait_for_window PROGRAM [ARGUMENTS...]\n");
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "wait_for_window: no X display\n");
    return 2;
  }
  const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
  const double start = NowMs();
  const pid_t child = fork();
  if (child == 0) {
    // The program's own messages would mix with the figures.
    const int quiet = open("/dev/null", O_WRONLY);
    dup2(quiet, STDOUT_FILENO);
    dup2(quiet, STDERR_FILENO);
    execv(argv[1], argv + 1);
    _exit(127);
  }
  while (NowMs() - start < 10000) {
    if (Viewable(display, DefaultRootWindow(display), pidAtom, child, 0)) {
      return Finish(child, NowMs() - start);
    }
    int status = 0;
    if (waitpid(child, &status, WNOHANG) == child) {
      std::fprintf(stderr, "wait_for_window: the program ended before showing a window\n");
      return 1;
    }
    usleep(2000);
  }
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  std::fprintf(stderr, "wait_for_window: no window within 10 s\n");
  return 1;
}
