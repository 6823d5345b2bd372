#pragma once

#include <QStringList>
#include <QtGlobal>

#include <mutex>

// While one of these lives, the warnings the code under test gives (from any thread) and its
// zubiko.platform trace lines are kept for the test to read. Warnings still go on to Qt Test;
// trace lines stop here. Make one inside a test function: Qt Test installs its own handler first.
// Each starts empty.
class CapturedMessages
{
public:
    CapturedMessages() { clear(); s_previous = qInstallMessageHandler(handler); }
    ~CapturedMessages() { qInstallMessageHandler(s_previous); }

    QStringList warnings() const { return read(s_warnings); }
    QStringList trace() const { return read(s_trace); }
    void clear() { const std::lock_guard<std::mutex> lock(s_mutex); s_warnings.clear(); s_trace.clear(); }

private:
    static QStringList read(const QStringList &list) { const std::lock_guard<std::mutex> lock(s_mutex); return list; }
    static void handler(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        const bool traced = type == QtDebugMsg && qstrcmp(context.category, "zubiko.platform") == 0;
        if (traced || type == QtWarningMsg || type == QtCriticalMsg) {
            const std::lock_guard<std::mutex> lock(s_mutex);
            (traced ? s_trace : s_warnings) << message;
        }
        if (!traced)
            s_previous(type, context, message);
    }

    static inline std::mutex s_mutex;
    static inline QStringList s_warnings;
    static inline QStringList s_trace;
    static inline QtMessageHandler s_previous = nullptr;
};
