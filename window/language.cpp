#include "window/language.h"

#include "platform/trace.h"

#include <QStringDecoder>

QString Language::name(const AnimalRow &row) const
{
    return names.value(QLatin1String(row.button), QLatin1String(row.displayName));
}

QString Language::caption(const AnimalRow &row) const
{
    if (isEnglish())
        return QLatin1String(row.caption);
    return captions.value(QLatin1String(row.button), name(row));
}

namespace {

bool isButton(const QString &name)
{
    for (const AnimalRow &row : AnimalCatalogue) {
        if (name == QLatin1String(row.button))
            return true;
    }
    return false;
}

// Why `value` cannot be a name, or an empty string.
QString valueProblem(const QString &value)
{
    if (value.isEmpty())
        return QStringLiteral("no name");
    if (value.size() > MaxNameLength)
        return QStringLiteral("name longer than %1 characters").arg(MaxNameLength);
    for (const QChar c : value) {
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format || c.isSurrogate()
            || c == QChar::ReplacementCharacter)
            return QStringLiteral("a control character in the name");
    }
    return {};
}

} // namespace

NamesFile parseNames(const QByteArray &bytes)
{
    NamesFile result;
    const QList<QByteArray> lines = bytes.split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        QByteArray raw = lines.at(i);
        if (i == 0 && raw.startsWith("\xEF\xBB\xBF"))
            raw.remove(0, 3);
        auto problem = [&](const QString &why) { result.problems << QStringLiteral("line %1: %2").arg(i + 1).arg(why); };
        QStringDecoder decoder(QStringDecoder::Utf8);
        const QString line = QString(decoder(raw)).trimmed();
        if (decoder.hasError()) {
            problem(QStringLiteral("not UTF-8"));
            continue;
        }
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals < 0) {
            problem(QStringLiteral("no \"=\""));
            continue;
        }
        QString key = line.left(equals).trimmed();
        const QString value = line.mid(equals + 1).trimmed();
        const bool isCaption = key.endsWith(QLatin1String(".caption"));
        if (isCaption)
            key.chop(8);
        if (!isButton(key)) {
            problem(QStringLiteral("unknown animal \"%1\"").arg(line.left(equals).trimmed().left(MaxNameLength)));
            continue;
        }
        if (const QString why = valueProblem(value); !why.isEmpty()) {
            problem(why);
            continue;
        }
        QHash<QString, QString> &into = isCaption ? result.captions : result.names;
        if (into.contains(key)) {
            problem(QStringLiteral("%1 named twice").arg(key));
            continue;
        }
        into.insert(key, value);
    }
    return result;
}

Language chooseLanguage(const QStringList &wanted, const std::function<bool(const QString &)> &loadTranslation,
                        const std::function<QByteArray(const QString &)> &readNames)
{
    Language english;
    QString missed; // the first language asked for that is not there
    const auto fallBack = [&] {
        if (!missed.isEmpty())
            qCDebug(lcWindow).noquote() << QStringLiteral("language %1 not available: English").arg(missed.left(MaxNameLength));
        return english;
    };
    for (const QString &tag : wanted) {
        // The C locale ("C", "POSIX", "C.UTF-8") asks for no language in particular.
        if (tag == QLatin1String("C") || tag == QLatin1String("POSIX") || tag.startsWith(QLatin1String("C.")))
            continue;
        const QLocale locale(QString(tag).replace(QLatin1Char('-'), QLatin1Char('_')));
        if (locale.language() == QLocale::English)
            return fallBack();
        const QString full = locale.name(); // "fr_FR", "pt_BR"
        for (const QString &code : {full, full.section(QLatin1Char('_'), 0, 0)}) {
            const QByteArray bytes = readNames(code);
            // Names of the region's own (pt_BR) go with the language's translation (pt) if need be.
            if (bytes.isNull() || !(loadTranslation(code) || loadTranslation(code.section(QLatin1Char('_'), 0, 0))))
                continue;
            Language language;
            language.code = code;
            language.locale = locale;
            const NamesFile file = parseNames(bytes);
            language.names = file.names;
            language.captions = file.captions;
            if (!file.problems.isEmpty())
                qWarning("Zubiko: names\\%s.txt: %d line(s) left out (%s%s)", qUtf8Printable(code),
                         static_cast<int>(file.problems.size()), qUtf8Printable(file.problems.mid(0, 3).join(QStringLiteral("; "))),
                         file.problems.size() > 3 ? "; ..." : "");
            qCDebug(lcWindow).noquote() << QStringLiteral("language %1").arg(code);
            return language;
        }
        if (missed.isEmpty())
            missed = tag;
    }
    return fallBack();
}
