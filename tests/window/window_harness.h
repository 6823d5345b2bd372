#pragma once

#include "platform/platform.h"
#include "window/form1.h"

#include <QApplication>
#include <QColor>
#include <QLabel>
#include <QStringList>
#include <QTest>

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <utility>

// A platform that records every call the window makes, one line each: "Speak: TEXT",
// "Sound: PATH", "Picture: PATH", "Shell: TARGET", and "Pause: N" for the N passes that ran since
// the line before. Its passes are instant. A test can run an action at a given pass from now (a
// click in the middle of a pause).
class RecordingPlatform : public Platform
{
public:
    void speak(const QString &text) override { record(QStringLiteral("Speak: ") + text); }
    void playSound(const QString &path) override { record(QStringLiteral("Sound: ") + path); }
    QPixmap loadPicture(const QString &path) override
    {
        record(QStringLiteral("Picture: ") + path);
        QPixmap picture(pictureSize); // none loaded when the size is empty
        picture.fill(QColor(0x40, 0x80, static_cast<int>(qHash(path.toLower()) % 256)));
        return picture;
    }
    void openExternal(const QString &target) override { record(QStringLiteral("Shell: ") + target); }
    void processEventsOnce() override
    {
        ++pendingPasses;
        if (auto due = actions.extract(++passes))
            due.mapped()();
    }
    QDateTime now() override { return clock; }
    QString osVersion() override { return versionText; }
    void reseedRandom() override {}
    float nextRandom() override
    {
        if (draws.empty()) // past the scripted draws: a fixed walk through the thirty rows
            return (static_cast<float>(walk = (walk + 7) % 30) + 0.5f) / 30.0f;
        const float r = draws.front();
        draws.pop_front();
        return r;
    }

    // Runs `action` during the pass that comes `passFromNow` passes after this call.
    void atPass(long passFromNow, std::function<void()> action) { actions[passes + passFromNow] = std::move(action); }

    // The calls recorded since the last take, and forgets them.
    QStringList take() { flushPasses(); return std::exchange(calls, {}); }

    QDateTime clock = QDateTime(QDate(2026, 12, 6), QTime(9, 30));
    QString versionText = QStringLiteral("6.1");
    QSize pictureSize{216, 226};
    std::deque<float> draws;        // scripted results of nextRandom
    long passes = 0;

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

// The real window, shown and active (offscreen), over a recording platform. Controls are found by
// the names the program gives them.
class WindowHarness
{
public:
    // `beforeStart` can set the platform up (an action during the start-up pause) before the
    // window is made.
    explicit WindowHarness(bool forgetStartUp = true, const std::function<void(WindowHarness &)> &beforeStart = {})
    {
        if (beforeStart)
            beforeStart(*this);
        form = std::make_unique<Form1>(platform, language);
        form->show();
        QApplication::setActiveWindow(form.get());
        if (!QTest::qWaitForWindowActive(form.get()))
            qWarning("the window did not become active");
        if (forgetStartUp)
            platform.take();
    }

    template<typename T = QWidget>
    T *control(const QString &name) const
    {
        T *found = root()->findChild<T *>(name);
        if (!found)
            qFatal("no control named %s", qPrintable(name));
        return found;
    }
    // The window, also while it is being made.
    QWidget *root() const
    {
        for (QWidget *top : QApplication::topLevelWidgets())
            if (!form && top->objectName() == QLatin1String("Form1"))
                return top;
        return form.get();
    }
    ColourButton *button(const QString &name) const { return control<ColourButton>(name); }
    // A button's colour as the eye sees it, "#rrggbb".
    QString colour(const QString &name) const { return toQColor(button(name)->backColor()).name(); }
    QString text(const QString &name) const
    {
        const auto *label = root()->findChild<QLabel *>(name);
        return label ? label->text() : button(name)->text();
    }
    // What the controls named show, joined by "|": a name ending in "#" gives the button's colour.
    QString shown(const QString &names) const
    {
        QStringList seen;
        for (const QString &name : names.split(' '))
            seen << (name.endsWith('#') ? colour(name.chopped(1)) : text(name));
        return seen.join('|');
    }
    const WindowState &state() const { return form->state(); }

    void click(const QString &name) const { QTest::mouseClick(control(name), Qt::LeftButton); }
    // Each control named clicked in turn ("Tab" presses the key).
    void clicks(const QString &names) const
    {
        for (const QString &name : names.split(' ', Qt::SkipEmptyParts))
            name == QLatin1String("Tab") ? press(Qt::Key_Tab) : click(name);
    }
    // A key goes where the keyboard focus is, as it does for a real keyboard.
    void press(Qt::Key key) const { QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : form.get(), key); }
    QString focused() const { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(); }
    // Names of the animals whose selection flag is set.
    QStringList marked() const
    {
        QStringList names;
        for (const AnimalRow &row : AnimalCatalogue)
            if (state().SelectionFlag.at(static_cast<size_t>(row.number - 1)) == FlagSet)
                names << QLatin1String(row.button);
        return names;
    }

    RecordingPlatform platform;
    Language language; // English unless `beforeStart` sets another
    std::unique_ptr<Form1> form;
};

// The draw that the picker turns into catalogue row `number`.
inline float drawFor(int number) { return (static_cast<float>(number) - 0.5f) / 30.0f; }
