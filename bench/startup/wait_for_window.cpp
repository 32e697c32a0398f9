// Starts a program and reports how long it took until a window of that process was viewable
// (mapped and shown by the window manager). Prints "<milliseconds> <pid>" and leaves the program
// running, so the caller can read its memory and end it by its pid.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

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
    // The program must not hold the caller's output open: it outlives this process.
    const int quiet = open("/dev/null", O_WRONLY);
    dup2(quiet, STDOUT_FILENO);
    dup2(quiet, STDERR_FILENO);
    execv(argv[1], argv + 1);
    _exit(127);
  }
  while (NowMs() - start < 10000) {
    if (Viewable(display, DefaultRootWindow(display), pidAtom, child, 0)) {
      std::printf("%.1f %d\n", NowMs() - start, static_cast<int>(child));
      return 0;
    }
    int status = 0;
    if (waitpid(child, &status, WNOHANG) == child) {
      std::fprintf(stderr, "wait_for_window: the program ended before showing a window\n");
      return 1;
    }
    usleep(2000);
  }
  std::fprintf(stderr, "wait_for_window: no window within 10 s\n");
  return 1;
}
