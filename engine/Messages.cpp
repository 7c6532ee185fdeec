#include "Messages.h"

#include <array>

namespace orlan {

namespace {

using I = MessageIcon;
using Btn = MessageButtons;

// The export's checks read the same for every target; only the title names the target.
constexpr std::string_view kExcelTitle =
    ORLAN_TR_NOOP("Messages", "ОРЛАН - Ошибка экспорта в Excel");
constexpr std::string_view kWordTitle = ORLAN_TR_NOOP("Messages", "ОРЛАН - Ошибка экспорта в Word");
constexpr std::string_view kTextTitle =
    ORLAN_TR_NOOP("Messages", "ОРЛАН - Ошибка экспорта в текстовый файл");
constexpr std::string_view kExportTitle = ORLAN_TR_NOOP("Messages", "ОРЛАН - Ошибка экспорта");
constexpr std::string_view kExportRange =
    ORLAN_TR_NOOP("Messages",
                  "Задан неверный диапазон экспортируемых данных следующей подпрограммы:\n"
                  "\"%1\".\n"
                  "Номер начальной ячейки должен предшествовать (быть равным) номеру конечной.\n"
                  "Действие отменено.\n"
                  "\n"
                  "Измените диапазон экспортируемых данных и продолжите работу.");
constexpr std::string_view kExportNoColumns =
    ORLAN_TR_NOOP("Messages",
                  "В подпрограмме\n"
                  "\"%1\"\n"
                  "не задано ни одного параметра экспортируемых данных.\n"
                  "В таблице должен быть хотябы один столбец.\n"
                  "Действие отменено.\n"
                  "\n"
                  "Выберите требуемые параметры и продолжите работу.");
constexpr std::string_view kExportDuplicateName =
    ORLAN_TR_NOOP("Messages",
                  "Найдены схожие названия имён подпрограмм:\n"
                  "\"%1\".\n"
                  "Имена подпрограмм должны быть уникальными.\n"
                  "Действие отменено\n"
                  "\n"
                  "Измените названия и продолжите работу.");

// The texts keep one source line per line of the box.
// clang-format off
constexpr MessageTemplate kMessages[] = {
    // HaltQuestion
    {ORLAN_TR_NOOP("Messages", "ОРЛАН - Останов"),
     ORLAN_TR_NOOP("Messages", "Микропроцессор находится в состоянии останова (флаг \"HLDA\").\n"
     "Дальнейшее продолжение работы микропроцессора невозможно до тех пор,\n"
     "пока он не будет выведен из этого состояния по сигналу внешнего прерывания\n"
     "или после перезапуска.\n"
     "\n"
     "Нажмите \"Да\" чтобы принудительно снять флаг останова и продолжить работу с эмулятором."),
     I::Stop, Btn::YesNo},
    // HaltStop
    {ORLAN_TR_NOOP("Messages", "ОРЛАН - Останов"),
     ORLAN_TR_NOOP("Messages", "Произошёл останов выполнения программы по команде 76h HLT.\n"
     "Установлен флаг останова микропроцессора \"HLDA\".\n"
     "\n"
     "Для снятия флага HLDA воспользуйтесь клавишей F12 на клавиатуре\n"
     "или пунктом меню \"МП-система->Снять флаг HLDA\""),
     I::None, Btn::Ok},
    // UndefinedOpcode: %1 address, %2 code
    {ORLAN_TR_NOOP("Messages", "ОРЛАН - Ошибка!"),
     ORLAN_TR_NOOP("Messages", "Произошла ошибка программы по адресу %1h\n"
     "при попытке выполнить несуществующую команду с кодом %2h.\n"
     "\n"
     "Возможно, по этому адресу расположена часть области данных,\n"
     "непосредственный операнд или произошла неверная адресация\n"
     "памяти при неверно вычисленном адресе.\n"
     "\n"
     "Система остановлена.\n"
     "Нажмите \"OK\" для продолжения работы с эмулятором."),
     I::Exclamation, Btn::Ok},
    // FileNotFound: %1 file name
    {ORLAN_TR_NOOP("Messages", "ОРЛАН - Ошибка открытия файла"),
     ORLAN_TR_NOOP("Messages", "Файл \"%1\"\n"
     "не найден.\n"
     "Возможно: он используется другой программой,\n"
     "у Вас нет прав на открытие этого файла или он не существует.\n"
     "\n"
     "Действие отменено."),
     I::Warning, Btn::Ok},
    // WrongStateFile: %1 file name
    {ORLAN_TR_NOOP("Messages", "ОРЛАН - Ошибка открытия файла"),
     ORLAN_TR_NOOP("Messages", "Файл \"%1\"\n"
     "не является файлом данных эмулятора ПМ системы ОРЛАН.\n"
     "Возможно, он принадлежит другой или более старой версии эмулятора.\n"
     "\n"
     "Действие отменено."),
     I::Warning, Btn::Ok},
    // CannotWriteFile: %1 file name
    {ORLAN_TR_NOOP("Messages", "ОРЛАН - Ошибка записи файла"),
     ORLAN_TR_NOOP("Messages", "Невозможно сохранить файл\n"
     "%1\n"
     "Возможно он защищён от записи или находится на носителе, предназначенном только для "
     "чтения.\n"
     "\n"
     "Попробуйте снять защиту от записи или выбрать другой файл (носитель)."),
     I::Warning, Btn::Ok},
    // SubprogramRange
    {ORLAN_TR_NOOP("Messages", "ОРЛАН - Ошибка сохранения подпрограммы"),
     ORLAN_TR_NOOP("Messages", "Введён неверный диапазон сохраняемых ячеек памяти.\n"
     "\n"
     "Номер начальной ячейки должен быть меньше или равен конечной.\n"
     "Действие отменено.\n"
     "\n"
     "Проверьте правильность введённого диапазона и продолжите работу с эмулятором."),
     I::Warning, Btn::Ok},
    // SubprogramTooLarge
    {ORLAN_TR_NOOP("Messages", "ОРЛАН - Ошибка открытия подпрограммы"),
     ORLAN_TR_NOOP("Messages", "Введено неверное значение начальной ячейки ОЗУ и/или файл подпрограммы слишком велик.\n"
     "Действие отменено.\n"
     "\n"
     "Проверьте правильность введённого номера начальной ячейки или попробуйте разместить "
     "подпрограмму, начиная с более младшего адреса."),
     I::Warning, Btn::Ok},
    // CannotReadFile: %1 file name (the file exists but cannot be read)
    {ORLAN_TR_NOOP("Messages", "ОРЛАН - Ошибка открытия файла"),
     ORLAN_TR_NOOP("Messages", "Файл \"%1\"\n"
     "не удаётся прочитать.\n"
     "Возможно, он используется другой программой или у Вас нет прав на чтение этого файла.\n"
     "\n"
     "Действие отменено."),
     I::Warning, Btn::Ok},
    // HelpFileMissing: %1 file name
    {ORLAN_TR_NOOP("Messages", "ОРЛАН - Ошибка открытия файла"),
     ORLAN_TR_NOOP("Messages", "Файл справки по командам \"%1\"\n"
     "не найден или не может быть открыт.\n"
     "\n"
     "Справка по командам недоступна. Восстановите этот файл в папке программы."),
     I::Warning, Btn::Ok},
    // VersionCheckFailed (the about box's new-version check)
    {ORLAN_TR_NOOP("Messages", "ORLAN - Ошибка"),
     ORLAN_TR_NOOP("Messages", "Произошла ошибка подключения к серверу.\n"
     "Возможно отсутствует подключение к Интернет.\n"
     "\n"
     "Проверьте подключение и повторите попытку снова."),
     I::Error, Btn::Ok},
    // NewVersionAvailable: %1 the program's web site
    {ORLAN_TR_NOOP("Messages", "ORLAN - Новая версия!"),
     ORLAN_TR_NOOP("Messages", "Имеется новая версия эмулятора. Посетите сайт программы:\n"
     "%1"),
     I::Warning, Btn::Ok},
    // NoNewVersion
    {ORLAN_TR_NOOP("Messages", "ORLAN - Нет новой версии"),
     ORLAN_TR_NOOP("Messages", "На данный момент пока нет новой версии эмулятора.\n"
     "Следите за обновлениями."),
     I::Warning, Btn::Ok},
    // FloppyWriteFailure
    {ORLAN_TR_NOOP("Messages", "ОРЛАН - Ошибка УВВ"),
     ORLAN_TR_NOOP("Messages", "Устройство не готово.\n"
     "Возможно не вставлена дискета в дисковод или она защищена от записи.\n"
     "Попробуйте вставить дискету в дисковод или снять защиту от записи."),
     I::Error, Btn::Ok},
    // FloppyClearFailure
    {ORLAN_TR_NOOP("Messages", "ОРЛАН - Ошибка УВВ"),
     ORLAN_TR_NOOP("Messages", "Невозможно обратиться к дисководу. Устройство занято другим приложением.\n"
     "Попробуйте повторить действие позже."),
     I::Error, Btn::Ok},
    // HardDiskWriteFailure
    {ORLAN_TR_NOOP("Messages", "ОРЛАН - Ошибка УВВ"),
     ORLAN_TR_NOOP("Messages", "Устройство не готово.\n"
     "Возможно стоит защита от записи.\n"
     "Попробуйте снять защиту от записи."),
     I::Error, Btn::Ok},
    // HardDiskClearFailure
    {ORLAN_TR_NOOP("Messages", "ОРЛАН - Ошибка УВВ"),
     ORLAN_TR_NOOP("Messages", "Невозможно обратиться к жёсткому диску. Устройство занято другим приложением.\n"
     "Попробуйте повторить действие позже."),
     I::Error, Btn::Ok},
    // PrintFailed: %1 the printer (the listing and the printer window's "Печатать")
    {ORLAN_TR_NOOP("Messages", "ОРЛАН - Ошибка печати"),
     ORLAN_TR_NOOP("Messages", "Не удалось напечатать на принтере \"%1\".\n"
     "Возможно, принтер выключен или не подключён.\n"
     "\n"
     "Действие отменено.\n"
     "\n"
     "Проверьте принтер или выберите в настройках принтера печать в PDF-файл."),
     I::Error, Btn::Ok},
    // NetSocketError: %1 what the socket layer said, %2 the call that failed
    {ORLAN_TR_NOOP("Messages", "ОРЛАН - Ошибка сети"),
     ORLAN_TR_NOOP("Messages", "Ошибка сокета: %1.\n"
     "Операция: \"%2\"."),
     I::Warning, Btn::Ok},
    // NetPortNotNumber: %1 the text of the port field
    {ORLAN_TR_NOOP("Messages", "ОРЛАН - Ошибка"),
     ORLAN_TR_NOOP("Messages", "\"%1\" не является допустимым целым числом."),
     I::Error, Btn::Ok},
    // NetSendOverflow: %1 the peer's address, %2 its port
    {ORLAN_TR_NOOP("Messages", "ОРЛАН - Ошибка сети"),
     ORLAN_TR_NOOP("Messages", "Приёмник \"%1\" (порт %2) не принимает передаваемые байты,\n"
     "и очередь передачи переполнена.\n"
     "Байты, не поместившиеся в очередь, не будут отправлены.\n"
     "\n"
     "Проверьте, запущен ли эмулятор-приёмник, и настройки сети."),
     I::Warning, Btn::Ok},
    // NetAddressInvalid: %1 the text of the address field (the network settings dialog's OK)
    {ORLAN_TR_NOOP("Messages", "ОРЛАН - Ошибка настройки сети"),
     ORLAN_TR_NOOP("Messages", "Введён неверный адрес приёмника \"%1\".\n"
     "\n"
     "Адрес состоит из четырёх чисел от 0 до 255, разделённых точками,\n"
     "например 192.168.0.10.\n"
     "Действие отменено.\n"
     "\n"
     "Проверьте правильность введённого адреса и повторите попытку."),
     I::Warning, Btn::Ok},
    // PrintRange (the print dialog)
    {ORLAN_TR_NOOP("Messages", "ОРЛАН - Ошибка печати"),
     ORLAN_TR_NOOP("Messages", "Введён неверный диапазон печатаемых ячеек памяти.\n"
     "\n"
     "Номер начальной ячейки должен быть меньше или равен конечной.\n"
     "Действие отменено.\n"
     "\n"
     "Проверьте правильность введённых данных для печати и продолжите работу с эмулятором."),
     I::Warning, Btn::Ok},
    // PdfSaveFailed: %1 the file (a job printed to a PDF file); a file of that name stays as it was
    {ORLAN_TR_NOOP("Messages", "ОРЛАН - Ошибка печати"),
     ORLAN_TR_NOOP("Messages", "Не удалось сохранить PDF-файл \"%1\".\n"
     "Возможно, папка защищена от записи или на диске недостаточно места.\n"
     "\n"
     "Действие отменено.\n"
     "\n"
     "Выберите другую папку или освободите место на диске и повторите печать."),
     I::Warning, Btn::Ok},
    // FolderNotFound: %1 the folder typed in the storage settings dialog
    {ORLAN_TR_NOOP("Messages", "ОРЛАН - Ошибка выбора каталога"),
     ORLAN_TR_NOOP("Messages", "Каталог \"%1\"\n"
     "не найден.\n"
     "Файлы внешних устройств можно хранить только в существующем каталоге.\n"
     "\n"
     "Действие отменено.\n"
     "Выберите другой каталог или создайте этот."),
     I::Warning, Btn::Ok},
    // DiskFull: %1 file name (a save that found the medium full; the old file is unchanged)
    {ORLAN_TR_NOOP("Messages", "ОРЛАН - Ошибка записи файла"),
     ORLAN_TR_NOOP("Messages", "Невозможно сохранить файл\n"
     "%1\n"
     "На носителе недостаточно свободного места.\n"
     "\n"
     "Освободите место на носителе или выберите другой файл (носитель)."),
     I::Warning, Btn::Ok},
    // ExcelRange, ExcelNoColumns, ExcelDuplicateName
    {kExcelTitle, kExportRange, I::Error, Btn::Ok},
    {kExcelTitle, kExportNoColumns, I::Error, Btn::Ok},
    {kExcelTitle, kExportDuplicateName, I::Error, Btn::Ok},
    // ExcelSheetName: a name no worksheet can carry
    {kExcelTitle,
     ORLAN_TR_NOOP("Messages", "Название подпрограммы\n"
     "\"%1\"\n"
     "не может быть именем листа электронной таблицы.\n"
     "Имя листа должно содержать от 1 до 31 символа, не может начинаться или заканчиваться\n"
     "апострофом и не может содержать символы : \\ / ? * [ ].\n"
     "Действие отменено.\n"
     "\n"
     "Измените название и продолжите работу."),
     I::Error, Btn::Ok},
    // WordRange, WordNoColumns, WordDuplicateName
    {kWordTitle, kExportRange, I::Error, Btn::Ok},
    {kWordTitle, kExportNoColumns, I::Error, Btn::Ok},
    {kWordTitle, kExportDuplicateName, I::Error, Btn::Ok},
    // TextRange, TextNoColumns, TextDuplicateName
    {kTextTitle, kExportRange, I::Error, Btn::Ok},
    {kTextTitle, kExportNoColumns, I::Error, Btn::Ok},
    {kTextTitle, kExportDuplicateName, I::Error, Btn::Ok},
    // ExcelNotWritten
    {kExportTitle,
     ORLAN_TR_NOOP("Messages", "Невозможно подключиться к серверу Excel.\n"
     "Возможно приложение MS Excel не установлено или повреждено.\n"
     "Попробуйте переустановить (установить) требуемое приложение.\n"
     "\n"
     "Не удалось записать файл\n"
     "\"%1\".\n"
     "Возможно, диск переполнен или у Вас нет прав на запись в эту папку."),
     I::Warning, Btn::Ok},
    // ExcelNotOpened
    {kExportTitle,
     ORLAN_TR_NOOP("Messages", "Невозможно подключиться к серверу Excel.\n"
     "Возможно приложение MS Excel не установлено или повреждено.\n"
     "Попробуйте переустановить (установить) требуемое приложение.\n"
     "\n"
     "Данные сохранены в файле\n"
     "\"%1\"\n"
     "и могут быть открыты вручную."),
     I::Warning, Btn::Ok},
    // WordNotWritten
    {kExportTitle,
     ORLAN_TR_NOOP("Messages", "Невозможно подключиться к серверу Word.\n"
     "Возможно приложение MS Word не установлено или повреждено.\n"
     "Попробуйте переустановить (установить) требуемое приложение.\n"
     "\n"
     "Не удалось записать файл\n"
     "\"%1\".\n"
     "Возможно, диск переполнен или у Вас нет прав на запись в эту папку."),
     I::Warning, Btn::Ok},
    // WordNotOpened
    {kExportTitle,
     ORLAN_TR_NOOP("Messages", "Невозможно подключиться к серверу Word.\n"
     "Возможно приложение MS Word не установлено или повреждено.\n"
     "Попробуйте переустановить (установить) требуемое приложение.\n"
     "\n"
     "Данные сохранены в файле\n"
     "\"%1\"\n"
     "и могут быть открыты вручную."),
     I::Warning, Btn::Ok},
    // TextNotWritten
    {kExportTitle,
     ORLAN_TR_NOOP("Messages", "Невозможно создать текстовый файл.\n"
     "\n"
     "Не удалось записать файл\n"
     "\"%1\".\n"
     "Возможно, диск переполнен или у Вас нет прав на запись в эту папку." "\n"
     "\n"
     "Действие отменено."),
     I::Warning, Btn::Ok},
    // TextNotOpened
    {kExportTitle,
     ORLAN_TR_NOOP("Messages", "Невозможно открыть текстовый файл.\n"
     "Возможно в системе не назначена программа для просмотра текстовых файлов.\n"
     "\n"
     "Данные сохранены в файле\n"
     "\"%1\"\n"
     "и могут быть открыты вручную."),
     I::Warning, Btn::Ok},
    // UnknownFileKind: %1 file name
    {ORLAN_TR_NOOP("Messages", "ОРЛАН - Ошибка открытия файла"),
     ORLAN_TR_NOOP("Messages", "Файл \"%1\"\n"
     "не является ни файлом данных (*.vst), ни файлом подпрограммы (*.vsp),\n"
     "ни программой на ассемблере (*.asm) эмулятора ОРЛАН.\n"
     "\n"
     "Действие отменено."),
     I::Warning, Btn::Ok},
    // AsmUnsavedChanges: %1 the source's name; "Да" discards the changes
    {ORLAN_TR_NOOP("Messages", "ОРЛАН - Ассемблер"),
     ORLAN_TR_NOOP("Messages", "Текст программы \"%1\" изменён и не сохранён.\n"
     "\n"
     "Нажмите \"Да\" чтобы продолжить без сохранения изменений.\n"
     "Нажмите \"Нет\" чтобы вернуться к тексту и сохранить его."),
     I::Exclamation, Btn::YesNo},
    // AsmDisassemblyRange
    {ORLAN_TR_NOOP("Messages", "ОРЛАН - Ошибка дизассемблирования"),
     ORLAN_TR_NOOP("Messages", "Введён неверный диапазон ячеек памяти.\n"
     "\n"
     "Номер начальной ячейки должен быть меньше или равен конечной.\n"
     "Действие отменено.\n"
     "\n"
     "Проверьте правильность введённого диапазона и повторите попытку."),
     I::Warning, Btn::Ok},
};
// clang-format on
static_assert(std::size(kMessages) == kMessageCount);

}  // namespace

const MessageTemplate& messageTemplate(MessageId id) { return kMessages[static_cast<int>(id)]; }

std::string fillArguments(std::string_view text, std::string_view arg1, std::string_view arg2) {
    std::string filled;
    filled.reserve(text.size() + arg1.size() + arg2.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && (text[i + 1] == '1' || text[i + 1] == '2')) {
            filled += text[i + 1] == '1' ? arg1 : arg2;
            ++i;
        } else {
            filled += text[i];
        }
    }
    return filled;
}

MessageBox makeMessage(MessageId id, std::string_view arg1, std::string_view arg2) {
    const MessageTemplate& t = messageTemplate(id);
    return {id,
            std::string(t.title),
            fillArguments(t.text, arg1, arg2),
            t.icon,
            t.buttons,
            std::string(arg1),
            std::string(arg2)};
}

MessageBox withRunStopped(MessageBox box) {
    box.text += '\n';
    box.text += kRunStoppedLine;
    box.runStopped = true;
    return box;
}

}  // namespace orlan
