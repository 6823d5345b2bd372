<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it">
<context>
    <name>Form1</name>
    <message>
        <source>,,, Zubiko.. click the red bar for the animal name and sound </source>
        <translation>,,, Zubiko.. clicca sulla barra rossa per sentire il nome e il verso dell&apos;animale </translation>
    </message>
    <message>
        <source>,,,,,,,,,,,,,,,,,,,,,,click the green bar to get the next animal. you can also just press the space bar if you like.</source>
        <translation>,,,,,,,,,,,,,,,,,,,,,,clicca sulla barra verde per il prossimo animale. puoi anche premere la barra spaziatrice.</translation>
    </message>
    <message>
        <source>Name And Sound ...</source>
        <translation>Nome e verso ...</translation>
    </message>
    <message>
        <source>Get Next Animal...</source>
        <translation>Prossimo animale...</translation>
    </message>
    <message>
        <source>Name And Sound</source>
        <translation>Nome e verso</translation>
    </message>
    <message>
        <source>all selected</source>
        <translation>Li hai visti tutti!</translation>
    </message>
    <message>
        <source>fish make no sound</source>
        <translation>Il pesce non fa nessun rumore.</translation>
    </message>
    <message>
        <source>%1&apos;s make no sound</source>
        <extracomment>%1 is the animal&apos;s name. Say in a short sentence that this animal makes no sound.</extracomment>
        <translation>%1: non fa nessun rumore.</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Cancella</translation>
    </message>
    <message>
        <source>Spacebar</source>
        <translation>Spazio</translation>
    </message>
    <message>
        <source>Get more free children&apos;s software here</source>
        <translation>Altri programmi gratuiti per bambini qui</translation>
    </message>
    <message>
        <source>replay sound</source>
        <translation>riascolta</translation>
    </message>
    <message>
        <source>volume</source>
        <translation>volume</translation>
    </message>
    <message>
        <source>version 1.1</source>
        <translation>versione 1.1</translation>
    </message>
    <message>
        <source>you can choose animals individually</source>
        <translation>puoi scegliere gli animali uno per uno</translation>
    </message>
</context>
</TS>
