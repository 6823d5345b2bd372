#pragma once

#include <QLoggingCategory>

// The program's trace, at debug level and off by default; turn it on with
// QT_LOGGING_RULES="zubiko.*.debug=true". zubiko.platform logs every platform call and the audio
// device's life; zubiko.window logs what the window does. The lines below are an interface: the
// e2e tests (tests/e2e/, debian/tests/smoke) and the benchmarks (bench/) wait for them and read
// them, so change them only together with those scripts.
//   zubiko.window:
//     window size 1016x736                      once at start-up, then one line per control a
//     control cmd123 at 224,533                 script clicks: its centre in the form's coordinates
//     window shown
//     window scaled by S to fit QSize(W, H)
//     pause N passes at depth D                 and, when it ends: pause N passes done
//     marks cleared
//     keyboard grabbed
//     key NAME works the bar                    or: key NAME joins the press of a key held down
//     shortcuts inhibited: ...                  and: shortcuts given back to the compositor
//   zubiko.platform:
//     voice NAME                                once at start-up: the voice that speaks (--voice)
//     speak "TEXT"
//     playSound "PATH" -> FILE                  or the default sound, or silence, with why
//     loadPicture "PATH" -> FILE                or no picture, with why
//     openExternal "TARGET" -> ...              osVersion -> "X.Y"
//     audio device open: ...                    audio device lost; audio device asleep after N s ...
//     preload: cannot decode FILE (WHY)
Q_DECLARE_LOGGING_CATEGORY(lcPlatform)
Q_DECLARE_LOGGING_CATEGORY(lcWindow)
