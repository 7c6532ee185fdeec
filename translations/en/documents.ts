<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ru_RU">
<context>
    <name>orlan::TExportFrm</name>
    <message>
        <source>Передать в MS Excel</source>
        <translation>Export to MS Excel</translation>
    </message>
    <message>
        <source>На странице:</source>
        <translation>On page:</translation>
    </message>
    <message>
        <source>Добавить страницу Excel</source>
        <translation>Add Excel Page</translation>
    </message>
    <message>
        <source>Удалить страницу</source>
        <translation>Delete Page</translation>
    </message>
    <message>
        <source>Включая столбец &quot;№ ячейки ОЗУ&quot;</source>
        <translation>Include the &quot;RAM cell no.&quot; column</translation>
    </message>
    <message>
        <source>Включая столбец &quot;Значение ячейки ОЗУ&quot;</source>
        <translation>Include the &quot;RAM cell value&quot; column</translation>
    </message>
    <message>
        <source>Включая столбец &quot;Команда&quot;</source>
        <translation>Include the &quot;Instruction&quot; column</translation>
    </message>
    <message>
        <source>Передать в MS Word</source>
        <translation>Export to MS Word</translation>
    </message>
    <message>
        <source>В разделе:</source>
        <translation>In section:</translation>
    </message>
    <message>
        <source>Добавить раздел документа Word</source>
        <translation>Add Word Document Section</translation>
    </message>
    <message>
        <source>Удалить раздел</source>
        <translation>Delete Section</translation>
    </message>
    <message>
        <source>Включая нумерацию &quot;ячеек ОЗУ&quot;</source>
        <translation>Include RAM cell numbers</translation>
    </message>
    <message>
        <source>Включая &quot;значения ячеек ОЗУ&quot;</source>
        <translation>Include RAM cell values</translation>
    </message>
    <message>
        <source>Включая наименование команд</source>
        <translation>Include instruction names</translation>
    </message>
    <message>
        <source>Текстовый файл</source>
        <translation>Text File</translation>
    </message>
    <message>
        <source>Передать в текстовый файл</source>
        <translation>Export to Text File</translation>
    </message>
    <message>
        <source>Добавить раздел текстового файла</source>
        <translation>Add Text File Section</translation>
    </message>
    <message>
        <source>Аккумулятор</source>
        <translation>Accumulator</translation>
    </message>
    <message>
        <source>Указатель стека</source>
        <translation>Stack pointer</translation>
    </message>
    <message>
        <source>Счётчик команд</source>
        <translation>Program counter</translation>
    </message>
    <message>
        <source>ОРЛАН - Экспорт данных</source>
        <translation>ORLAN - Data Export</translation>
    </message>
    <message>
        <source>Экспорт</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Содержимое ОЗУ:</source>
        <translation>RAM contents:</translation>
    </message>
    <message>
        <source>Ячейки, начиная с:</source>
        <translation>Cells from:</translation>
    </message>
    <message>
        <source>по:</source>
        <translation>to:</translation>
    </message>
    <message>
        <source>Добавить пустой столбец для комментариев</source>
        <translation>Add an empty column for comments</translation>
    </message>
    <message>
        <source>Значения регистров:</source>
        <translation>Register values:</translation>
    </message>
</context>
<context>
    <name>orlan::TPrintFrm</name>
    <message>
        <source>ОРЛАН - Текушие данные эмулятора</source>
        <translation>ORLAN - Current Emulator Data</translation>
    </message>
    <message>
        <source>ОРЛАН - Печать текущих данных</source>
        <translation>ORLAN - Print Current Data</translation>
    </message>
    <message>
        <source>Выберите набор данных для печати:</source>
        <translation>Choose the data to print:</translation>
    </message>
    <message>
        <source>Название подпрограммы:</source>
        <translation>Subprogram name:</translation>
    </message>
    <message>
        <source>Значения ячеек</source>
        <translation>Cell Values</translation>
    </message>
    <message>
        <source>содержимого ОЗУ:</source>
        <translation>RAM contents:</translation>
    </message>
    <message>
        <source>начиная с ячейки:</source>
        <translation>starting at cell:</translation>
    </message>
    <message>
        <source>заканчивая ячейкой:</source>
        <translation>ending at cell:</translation>
    </message>
    <message>
        <source>Значения</source>
        <translation>Values</translation>
    </message>
    <message>
        <source>содержимого регистров:</source>
        <translation>register contents:</translation>
    </message>
    <message>
        <source>Аккумулятор</source>
        <translation>Accumulator</translation>
    </message>
    <message>
        <source>Пара B C</source>
        <translation>Pair B C</translation>
    </message>
    <message>
        <source>Пара D E</source>
        <translation>Pair D E</translation>
    </message>
    <message>
        <source>Пара H L</source>
        <translation>Pair H L</translation>
    </message>
    <message>
        <source>Счётчик команд (PC)</source>
        <translation>Program counter (PC)</translation>
    </message>
    <message>
        <source>Указатель стека (SP)</source>
        <translation>Stack pointer (SP)</translation>
    </message>
    <message>
        <source>Настройки принтера</source>
        <translation>Printer Settings</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Печать</source>
        <translation>Print</translation>
    </message>
</context>
</TS>
