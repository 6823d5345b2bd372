<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="sv">
<context>
    <name>Form1</name>
    <message>
        <source>,,, Zubiko.. click the red bar for the animal name and sound </source>
        <translation>,,, Zubiko.. klicka på den röda stapeln så får du höra djurets namn och läte </translation>
    </message>
    <message>
        <source>,,,,,,,,,,,,,,,,,,,,,,click the green bar to get the next animal. you can also just press the space bar if you like.</source>
        <translation>,,,,,,,,,,,,,,,,,,,,,,klicka på den gröna stapeln för nästa djur. du kan också bara trycka på mellanslag.</translation>
    </message>
    <message>
        <source>Name And Sound ...</source>
        <translation>Namn och läte ...</translation>
    </message>
    <message>
        <source>Get Next Animal...</source>
        <translation>Nästa djur...</translation>
    </message>
    <message>
        <source>Name And Sound</source>
        <translation>Namn och läte</translation>
    </message>
    <message>
        <source>all selected</source>
        <translation>Du har sett alla djuren!</translation>
    </message>
    <message>
        <source>fish make no sound</source>
        <translation>Fisken låter inte alls.</translation>
    </message>
    <message>
        <source>%1&apos;s make no sound</source>
        <extracomment>%1 is the animal&apos;s name. Say in a short sentence that this animal makes no sound.</extracomment>
        <translation>%1: helt tyst, inget ljud.</translation>
    </message>
    <message>
        <source>replay sound</source>
        <translation>lyssna igen</translation>
    </message>
    <message>
        <source>volume</source>
        <translation>volym</translation>
    </message>
    <message>
        <source>version 1.1</source>
        <translation>version 1.1</translation>
    </message>
    <message>
        <source>you can choose animals individually</source>
        <translation>du kan välja djuren ett i taget</translation>
    </message>
    <message>
        <source>Get more free children&apos;s software here</source>
        <translation>Fler gratisprogram för barn här</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Rensa</translation>
    </message>
    <message>
        <source>Spacebar</source>
        <translation>Mellanslag</translation>
    </message>
</context>
</TS>
