<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ca">
<context>
    <name>Form1</name>
    <message>
        <source>,,, Zubiko.. click the red bar for the animal name and sound </source>
        <translation>,,, Zubiko.. fes clic a la barra vermella per sentir el nom i el so de l&apos;animal </translation>
    </message>
    <message>
        <source>,,,,,,,,,,,,,,,,,,,,,,click the green bar to get the next animal. you can also just press the space bar if you like.</source>
        <translation>,,,,,,,,,,,,,,,,,,,,,,fes clic a la barra verda per veure un altre animal. també pots prémer la barra d&apos;espai.</translation>
    </message>
    <message>
        <source>Name And Sound ...</source>
        <translation>Nom i so ...</translation>
    </message>
    <message>
        <source>Get Next Animal...</source>
        <translation>Un altre animal...</translation>
    </message>
    <message>
        <source>Name And Sound</source>
        <translation>Nom i so</translation>
    </message>
    <message>
        <source>all selected</source>
        <translation>Ja els has vist tots!</translation>
    </message>
    <message>
        <source>fish make no sound</source>
        <translation>El peix no fa cap soroll.</translation>
    </message>
    <message>
        <source>%1&apos;s make no sound</source>
        <extracomment>%1 is the animal&apos;s name. Say in a short sentence that this animal makes no sound.</extracomment>
        <translation>%1: no fa cap soroll.</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Esborra</translation>
    </message>
    <message>
        <source>Spacebar</source>
        <translation>Espai</translation>
    </message>
    <message>
        <source>Get more free children&apos;s software here</source>
        <translation>Més programes gratuïts per a infants aquí</translation>
    </message>
    <message>
        <source>replay sound</source>
        <translation>torna-ho a sentir</translation>
    </message>
    <message>
        <source>volume</source>
        <translation>volum</translation>
    </message>
    <message>
        <source>version 1.1</source>
        <translation>versió 1.1</translation>
    </message>
    <message>
        <source>you can choose animals individually</source>
        <translation>pots triar els animals un per un</translation>
    </message>
</context>
</TS>
