<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="nl">
<context>
    <name>Form1</name>
    <message>
        <source>,,, Zubiko.. click the red bar for the animal name and sound </source>
        <translation>,,, Zubiko.. klik op de rode balk voor de naam en het geluid van het dier </translation>
    </message>
    <message>
        <source>,,,,,,,,,,,,,,,,,,,,,,click the green bar to get the next animal. you can also just press the space bar if you like.</source>
        <translation>,,,,,,,,,,,,,,,,,,,,,,klik op de groene balk voor het volgende dier. je kunt ook gewoon op de spatiebalk drukken.</translation>
    </message>
    <message>
        <source>Name And Sound ...</source>
        <translation>Naam en geluid ...</translation>
    </message>
    <message>
        <source>Get Next Animal...</source>
        <translation>Volgend dier...</translation>
    </message>
    <message>
        <source>Name And Sound</source>
        <translation>Naam en geluid</translation>
    </message>
    <message>
        <source>all selected</source>
        <translation>Je hebt ze allemaal gezien!</translation>
    </message>
    <message>
        <source>fish make no sound</source>
        <translation>De vis maakt geen geluid.</translation>
    </message>
    <message>
        <source>%1&apos;s make no sound</source>
        <extracomment>%1 is the animal&apos;s name. Say in a short sentence that this animal makes no sound.</extracomment>
        <translation>%1: helemaal stil, geen geluid.</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Wissen</translation>
    </message>
    <message>
        <source>Spacebar</source>
        <translation>Spatie</translation>
    </message>
    <message>
        <source>Get more free children&apos;s software here</source>
        <translation>Meer gratis programma&apos;s voor kinderen hier</translation>
    </message>
    <message>
        <source>replay sound</source>
        <translation>nog eens horen</translation>
    </message>
    <message>
        <source>volume</source>
        <translation>volume</translation>
    </message>
    <message>
        <source>version 1.1</source>
        <translation>versie 1.1</translation>
    </message>
    <message>
        <source>you can choose animals individually</source>
        <translation>je kunt de dieren ook zelf kiezen</translation>
    </message>
</context>
</TS>
