<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ru_RU">
<context>
    <name>orlan::TCommHelpFrm</name>
    <message>
        <source>Закрыть справку по команде</source>
        <translation>Close instruction help</translation>
    </message>
</context>
</TS>
