#pragma once

#include "platform/platform.h"

#include <QColor>
#include <QSet>
#include <QStringList>

#include <deque>
#include <functional>
#include <map>

// A platform that records every call the window makes, as one line each:
//   "Speak: TEXT", "Sound: PATH", "Picture: PATH", "Shell: TARGET", "Pause: N" (N passes that ran
// since the line before, recorded when anything else is recorded)
// Its passes are instant. A test can run an action at a given pass from now, in the middle of a
// pause, as a click in the middle of a pause would run.
class RecordingPlatform : public Platform
{
public:
    void speak(const QString &text) override { record(QStringLiteral("Speak: ") + text); }
    void playSound(const QString &path) override
    {
        record(QStringLiteral("Sound: ") + path);
    }
    QPixmap loadPicture(const QString &path) override
    {
        record(QStringLiteral("Picture: ") + path);
        if (missingPictures.contains(path.toLower()))
            return QPixmap();
        QPixmap picture(pictureSize);
        picture.fill(QColor(0x40, 0x80, qHash(path.toLower()) % 256));
        return picture;
    }
    void openExternal(const QString &target) override { record(QStringLiteral("Shell: ") + target); }
    void processEventsOnce() override
    {
        ++passes;
        ++pendingPasses;
        auto due = actions.find(passes);
        if (due != actions.end()) {
            auto action = std::move(due->second);
            actions.erase(due);
            action();
        }
    }
    QDateTime now() override { return clock; }
    QString osVersion() override
    {
        ++versionReads;
        return versionText;
    }
    void reseedRandom() override { ++reseeds; }
    float nextRandom() override
    {
        if (!draws.empty()) {
            const float r = draws.front();
            draws.pop_front();
            return r;
        }
        // Past the scripted draws: a fixed walk through the thirty rows.
        walk = (walk + 7) % 30;
        return (static_cast<float>(walk) + 0.5f) / 30.0f;
    }

    // Runs `action` during the pass that comes `passFromNow` passes after this call.
    void atPass(long passFromNow, std::function<void()> action) { actions[passes + passFromNow] = std::move(action); }

    // The calls recorded since the last take, and forgets them.
    QStringList take()
    {
        flushPasses();
        QStringList taken = calls;
        calls.clear();
        return taken;
    }
    // Only the calls of one kind ("Speak", "Sound", ...), without their prefix.
    QStringList take(const QString &kind)
    {
        QStringList only;
        for (const QString &call : take()) {
            if (call.startsWith(kind + QStringLiteral(": ")))
                only << call.mid(kind.size() + 2);
        }
        return only;
    }

    QDateTime clock = QDateTime(QDate(2026, 12, 6), QTime(9, 30));
    QString versionText = QStringLiteral("6.1");
    QSize pictureSize{216, 226};
    QSet<QString> missingPictures; // lower-case paths whose picture cannot be loaded
    std::deque<float> draws;        // scripted results of nextRandom
    long passes = 0;
    int reseeds = 0;
    int versionReads = 0;

private:
    void record(const QString &call)
    {
        flushPasses();
        calls << call;
    }
    void flushPasses()
    {
        if (pendingPasses > 0)
            calls << QStringLiteral("Pause: %1").arg(pendingPasses);
        pendingPasses = 0;
    }

    QStringList calls;
    long pendingPasses = 0;
    std::map<long, std::function<void()>> actions;
    int walk = 0;
};
