<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="be">
<context>
    <name>Form1</name>
    <message>
        <source>,,, Zubiko.. click the red bar for the animal name and sound </source>
        <translation>,,, Zubiko.. націсні на чырвоную кнопку, і ты пачуеш, як завуць жывёлу і як яна гаворыць </translation>
    </message>
    <message>
        <source>,,,,,,,,,,,,,,,,,,,,,,click the green bar to get the next animal. you can also just press the space bar if you like.</source>
        <translation>,,,,,,,,,,,,,,,,,,,,,,націсні на зялёную кнопку, і з&apos;явіцца наступная жывёла. можна проста націснуць прабел.</translation>
    </message>
    <message>
        <source>Name And Sound ...</source>
        <translation>Імя і голас ...</translation>
    </message>
    <message>
        <source>Get Next Animal...</source>
        <translation>Наступная...</translation>
    </message>
    <message>
        <source>Name And Sound</source>
        <translation>Імя і голас</translation>
    </message>
    <message>
        <source>all selected</source>
        <translation>Усе жывёлы ўжо былі!</translation>
    </message>
    <message>
        <source>fish make no sound</source>
        <translation>Рыбка не выдае ніводнага гуку.</translation>
    </message>
    <message>
        <source>%1&apos;s make no sound</source>
        <extracomment>%1 is the animal&apos;s name. Say in a short sentence that this animal makes no sound.</extracomment>
        <translation>%1 не выдае ніводнага гуку.</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Ачысціць</translation>
    </message>
    <message>
        <source>Spacebar</source>
        <translation>Прабел</translation>
    </message>
    <message>
        <source>Get more free children&apos;s software here</source>
        <translation>Яшчэ бясплатныя праграмы для дзяцей</translation>
    </message>
    <message>
        <source>replay sound</source>
        <translation>паслухаць яшчэ</translation>
    </message>
    <message>
        <source>volume</source>
        <translation>гучнасць</translation>
    </message>
    <message>
        <source>version 1.1</source>
        <translation>версія 1.1</translation>
    </message>
    <message>
        <source>you can choose animals individually</source>
        <translation>можна выбраць любую жывёлу</translation>
    </message>
</context>
</TS>
