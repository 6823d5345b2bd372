#pragma once

#include "platform/platform.h"

#include <QColor>
#include <QSet>
#include <QStringList>

#include <deque>
#include <functional>
#include <map>
#include <utility>

// A platform that records every call the window makes, one line each: "Speak: TEXT",
// "Sound: PATH", "Picture: PATH", "Shell: TARGET", and "Pause: N" for the N passes that ran since
// the line before. Its passes are instant. A test can run an action at a given pass from now (a
// click in the middle of a pause), or every so many passes (a child who keeps pressing).
class RecordingPlatform : public Platform
{
public:
    void speak(const QString &text) override { record(QStringLiteral("Speak: ") + text); }
    void playSound(const QString &path) override { record(QStringLiteral("Sound: ") + path); }
    QPixmap loadPicture(const QString &path) override
    {
        record(QStringLiteral("Picture: ") + path);
        if (missingPictures.contains(path.toLower()))
            return {};
        QPixmap picture(pictureSize);
        picture.fill(QColor(0x40, 0x80, static_cast<int>(qHash(path.toLower()) % 256)));
        return picture;
    }
    void openExternal(const QString &target) override { record(QStringLiteral("Shell: ") + target); }
    void processEventsOnce() override
    {
        ++passes;
        ++pendingPasses;
        if (repeatEvery > 0 && passes % repeatEvery == 0 && repeated)
            repeated();
        const auto due = actions.find(passes);
        if (due != actions.end()) {
            const auto action = std::move(due->second);
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
        walk = (walk + 7) % 30; // past the scripted draws: a fixed walk through the thirty rows
        return (static_cast<float>(walk) + 0.5f) / 30.0f;
    }

    // Runs `action` during the pass that comes `passFromNow` passes after this call.
    void atPass(long passFromNow, std::function<void()> action) { actions[passes + passFromNow] = std::move(action); }
    // Runs `action` every `interval` passes from now on; nullptr stops it.
    void every(long interval, std::function<void()> action)
    {
        repeatEvery = interval;
        repeated = std::move(action);
    }

    // The calls recorded since the last take, and forgets them.
    QStringList take()
    {
        flushPasses();
        return std::exchange(calls, {});
    }

    QDateTime clock = QDateTime(QDate(2026, 12, 6), QTime(9, 30));
    QString versionText = QStringLiteral("6.1");
    QSize pictureSize{216, 226};
    QSet<QString> missingPictures; // lower-case paths whose picture cannot be loaded
    std::deque<float> draws;        // scripted results of nextRandom
    bool recording = true;          // a long run turns it off
    long passes = 0;
    int reseeds = 0;
    int versionReads = 0;

private:
    void record(const QString &call)
    {
        if (!recording)
            return;
        flushPasses();
        calls << call;
    }
    void flushPasses()
    {
        if (pendingPasses > 0 && recording)
            calls << QStringLiteral("Pause: %1").arg(pendingPasses);
        pendingPasses = 0;
    }

    QStringList calls;
    long pendingPasses = 0;
    std::map<long, std::function<void()>> actions;
    long repeatEvery = 0;
    std::function<void()> repeated;
    int walk = 0;
};
