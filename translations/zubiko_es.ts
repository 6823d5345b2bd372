<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>Form1</name>
    <message>
        <source>,,, Zubiko.. click the red bar for the animal name and sound </source>
        <translation>,,, Zubiko.. pulsa la barra roja para oír el nombre y el sonido del animal </translation>
    </message>
    <message>
        <source>,,,,,,,,,,,,,,,,,,,,,,click the green bar to get the next animal. you can also just press the space bar if you like.</source>
        <translation>,,,,,,,,,,,,,,,,,,,,,,pulsa la barra verde para ver otro animal. también puedes pulsar la barra espaciadora.</translation>
    </message>
    <message>
        <source>Name And Sound ...</source>
        <translation>Nombre y sonido ...</translation>
    </message>
    <message>
        <source>Get Next Animal...</source>
        <translation>Otro animal...</translation>
    </message>
    <message>
        <source>Name And Sound</source>
        <translation>Nombre y sonido</translation>
    </message>
    <message>
        <source>all selected</source>
        <translation>¡Ya los has visto todos!</translation>
    </message>
    <message>
        <source>fish make no sound</source>
        <translation>El pez no hace ningún ruido.</translation>
    </message>
    <message>
        <source>%1&apos;s make no sound</source>
        <extracomment>%1 is the animal&apos;s name. Say in a short sentence that this animal makes no sound.</extracomment>
        <translation>%1: no hace ningún ruido.</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Borrar</translation>
    </message>
    <message>
        <source>Spacebar</source>
        <translation>Espacio</translation>
    </message>
    <message>
        <source>Get more free children&apos;s software here</source>
        <translation>Más programas gratis para niños aquí</translation>
    </message>
    <message>
        <source>replay sound</source>
        <translation>otra vez</translation>
    </message>
    <message>
        <source>volume</source>
        <translation>volumen</translation>
    </message>
    <message>
        <source>version 1.1</source>
        <translation>versión 1.1</translation>
    </message>
    <message>
        <source>you can choose animals individually</source>
        <translation>puedes elegir los animales uno a uno</translation>
    </message>
</context>
</TS>
