<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>Form1</name>
    <message>
        <source>,,, Zubiko.. click the red bar for the animal name and sound </source>
        <translation>,,, Zubiko.. klick auf den roten Balken, dann hörst du den Namen und die Stimme des Tieres </translation>
    </message>
    <message>
        <source>,,,,,,,,,,,,,,,,,,,,,,click the green bar to get the next animal. you can also just press the space bar if you like.</source>
        <translation>,,,,,,,,,,,,,,,,,,,,,,klick auf den grünen Balken für das nächste Tier. du kannst auch einfach die Leertaste drücken.</translation>
    </message>
    <message>
        <source>Name And Sound ...</source>
        <translation>Name und Stimme ...</translation>
    </message>
    <message>
        <source>Get Next Animal...</source>
        <translation>Nächstes Tier...</translation>
    </message>
    <message>
        <source>Name And Sound</source>
        <translation>Name und Stimme</translation>
    </message>
    <message>
        <source>all selected</source>
        <translation>Du hast alle Tiere gesehen!</translation>
    </message>
    <message>
        <source>fish make no sound</source>
        <translation>Der Fisch macht kein Geräusch.</translation>
    </message>
    <message>
        <source>%1&apos;s make no sound</source>
        <extracomment>%1 is the animal&apos;s name. Say in a short sentence that this animal makes no sound.</extracomment>
        <translation>%1: ganz still, kein Geräusch.</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Spacebar</source>
        <translation>Leertaste</translation>
    </message>
    <message>
        <source>Get more free children&apos;s software here</source>
        <translation>Mehr freie Programme für Kinder hier</translation>
    </message>
    <message>
        <source>replay sound</source>
        <translation>noch mal hören</translation>
    </message>
    <message>
        <source>volume</source>
        <translation>Lautstärke</translation>
    </message>
    <message>
        <source>version 1.1</source>
        <translation>Version 1.1</translation>
    </message>
    <message>
        <source>you can choose animals individually</source>
        <translation>du kannst die Tiere auch selbst aussuchen</translation>
    </message>
</context>
</TS>
