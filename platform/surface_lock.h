#pragma once

class QWindow;

// A part of DesktopLock that holds something for each of the locked surfaces, made only under the
// window system it serves.
class SurfaceLock
{
public:
    virtual ~SurfaceLock() = default;
    virtual void hold(QWindow *window) = 0;
    virtual void release(QWindow *window) = 0;
    virtual void giveBack() = 0;
};

// The Wayland part (desktop_lock_wayland.cpp, the module zubiko-wayland.so): the compositor's
// shortcuts and idle inhibitors. The caller owns what it returns.
extern "C" SurfaceLock *zubiko_make_wayland_lock();
