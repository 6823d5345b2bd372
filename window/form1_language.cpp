// The texts and names in the family's language. Every caption and sentence is asked of tr(): with
// no translation installed (English) it gives the text as written here.

#include "window/form1.h"

#include "platform/trace.h"

void Form1::showTexts()
{
    for (const AnimalRow &row : AnimalCatalogue)
        animalButton(row.number)->setText(m_language.caption(row));
    cmdClearAllGreen->setText(tr("Clear"));
    cmdSpaceBar->setText(tr("Spacebar"));
    setFittingCaption(Label1, tr("Get more free children's software here"));
    setFittingCaption(Label4, tr("replay sound"));
    setFittingCaption(Label6, tr("volume"));
    setFittingCaption(Label7, tr("version 1.1"));
    setFittingCaption(Label8, tr("you can choose animals individually"));
}

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
