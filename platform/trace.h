#pragma once

#include <QLoggingCategory>

// The program's trace, at debug level and off by default. zubiko.platform logs every platform
// call (text spoken, sound and picture asked for with the file each resolved to, shell target);
// zubiko.window logs what the window does (each pause with its depth, the locked mode's keys and
// keyboard). Turn both on with QT_LOGGING_RULES="zubiko.*.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcPlatform)
Q_DECLARE_LOGGING_CATEGORY(lcWindow)
