#include "platform/trace.h"

Q_LOGGING_CATEGORY(lcPlatform, "zubiko.platform", QtInfoMsg)
Q_LOGGING_CATEGORY(lcWindow, "zubiko.window", QtInfoMsg)
