#pragma once

#include <QLoggingCategory>

// Every platform call (text spoken, sound and picture asked for with the file each resolved to,
// shell target) and every pause is logged here at debug level. Off by default; turn it on with
// QT_LOGGING_RULES="zubiko.platform.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcPlatform)
