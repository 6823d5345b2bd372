<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="cs">
<context>
    <name>Form1</name>
    <message>
        <source>,,, Zubiko.. click the red bar for the animal name and sound </source>
        <translation>,,, Zubiko.. klikni na červený pruh a uslyšíš jméno a hlas zvířátka </translation>
    </message>
    <message>
        <source>,,,,,,,,,,,,,,,,,,,,,,click the green bar to get the next animal. you can also just press the space bar if you like.</source>
        <translation>,,,,,,,,,,,,,,,,,,,,,,klikni na zelený pruh a objeví se další zvířátko. můžeš taky zmáčknout mezerník.</translation>
    </message>
    <message>
        <source>Name And Sound ...</source>
        <translation>Jméno a hlas ...</translation>
    </message>
    <message>
        <source>Get Next Animal...</source>
        <translation>Další zvíře...</translation>
    </message>
    <message>
        <source>Name And Sound</source>
        <translation>Jméno a hlas</translation>
    </message>
    <message>
        <source>all selected</source>
        <translation>Všechna zvířátka už byla!</translation>
    </message>
    <message>
        <source>fish make no sound</source>
        <translation>Rybička nevydává žádný zvuk.</translation>
    </message>
    <message>
        <source>%1&apos;s make no sound</source>
        <extracomment>%1 is the animal&apos;s name. Say in a short sentence that this animal makes no sound.</extracomment>
        <translation>%1 nevydává žádný zvuk.</translation>
    </message>
    <message>
        <source>replay sound</source>
        <translation>poslechnout znovu</translation>
    </message>
    <message>
        <source>volume</source>
        <translation>hlasitost</translation>
    </message>
    <message>
        <source>version 1.1</source>
        <translation>verze 1.1</translation>
    </message>
    <message>
        <source>you can choose animals individually</source>
        <translation>můžeš si vybrat jakékoli zvíře</translation>
    </message>
    <message>
        <source>Get more free children&apos;s software here</source>
        <translation>Další programy zdarma pro děti</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Smazat</translation>
    </message>
    <message>
        <source>Spacebar</source>
        <translation>Mezerník</translation>
    </message>
</context>
</TS>
