<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ru_RU">
<context>
    <name>Cycles</name>
    <message>
        <source>Выборка команды</source>
        <translation>Instruction fetch</translation>
    </message>
    <message>
        <source>Чтение памяти</source>
        <translation>Memory read</translation>
    </message>
    <message>
        <source>Запись в память</source>
        <translation>Memory write</translation>
    </message>
    <message>
        <source>Чтение стека</source>
        <translation>Stack read</translation>
    </message>
    <message>
        <source>Запись в стек</source>
        <translation>Stack write</translation>
    </message>
    <message>
        <source>Запись в УВВ</source>
        <translation>I/O write</translation>
    </message>
    <message>
        <source>Чтение УВВ</source>
        <translation>I/O read</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>ОРЛАН - Ошибка экспорта в Excel</source>
        <translation>ORLAN - Excel Export Error</translation>
    </message>
    <message>
        <source>ОРЛАН - Ошибка экспорта в Word</source>
        <translation>ORLAN - Word Export Error</translation>
    </message>
    <message>
        <source>ОРЛАН - Ошибка экспорта в текстовый файл</source>
        <translation>ORLAN - Text File Export Error</translation>
    </message>
    <message>
        <source>ОРЛАН - Ошибка экспорта</source>
        <translation>ORLAN - Export Error</translation>
    </message>
    <message>
        <source>Задан неверный диапазон экспортируемых данных следующей подпрограммы:
&quot;%1&quot;.
Номер начальной ячейки должен предшествовать (быть равным) номеру конечной.
Действие отменено.

Измените диапазон экспортируемых данных и продолжите работу.</source>
        <translation>Invalid range of exported data in the following subprogram:
&quot;%1&quot;.
The first cell number must come before (or be equal to) the last cell number.
Action cancelled.

Change the range of exported data and continue.</translation>
    </message>
    <message>
        <source>В подпрограмме
&quot;%1&quot;
не задано ни одного параметра экспортируемых данных.
В таблице должен быть хотябы один столбец.
Действие отменено.

Выберите требуемые параметры и продолжите работу.</source>
        <translation>In the subprogram
&quot;%1&quot;
no parameters of the exported data are selected.
The table must have at least one column.
Action cancelled.

Select the required parameters and continue.</translation>
    </message>
    <message>
        <source>Найдены схожие названия имён подпрограмм:
&quot;%1&quot;.
Имена подпрограмм должны быть уникальными.
Действие отменено

Измените названия и продолжите работу.</source>
        <translation>Matching subprogram names found:
&quot;%1&quot;.
Subprogram names must be unique.
Action cancelled.

Change the names and continue.</translation>
    </message>
    <message>
        <source>ОРЛАН - Останов</source>
        <translation>ORLAN - Halt</translation>
    </message>
    <message>
        <source>Микропроцессор находится в состоянии останова (флаг &quot;HLDA&quot;).
Дальнейшее продолжение работы микропроцессора невозможно до тех пор,
пока он не будет выведен из этого состояния по сигналу внешнего прерывания
или после перезапуска.

Нажмите &quot;Да&quot; чтобы принудительно снять флаг останова и продолжить работу с эмулятором.</source>
        <translation>The microprocessor is in the halt state (flag &quot;HLDA&quot;).
The microprocessor cannot go on working until
it is brought out of this state by an external interrupt signal
or by a restart.

Click &quot;Yes&quot; to force the halt flag off and continue working with the emulator.</translation>
    </message>
    <message>
        <source>Произошёл останов выполнения программы по команде 76h HLT.
Установлен флаг останова микропроцессора &quot;HLDA&quot;.

Для снятия флага HLDA воспользуйтесь клавишей F12 на клавиатуре
или пунктом меню &quot;МП-система-&gt;Снять флаг HLDA&quot;</source>
        <translation>Program execution halted by instruction 76h HLT.
The microprocessor halt flag &quot;HLDA&quot; is set.

To clear the HLDA flag, press F12 on the keyboard
or use the menu item &quot;Processor-&gt;Clear HLDA Flag&quot;</translation>
    </message>
    <message>
        <source>ОРЛАН - Ошибка!</source>
        <translation>ORLAN - Error!</translation>
    </message>
    <message>
        <source>Произошла ошибка программы по адресу %1h
при попытке выполнить несуществующую команду с кодом %2h.

Возможно, по этому адресу расположена часть области данных,
непосредственный операнд или произошла неверная адресация
памяти при неверно вычисленном адресе.

Система остановлена.
Нажмите &quot;OK&quot; для продолжения работы с эмулятором.</source>
        <translation>Program error at address %1h
while trying to execute an undefined instruction with code %2h.

Perhaps this address holds part of a data area
or an immediate operand, or memory was addressed
with a wrongly computed address.

The system has been stopped.
Click &quot;OK&quot; to continue working with the emulator.</translation>
    </message>
    <message>
        <source>ОРЛАН - Ошибка открытия файла</source>
        <translation>ORLAN - File Open Error</translation>
    </message>
    <message>
        <source>Файл &quot;%1&quot;
не найден.
Возможно: он используется другой программой,
у Вас нет прав на открытие этого файла или он не существует.

Действие отменено.</source>
        <translation>File &quot;%1&quot;
not found.
Perhaps it is in use by another program,
you have no permission to open it, or it does not exist.

Action cancelled.</translation>
    </message>
    <message>
        <source>Файл &quot;%1&quot;
не является файлом данных эмулятора ПМ системы ОРЛАН.
Возможно, он принадлежит другой или более старой версии эмулятора.

Действие отменено.</source>
        <translation>File &quot;%1&quot;
is not a data file of the ORLAN microprocessor system emulator.
Perhaps it belongs to another or an older version of the emulator.

Action cancelled.</translation>
    </message>
    <message>
        <source>ОРЛАН - Ошибка записи файла</source>
        <translation>ORLAN - File Write Error</translation>
    </message>
    <message>
        <source>Невозможно сохранить файл
%1
Возможно он защищён от записи или находится на носителе, предназначенном только для чтения.

Попробуйте снять защиту от записи или выбрать другой файл (носитель).</source>
        <translation>Cannot save the file
%1
Perhaps it is write-protected or is on a read-only medium.

Try removing the write protection or choose another file (medium).</translation>
    </message>
    <message>
        <source>ОРЛАН - Ошибка сохранения подпрограммы</source>
        <translation>ORLAN - Subprogram Save Error</translation>
    </message>
    <message>
        <source>Введён неверный диапазон сохраняемых ячеек памяти.

Номер начальной ячейки должен быть меньше или равен конечной.
Действие отменено.

Проверьте правильность введённого диапазона и продолжите работу с эмулятором.</source>
        <translation>Invalid range of memory cells to save.

The first cell number must be less than or equal to the last.
Action cancelled.

Check the range entered and continue working with the emulator.</translation>
    </message>
    <message>
        <source>ОРЛАН - Ошибка открытия подпрограммы</source>
        <translation>ORLAN - Subprogram Open Error</translation>
    </message>
    <message>
        <source>Введено неверное значение начальной ячейки ОЗУ и/или файл подпрограммы слишком велик.
Действие отменено.

Проверьте правильность введённого номера начальной ячейки или попробуйте разместить подпрограмму, начиная с более младшего адреса.</source>
        <translation>Invalid first RAM cell and/or the subprogram file is too large.
Action cancelled.

Check the first cell number entered or try placing the subprogram at a lower address.</translation>
    </message>
    <message>
        <source>Файл &quot;%1&quot;
не удаётся прочитать.
Возможно, он используется другой программой или у Вас нет прав на чтение этого файла.

Действие отменено.</source>
        <translation>File &quot;%1&quot;
cannot be read.
Perhaps it is in use by another program or you have no permission to read it.

Action cancelled.</translation>
    </message>
    <message>
        <source>Файл справки по командам &quot;%1&quot;
не найден или не может быть открыт.

Справка по командам недоступна. Восстановите этот файл в папке программы.</source>
        <translation>Instruction help file &quot;%1&quot;
is not found or cannot be opened.

Instruction help is unavailable. Restore this file in the program folder.</translation>
    </message>
    <message>
        <source>ORLAN - Ошибка</source>
        <translation>ORLAN - Error</translation>
    </message>
    <message>
        <source>Произошла ошибка подключения к серверу.
Возможно отсутствует подключение к Интернет.

Проверьте подключение и повторите попытку снова.</source>
        <translation>Could not connect to the server.
Perhaps there is no Internet connection.

Check the connection and try again.</translation>
    </message>
    <message>
        <source>ORLAN - Новая версия!</source>
        <translation>ORLAN - New Version!</translation>
    </message>
    <message>
        <source>Имеется новая версия эмулятора. Посетите сайт программы:
%1</source>
        <translation>A new version of the emulator is available. Visit the program&apos;s web site:
%1</translation>
    </message>
    <message>
        <source>ORLAN - Нет новой версии</source>
        <translation>ORLAN - No New Version</translation>
    </message>
    <message>
        <source>На данный момент пока нет новой версии эмулятора.
Следите за обновлениями.</source>
        <translation>There is no new version of the emulator yet.
Watch for updates.</translation>
    </message>
    <message>
        <source>ОРЛАН - Ошибка УВВ</source>
        <translation>ORLAN - I/O Error</translation>
    </message>
    <message>
        <source>Устройство не готово.
Возможно не вставлена дискета в дисковод или она защищена от записи.
Попробуйте вставить дискету в дисковод или снять защиту от записи.</source>
        <translation>Device not ready.
Perhaps there is no floppy disk in the drive or it is write-protected.
Try inserting a floppy disk into the drive or removing the write protection.</translation>
    </message>
    <message>
        <source>Невозможно обратиться к дисководу. Устройство занято другим приложением.
Попробуйте повторить действие позже.</source>
        <translation>Cannot access the floppy drive. The device is in use by another application.
Try again later.</translation>
    </message>
    <message>
        <source>Устройство не готово.
Возможно стоит защита от записи.
Попробуйте снять защиту от записи.</source>
        <translation>Device not ready.
Perhaps it is write-protected.
Try removing the write protection.</translation>
    </message>
    <message>
        <source>Невозможно обратиться к жёсткому диску. Устройство занято другим приложением.
Попробуйте повторить действие позже.</source>
        <translation>Cannot access the hard disk. The device is in use by another application.
Try again later.</translation>
    </message>
    <message>
        <source>ОРЛАН - Ошибка печати</source>
        <translation>ORLAN - Print Error</translation>
    </message>
    <message>
        <source>Не удалось напечатать на принтере &quot;%1&quot;.
Возможно, принтер выключен или не подключён.

Действие отменено.

Проверьте принтер или выберите в настройках принтера печать в PDF-файл.</source>
        <translation>Could not print on the printer &quot;%1&quot;.
Perhaps the printer is off or not connected.

Action cancelled.

Check the printer or choose printing to a PDF file in the printer settings.</translation>
    </message>
    <message>
        <source>ОРЛАН - Ошибка сети</source>
        <translation>ORLAN - Network Error</translation>
    </message>
    <message>
        <source>Ошибка сокета: %1.
Операция: &quot;%2&quot;.</source>
        <translation>Socket error: %1.
Operation: &quot;%2&quot;.</translation>
    </message>
    <message>
        <source>ОРЛАН - Ошибка</source>
        <translation>ORLAN - Error</translation>
    </message>
    <message>
        <source>&quot;%1&quot; не является допустимым целым числом.</source>
        <translation>&quot;%1&quot; is not a valid integer.</translation>
    </message>
    <message>
        <source>Приёмник &quot;%1&quot; (порт %2) не принимает передаваемые байты,
и очередь передачи переполнена.
Байты, не поместившиеся в очередь, не будут отправлены.

Проверьте, запущен ли эмулятор-приёмник, и настройки сети.</source>
        <translation>The receiver &quot;%1&quot; (port %2) does not accept the bytes sent,
and the send queue is full.
Bytes that did not fit in the queue will not be sent.

Check that the receiving emulator is running, and check the network settings.</translation>
    </message>
    <message>
        <source>ОРЛАН - Ошибка настройки сети</source>
        <translation>ORLAN - Network Settings Error</translation>
    </message>
    <message>
        <source>Введён неверный адрес приёмника &quot;%1&quot;.

Адрес состоит из четырёх чисел от 0 до 255, разделённых точками,
например 192.168.0.10.
Действие отменено.

Проверьте правильность введённого адреса и повторите попытку.</source>
        <translation>Invalid receiver address &quot;%1&quot;.

The address is four numbers from 0 to 255 separated by dots,
for example 192.168.0.10.
Action cancelled.

Check the address entered and try again.</translation>
    </message>
    <message>
        <source>Введён неверный диапазон печатаемых ячеек памяти.

Номер начальной ячейки должен быть меньше или равен конечной.
Действие отменено.

Проверьте правильность введённых данных для печати и продолжите работу с эмулятором.</source>
        <translation>Invalid range of memory cells to print.

The first cell number must be less than or equal to the last.
Action cancelled.

Check the print data entered and continue working with the emulator.</translation>
    </message>
    <message>
        <source>Не удалось сохранить PDF-файл &quot;%1&quot;.
Возможно, папка защищена от записи или на диске недостаточно места.

Действие отменено.

Выберите другую папку или освободите место на диске и повторите печать.</source>
        <translation>Could not save the PDF file &quot;%1&quot;.
Perhaps the folder is write-protected or there is not enough disk space.

Action cancelled.

Choose another folder or free some disk space and print again.</translation>
    </message>
    <message>
        <source>ОРЛАН - Ошибка выбора каталога</source>
        <translation>ORLAN - Folder Selection Error</translation>
    </message>
    <message>
        <source>Каталог &quot;%1&quot;
не найден.
Файлы внешних устройств можно хранить только в существующем каталоге.

Действие отменено.
Выберите другой каталог или создайте этот.</source>
        <translation>Folder &quot;%1&quot;
not found.
External device files can be kept only in an existing folder.

Action cancelled.
Choose another folder or create this one.</translation>
    </message>
    <message>
        <source>Невозможно сохранить файл
%1
На носителе недостаточно свободного места.

Освободите место на носителе или выберите другой файл (носитель).</source>
        <translation>Cannot save the file
%1
There is not enough free space on the medium.

Free some space on the medium or choose another file (medium).</translation>
    </message>
    <message>
        <source>Название подпрограммы
&quot;%1&quot;
не может быть именем листа электронной таблицы.
Имя листа должно содержать от 1 до 31 символа, не может начинаться или заканчиваться
апострофом и не может содержать символы : \ / ? * [ ].
Действие отменено.

Измените название и продолжите работу.</source>
        <translation>The subprogram name
&quot;%1&quot;
cannot be the name of a spreadsheet worksheet.
A worksheet name must be 1 to 31 characters long, must not begin or end
with an apostrophe and must not contain the characters : \ / ? * [ ].
Action cancelled.

Change the name and continue.</translation>
    </message>
    <message>
        <source>Невозможно подключиться к серверу Excel.
Возможно приложение MS Excel не установлено или повреждено.
Попробуйте переустановить (установить) требуемое приложение.

Не удалось записать файл
&quot;%1&quot;.
Возможно, диск переполнен или у Вас нет прав на запись в эту папку.</source>
        <translation>Cannot connect to the Excel server.
Perhaps MS Excel is not installed or is damaged.
Try reinstalling (installing) the required application.

Could not write the file
&quot;%1&quot;.
Perhaps the disk is full or you have no permission to write to this folder.</translation>
    </message>
    <message>
        <source>Невозможно подключиться к серверу Excel.
Возможно приложение MS Excel не установлено или повреждено.
Попробуйте переустановить (установить) требуемое приложение.

Данные сохранены в файле
&quot;%1&quot;
и могут быть открыты вручную.</source>
        <translation>Cannot connect to the Excel server.
Perhaps MS Excel is not installed or is damaged.
Try reinstalling (installing) the required application.

The data is saved in the file
&quot;%1&quot;
and can be opened manually.</translation>
    </message>
    <message>
        <source>Невозможно подключиться к серверу Word.
Возможно приложение MS Word не установлено или повреждено.
Попробуйте переустановить (установить) требуемое приложение.

Не удалось записать файл
&quot;%1&quot;.
Возможно, диск переполнен или у Вас нет прав на запись в эту папку.</source>
        <translation>Cannot connect to the Word server.
Perhaps MS Word is not installed or is damaged.
Try reinstalling (installing) the required application.

Could not write the file
&quot;%1&quot;.
Perhaps the disk is full or you have no permission to write to this folder.</translation>
    </message>
    <message>
        <source>Невозможно подключиться к серверу Word.
Возможно приложение MS Word не установлено или повреждено.
Попробуйте переустановить (установить) требуемое приложение.

Данные сохранены в файле
&quot;%1&quot;
и могут быть открыты вручную.</source>
        <translation>Cannot connect to the Word server.
Perhaps MS Word is not installed or is damaged.
Try reinstalling (installing) the required application.

The data is saved in the file
&quot;%1&quot;
and can be opened manually.</translation>
    </message>
    <message>
        <source>Невозможно создать текстовый файл.

Не удалось записать файл
&quot;%1&quot;.
Возможно, диск переполнен или у Вас нет прав на запись в эту папку.

Действие отменено.</source>
        <translation>Cannot create the text file.

Could not write the file
&quot;%1&quot;.
Perhaps the disk is full or you have no permission to write to this folder.

Action cancelled.</translation>
    </message>
    <message>
        <source>Невозможно открыть текстовый файл.
Возможно в системе не назначена программа для просмотра текстовых файлов.

Данные сохранены в файле
&quot;%1&quot;
и могут быть открыты вручную.</source>
        <translation>Cannot open the text file.
Perhaps no program is set in the system for viewing text files.

The data is saved in the file
&quot;%1&quot;
and can be opened manually.</translation>
    </message>
    <message>
        <source>Файл &quot;%1&quot;
не является ни файлом данных (*.vst), ни файлом подпрограммы (*.vsp),
ни программой на ассемблере (*.asm) эмулятора ОРЛАН.

Действие отменено.</source>
        <translation>File &quot;%1&quot;
is neither a data file (*.vst), nor a subprogram file (*.vsp),
nor an assembler program (*.asm) of the ORLAN emulator.

Action cancelled.</translation>
    </message>
    <message>
        <source>ОРЛАН - Ассемблер</source>
        <translation>ORLAN - Assembler</translation>
    </message>
    <message>
        <source>Текст программы &quot;%1&quot; изменён и не сохранён.

Нажмите &quot;Да&quot; чтобы продолжить без сохранения изменений.
Нажмите &quot;Нет&quot; чтобы вернуться к тексту и сохранить его.</source>
        <translation>The program text &quot;%1&quot; has been changed and not saved.

Click &quot;Yes&quot; to continue without saving the changes.
Click &quot;No&quot; to return to the text and save it.</translation>
    </message>
    <message>
        <source>ОРЛАН - Ошибка дизассемблирования</source>
        <translation>ORLAN - Disassembly Error</translation>
    </message>
    <message>
        <source>Введён неверный диапазон ячеек памяти.

Номер начальной ячейки должен быть меньше или равен конечной.
Действие отменено.

Проверьте правильность введённого диапазона и повторите попытку.</source>
        <translation>Invalid range of memory cells.

The first cell number must be less than or equal to the last.
Action cancelled.

Check the range entered and try again.</translation>
    </message>
    <message>
        <source>Выполнение программы остановлено.</source>
        <translation>Program execution stopped.</translation>
    </message>
</context>
</TS>
