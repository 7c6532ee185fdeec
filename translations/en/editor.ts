<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ru_RU">
<context>
    <name>CodeMap</name>
    <message>
        <source>%1 (мл.)</source>
        <translation>%1 (low)</translation>
    </message>
    <message>
        <source>%1 (ст.)</source>
        <translation>%1 (high)</translation>
    </message>
</context>
<context>
    <name>orlan::TAsmFrm</name>
    <message>
        <source>Файл</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Новый</source>
        <translation>New</translation>
    </message>
    <message>
        <source>Открыть...</source>
        <translation>Open...</translation>
    </message>
    <message>
        <source>Сохранить</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Сохранить как...</source>
        <translation>Save As...</translation>
    </message>
    <message>
        <source>Сохранить листинг...</source>
        <translation>Save Listing...</translation>
    </message>
    <message>
        <source>Печать листинга...</source>
        <translation>Print Listing...</translation>
    </message>
    <message>
        <source>Закрыть окно</source>
        <translation>Close Window</translation>
    </message>
    <message>
        <source>Программа</source>
        <translation>Program</translation>
    </message>
    <message>
        <source>Ассемблировать</source>
        <translation>Assemble</translation>
    </message>
    <message>
        <source>Ассемблировать программу и записать её в память</source>
        <translation>Assemble the program and write it to memory</translation>
    </message>
    <message>
        <source>Дизассемблировать...</source>
        <translation>Disassemble...</translation>
    </message>
    <message>
        <source>Получить текст программы из ячеек памяти</source>
        <translation>Get the program text from memory cells</translation>
    </message>
    <message>
        <source>Выполнить такт</source>
        <translation>Execute Tact</translation>
    </message>
    <message>
        <source>Выполнить текущую команду полностью</source>
        <translation>Execute Current Instruction</translation>
    </message>
    <message>
        <source>Выполнить программу / остановить</source>
        <translation>Run / Stop Program</translation>
    </message>
    <message>
        <source>Панель инструментов</source>
        <translation>Toolbar</translation>
    </message>
    <message>
        <source>Новый текст программы</source>
        <translation>New Program Text</translation>
    </message>
    <message>
        <source>Открыть текст программы</source>
        <translation>Open Program Text</translation>
    </message>
    <message>
        <source>Сохранить текст программы</source>
        <translation>Save Program Text</translation>
    </message>
    <message>
        <source>Ошибки ассемблирования: щелчок переводит курсор к месту ошибки</source>
        <translation>Assembly errors: click one to move the cursor to it</translation>
    </message>
    <message>
        <source>Строка %1, столбец %2</source>
        <translation>Line %1, column %2</translation>
    </message>
    <message>
        <source>Без имени</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <source>ОРЛАН - Ассемблер</source>
        <translation>ORLAN - Assembler</translation>
    </message>
    <message>
        <source>Все файлы (*)</source>
        <translation>All files (*)</translation>
    </message>
    <message>
        <source>Программы на ассемблере (*.asm)</source>
        <translation>Assembler programs (*.asm)</translation>
    </message>
    <message>
        <source>Открыт файл в кодировке %1</source>
        <translation>File opened in encoding %1</translation>
    </message>
    <message>
        <source>Файл сохранён</source>
        <translation>File saved</translation>
    </message>
    <message>
        <source>Строка %1, столбец %2: ошибка: %3</source>
        <translation>Line %1, column %2: error: %3</translation>
    </message>
    <message>
        <source>Строка %1, столбец %2: предупреждение: %3</source>
        <translation>Line %1, column %2: warning: %3</translation>
    </message>
    <message>
        <source>Ошибок: %1. Память не изменена.</source>
        <translation>Errors: %1. Memory not changed.</translation>
    </message>
    <message>
        <source>Записано ячеек: %1, начало программы %2h</source>
        <translation>Cells written: %1, program start %2h</translation>
    </message>
    <message>
        <source>Дизассемблированы ячейки %1h - %2h</source>
        <translation>Disassembled cells %1h - %2h</translation>
    </message>
    <message>
        <source>Сохранить листинг</source>
        <translation>Save Listing</translation>
    </message>
    <message>
        <source>Листинги (*.lst)</source>
        <translation>Listings (*.lst)</translation>
    </message>
    <message>
        <source>Листинг сохранён</source>
        <translation>Listing saved</translation>
    </message>
</context>
<context>
    <name>orlan::TDisasmFrm</name>
    <message>
        <source>ОРЛАН - Дизассемблирование</source>
        <translation>ORLAN - Disassembly</translation>
    </message>
    <message>
        <source>Номер ячейки памяти: четыре шестнадцатеричные цифры</source>
        <translation>Memory cell number: four hexadecimal digits</translation>
    </message>
    <message>
        <source>Начальная ячейка:</source>
        <translation>First cell:</translation>
    </message>
    <message>
        <source>Конечная ячейка:</source>
        <translation>Last cell:</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
</context>
</TS>
