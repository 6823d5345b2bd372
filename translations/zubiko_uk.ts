<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="uk">
<context>
    <name>Form1</name>
    <message>
        <source>,,, Zubiko.. click the red bar for the animal name and sound </source>
        <translation>,,, Zubiko.. натисни на червону кнопку, і ти почуєш, як звуть тварину і як вона говорить </translation>
    </message>
    <message>
        <source>,,,,,,,,,,,,,,,,,,,,,,click the green bar to get the next animal. you can also just press the space bar if you like.</source>
        <translation>,,,,,,,,,,,,,,,,,,,,,,натисни на зелену кнопку, і з&apos;явиться наступна тварина. можна просто натиснути пробіл.</translation>
    </message>
    <message>
        <source>Name And Sound ...</source>
        <translation>Ім&apos;я і голос ...</translation>
    </message>
    <message>
        <source>Get Next Animal...</source>
        <translation>Наступна...</translation>
    </message>
    <message>
        <source>Name And Sound</source>
        <translation>Ім&apos;я і голос</translation>
    </message>
    <message>
        <source>all selected</source>
        <translation>Усі тварини вже були!</translation>
    </message>
    <message>
        <source>fish make no sound</source>
        <translation>Рибка не видає жодного звуку.</translation>
    </message>
    <message>
        <source>%1&apos;s make no sound</source>
        <extracomment>%1 is the animal&apos;s name. Say in a short sentence that this animal makes no sound.</extracomment>
        <translation>%1 не видає жодного звуку.</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Очистити</translation>
    </message>
    <message>
        <source>Spacebar</source>
        <translation>Пробіл</translation>
    </message>
    <message>
        <source>Get more free children&apos;s software here</source>
        <translation>Більше безкоштовних програм для дітей</translation>
    </message>
    <message>
        <source>replay sound</source>
        <translation>послухати ще</translation>
    </message>
    <message>
        <source>volume</source>
        <translation>гучність</translation>
    </message>
    <message>
        <source>version 1.1</source>
        <translation>версія 1.1</translation>
    </message>
    <message>
        <source>you can choose animals individually</source>
        <translation>можна вибрати будь-яку тварину</translation>
    </message>
</context>
</TS>
