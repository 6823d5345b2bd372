<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="da">
<context>
    <name>Form1</name>
    <message>
        <source>,,, Zubiko.. click the red bar for the animal name and sound </source>
        <translation>,,, Zubiko.. klik på den røde bjælke for at høre dyrets navn og lyd </translation>
    </message>
    <message>
        <source>,,,,,,,,,,,,,,,,,,,,,,click the green bar to get the next animal. you can also just press the space bar if you like.</source>
        <translation>,,,,,,,,,,,,,,,,,,,,,,klik på den grønne bjælke for at få det næste dyr. du kan også bare trykke på mellemrumstasten.</translation>
    </message>
    <message>
        <source>Name And Sound ...</source>
        <translation>Navn og lyd ...</translation>
    </message>
    <message>
        <source>Get Next Animal...</source>
        <translation>Næste dyr...</translation>
    </message>
    <message>
        <source>Name And Sound</source>
        <translation>Navn og lyd</translation>
    </message>
    <message>
        <source>all selected</source>
        <translation>Du har set dem alle sammen!</translation>
    </message>
    <message>
        <source>fish make no sound</source>
        <translation>Fisken laver ingen lyd.</translation>
    </message>
    <message>
        <source>%1&apos;s make no sound</source>
        <extracomment>%1 is the animal&apos;s name. Say in a short sentence that this animal makes no sound.</extracomment>
        <translation>%1: helt stille, ingen lyd.</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Ryd</translation>
    </message>
    <message>
        <source>Spacebar</source>
        <translation>Mellemrum</translation>
    </message>
    <message>
        <source>Get more free children&apos;s software here</source>
        <translation>Flere gratis programmer til børn her</translation>
    </message>
    <message>
        <source>replay sound</source>
        <translation>hør igen</translation>
    </message>
    <message>
        <source>volume</source>
        <translation>lydstyrke</translation>
    </message>
    <message>
        <source>version 1.1</source>
        <translation>version 1.1</translation>
    </message>
    <message>
        <source>you can choose animals individually</source>
        <translation>du kan også selv vælge dyrene</translation>
    </message>
</context>
</TS>
