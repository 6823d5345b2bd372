#pragma once

#include "catalogue/animal_catalogue.h"

#include <QByteArray>
#include <QHash>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <functional>

class QTranslator;

// The language the child sees and hears: English as the catalogue writes it, or a language the
// program has both a translation of its sentences for (a QTranslator, built in) and a names file
// (names/<code>.txt in the data folders).
struct Language
{
    QString code = QStringLiteral("en"); // as QLocale names languages: "en", "fr", "pt_BR"
    QLocale locale = QLocale(QLocale::English, QLocale::UnitedStates);
    QHash<QString, QString> names;    // by button name ("Duck" -> "Canard")
    QHash<QString, QString> captions; // by button name, where the name is too wide for the button

    bool isEnglish() const { return code == QLatin1String("en"); }
    // The animal's name, shown and spoken: the catalogue's display name in English.
    QString name(const AnimalRow &row) const;
    // The text on its button: the caption, else the name; the catalogue's caption in English.
    QString caption(const AnimalRow &row) const;
};

// What a names file holds: one line per animal, "<Button>=<name>", and optionally
// "<Button>.caption=<short>"; "#" starts a comment line, blank lines are skipped. Button is the
// catalogue's button name, exactly. A line that does not fit (no "=", an unknown button, an empty or
// overlong name, a control character, a second line for the same thing, text that is not UTF-8)
// is left out and named in `problems`.
struct NamesFile
{
    QHash<QString, QString> names;
    QHash<QString, QString> captions;
    QStringList problems; // "line 3: unknown animal \"Dodo\""
};
NamesFile parseNames(const QByteArray &bytes);

// A name or caption is at most this long, in characters.
constexpr int MaxNameLength = 40;

// Chooses the language: the first of `wanted` (language tags as QLocale::uiLanguages() gives them,
// "fr-CA", "fr", or the one --language names) that the program has, trying each tag as it is and
// then its language alone ("fr_CA", then "fr"); English where English comes first or nothing fits.
// `loadTranslation(code)` loads the translation into the translator the application uses and says
// whether there is one; `readNames(code)` gives the names file's bytes (null when there is none).
// A language missing gives one line of the trace ("language xx not available: English").
Language chooseLanguage(const QStringList &wanted, const std::function<bool(const QString &)> &loadTranslation,
                        const std::function<QByteArray(const QString &)> &readNames);
