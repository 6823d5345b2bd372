<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt">
<context>
    <name>Form1</name>
    <message>
        <source>,,, Zubiko.. click the red bar for the animal name and sound </source>
        <translation>,,, Zubiko.. clica na barra vermelha para ouvir o nome e o som do animal </translation>
    </message>
    <message>
        <source>,,,,,,,,,,,,,,,,,,,,,,click the green bar to get the next animal. you can also just press the space bar if you like.</source>
        <translation>,,,,,,,,,,,,,,,,,,,,,,clica na barra verde para ver outro animal. também dá para usar a barra de espaço.</translation>
    </message>
    <message>
        <source>Name And Sound ...</source>
        <translation>Nome e som ...</translation>
    </message>
    <message>
        <source>Get Next Animal...</source>
        <translation>Outro animal...</translation>
    </message>
    <message>
        <source>Name And Sound</source>
        <translation>Nome e som</translation>
    </message>
    <message>
        <source>all selected</source>
        <translation>Já apareceram todos os animais!</translation>
    </message>
    <message>
        <source>fish make no sound</source>
        <translation>O peixe não faz nenhum barulho.</translation>
    </message>
    <message>
        <source>%1&apos;s make no sound</source>
        <extracomment>%1 is the animal&apos;s name. Say in a short sentence that this animal makes no sound.</extracomment>
        <translation>%1: não faz nenhum barulho.</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Limpar</translation>
    </message>
    <message>
        <source>Spacebar</source>
        <translation>Espaço</translation>
    </message>
    <message>
        <source>Get more free children&apos;s software here</source>
        <translation>Mais programas grátis para crianças aqui</translation>
    </message>
    <message>
        <source>replay sound</source>
        <translation>ouvir outra vez</translation>
    </message>
    <message>
        <source>volume</source>
        <translation>volume</translation>
    </message>
    <message>
        <source>version 1.1</source>
        <translation>versão 1.1</translation>
    </message>
    <message>
        <source>you can choose animals individually</source>
        <translation>escolhe os animais um a um</translation>
    </message>
</context>
</TS>
