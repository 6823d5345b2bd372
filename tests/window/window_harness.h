#pragma once

#include "recording_platform.h"
#include "window/form1.h"

#include <QApplication>
#include <QLabel>
#include <QTest>

#include <functional>

#include <memory>

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
        form = std::make_unique<Form1>(platform);
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
        if (auto *label = root()->findChild<QLabel *>(name))
            return label->text();
        return button(name)->text();
    }
    const WindowState &state() const { return form->state(); }

    void click(const QString &name) const { QTest::mouseClick(control(name), Qt::LeftButton); }
    // A key goes where the keyboard focus is, as it does for a real keyboard.
    void press(Qt::Key key) const
    {
        QWidget *target = QApplication::focusWidget();
        QTest::keyClick(target ? target : form.get(), key);
    }
    QString focused() const
    {
        QWidget *widget = QApplication::focusWidget();
        return widget ? widget->objectName() : QString();
    }
    // Names of the animals whose selection flag is set.
    QStringList marked() const
    {
        QStringList names;
        for (const AnimalRow &row : AnimalCatalogue) {
            if (state().SelectionFlag.at(static_cast<size_t>(row.number - 1)) == FlagSet)
                names << QLatin1String(row.button);
        }
        return names;
    }

    RecordingPlatform platform;
    std::unique_ptr<Form1> form;
};

// The draw that the picker turns into catalogue row `number`.
inline float drawFor(int number)
{
    return (static_cast<float>(number) - 0.5f) / 30.0f;
}
