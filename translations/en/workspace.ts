<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ru_RU">
<context>
    <name>main</name>
    <message>
        <source>Эмулятор ПМ системы ОРЛАН</source>
        <translation>ORLAN microprocessor system emulator</translation>
    </message>
    <message>
        <source>файл</source>
        <translation>file</translation>
    </message>
    <message>
        <source>Файл данных (*.vst) или подпрограммы (*.vsp)</source>
        <translation>A data file (*.vst) or a subprogram file (*.vsp)</translation>
    </message>
    <message>
        <source>[файл]</source>
        <translation>[file]</translation>
    </message>
</context>
<context>
    <name>orlan::CommPanel</name>
    <message>
        <source>Система команд микропроцессора ОРЛАН-М</source>
        <translation>ORLAN-M Microprocessor Instruction Set</translation>
    </message>
</context>
<context>
    <name>orlan::MemoryModel</name>
    <message>
        <source>Адрес</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>Значение</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Команда</source>
        <translation>Instruction</translation>
    </message>
</context>
<context>
    <name>orlan::MemoryView</name>
    <message>
        <source>Точка останова</source>
        <translation>Breakpoint</translation>
    </message>
    <message>
        <source>Выполнить до курсора</source>
        <translation>Run to Cursor</translation>
    </message>
</context>
<context>
    <name>orlan::SchemeWidget</name>
    <message>
        <source>Внешняя шина данных  D7-D0</source>
        <translation>External Data Bus  D7-D0</translation>
    </message>
    <message>
        <source>Внутренняя шина данных</source>
        <translation>Internal Data Bus</translation>
    </message>
    <message>
        <source>Шина адреса</source>
        <translation>Address Bus</translation>
    </message>
    <message>
        <source>Шина управления</source>
        <translation>Control Bus</translation>
    </message>
    <message>
        <source>Рег.состояния</source>
        <translation>Status Reg.</translation>
    </message>
    <message>
        <source>Буфер данных</source>
        <translation>Data Buffer</translation>
    </message>
    <message>
        <source>Аккумулятор</source>
        <translation>Accumulator</translation>
    </message>
    <message>
        <source>Буф.рег-р 1</source>
        <translation>Buf. Reg. 1</translation>
    </message>
    <message>
        <source>Рег.признаков</source>
        <translation>Flag Reg.</translation>
    </message>
    <message>
        <source>Рег.команд</source>
        <translation>Instr. Reg.</translation>
    </message>
    <message>
        <source>Буф.рег-р 2</source>
        <translation>Buf. Reg. 2</translation>
    </message>
    <message>
        <source>АЛУ</source>
        <translation>ALU</translation>
    </message>
    <message>
        <source>Схема десятичной
коррекции</source>
        <translation>Decimal Adjust
Circuit</translation>
    </message>
    <message>
        <source>Д/Ш команд</source>
        <translation>Instr. Decoder</translation>
    </message>
    <message>
        <source>Блок
синх-ции и
управления</source>
        <translation>Timing
and Control
Unit</translation>
    </message>
    <message>
        <source>Цикл</source>
        <translation>Cycle</translation>
    </message>
    <message>
        <source>Такт</source>
        <translation>Tact</translation>
    </message>
    <message>
        <source>Мультиплексор</source>
        <translation>Multiplexer</translation>
    </message>
    <message>
        <source>Регистры временного хранения</source>
        <translation>Temporary Registers</translation>
    </message>
    <message>
        <source>Рег-ры общего назначения (РОН)</source>
        <translation>General-Purpose Registers</translation>
    </message>
    <message>
        <source>Указатель стека (УС):</source>
        <translation>Stack Pointer (SP):</translation>
    </message>
    <message>
        <source>Счётчик команд (СК):</source>
        <translation>Program Counter (PC):</translation>
    </message>
    <message>
        <source>Схема инкремента-
декремента</source>
        <translation>Increment/
Decrement Circuit</translation>
    </message>
    <message>
        <source>Буфер адреса</source>
        <translation>Address Buffer</translation>
    </message>
    <message>
        <source>Контроллер ввода-вывода</source>
        <translation>I/O Controller</translation>
    </message>
</context>
<context>
    <name>orlan::SpeedControl</name>
    <message>
        <source>1 такт/с</source>
        <translation>1 tact/s</translation>
    </message>
    <message>
        <source>2 такта/с</source>
        <translation>2 tacts/s</translation>
    </message>
    <message>
        <source>5 тактов/с</source>
        <translation>5 tacts/s</translation>
    </message>
    <message>
        <source>10 тактов/с</source>
        <translation>10 tacts/s</translation>
    </message>
    <message>
        <source>50 тактов/с</source>
        <translation>50 tacts/s</translation>
    </message>
    <message>
        <source>1 000 команд/с</source>
        <translation>1,000 instructions/s</translation>
    </message>
    <message>
        <source>Максимальная</source>
        <translation>Maximum</translation>
    </message>
    <message>
        <source>Скорость</source>
        <translation>Speed</translation>
    </message>
</context>
<context>
    <name>orlan::TAboutFrm</name>
    <message>
        <source>Версия 1.0.2.1735

• Сетевой адаптер (порт 03h): байты уходят по TCP другой копии эмулятора (по умолчанию — самому себе, порт 30102) и показываются в её буфере-приёмнике; настройки сети.

• Печать текущих данных: листинг участка памяти и регистров на принтере, настройки принтера.

• Дисковод (порт 01h), жёсткий диск (порт 02h) и принтер (порт 04h): файлы Floppy.vdv и HDisc.vdv в выбранных папках, буферы с дампом байтов, печать содержимого буфера принтера; диалог «Настройки внешних ЗУ» и файл настроек ORLAN.ini.

• Монитор (порт 00h): экран 312 × 249 точек, символы и точки в 128 цветах, видеобуфер с дампом всех полученных байтов, сохранение изображения в файл.

• Файлы состояния (.vst) и подпрограмм (.vsp): открытие, сохранение, «Сохранить как», диалог подпрограммы; руководство пользователя (F1); запуск только одной копии программы; заставка при запуске.

• Окно «О программе»: адрес сайта программы, проверка наличия новой версии эмулятора через Интернет, история изменений.

• Главное окно: схема микропроцессора с подсветкой элементов, участвующих в такте; просмотр и правка памяти; панель регистров; кнопки выполнения такта, команды и программы; сброс памяти и регистров; полное главное меню; выдвижная таблица системы команд, из которой команду можно перетащить в ячейку памяти; всплывающая справка по команде. Кодовые страницы 1251 и 866.

• Справка по командам: описания всех 256 кодов операций на русском языке и файл справки CommHlp.vhp (256 записей по 1000 байт в кодировке Windows-1251).

• Проверка тактов всех групп команд по единым таблицам.

• Все группы команд выполняются по тактам: пересылки, арифметические и логические команды (с десятичной коррекцией DAA), сдвиги, переходы, вызовы, возвраты и рестарты, работа со стеком, ввод-вывод OUT/IN, разрешение и запрет прерываний EI/DI, INR/DCR/DAD. Консольный исполнитель orlan-cli с потактовой трассой в виде строк JSON или таблицы.

• Проверки ядра (запись чисел, операции над состоянием, выборка команды, NOP/MOV/MVI/HLT, неопределённые коды, управление выполнением, файлы), замер быстродействия, сценарии установки и сборки.

• Ядро эмулятора: состояние микропроцессора и модель схемы, запись чисел, таблица мнемоник, типы машинных циклов, дешифрация и выборка команды, команды NOP, MOV, MVI, HLT, неопределённые коды, выполнение такта, команды и программы, файлы состояния и подпрограмм.
</source>
        <translation>Version 1.0.2.1735

• Network adapter (port 03h): bytes go over TCP to another copy of the emulator (by default to this one itself, port 30102) and are shown in its receive buffer; network settings.

• Printing the current data: a listing of a memory range and the registers on the printer; printer settings.

• Floppy drive (port 01h), hard disk (port 02h) and printer (port 04h): the files Floppy.vdv and HDisc.vdv in the chosen folders, buffers with a dump of their bytes, printing the contents of the printer&apos;s buffer; the &quot;External Storage Settings&quot; dialog and the settings file ORLAN.ini.

• Monitor (port 00h): a screen of 312 × 249 dots, characters and dots in 128 colours, a video buffer with a dump of every byte received, saving the picture to a file.

• State files (.vst) and subprogram files (.vsp): opening, saving, &quot;Save As&quot;, the subprogram dialog; the user manual (F1); only one copy of the program runs at a time; a splash screen at start-up.

• The &quot;About&quot; window: the address of the program&apos;s web site, checking the Internet for a newer version of the emulator, the change history.

• Main window: the microprocessor schematic with the elements taking part in a tact highlighted; viewing and editing memory; the register panel; buttons that execute a tact, an instruction and the program; resetting memory and registers; the full main menu; a sliding instruction set table from which an instruction can be dragged into a memory cell; pop-up help on an instruction. Code pages 1251 and 866.

• Instruction help: descriptions of all 256 opcodes in Russian and the help file CommHlp.vhp (256 records of 1000 bytes in the Windows-1251 encoding).

• Checking the tacts of every instruction group against common tables.

• Every instruction group runs tact by tact: transfers, arithmetic and logic instructions (with the DAA decimal adjust), shifts, jumps, calls, returns and restarts, stack operations, OUT/IN input and output, enabling and disabling interrupts with EI/DI, INR/DCR/DAD. The console runner orlan-cli with a tact-by-tact trace as JSON lines or a table.

• Checks of the core (number notation, operations on the state, instruction fetch, NOP/MOV/MVI/HLT, undefined opcodes, execution control, files), a speed benchmark, installation and build scripts.

• The emulator&apos;s core: the microprocessor state and the schematic model, number notation, the mnemonic table, machine cycle types, instruction decoding and fetch, the NOP, MOV, MVI and HLT instructions, undefined opcodes, executing a tact, an instruction and a program, state and subprogram files.
</translation>
    </message>
    <message>
        <source>О программе</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Что нового</source>
        <translation>What&apos;s New</translation>
    </message>
    <message>
        <source>Получить сведенья о новой версии</source>
        <translation>Check for a new version</translation>
    </message>
    <message>
        <source>Сведенья о новой версии эмулятора</source>
        <translation>Find out whether a newer version of the emulator is out</translation>
    </message>
    <message>
        <source>Программа-эмулятор микропроцессорной</source>
        <translation>Emulator of a microprocessor system</translation>
    </message>
    <message>
        <source>системы на базе микропроцессора ОРЛАН-М</source>
        <translation>based on the ORLAN-M microprocessor</translation>
    </message>
    <message>
        <source>Версия %1</source>
        <translation>Version %1</translation>
    </message>
</context>
<context>
    <name>orlan::THelpFrm</name>
    <message>
        <source>Назад</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>Вперёд</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>Содержание</source>
        <translation>Contents</translation>
    </message>
    <message>
        <source>ОРЛАН - Справка</source>
        <translation>ORLAN - Help</translation>
    </message>
</context>
<context>
    <name>orlan::TMainFrm</name>
    <message>
        <source>Остановить выполнение программы</source>
        <translation>Stop Program</translation>
    </message>
    <message>
        <source>Выполнить программу</source>
        <translation>Run Program</translation>
    </message>
    <message>
        <source>Эмулятор МП-системы на базе МП ОРЛАН-М</source>
        <translation>ORLAN-M Microprocessor System Emulator</translation>
    </message>
    <message>
        <source>Файл</source>
        <translation>File</translation>
    </message>
    <message>
        <source>МП-система</source>
        <translation>Processor</translation>
    </message>
    <message>
        <source>Вид</source>
        <translation>View</translation>
    </message>
    <message>
        <source>Настройки</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Помощь</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Новый (очистить память и регистры)</source>
        <translation>New (clear memory and registers)</translation>
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
        <source>Экспорт...</source>
        <translation>Export...</translation>
    </message>
    <message>
        <source>Печать...</source>
        <translation>Print...</translation>
    </message>
    <message>
        <source>Настройки принтера...</source>
        <translation>Printer Settings...</translation>
    </message>
    <message>
        <source>Выход из программы</source>
        <translation>Exit</translation>
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
        <source>Такт назад</source>
        <translation>Tact Back</translation>
    </message>
    <message>
        <source>Команда назад</source>
        <translation>Instruction Back</translation>
    </message>
    <message>
        <source>Точка останова</source>
        <translation>Breakpoint</translation>
    </message>
    <message>
        <source>Выполнить до курсора</source>
        <translation>Run to Cursor</translation>
    </message>
    <message>
        <source>Снять все точки останова</source>
        <translation>Clear All Breakpoints</translation>
    </message>
    <message>
        <source>Очистить содержимое памяти</source>
        <translation>Clear Memory</translation>
    </message>
    <message>
        <source>Очистить все регистры</source>
        <translation>Clear All Registers</translation>
    </message>
    <message>
        <source>Снять флаг HLDA</source>
        <translation>Clear HLDA Flag</translation>
    </message>
    <message>
        <source>Отобразить &quot;монитор&quot;...</source>
        <translation>Show Monitor...</translation>
    </message>
    <message>
        <source>Отобразить буфер &quot;дисковода&quot;...</source>
        <translation>Show Floppy Drive Buffer...</translation>
    </message>
    <message>
        <source>Отобразить буфер &quot;жёсткого диска&quot;...</source>
        <translation>Show Hard Disk Buffer...</translation>
    </message>
    <message>
        <source>Отобразить буфер &quot;сетевого адаптера&quot;...</source>
        <translation>Show Network Adapter Buffer...</translation>
    </message>
    <message>
        <source>Отобразить буфер &quot;принтера&quot;...</source>
        <translation>Show Printer Buffer...</translation>
    </message>
    <message>
        <source>Отобразить/скрыть систему команд МП ОРЛАН-М</source>
        <translation>Show/Hide the ORLAN-M Instruction Set</translation>
    </message>
    <message>
        <source>Ассемблер...</source>
        <translation>Assembler...</translation>
    </message>
    <message>
        <source>Показывать операнды команд</source>
        <translation>Show Instruction Operands</translation>
    </message>
    <message>
        <source>Следовать за PC</source>
        <translation>Follow PC</translation>
    </message>
    <message>
        <source>Временная диаграмма</source>
        <translation>Timing Diagram</translation>
    </message>
    <message>
        <source>Показать стековую область памяти</source>
        <translation>Show Stack Area</translation>
    </message>
    <message>
        <source>Установка каталогов для &quot;внешних ЗУ&quot;</source>
        <translation>External Storage Folders</translation>
    </message>
    <message>
        <source>Настройки сети для &quot;сетевого адаптера&quot;</source>
        <translation>Network Adapter Settings</translation>
    </message>
    <message>
        <source>Вызвать справку</source>
        <translation>Open Help</translation>
    </message>
    <message>
        <source>О программе...</source>
        <translation>About...</translation>
    </message>
    <message>
        <source>Содержимое ячеек ОЗУ</source>
        <translation>RAM Contents</translation>
    </message>
    <message>
        <source>Ячейка ОЗУ и её значение</source>
        <translation>RAM Cell and Its Value</translation>
    </message>
    <message>
        <source>Регистр и его значение</source>
        <translation>Register and Its Value</translation>
    </message>
    <message>
        <source>Выполнение</source>
        <translation>Execution</translation>
    </message>
    <message>
        <source>Сброс</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>Отобразить монитор...</source>
        <translation>Show Monitor...</translation>
    </message>
    <message>
        <source>Отобразить буфер дисковода...</source>
        <translation>Show Floppy Drive Buffer...</translation>
    </message>
    <message>
        <source>Отобразить буфер жёсткого диска...</source>
        <translation>Show Hard Disk Buffer...</translation>
    </message>
    <message>
        <source>Отобразить буфер сетевого адаптера...</source>
        <translation>Show Network Adapter Buffer...</translation>
    </message>
    <message>
        <source>Отобразить содержимое буфера принтера...</source>
        <translation>Show Printer Buffer Contents...</translation>
    </message>
    <message>
        <source>Записать значение в ячейку</source>
        <translation>Write Value to Cell</translation>
    </message>
    <message>
        <source>Записать значение в регистр</source>
        <translation>Write Value to Register</translation>
    </message>
    <message>
        <source>Выполнить команду</source>
        <translation>Execute Instruction</translation>
    </message>
    <message>
        <source>Сброс ОЗУ</source>
        <translation>Reset RAM</translation>
    </message>
    <message>
        <source>Сброс регистров</source>
        <translation>Reset Registers</translation>
    </message>
    <message>
        <source>Шаг назад прошёл через OUT: выведенное на устройства не отменяется</source>
        <translation>Step back passed an OUT: output already sent to devices is not undone</translation>
    </message>
    <message>
        <source>Точка останова: %1</source>
        <translation>Breakpoint: %1</translation>
    </message>
    <message>
        <source>Выполнено до курсора: %1</source>
        <translation>Ran to cursor: %1</translation>
    </message>
    <message>
        <source>Сброс ОЗУ:</source>
        <translation>RAM reset:</translation>
    </message>
</context>
<context>
    <name>orlan::TSplashFrm</name>
    <message>
        <source>ОРЛАН-М</source>
        <translation>ORLAN-M</translation>
    </message>
    <message>
        <source>Эмулятор МП-системы
на базе МП ОРЛАН-М</source>
        <translation>ORLAN-M Microprocessor
System Emulator</translation>
    </message>
    <message>
        <source>Версия %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>Загрузка...</source>
        <translation>Loading...</translation>
    </message>
</context>
<context>
    <name>orlan::TSubProgFrm</name>
    <message>
        <source>Сохранение подпрограммы</source>
        <translation>Save Subprogram</translation>
    </message>
    <message>
        <source>Открытие подпрограммы</source>
        <translation>Open Subprogram</translation>
    </message>
    <message>
        <source>Сохранить подпрограмму в файл</source>
        <translation>Save the subprogram to a file</translation>
    </message>
    <message>
        <source>Загрузить подпрограмму в область ОЗУ</source>
        <translation>Load the subprogram into RAM</translation>
    </message>
    <message>
        <source>начиная с ячейки:</source>
        <translation>starting at cell:</translation>
    </message>
    <message>
        <source>и заканчивая:</source>
        <translation>and ending at:</translation>
    </message>
    <message>
        <source>ОК</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>orlan::TTimingFrm</name>
    <message>
        <source>ОРЛАН - Временная диаграмма</source>
        <translation>ORLAN - Timing Diagram</translation>
    </message>
    <message>
        <source>Сохранить...</source>
        <translation>Save...</translation>
    </message>
    <message>
        <source>Сохранить временную диаграмму</source>
        <translation>Save Timing Diagram</translation>
    </message>
    <message>
        <source>Рисунок SVG (*.svg);;Рисунок PNG (*.png)</source>
        <translation>SVG image (*.svg);;PNG image (*.png)</translation>
    </message>
</context>
<context>
    <name>orlan::WorkspaceFiles</name>
    <message>
        <source>Файлы данных эмулятора ОРЛАН (*.vst)</source>
        <translation>ORLAN emulator data files (*.vst)</translation>
    </message>
    <message>
        <source>Файлы подпрограмм ОРЛАН (*.vsp)</source>
        <translation>ORLAN subprogram files (*.vsp)</translation>
    </message>
    <message>
        <source>Открыть файл данных эмулятора ОРЛАН</source>
        <translation>Open ORLAN Emulator Data File</translation>
    </message>
    <message>
        <source>Сохранить файл данных эмулятора ОРЛАН</source>
        <translation>Save ORLAN Emulator Data File</translation>
    </message>
    <message>
        <source>Открытие:</source>
        <translation>Opening:</translation>
    </message>
    <message>
        <source>Сохранение:</source>
        <translation>Saving:</translation>
    </message>
</context>
<context>
    <name>orlan::ZoomMenu</name>
    <message>
        <source>Масштаб</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>%1 %</source>
        <translation>%1%</translation>
    </message>
    <message>
        <source>Увеличить</source>
        <translation>Zoom In</translation>
    </message>
    <message>
        <source>Уменьшить</source>
        <translation>Zoom Out</translation>
    </message>
    <message>
        <source>Исходный масштаб</source>
        <translation>Reset Zoom</translation>
    </message>
</context>
</TS>
