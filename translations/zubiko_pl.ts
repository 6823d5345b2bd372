<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl">
<context>
    <name>Form1</name>
    <message>
        <source>,,, Zubiko.. click the red bar for the animal name and sound </source>
        <translation>,,, Zubiko.. kliknij czerwony pasek, a usłyszysz nazwę i głos zwierzęcia </translation>
    </message>
    <message>
        <source>,,,,,,,,,,,,,,,,,,,,,,click the green bar to get the next animal. you can also just press the space bar if you like.</source>
        <translation>,,,,,,,,,,,,,,,,,,,,,,kliknij zielony pasek, a pojawi się następne zwierzę. możesz też po prostu nacisnąć spację.</translation>
    </message>
    <message>
        <source>Name And Sound ...</source>
        <translation>Nazwa i głos ...</translation>
    </message>
    <message>
        <source>Get Next Animal...</source>
        <translation>Następne...</translation>
    </message>
    <message>
        <source>Name And Sound</source>
        <translation>Nazwa i głos</translation>
    </message>
    <message>
        <source>all selected</source>
        <translation>Wszystkie zwierzęta już były!</translation>
    </message>
    <message>
        <source>fish make no sound</source>
        <translation>Rybka nie wydaje żadnego dźwięku.</translation>
    </message>
    <message>
        <source>%1&apos;s make no sound</source>
        <extracomment>%1 is the animal&apos;s name. Say in a short sentence that this animal makes no sound.</extracomment>
        <translation>%1 nie wydaje żadnego dźwięku.</translation>
    </message>
    <message>
        <source>replay sound</source>
        <translation>posłuchaj jeszcze raz</translation>
    </message>
    <message>
        <source>volume</source>
        <translation>głośność</translation>
    </message>
    <message>
        <source>version 1.1</source>
        <translation>wersja 1.1</translation>
    </message>
    <message>
        <source>you can choose animals individually</source>
        <translation>możesz wybrać dowolne zwierzę</translation>
    </message>
    <message>
        <source>Get more free children&apos;s software here</source>
        <translation>Więcej darmowych programów dla dzieci</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Wyczyść</translation>
    </message>
    <message>
        <source>Spacebar</source>
        <translation>Spacja</translation>
    </message>
</context>
</TS>
