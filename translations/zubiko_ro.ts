<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ro">
<context>
    <name>Form1</name>
    <message>
        <source>,,, Zubiko.. click the red bar for the animal name and sound </source>
        <translation>,,, Zubiko.. apasă pe bara roșie ca să auzi numele și sunetul animalului </translation>
    </message>
    <message>
        <source>,,,,,,,,,,,,,,,,,,,,,,click the green bar to get the next animal. you can also just press the space bar if you like.</source>
        <translation>,,,,,,,,,,,,,,,,,,,,,,apasă pe bara verde pentru animalul următor. poți apăsa și tasta spațiu.</translation>
    </message>
    <message>
        <source>Name And Sound ...</source>
        <translation>Nume și sunet ...</translation>
    </message>
    <message>
        <source>Get Next Animal...</source>
        <translation>Alt animal...</translation>
    </message>
    <message>
        <source>Name And Sound</source>
        <translation>Nume și sunet</translation>
    </message>
    <message>
        <source>all selected</source>
        <translation>Le-ai văzut pe toate!</translation>
    </message>
    <message>
        <source>fish make no sound</source>
        <translation>Peștele nu face niciun sunet.</translation>
    </message>
    <message>
        <source>%1&apos;s make no sound</source>
        <extracomment>%1 is the animal&apos;s name. Say in a short sentence that this animal makes no sound.</extracomment>
        <translation>%1: nu face niciun sunet.</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Șterge</translation>
    </message>
    <message>
        <source>Spacebar</source>
        <translation>Spațiu</translation>
    </message>
    <message>
        <source>Get more free children&apos;s software here</source>
        <translation>Mai multe programe gratuite pentru copii aici</translation>
    </message>
    <message>
        <source>replay sound</source>
        <translation>ascultă din nou</translation>
    </message>
    <message>
        <source>volume</source>
        <translation>volum</translation>
    </message>
    <message>
        <source>version 1.1</source>
        <translation>versiunea 1.1</translation>
    </message>
    <message>
        <source>you can choose animals individually</source>
        <translation>poți alege singur animalele</translation>
    </message>
</context>
</TS>
