#pragma once

#include "platform/platform.h"

// The platform as the window's handlers reach it. Once the window is leaving (closed, or the quit
// word typed in the locked mode) a pass of event processing does nothing, so the pauses under way
// run out at once, and the steps that the handlers they interrupted still run do nothing either:
// no sound is played, nothing is spoken, no picture loaded, no program opened. The clock and the
// random draws go on as before, so that those steps still end as they always do.
class LeavingPlatform : public Platform
{
public:
    explicit LeavingPlatform(Platform &platform) : m_platform(platform) {}

    void leave() { m_leaving = true; }
    bool leaving() const { return m_leaving; }

    void speak(const QString &text) override
    {
        if (!m_leaving)
            m_platform.speak(text);
    }
    void speakName(const QString &key, const QString &name) override
    {
        if (!m_leaving)
            m_platform.speakName(key, name);
    }
    void playSound(const QString &path) override
    {
        if (!m_leaving)
            m_platform.playSound(path);
    }
    QPixmap loadPicture(const QString &path) override { return m_leaving ? QPixmap() : m_platform.loadPicture(path); }
    void openExternal(const QString &target) override
    {
        if (!m_leaving)
            m_platform.openExternal(target);
    }
    void processEventsOnce() override
    {
        if (!m_leaving)
            m_platform.processEventsOnce();
    }
    QDateTime now() override { return m_platform.now(); }
    QString osVersion() override { return m_platform.osVersion(); }
    void reseedRandom() override { m_platform.reseedRandom(); }
    float nextRandom() override { return m_platform.nextRandom(); }

private:
    Platform &m_platform;
    bool m_leaving = false;
};
