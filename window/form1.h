#pragma once

#include "catalogue/animal_catalogue.h"
#include "platform/platform.h"
#include "window/language.h"
#include "window/leaving_platform.h"
#include "window/widgets.h"

#include <QString>
#include <QWidget>

#include <array>

class QTimer;

// Flags are texts: "y" when set, the empty text when not, compared exactly.
inline const QString FlagSet = QStringLiteral("y");

// The bar's two phases (WindowState::BarPhase).
constexpr qint16 NameAndSoundPhase = 1; // the next bar click says the name and plays the sound
constexpr qint16 NextAnimalPhase = 2;   // the next bar click gets the next animal
// WindowState::HelpSpokenMark once the bar's help sentence has been spoken.
constexpr qint16 HelpSpoken = 55;

// All the run-time state there is. It lives as long as the window; handlers share nothing else.
struct WindowState
{
    // The display name of the animal on show, always one of the catalogue's.
    QString CurrentAnimal;
    // "y" when the animal has been shown in this marking cycle, "" when not.
    // SelectionFlag[k - 1] belongs to catalogue row k.
    std::array<QString, AnimalCount> SelectionFlag;
    // "y" when all thirty flags were "y" at the last check.
    QString AllSelectedFlag;
    // Place of the next mark in the colour sequence, 1 to 8; 0 until start-up sets it.
    qint16 MarkColorIndex = 0;
    // Colour of the mark being made, an &H00BBGGRR value; never read before it is first set.
    float MarkColor = 0;
    // NameAndSoundPhase or NextAnimalPhase; 0 until start-up.
    qint16 BarPhase = 0;
    // HelpSpoken once the bar's help sentence has been spoken; anything else means not yet.
    qint16 HelpSpokenMark = 0;
    // The picker's latest draw, a catalogue row number; 0 until the first pick.
    float AnimalNumber = 0;
    // Counts the passes of the start-up pause.
    int StartupPauseCounter = 0;
};

// The one window. Built from its layout in the constructor, which then runs Form_Load before the
// window is first shown. Everything else happens in its event handlers. The class is split by
// concern over several files:
//   window/form1_layout.cpp          controls, fonts, colours, layering, focus
//   window/form1_startup.cpp         Form_Load and the clock
//   window/form1_pauses.cpp          the busy pauses
//   window/form1_leaving.cpp         leaving in the middle of a pause
//   window/form1_side_actions.cpp    the volume and web links
//   window/form1_marks.cpp           the thirty animal clicks and the selection marks
//   window/form1_picker.cpp          the next-animal picker
//   window/form1_bar.cpp             the two-phase bar
//   window/form1_sound.cpp           the animal's sound and spoken name
//   window/form1_language.cpp        the texts and names in the family's language
class Form1 : public QWidget
{
    Q_OBJECT
public:
    // In English, or in `language`: every text the child sees or hears is asked of tr() (the
    // translation the application has installed) and the animals' names of `language`.
    explicit Form1(Platform &platform, QWidget *parent = nullptr);
    Form1(Platform &platform, const Language &language, QWidget *parent = nullptr);

    const WindowState &state() const { return m_state; }

    // The picture the window opens with.
    static const QString FirstPicture;

    // Texts the program speaks, in English (spoken as tr() gives them).
    static const char WelcomeText[];
    static const char HelpText[];
    static const QString WebAddress;

    // Pause lengths, in passes of event processing.
    static constexpr int StartupPausePasses = 600000;
    static constexpr int LongPausePasses = 400000;
    static constexpr int ShortPausePasses = 30000;
    // How often the clock is brought up to date, in milliseconds.
    static constexpr int ClockIntervalMs = 30000;

    // A click during a pause runs its handler inside that pause, and a bar click pauses again, so
    // a child who presses faster than the pauses end nests handlers deeper and deeper until the
    // stack runs out. Ordinary use nests two or three deep; from this depth on, clicks on the bar
    // and the animal buttons are dropped until the pauses unwind.
    static constexpr int MaxPauseNesting = 16;
    int pauseDepth() const { return m_pauseDepth; }

    // What the locked mode works: the bar, the controls a child's press reaches (the bar and the
    // thirty animal buttons), and the two links, which open other programs unless switched off.
    QAbstractButton *bar() const { return cmd123; }
    bool isPressTarget(const QWidget *control) const;
    void setLinksEnabled(bool enabled) { m_linksEnabled = enabled; }
    // Ends the pauses under way at once; nothing more is played, spoken, shown or opened
    // (form1_leaving.cpp). Closing the window does this too.
    void leave();

    // ---- Event handlers ------------------------------------------------------------------------
    // Start-up and clock (form1_startup.cpp)
    void Form_Load();
    void Timer1_Timer();
    // The bar (form1_bar.cpp)
    void cmd123_Click();
    // Selection marks (form1_marks.cpp): Bear_Click ... Zebra_Click, and Clear
#define ZUBIKO_DECLARE_CLICK(number, button, ...) void button##_Click();
    ZUBIKO_ANIMAL_TABLE(ZUBIKO_DECLARE_CLICK)
#undef ZUBIKO_DECLARE_CLICK
    void cmdClearAllGreen_Click();
    // Sound and speech (form1_sound.cpp)
    void imgCenter_Click();
    void lblName_Click();
    void imgSound_Click();
    // Side actions (form1_side_actions.cpp)
    void Label5_Click();
    void Label6_Click();

    // The click handler of catalogue row k is AnimalClickHandlers[k - 1].
    static const std::array<void (Form1::*)(), AnimalCount> AnimalClickHandlers;

protected:
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // ---- Layout (form1_layout.cpp) --------------------------------------------------------------
    void createControls();
    void createPanelAndPictures();
    void createLabels();
    void createButtons();
    void connectHandlers();
    void traceControlPlaces() const; // the trace of where the controls a script clicks stand
    ColourButton *animalButton(int number) const { return m_animalButtons.at(static_cast<size_t>(number - 1)); }
    void showPicture(const QPixmap &picture);

    // ---- Language (form1_language.cpp) ----------------------------------------------------------
    QString shownName() const;         // the name of the animal on show, in the language
    void showName();                   // ... written in the name band
    QString clockNow();                // the time of day in the language's short format

    // ---- Start-up and clock (form1_startup.cpp) -------------------------------------------------
    void StartupPause();

    // ---- Pauses (form1_pauses.cpp) --------------------------------------------------------------
    void LongPause();
    void ShortPause();
    void pause(int passes);
    void runPasses(int passes, int &counter);
    bool takesClicks() const { return m_pauseDepth < MaxPauseNesting; }
    void boundedClick(void (Form1::*handler)());

    // ---- Selection marks (form1_marks.cpp) ------------------------------------------------------
    void showAndMarkAnimal(int number); // the one body of every animal's click handler
    void NextMarkColor();
    void CheckAllSelected();
    void ClearSelections();
    void ResetButtonColors();
    QString &selectionFlag(int number) { return m_state.SelectionFlag.at(static_cast<size_t>(number - 1)); }

    // ---- Picker (form1_picker.cpp) --------------------------------------------------------------
    void PickNextAnimal();

    // ---- Sound and speech (form1_sound.cpp) -----------------------------------------------------
    void PlayAnimalSound();
    void PlayNoSound();

    // ---- Side actions (form1_side_actions.cpp) --------------------------------------------------
    void OpenWebSite();

    LeavingPlatform m_platform;
    Language m_language;
    WindowState m_state;
    int m_pauseDepth = 0; // pauses under way, one inside the other
    bool m_linksEnabled = true;

    // ---- Controls, named as the program knows them ----------------------------------------------
    QWidget *Shape1 = nullptr;                // the white panel behind the picture, name and bar
    ClickableLabel *imgCenter = nullptr;      // the animal's picture, at its natural size; a click speaks the name
    QLabel *lblName = nullptr;                // the name band over the picture's top; a click speaks the name
    ClickableLabel *imgSound = nullptr;       // the loudspeaker; a click plays the animal's sound
    QLabel *Label1 = nullptr;                 // "Get more free children's software here", over the web link
    QLabel *Label2 = nullptr;                 // the title over the middle of the window
    QLabel *Label3 = nullptr;                 // the copyright line at the bottom
    QLabel *Label4 = nullptr;                 // "replay sound", over the loudspeaker
    QLabel *Label5 = nullptr;                 // the web address, a link that opens the site
    QLabel *Label6 = nullptr;                 // "volume" under the loudspeaker, a link that opens the mixer
    QLabel *Label7 = nullptr;                 // the version, at the top right of the title
    QLabel *Label8 = nullptr;                 // the hint over the animal buttons
    QLabel *lblTime = nullptr;                // the clock, bottom left, behind the Spacebar button
    QWidget *tts = nullptr;                   // the speech engine's place: draws nothing, takes clicks
    QTimer *Timer1 = nullptr;                 // brings the clock up to date every ClockIntervalMs
    ColourButton *cmd123 = nullptr;           // the bar: name and sound, then the next animal
    ColourButton *cmdClearAllGreen = nullptr; // "Clear": takes every selection mark away
    ColourButton *cmdSpaceBar = nullptr;      // holds the focus at start, so that space does nothing yet
    // The thirty animal buttons, in catalogue order (animalButton(number)).
    std::array<ColourButton *, AnimalCount> m_animalButtons{};
};

// The clock label's text for a time of day: "hh:mm AM/PM", 12-hour, eight characters.
QString clockText(const QTime &time);
