<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>Form1</name>
    <message>
        <source>,,, Zubiko.. click the red bar for the animal name and sound </source>
        <translation>,,, Zubiko.. clique sur la barre rouge pour entendre le nom et le cri de l&apos;animal </translation>
    </message>
    <message>
        <source>,,,,,,,,,,,,,,,,,,,,,,click the green bar to get the next animal. you can also just press the space bar if you like.</source>
        <translation>,,,,,,,,,,,,,,,,,,,,,,clique sur la barre verte pour voir un autre animal. tu peux aussi appuyer sur la barre d&apos;espace.</translation>
    </message>
    <message>
        <source>Name And Sound ...</source>
        <translation>Nom et cri ...</translation>
    </message>
    <message>
        <source>Get Next Animal...</source>
        <translation>Animal suivant...</translation>
    </message>
    <message>
        <source>Name And Sound</source>
        <translation>Nom et cri</translation>
    </message>
    <message>
        <source>all selected</source>
        <translation>Tu as vu tous les animaux !</translation>
    </message>
    <message>
        <source>fish make no sound</source>
        <translation>Le poisson ne fait pas de bruit.</translation>
    </message>
    <message>
        <source>%1&apos;s make no sound</source>
        <extracomment>%1 is the animal&apos;s name. Say in a short sentence that this animal makes no sound.</extracomment>
        <translation>%1 : pas un bruit !</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Effacer</translation>
    </message>
    <message>
        <source>Spacebar</source>
        <translation>Espace</translation>
    </message>
    <message>
        <source>Get more free children&apos;s software here</source>
        <translation>D&apos;autres logiciels gratuits pour enfants ici</translation>
    </message>
    <message>
        <source>replay sound</source>
        <translation>réécouter</translation>
    </message>
    <message>
        <source>volume</source>
        <translation>volume</translation>
    </message>
    <message>
        <source>version 1.1</source>
        <translation>version 1.1</translation>
    </message>
    <message>
        <source>you can choose animals individually</source>
        <translation>tu peux choisir les animaux un par un</translation>
    </message>
</context>
</TS>
