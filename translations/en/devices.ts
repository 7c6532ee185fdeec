<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ru_RU">
<context>
    <name>orlan::HexDumpView</name>
    <message>
        <source>Копировать</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Выделить всё</source>
        <translation>Select All</translation>
    </message>
</context>
<context>
    <name>orlan::NetworkDevice</name>
    <message>
        <source>Подключение не установлено, т.к. конечный компьютер отверг запрос на подключение</source>
        <translation>No connection: the remote computer refused the connection request</translation>
    </message>
    <message>
        <source>Обычно разрешается только одно использование адреса сокета (протокол/сетевой адрес/порт)</source>
        <translation>The socket address (protocol/network address/port) is already in use</translation>
    </message>
    <message>
        <source>Не удается выполнить операцию на сокете, т.к. сеть или узел недоступны</source>
        <translation>The socket operation cannot be performed: the network or host is unreachable</translation>
    </message>
    <message>
        <source>Попытка установить соединение была безуспешной, т.к. от другого компьютера за требуемое время не получен нужный отклик</source>
        <translation>The connection attempt failed: the other computer did not respond in time</translation>
    </message>
    <message>
        <source>Сделана попытка доступа к сокету методом, запрещенным правами доступа</source>
        <translation>The socket was accessed in a way its access permissions forbid</translation>
    </message>
</context>
<context>
    <name>orlan::PrinterDevice</name>
    <message>
        <source>ОРЛАН - Содержимое буфера &quot;принтера&quot;</source>
        <translation>ORLAN - Printer Buffer Contents</translation>
    </message>
</context>
<context>
    <name>orlan::PrinterSetup</name>
    <message>
        <source>ОРЛАН - Печать</source>
        <translation>ORLAN - Printing</translation>
    </message>
    <message>
        <source>Подготовка страниц...</source>
        <translation>Preparing pages...</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Печать страниц: %1...</source>
        <translation>Printing pages: %1...</translation>
    </message>
    <message>
        <source>ОРЛАН - Сохранить как PDF</source>
        <translation>ORLAN - Save as PDF</translation>
    </message>
    <message>
        <source>PDF-файлы (*.pdf)</source>
        <translation>PDF files (*.pdf)</translation>
    </message>
</context>
<context>
    <name>orlan::StorageForm</name>
    <message>
        <source>Дисковод ОРЛАН</source>
        <translation>ORLAN Floppy Drive</translation>
    </message>
    <message>
        <source>Жёсткий диск ОРЛАН</source>
        <translation>ORLAN Hard Disk</translation>
    </message>
    <message>
        <source>Очистить буфер дисковода</source>
        <translation>Clear Drive Buffer</translation>
    </message>
    <message>
        <source>Всегда сверху</source>
        <translation>Always on Top</translation>
    </message>
</context>
<context>
    <name>orlan::TMonFrm</name>
    <message>
        <source>ОРЛАН</source>
        <translation>ORLAN</translation>
    </message>
    <message>
        <source>Файлы растровых рисунков (*.bmp)</source>
        <translation>Bitmap files (*.bmp)</translation>
    </message>
    <message>
        <source>Экран ОРЛАН</source>
        <translation>ORLAN Screen</translation>
    </message>
    <message>
        <source>Монитор ОРЛАН</source>
        <translation>ORLAN Monitor</translation>
    </message>
    <message>
        <source>Очистить видеобуфер</source>
        <translation>Clear Video Buffer</translation>
    </message>
    <message>
        <source>Сохранить изображение на мониторе в файл...</source>
        <translation>Save Monitor Image to File...</translation>
    </message>
    <message>
        <source>Всегда сверху</source>
        <translation>Always on Top</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Содержимое видеобуфера</source>
        <translation>Video Buffer Contents</translation>
    </message>
    <message>
        <source>Скрыть видеобуфер</source>
        <translation>Hide Video Buffer</translation>
    </message>
    <message>
        <source>Отобразить видеобуфер</source>
        <translation>Show Video Buffer</translation>
    </message>
</context>
<context>
    <name>orlan::TNetFrm</name>
    <message>
        <source>Сетевой адаптер</source>
        <translation>Network Adapter</translation>
    </message>
    <message>
        <source>Очистить буферы сетевого адаптера</source>
        <translation>Clear Network Adapter Buffers</translation>
    </message>
    <message>
        <source>Всегда сверху</source>
        <translation>Always on Top</translation>
    </message>
    <message>
        <source>Последнее отправленное значение:</source>
        <translation>Last value sent:</translation>
    </message>
    <message>
        <source>Содержимое буфера-приёмника</source>
        <translation>Receive Buffer Contents</translation>
    </message>
    <message>
        <source>Связь: установлена</source>
        <translation>Link: up</translation>
    </message>
    <message>
        <source>Связь: устанавливается...</source>
        <translation>Link: connecting...</translation>
    </message>
    <message>
        <source>Связь: нет</source>
        <translation>Link: down</translation>
    </message>
</context>
<context>
    <name>orlan::TNetSettFrm</name>
    <message>
        <source>Настройки сети</source>
        <translation>Network Settings</translation>
    </message>
    <message>
        <source>Введите настройки приёмника в сети</source>
        <translation>Enter the receiver&apos;s network settings</translation>
    </message>
    <message>
        <source>Адрес:</source>
        <translation>Address:</translation>
    </message>
    <message>
        <source>Порт:</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>orlan::TPrinterFrm</name>
    <message>
        <source>Принтер ОРЛАН</source>
        <translation>ORLAN Printer</translation>
    </message>
    <message>
        <source>Очистить буфер дисковода</source>
        <translation>Clear Buffer</translation>
    </message>
    <message>
        <source>Печатать</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Всегда сверху</source>
        <translation>Always on Top</translation>
    </message>
</context>
<context>
    <name>orlan::TPrnSetupFrm</name>
    <message>
        <source>PDF-файл</source>
        <translation>PDF file</translation>
    </message>
    <message>
        <source>%1, альбомная</source>
        <translation>%1, landscape</translation>
    </message>
    <message>
        <source>%1, книжная</source>
        <translation>%1, portrait</translation>
    </message>
    <message>
        <source>ОРЛАН - Настройки принтера</source>
        <translation>ORLAN - Printer Settings</translation>
    </message>
    <message>
        <source>Принтер:</source>
        <translation>Printer:</translation>
    </message>
    <message>
        <source>Бумага:</source>
        <translation>Paper:</translation>
    </message>
    <message>
        <source>Параметры страницы...</source>
        <translation>Page Setup...</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>orlan::TVZUSetupFrm</name>
    <message>
        <source>Настройки внешних ЗУ</source>
        <translation>External Storage Settings</translation>
    </message>
    <message>
        <source>Выберите каталоги для хранения файлов внешних устройств на:</source>
        <translation>Choose the folders that hold the external devices&apos; files:</translation>
    </message>
    <message>
        <source>Флоппи-дисководе</source>
        <translation>Floppy Drive</translation>
    </message>
    <message>
        <source>Жёском диске</source>
        <translation>Hard Disk</translation>
    </message>
    <message>
        <source>Устройство не готово.</source>
        <translation>Device not ready.</translation>
    </message>
    <message>
        <source>Вставьте дискету в дисковод и</source>
        <translation>Insert a diskette into the drive and</translation>
    </message>
    <message>
        <source>нажмите кнопку &quot;Готово&quot;.</source>
        <translation>click &quot;Ready&quot;.</translation>
    </message>
    <message>
        <source>Готово</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
</context>
</TS>
