#include "platform/trace.h"

Q_LOGGING_CATEGORY(lcPlatform, "zubiko.platform", QtInfoMsg)
