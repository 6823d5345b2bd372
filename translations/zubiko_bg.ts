<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="bg">
<context>
    <name>Form1</name>
    <message>
        <source>,,, Zubiko.. click the red bar for the animal name and sound </source>
        <translation>,,, Zubiko.. натисни червената лента, за да чуеш името и гласа на животното </translation>
    </message>
    <message>
        <source>,,,,,,,,,,,,,,,,,,,,,,click the green bar to get the next animal. you can also just press the space bar if you like.</source>
        <translation>,,,,,,,,,,,,,,,,,,,,,,натисни зелената лента за следващото животно. можеш и просто да натиснеш интервала.</translation>
    </message>
    <message>
        <source>Name And Sound ...</source>
        <translation>Име и глас ...</translation>
    </message>
    <message>
        <source>Get Next Animal...</source>
        <translation>Следващото...</translation>
    </message>
    <message>
        <source>Name And Sound</source>
        <translation>Име и глас</translation>
    </message>
    <message>
        <source>all selected</source>
        <translation>Видя всички животни!</translation>
    </message>
    <message>
        <source>fish make no sound</source>
        <translation>Рибката не издава никакъв звук.</translation>
    </message>
    <message>
        <source>%1&apos;s make no sound</source>
        <extracomment>%1 is the animal&apos;s name. Say in a short sentence that this animal makes no sound.</extracomment>
        <translation>%1: не издава никакъв звук.</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Изчисти</translation>
    </message>
    <message>
        <source>Spacebar</source>
        <translation>Интервал</translation>
    </message>
    <message>
        <source>Get more free children&apos;s software here</source>
        <translation>Още безплатни програми за деца тук</translation>
    </message>
    <message>
        <source>replay sound</source>
        <translation>чуй отново</translation>
    </message>
    <message>
        <source>volume</source>
        <translation>сила на звука</translation>
    </message>
    <message>
        <source>version 1.1</source>
        <translation>версия 1.1</translation>
    </message>
    <message>
        <source>you can choose animals individually</source>
        <translation>можеш сам да избираш животните</translation>
    </message>
</context>
</TS>
