<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ru_RU">
<context>
    <name>Assembler</name>
    <message>
        <source>неопределённый символ &quot;%1&quot;</source>
        <translation>undefined symbol &quot;%1&quot;</translation>
    </message>
    <message>
        <source>символ &quot;%1&quot; уже определён</source>
        <translation>symbol &quot;%1&quot; is already defined</translation>
    </message>
    <message>
        <source>значение %1 не помещается в байт</source>
        <translation>value %1 does not fit in a byte</translation>
    </message>
    <message>
        <source>неверный операнд для %1</source>
        <translation>invalid operand for %1</translation>
    </message>
    <message>
        <source>неизвестная команда &quot;%1&quot;</source>
        <translation>unknown instruction &quot;%1&quot;</translation>
    </message>
    <message>
        <source>неверное число &quot;%1&quot;</source>
        <translation>invalid number &quot;%1&quot;</translation>
    </message>
    <message>
        <source>ошибка в выражении</source>
        <translation>error in expression</translation>
    </message>
    <message>
        <source>не закрыта скобка</source>
        <translation>unclosed parenthesis</translation>
    </message>
    <message>
        <source>не закрыта кавычка</source>
        <translation>unclosed quote</translation>
    </message>
    <message>
        <source>деление на ноль</source>
        <translation>division by zero</translation>
    </message>
    <message>
        <source>лишние символы в конце строки</source>
        <translation>extra characters at end of line</translation>
    </message>
    <message>
        <source>код выходит за адрес FFFFh</source>
        <translation>code goes past address FFFFh</translation>
    </message>
    <message>
        <source>байты записаны поверх ранее записанных</source>
        <translation>bytes written over bytes written before</translation>
    </message>
    <message>
        <source>IF без ENDIF</source>
        <translation>IF without ENDIF</translation>
    </message>
    <message>
        <source>ELSE без IF</source>
        <translation>ELSE without IF</translation>
    </message>
    <message>
        <source>ENDIF без IF</source>
        <translation>ENDIF without IF</translation>
    </message>
    <message>
        <source>MACRO без ENDM</source>
        <translation>MACRO without ENDM</translation>
    </message>
    <message>
        <source>ENDM без MACRO</source>
        <translation>ENDM without MACRO</translation>
    </message>
    <message>
        <source>нужно имя</source>
        <translation>name required</translation>
    </message>
    <message>
        <source>символ, определённый через EQU, нельзя переопределить</source>
        <translation>a symbol defined with EQU cannot be redefined</translation>
    </message>
    <message>
        <source>слишком глубокая вложенность макрокоманд</source>
        <translation>macros nested too deeply</translation>
    </message>
    <message>
        <source>слишком много строк после раскрытия макрокоманд</source>
        <translation>too many lines after macro expansion</translation>
    </message>
    <message>
        <source>EXITM вне макрокоманды</source>
        <translation>EXITM outside a macro</translation>
    </message>
    <message>
        <source>LOCAL вне макрокоманды</source>
        <translation>LOCAL outside a macro</translation>
    </message>
    <message>
        <source>слишком много ошибок, ассемблирование прервано</source>
        <translation>too many errors, assembly stopped</translation>
    </message>
    <message>
        <source>адреса не устанавливаются: ORG или DS зависят от самих себя</source>
        <translation>addresses do not settle: ORG or DS depend on themselves</translation>
    </message>
    <message>
        <source>неверные аргументы</source>
        <translation>invalid arguments</translation>
    </message>
    <message>
        <source>слишком длинная строка после подстановки аргументов</source>
        <translation>line too long after argument substitution</translation>
    </message>
    <message>
        <source>%1 (в макрокоманде %2)</source>
        <translation>%1 (in macro %2)</translation>
    </message>
</context>
</TS>
