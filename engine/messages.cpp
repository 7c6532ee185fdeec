#include "messages.h"

#include <array>

namespace orlan {

namespace {

using I = MessageIcon;
using Btn = MessageButtons;

// The export's checks read the same for every target; only the title names the target.
constexpr std::string_view kExcelTitle = "ОРЛАН - Ошибка экспорта в Excel";
constexpr std::string_view kWordTitle = "ОРЛАН - Ошибка экспорта в Word";
constexpr std::string_view kTextTitle = "ОРЛАН - Ошибка экспорта в текстовый файл";
constexpr std::string_view kExportTitle = "ОРЛАН - Ошибка экспорта";
constexpr std::string_view kExportRange =
    "Задан неверный диапазон экспортируемых данных следующей подпрограммы:\n"
    "\"%1\".\n"
    "Номер начальной ячейки должен предшествовать (быть равным) номеру конечной.\n"
    "Действие отменено.\n"
    "\n"
    "Измените диапазон экспортируемых данных и продолжите работу.";
constexpr std::string_view kExportNoColumns =
    "В подпрограмме\n"
    "\"%1\"\n"
    "не задано ни одного параметра экспортируемых данных.\n"
    "В таблице должен быть хотябы один столбец.\n"
    "Действие отменено.\n"
    "\n"
    "Выберите требуемые параметры и продолжите работу.";
constexpr std::string_view kExportDuplicateName =
    "Найдены схожие названия имён подпрограмм:\n"
    "\"%1\".\n"
    "Имена подпрограмм должны быть уникальными.\n"
    "Действие отменено\n"
    "\n"
    "Измените названия и продолжите работу.";

// The office applications' connection failures, then what became of the file (adjacent literals,
// so each text stays one constant).
// clang-format off
#define ORLAN_EXCEL_CONNECTION \
    "Невозможно подключиться к серверу Excel.\n" \
    "Возможно приложение MS Excel не установлено или повреждено.\n" \
    "Попробуйте переустановить (установить) требуемое приложение.\n"
#define ORLAN_WORD_CONNECTION \
    "Невозможно подключиться к серверу Word.\n" \
    "Возможно приложение MS Word не установлено или повреждено.\n" \
    "Попробуйте переустановить (установить) требуемое приложение.\n"
#define ORLAN_NOT_WRITTEN \
    "\n" \
    "Не удалось записать файл\n" \
    "\"%1\".\n" \
    "Возможно, диск переполнен или у Вас нет прав на запись в эту папку."
#define ORLAN_NOT_OPENED \
    "\n" \
    "Данные сохранены в файле\n" \
    "\"%1\"\n" \
    "и могут быть открыты вручную."
// clang-format on

constexpr MessageTemplate kMessages[] = {
    // HaltQuestion
    {"ОРЛАН - Останов",
     "Микропроцессор находится в состоянии останова (флаг \"HLDA\").\n"
     "Дальнейшее продолжение работы микропроцессора невозможно до тех пор,\n"
     "пока он не будет выведен из этого состояния по сигналу внешнего прерывания\n"
     "или после перезапуска.\n"
     "\n"
     "Нажмите \"Да\" чтобы принудительно снять флаг останова и продолжить работу с эмулятором.",
     I::Stop, Btn::YesNo},
    // HaltStop
    {"ОРЛАН - Останов",
     "Произошёл останов выполнения программы по команде 76h HLT.\n"
     "Установлен флаг останова микропроцессора \"HLDA\".\n"
     "\n"
     "Для снятия флага HLDA воспользуйтесь клавишей F12 на клавиатуре\n"
     "или пунктом меню \"МП-система->Снять флаг HLDA\"",
     I::None, Btn::Ok},
    // UndefinedOpcode: %1 address, %2 code
    {"ОРЛАН - Ошибка!",
     "Произошла ошибка программы по адресу %1h\n"
     "при попытке выполнить несуществующую команду с кодом %2h.\n"
     "\n"
     "Возможно, по этому адресу расположена часть области данных,\n"
     "непосредственный операнд или произошла неверная адресация\n"
     "памяти при неверно вычисленном адресе.\n"
     "\n"
     "Система остановлена.\n"
     "Нажмите \"OK\" для продолжения работы с эмулятором.",
     I::Exclamation, Btn::Ok},
    // FileNotFound: %1 file name
    {"ОРЛАН - Ошибка открытия файла",
     "Файл \"%1\"\n"
     "не найден.\n"
     "Возможно: он используется другой программой,\n"
     "у Вас нет прав на открытие этого файла или он не существует.\n"
     "\n"
     "Действие отменено.",
     I::Warning, Btn::Ok},
    // WrongStateFile: %1 file name
    {"ОРЛАН - Ошибка открытия файла",
     "Файл \"%1\"\n"
     "не является файлом данных эмулятора ПМ системы ОРЛАН.\n"
     "Возможно, он принадлежит другой или более старой версии эмулятора.\n"
     "\n"
     "Действие отменено.",
     I::Warning, Btn::Ok},
    // CannotWriteFile: %1 file name
    {"ОРЛАН - Ошибка записи файла",
     "Невозможно сохранить файл\n"
     "%1\n"
     "Возможно он защищён от записи или находится на носителе, предназначенном только для "
     "чтения.\n"
     "\n"
     "Попробуйте снять защиту от записи или выбрать другой файл (носитель).",
     I::Warning, Btn::Ok},
    // SubprogramRange
    {"ОРЛАН - Ошибка сохранения подпрограммы",
     "Введён неверный диапазон сохраняемых ячеек памяти.\n"
     "\n"
     "Номер начальной ячейки должен быть меньше или равен конечной.\n"
     "Действие отменено.\n"
     "\n"
     "Проверьте правильность введённого диапазона и продолжите работу с эмулятором.",
     I::Warning, Btn::Ok},
    // SubprogramTooLarge
    {"ОРЛАН - Ошибка открытия подпрограммы",
     "Введено неверное значение начальной ячейки ОЗУ и/или файл подпрограммы слишком велик.\n"
     "Действие отменено.\n"
     "\n"
     "Проверьте правильность введённого номера начальной ячейки или попробуйте разместить "
     "подпрограмму, начиная с более младшего адреса.",
     I::Warning, Btn::Ok},
    // CannotReadFile: %1 file name (the file exists but cannot be read)
    {"ОРЛАН - Ошибка открытия файла",
     "Файл \"%1\"\n"
     "не удаётся прочитать.\n"
     "Возможно, он используется другой программой или у Вас нет прав на чтение этого файла.\n"
     "\n"
     "Действие отменено.",
     I::Warning, Btn::Ok},
    // HelpFileMissing: %1 file name
    {"ОРЛАН - Ошибка открытия файла",
     "Файл справки по командам \"%1\"\n"
     "не найден или не может быть открыт.\n"
     "\n"
     "Справка по командам недоступна. Восстановите этот файл в папке программы.",
     I::Warning, Btn::Ok},
    // VersionCheckFailed (the about box's new-version check)
    {"ORLAN - Ошибка",
     "Произошла ошибка подключения к серверу.\n"
     "Возможно отсутствует подключение к Интернет.\n"
     "\n"
     "Проверьте подключение и повторите попытку снова.",
     I::Error, Btn::Ok},
    // NewVersionAvailable: %1 the program's web site
    {"ORLAN - Новая версия!",
     "Имеется новая версия эмулятора. Посетите сайт программы:\n"
     "%1",
     I::Warning, Btn::Ok},
    // NoNewVersion
    {"ORLAN - Нет новой версии",
     "На данный момент пока нет новой версии эмулятора.\n"
     "Следите за обновлениями.",
     I::Warning, Btn::Ok},
    // FloppyWriteFailure
    {"ОРЛАН - Ошибка УВВ",
     "Устройство не готово.\n"
     "Возможно не вставлена дискета в дисковод или она защищена от записи.\n"
     "Попробуйте вставить дискету в дисковод или снять защиту от записи.",
     I::Error, Btn::Ok},
    // FloppyClearFailure
    {"ОРЛАН - Ошибка УВВ",
     "Невозможно обратиться к дисководу. Устройство занято другим приложением.\n"
     "Попробуйте повторить действие позже.",
     I::Error, Btn::Ok},
    // HardDiskWriteFailure
    {"ОРЛАН - Ошибка УВВ",
     "Устройство не готово.\n"
     "Возможно стоит защита от записи.\n"
     "Попробуйте снять защиту от записи.",
     I::Error, Btn::Ok},
    // HardDiskClearFailure
    {"ОРЛАН - Ошибка УВВ",
     "Невозможно обратиться к жёсткому диску. Устройство занято другим приложением.\n"
     "Попробуйте повторить действие позже.",
     I::Error, Btn::Ok},
    // PrintFailed: %1 the printer (the listing and the printer window's "Печатать")
    {"ОРЛАН - Ошибка печати",
     "Не удалось напечатать на принтере \"%1\".\n"
     "Возможно, принтер выключен или не подключён.\n"
     "\n"
     "Действие отменено.\n"
     "\n"
     "Проверьте принтер или выберите в настройках принтера печать в PDF-файл.",
     I::Error, Btn::Ok},
    // NetSocketError: %1 what the socket layer said, %2 the call that failed
    {"ОРЛАН - Ошибка сети",
     "Ошибка сокета: %1.\n"
     "Операция: \"%2\".",
     I::Warning, Btn::Ok},
    // NetPortNotNumber: %1 the text of the port field
    {"ОРЛАН - Ошибка",
     "\"%1\" не является допустимым целым числом.",
     I::Error, Btn::Ok},
    // NetSendOverflow: %1 the peer's address, %2 its port
    {"ОРЛАН - Ошибка сети",
     "Приёмник \"%1\" (порт %2) не принимает передаваемые байты,\n"
     "и очередь передачи переполнена.\n"
     "Байты, не поместившиеся в очередь, не будут отправлены.\n"
     "\n"
     "Проверьте, запущен ли эмулятор-приёмник, и настройки сети.",
     I::Warning, Btn::Ok},
    // NetAddressInvalid: %1 the text of the address field (the network settings dialog's OK)
    {"ОРЛАН - Ошибка настройки сети",
     "Введён неверный адрес приёмника \"%1\".\n"
     "\n"
     "Адрес состоит из четырёх чисел от 0 до 255, разделённых точками,\n"
     "например 192.168.0.10.\n"
     "Действие отменено.\n"
     "\n"
     "Проверьте правильность введённого адреса и повторите попытку.",
     I::Warning, Btn::Ok},
    // PrintRange (the print dialog)
    {"ОРЛАН - Ошибка печати",
     "Введён неверный диапазон печатаемых ячеек памяти.\n"
     "\n"
     "Номер начальной ячейки должен быть меньше или равен конечной.\n"
     "Действие отменено.\n"
     "\n"
     "Проверьте правильность введённых данных для печати и продолжите работу с эмулятором.",
     I::Warning, Btn::Ok},
    // PdfSaveFailed: %1 the file (a job printed to a PDF file); a file of that name stays as it was
    {"ОРЛАН - Ошибка печати",
     "Не удалось сохранить PDF-файл \"%1\".\n"
     "Возможно, папка защищена от записи или на диске недостаточно места.\n"
     "\n"
     "Действие отменено.\n"
     "\n"
     "Выберите другую папку или освободите место на диске и повторите печать.",
     I::Warning, Btn::Ok},
    // FolderNotFound: %1 the folder typed in the storage settings dialog
    {"ОРЛАН - Ошибка выбора каталога",
     "Каталог \"%1\"\n"
     "не найден.\n"
     "Файлы внешних устройств можно хранить только в существующем каталоге.\n"
     "\n"
     "Действие отменено.\n"
     "Выберите другой каталог или создайте этот.",
     I::Warning, Btn::Ok},
    // DiskFull: %1 file name (a save that found the medium full; the old file is unchanged)
    {"ОРЛАН - Ошибка записи файла",
     "Невозможно сохранить файл\n"
     "%1\n"
     "На носителе недостаточно свободного места.\n"
     "\n"
     "Освободите место на носителе или выберите другой файл (носитель).",
     I::Warning, Btn::Ok},
    // ExcelRange, ExcelNoColumns, ExcelDuplicateName
    {kExcelTitle, kExportRange, I::Error, Btn::Ok},
    {kExcelTitle, kExportNoColumns, I::Error, Btn::Ok},
    {kExcelTitle, kExportDuplicateName, I::Error, Btn::Ok},
    // ExcelSheetName: a name no worksheet can carry
    {kExcelTitle,
     "Название подпрограммы\n"
     "\"%1\"\n"
     "не может быть именем листа электронной таблицы.\n"
     "Имя листа должно содержать от 1 до 31 символа, не может начинаться или заканчиваться\n"
     "апострофом и не может содержать символы : \\ / ? * [ ].\n"
     "Действие отменено.\n"
     "\n"
     "Измените название и продолжите работу.",
     I::Error, Btn::Ok},
    // WordRange, WordNoColumns, WordDuplicateName
    {kWordTitle, kExportRange, I::Error, Btn::Ok},
    {kWordTitle, kExportNoColumns, I::Error, Btn::Ok},
    {kWordTitle, kExportDuplicateName, I::Error, Btn::Ok},
    // TextRange, TextNoColumns, TextDuplicateName
    {kTextTitle, kExportRange, I::Error, Btn::Ok},
    {kTextTitle, kExportNoColumns, I::Error, Btn::Ok},
    {kTextTitle, kExportDuplicateName, I::Error, Btn::Ok},
    // ExcelNotWritten, ExcelNotOpened
    {kExportTitle, ORLAN_EXCEL_CONNECTION ORLAN_NOT_WRITTEN, I::Warning, Btn::Ok},
    {kExportTitle, ORLAN_EXCEL_CONNECTION ORLAN_NOT_OPENED, I::Warning, Btn::Ok},
    // WordNotWritten, WordNotOpened
    {kExportTitle, ORLAN_WORD_CONNECTION ORLAN_NOT_WRITTEN, I::Warning, Btn::Ok},
    {kExportTitle, ORLAN_WORD_CONNECTION ORLAN_NOT_OPENED, I::Warning, Btn::Ok},
    // TextNotWritten
    {kExportTitle,
     "Невозможно создать текстовый файл.\n" ORLAN_NOT_WRITTEN "\n"
     "\n"
     "Действие отменено.",
     I::Warning, Btn::Ok},
    // TextNotOpened
    {kExportTitle,
     "Невозможно открыть текстовый файл.\n"
     "Возможно в системе не назначена программа для просмотра текстовых файлов.\n" ORLAN_NOT_OPENED,
     I::Warning, Btn::Ok},
    // UnknownFileKind: %1 file name
    {"ОРЛАН - Ошибка открытия файла",
     "Файл \"%1\"\n"
     "не является ни файлом данных (*.vst), ни файлом подпрограммы (*.vsp),\n"
     "ни программой на ассемблере (*.asm) эмулятора ОРЛАН.\n"
     "\n"
     "Действие отменено.",
     I::Warning, Btn::Ok},
    // AsmUnsavedChanges: %1 the source's name; "Да" discards the changes
    {"ОРЛАН - Ассемблер",
     "Текст программы \"%1\" изменён и не сохранён.\n"
     "\n"
     "Нажмите \"Да\" чтобы продолжить без сохранения изменений.\n"
     "Нажмите \"Нет\" чтобы вернуться к тексту и сохранить его.",
     I::Exclamation, Btn::YesNo},
    // AsmDisassemblyRange
    {"ОРЛАН - Ошибка дизассемблирования",
     "Введён неверный диапазон ячеек памяти.\n"
     "\n"
     "Номер начальной ячейки должен быть меньше или равен конечной.\n"
     "Действие отменено.\n"
     "\n"
     "Проверьте правильность введённого диапазона и повторите попытку.",
     I::Warning, Btn::Ok},
};
static_assert(std::size(kMessages) == kMessageCount);
#undef ORLAN_EXCEL_CONNECTION
#undef ORLAN_WORD_CONNECTION
#undef ORLAN_NOT_WRITTEN
#undef ORLAN_NOT_OPENED

}  // namespace

const MessageTemplate& messageTemplate(MessageId id) { return kMessages[static_cast<int>(id)]; }

MessageBox makeMessage(MessageId id, std::string_view arg1, std::string_view arg2) {
    const MessageTemplate& t = messageTemplate(id);
    std::string text;
    text.reserve(t.text.size() + arg1.size() + arg2.size());
    for (size_t i = 0; i < t.text.size(); ++i) {
        if (t.text[i] == '%' && i + 1 < t.text.size() && (t.text[i + 1] == '1' || t.text[i + 1] == '2')) {
            text += t.text[i + 1] == '1' ? arg1 : arg2;
            ++i;
        } else {
            text += t.text[i];
        }
    }
    return {id, std::string(t.title), std::move(text), t.icon, t.buttons};
}

MessageBox withRunStopped(MessageBox box) {
    box.text += "\nВыполнение программы остановлено.";
    return box;
}

}  // namespace orlan
