<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fi">
<context>
    <name>Form1</name>
    <message>
        <source>,,, Zubiko.. click the red bar for the animal name and sound </source>
        <translation>,,, Zubiko.. napsauta punaista palkkia, niin kuulet eläimen nimen ja äänen </translation>
    </message>
    <message>
        <source>,,,,,,,,,,,,,,,,,,,,,,click the green bar to get the next animal. you can also just press the space bar if you like.</source>
        <translation>,,,,,,,,,,,,,,,,,,,,,,napsauta vihreää palkkia, niin saat seuraavan eläimen. voit myös painaa välilyöntiä.</translation>
    </message>
    <message>
        <source>Name And Sound ...</source>
        <translation>Nimi ja ääni ...</translation>
    </message>
    <message>
        <source>Get Next Animal...</source>
        <translation>Seuraava eläin...</translation>
    </message>
    <message>
        <source>Name And Sound</source>
        <translation>Nimi ja ääni</translation>
    </message>
    <message>
        <source>all selected</source>
        <translation>Olet nähnyt kaikki eläimet!</translation>
    </message>
    <message>
        <source>fish make no sound</source>
        <translation>Kala ei päästä ääntä.</translation>
    </message>
    <message>
        <source>%1&apos;s make no sound</source>
        <extracomment>%1 is the animal&apos;s name. Say in a short sentence that this animal makes no sound.</extracomment>
        <translation>%1 ei päästä ääntä.</translation>
    </message>
    <message>
        <source>replay sound</source>
        <translation>kuuntele uudelleen</translation>
    </message>
    <message>
        <source>volume</source>
        <translation>äänenvoimakkuus</translation>
    </message>
    <message>
        <source>version 1.1</source>
        <translation>versio 1.1</translation>
    </message>
    <message>
        <source>you can choose animals individually</source>
        <translation>voit valita eläimet itse</translation>
    </message>
    <message>
        <source>Get more free children&apos;s software here</source>
        <translation>Lisää ilmaisia lastenohjelmia täällä</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Tyhjennä</translation>
    </message>
    <message>
        <source>Spacebar</source>
        <translation>Välilyönti</translation>
    </message>
</context>
</TS>
