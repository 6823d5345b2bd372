<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="el">
<context>
    <name>Form1</name>
    <message>
        <source>,,, Zubiko.. click the red bar for the animal name and sound </source>
        <translation>,,, Zubiko.. πάτησε την κόκκινη μπάρα για να ακούσεις το όνομα και τη φωνή του ζώου </translation>
    </message>
    <message>
        <source>,,,,,,,,,,,,,,,,,,,,,,click the green bar to get the next animal. you can also just press the space bar if you like.</source>
        <translation>,,,,,,,,,,,,,,,,,,,,,,πάτησε την πράσινη μπάρα για το επόμενο ζώο. μπορείς και απλώς να πατήσεις το διάστημα.</translation>
    </message>
    <message>
        <source>Name And Sound ...</source>
        <translation>Όνομα και φωνή ...</translation>
    </message>
    <message>
        <source>Get Next Animal...</source>
        <translation>Επόμενο ζώο...</translation>
    </message>
    <message>
        <source>Name And Sound</source>
        <translation>Όνομα και φωνή</translation>
    </message>
    <message>
        <source>all selected</source>
        <translation>Τα είδες όλα!</translation>
    </message>
    <message>
        <source>fish make no sound</source>
        <translation>Το ψάρι δεν κάνει κανέναν ήχο.</translation>
    </message>
    <message>
        <source>%1&apos;s make no sound</source>
        <extracomment>%1 is the animal&apos;s name. Say in a short sentence that this animal makes no sound.</extracomment>
        <translation>%1: δεν κάνει κανέναν ήχο.</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Καθάρισμα</translation>
    </message>
    <message>
        <source>Spacebar</source>
        <translation>Διάστημα</translation>
    </message>
    <message>
        <source>Get more free children&apos;s software here</source>
        <translation>Κι άλλα δωρεάν παιδικά προγράμματα εδώ</translation>
    </message>
    <message>
        <source>replay sound</source>
        <translation>άκου ξανά</translation>
    </message>
    <message>
        <source>volume</source>
        <translation>ένταση</translation>
    </message>
    <message>
        <source>version 1.1</source>
        <translation>έκδοση 1.1</translation>
    </message>
    <message>
        <source>you can choose animals individually</source>
        <translation>μπορείς να διαλέξεις όποιο ζώο θέλεις</translation>
    </message>
</context>
</TS>
