// zubiko_launch FILE PROGRAM [ARGS...]
//
// Starts PROGRAM and tells when its first frame is on the screen: the X server reports the
// program's first top-level window mapped and then its whole area drawn (X Damage events of the
// window adding up to its size). Writes "PID MILLISECONDS" to FILE (the program's process id, and
// the time from the program's exec to that frame), then waits for the program and exits as it did.
//
// Why the X server's word: a trace line of the program ("window shown") tells when show() was
// called, and polling for a viewable window tells when it was mapped, but neither tells when its
// pixels were there. The window's damage does, without polling: the client draws into the window,
// the server reports the rectangles it changed. Qt's top-level surfaces have no background the
// server would paint on mapping, so the first damage is the program's own drawing.
// Needs an X server without a window manager (a manager reparents the window into its frame).
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <map>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double nowMs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// A window may be gone before its damage is asked for: that is no error here.
int ignoreErrors(Display *, XErrorEvent *)
{
    return 0;
}

int exitStatus(pid_t child)
{
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fputs("usage: zubiko_launch FILE PROGRAM [ARGS...]\n", stderr);
        return 2;
    }
    Display *display = XOpenDisplay(nullptr);
    int damageEvent = 0;
    int damageError = 0;
    if (!display || !XDamageQueryExtension(display, &damageEvent, &damageError)) {
        std::fputs("zubiko_launch: no X display with the Damage extension\n", stderr);
        return 2;
    }
    fcntl(ConnectionNumber(display), F_SETFD, FD_CLOEXEC);
    XSetErrorHandler(ignoreErrors);
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    // The child tells the moment of its exec through a pipe that the exec closes.
    int started[2];
    if (pipe2(started, O_CLOEXEC) != 0) {
        std::perror("pipe");
        return 2;
    }
    const pid_t child = fork();
    if (child < 0) {
        std::perror("fork");
        return 2;
    }
    if (child == 0) {
        const double t0 = nowMs();
        if (write(started[1], &t0, sizeof t0) != sizeof t0)
            _exit(127);
        execv(argv[2], argv + 2);
        std::perror(argv[2]);
        _exit(127);
    }
    close(started[1]);
    double t0 = 0;
    if (read(started[0], &t0, sizeof t0) != sizeof t0)
        return exitStatus(child);
    close(started[0]);

    // Every new top-level window is watched from its creation, so that no drawing is missed.
    std::map<Window, long> area; // of each window, and the damage it had since it was mapped
    std::map<Window, long> drawn;
    Window shown = 0;
    double frame = -1;
    int status = 0;
    while (frame < 0) {
        if (!XPending(display)) {
            pollfd x{ConnectionNumber(display), POLLIN, 0};
            poll(&x, 1, 100);
            if (waitpid(child, &status, WNOHANG) == child) {
                std::fputs("zubiko_launch: the program ended before its first frame\n", stderr);
                return WIFEXITED(status) && WEXITSTATUS(status) != 0 ? WEXITSTATUS(status) : 1;
            }
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        const double at = nowMs();
        if (event.type == CreateNotify && !event.xcreatewindow.override_redirect) {
            XDamageCreate(display, event.xcreatewindow.window, XDamageReportRawRectangles);
            area[event.xcreatewindow.window] = long(event.xcreatewindow.width) * event.xcreatewindow.height;
        } else if (event.type == ConfigureNotify && area.count(event.xconfigure.window)) {
            area[event.xconfigure.window] = long(event.xconfigure.width) * event.xconfigure.height;
        } else if (event.type == MapNotify && !shown && area.count(event.xmap.window)) {
            shown = event.xmap.window;
        } else if (event.type == damageEvent + XDamageNotify) {
            const auto &damage = reinterpret_cast<const XDamageNotifyEvent &>(event);
            if (damage.drawable != shown)
                continue;
            drawn[shown] += long(damage.area.width) * damage.area.height;
            if (drawn[shown] >= area[shown])
                frame = at - t0;
        } else if (event.type == DestroyNotify) {
            area.erase(event.xdestroywindow.window);
        }
    }
    XCloseDisplay(display);
    if (std::FILE *out = std::fopen(argv[1], "w")) {
        std::fprintf(out, "%d %.1f\n", static_cast<int>(child), frame);
        std::fclose(out);
    } else {
        std::perror(argv[1]);
    }
    return exitStatus(child);
}
