<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru">
<context>
    <name>Form1</name>
    <message>
        <source>,,, Zubiko.. click the red bar for the animal name and sound </source>
        <translation>,,, Zubiko.. нажми на красную кнопку, и ты услышишь, как зовут животное и как оно говорит </translation>
    </message>
    <message>
        <source>,,,,,,,,,,,,,,,,,,,,,,click the green bar to get the next animal. you can also just press the space bar if you like.</source>
        <translation>,,,,,,,,,,,,,,,,,,,,,,нажми на зелёную кнопку, и появится следующее животное. можно просто нажать пробел.</translation>
    </message>
    <message>
        <source>Name And Sound ...</source>
        <translation>Имя и голос ...</translation>
    </message>
    <message>
        <source>Get Next Animal...</source>
        <translation>Следующее...</translation>
    </message>
    <message>
        <source>Name And Sound</source>
        <translation>Имя и голос</translation>
    </message>
    <message>
        <source>all selected</source>
        <translation>Все животные уже были!</translation>
    </message>
    <message>
        <source>fish make no sound</source>
        <translation>Рыбка не издаёт ни звука.</translation>
    </message>
    <message>
        <source>%1&apos;s make no sound</source>
        <extracomment>%1 is the animal&apos;s name. Say in a short sentence that this animal makes no sound.</extracomment>
        <translation>%1 не издаёт ни звука.</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Очистить</translation>
    </message>
    <message>
        <source>Spacebar</source>
        <translation>Пробел</translation>
    </message>
    <message>
        <source>Get more free children&apos;s software here</source>
        <translation>Ещё бесплатные программы для детей</translation>
    </message>
    <message>
        <source>replay sound</source>
        <translation>послушать ещё</translation>
    </message>
    <message>
        <source>volume</source>
        <translation>громкость</translation>
    </message>
    <message>
        <source>version 1.1</source>
        <translation>версия 1.1</translation>
    </message>
    <message>
        <source>you can choose animals individually</source>
        <translation>можно выбрать любое животное</translation>
    </message>
</context>
</TS>
