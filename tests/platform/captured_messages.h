#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <mutex>

// While one of these lives, the warnings the code under test gives (from any thread) and its
// zubiko.platform trace lines are kept for the test to read. Warnings still go on to Qt Test,
// so QTest::ignoreMessage works as usual; trace lines stop here. Qt Test installs its own handler
// when the test starts, so make one in a test function or in initTestCase, not earlier.
class CapturedMessages
{
public:
    CapturedMessages() { s_previous = qInstallMessageHandler(handler); }
    ~CapturedMessages() { qInstallMessageHandler(s_previous); }
    CapturedMessages(const CapturedMessages &) = delete;
    CapturedMessages &operator=(const CapturedMessages &) = delete;

    QStringList warnings() const
    {
        std::lock_guard<std::mutex> lock(s_mutex);
        return s_warnings;
    }
    QStringList trace() const
    {
        std::lock_guard<std::mutex> lock(s_mutex);
        return s_trace;
    }
    void clear()
    {
        std::lock_guard<std::mutex> lock(s_mutex);
        s_warnings.clear();
        s_trace.clear();
    }

private:
    static void handler(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        const bool traced = type == QtDebugMsg && context.category && QByteArray(context.category) == "zubiko.platform";
        {
            std::lock_guard<std::mutex> lock(s_mutex);
            if (traced)
                s_trace << message;
            else if (type == QtWarningMsg || type == QtCriticalMsg)
                s_warnings << message;
        }
        if (!traced)
            s_previous(type, context, message);
    }

    static inline std::mutex s_mutex;
    static inline QStringList s_warnings;
    static inline QStringList s_trace;
    static inline QtMessageHandler s_previous = nullptr;
};
