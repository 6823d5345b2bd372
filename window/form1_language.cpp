// The names and the clock in the family's language. Every caption and sentence is asked of tr()
// where it is used: with no translation installed (English) it gives the text as written.

#include "window/form1.h"

#include "platform/trace.h"

QString Form1::shownName() const
{
    for (const AnimalRow &row : AnimalCatalogue) {
        if (m_state.CurrentAnimal == QLatin1String(row.displayName))
            return m_language.name(row);
    }
    return m_state.CurrentAnimal;
}

void Form1::showName()
{
    lblName->setText(shownName());
    qCDebug(lcWindow).noquote() << QStringLiteral("name shown \"%1\"").arg(lblName->text());
}

QString Form1::clockNow()
{
    const QTime time = m_platform.now().time();
    return m_language.isEnglish() ? clockText(time) : m_language.locale.toString(time, QLocale::ShortFormat);
}
