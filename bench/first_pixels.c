/* Starts a program and reports how long after the fork its first pixels show on the X
 * display: the time at which any pixel of the given root-window rectangle first differs from
 * what it showed before the start.
 *   first_pixels X Y WIDTH HEIGHT program [args...]
 * Prints "<milliseconds> <pid>" and leaves the program running. */
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

static double Now(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

int main(int argc, char** argv) {
  if (argc < 6) {
    fprintf(stderr, "usage: first_pixels X Y WIDTH HEIGHT program [args...]\n");
    return 2;
  }
  const int x = atoi(argv[1]), y = atoi(argv[2]);
  const unsigned width = (unsigned)atoi(argv[3]), height = (unsigned)atoi(argv[4]);
  Display* display = XOpenDisplay(NULL);
  if (display == NULL) return 1;
  const Window root = DefaultRootWindow(display);
  XImage* before = XGetImage(display, root, x, y, width, height, AllPlanes, ZPixmap);
  if (before == NULL) return 1;
  const size_t bytes = (size_t)before->bytes_per_line * height;
  const double start = Now();
  const pid_t child = fork();
  if (child == 0) {
    /* The caller reads this program's output to its end: the child must not hold it. */
    if (freopen("/dev/null", "w", stdout) == NULL || freopen("/dev/null", "w", stderr) == NULL) {
      _exit(127);
    }
    execvp(argv[5], argv + 5);
    _exit(127);
  }
  for (;;) {
    XImage* now = XGetImage(display, root, x, y, width, height, AllPlanes, ZPixmap);
    const int changed = now != NULL && memcmp(now->data, before->data, bytes) != 0;
    if (now != NULL) XDestroyImage(now);
    if (changed) break;
    if (Now() - start > 60000) {
      printf("timeout %d\n", (int)child);
      return 1;
    }
    usleep(500);
  }
  printf("%.1f %d\n", Now() - start, (int)child);
  XDestroyImage(before);
  XCloseDisplay(display);
  return 0;
}
