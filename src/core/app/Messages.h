#pragma once
// Every text the core shows, in Russian and English. The call site picks the language
// through Session::text(). Each subsystem keeps its texts in its own section below.

namespace zelvor {

struct Text {
    const char* ru;
    const char* en;
};

namespace msg {

// --- application shell ---------------------------------------------------------------
inline constexpr Text Device{"Микросхема:", "Device:"};
inline constexpr Text ModelChange{"При смене модели программатора нужно перезапустить программу",
                                  "At change model it is necessary restart the program"};
inline constexpr Text LanguageChange{"Чтобы переключить язык необходимо перезапустить программу",
                                     "At change language it is necessary restart the program"};
inline constexpr Text Enter{"Введите :", "Enter :"};
inline constexpr Text Waiting{"", "Waiting..."};
inline constexpr Text NoBaseTable{"Не найден файл prgplus.lst: операции с микросхемой недоступны",
                                  "File prgplus.lst is missing: device commands are unavailable"};
inline constexpr Text EmptyBaseTable{
    "Файл prgplus.lst не содержит типов микросхем: операции с микросхемой недоступны",
    "File prgplus.lst holds no device types: device commands are unavailable"};
inline constexpr Text EmptyCatalogue{
    "Каталог микросхем пуст: операции с микросхемой недоступны",
    "The device catalogue is empty: device commands are unavailable"};
inline constexpr Text AlreadyRunning{
    "Zelvor уже запущен в этой папке (%1). Закройте его или запустите программу в другой папке.",
    "Zelvor is already running in this folder (%1). Close it or start the program in another "
    "folder."};
inline constexpr Text PortNotOpened{"Порт %1 (%2) не открыт: %3. Выберите другой порт или демо режим",
                                    "Port %1 (%2) is not open: %3. Choose another port or Demo"};
inline constexpr Text Busy{"Дождитесь окончания текущей операции",
                           "Wait until the current operation ends"};
inline constexpr Text CloseWhileBusy{"Прервать текущую операцию и закрыть программу?",
                                     "Cancel the current operation and close the program?"};

// --- programmer link ------------------------------------------------------------------
inline constexpr Text LinkError{"Ошибка обмена данными", "Error of link with the programmer"};
inline constexpr Text PortMapUnreadable{"Не удалось прочитать файл портов ",
                                        "Cannot read the port file "};
inline constexpr Text PortMapBadLines{"Строки не поняты и пропущены в файле ",
                                      "Lines not understood and skipped in "};

// --- catalogue ------------------------------------------------------------------------
inline constexpr Text CatalogueFull{"Каталог микросхем переполнен, не помещено записей: %1",
                                    "The device catalogue is full, entries left out: %1"};
inline constexpr Text CatalogueMoreMissing{"Ещё типов микросхем нет в prgplus.lst: %1",
                                           "More device types missing from prgplus.lst: %1"};
inline constexpr Text BaseFileMissing{"Не удается открыть файл %1", "Cannot open the file %1"};
inline constexpr Text BaseFileEmpty{"Файл %1 не содержит типов микросхем",
                                    "The file %1 holds no device types"};
inline constexpr Text BaseBadNumber{"Файл %1, строка %2: не удается прочитать число в столбце %3",
                                    "File %1, line %2: the number in column %3 cannot be read"};
inline constexpr Text BaseBadSize{"Файл %1, строка %2: недопустимый размер в столбце 3",
                                  "File %1, line %2: the size in column 3 is out of range"};
inline constexpr Text BaseTooManyRows{
    "Файл %1: %2 типов микросхем, начиная со строки %3, не загружены (не более %4)",
    "File %1: %2 device types from line %3 on are not loaded (at most %4)"};
inline constexpr Text ChipNotSupported{"Выбранная микросхема не поддерживается",
                                       "Выбранная микросхема не поддерживается"};
inline constexpr Text ModelCRefuses{"Выбранную микросхему не поддерживает модель \"Зелвор-C\"",
                                    "Выбранную микросхему не поддерживает модель \"Зелвор-C\""};
inline constexpr Text ModelBRefuses{"Выбранную микросхему не поддерживает модель \"Зелвор-B\"",
                                    "Выбранную микросхему не поддерживает модель \"Зелвор-B\""};

// --- buffer and files -----------------------------------------------------------------
inline constexpr Text FileNotFound{"   Файл %1  не найден", "   File %1  not found"};
inline constexpr Text FileCannotRead{"   Файл %1  не может быть прочитан",
                                     "   File %1  cannot be read"};
inline constexpr Text NotEnoughMemory{"Недостаточно памяти ", "Not enough memory"};
inline constexpr Text InvalidFileFormat{"Некорректный формат файла", "Invalid file format"};
inline constexpr Text AtLine{", строка %1", ", line %1"};
inline constexpr Text FileTooLarge{"Файл не помещается в буфер (не более 72 МБ)",
                                   "The file does not fit the buffer (72 MiB at most)"};
inline constexpr Text FileReadError{"Ошибка при чтении файла", "File reading error"};
inline constexpr Text FileCreateError{"Ошибка при создании файла %1", "Error at writing file %1"};
inline constexpr Text FileWriteError{"Ошибка при записи файла %1", "Error at writing file %1"};
inline constexpr Text FileSaved{"Файл %1 сохранен", "File %1 saved"};
inline constexpr Text OverwriteFile{"OK to overwrite %1", "OK to overwrite %1"};
inline constexpr Text FileOffsetPrompt{" Смещение в файле : ", " Оffset in a file : "};
inline constexpr Text BufOffsetPrompt{" Смещение в буфере : ", " Offset in the buffer : "};
inline constexpr Text BufOffsetMenu{"Смещение в буфере", "Offset of buffer"};
inline constexpr Text UndoNothing{"Нечего отменять", "Nothing to undo"};
inline constexpr Text RedoNothing{"Нечего повторять", "Nothing to redo"};
inline constexpr Text Undone{"Изменение отменено", "The change is undone"};
inline constexpr Text Redone{"Изменение повторено", "The change is redone"};
inline constexpr Text HistoryDropped{"Буфер изменился: история изменений сброшена",
                                     "The buffer has changed: the history of changes is dropped"};
inline constexpr Text GoToPrompt{" Адрес в буфере : ", " Address in the buffer : "};
inline constexpr Text GoToBad{
    "Адрес \"%1\" не подходит: введите шестнадцатеричный адрес от 0 до %2",
    "Address \"%1\" is not accepted: enter a hexadecimal address from 0 to %2"};
inline constexpr Text FindCaption{"Найти", "Find"};
inline constexpr Text FindHexChoice{"Байты (шестнадцатеричные)", "Bytes (hexadecimal)"};
inline constexpr Text FindTextChoice{"Текст", "Text"};
inline constexpr Text FindBadHex{
    "Введите байты парами шестнадцатеричных цифр, например: 55 AA 0F",
    "Enter the bytes as pairs of hexadecimal digits, for example: 55 AA 0F"};
inline constexpr Text FindBadText{"Введите текст из символов кодовой страницы Windows-1251",
                                  "Enter a text of characters of the Windows-1251 code page"};
inline constexpr Text FindFound{"Найдено по адресу %1", "Found at %1"};
inline constexpr Text FindNone{"Не найдено: %1", "Not found: %1"};
inline constexpr Text WindowCrcText{"CRC-32 области адресов (буфер %1 - %2) : %3",
                                    "CRC-32 of the address window (buffer %1 - %2) : %3"};
inline constexpr Text UnitPages{"страницы", "page"};
inline constexpr Text UnitPage2048{"стр. (2048 byte)", "page (2048 byte)"};
inline constexpr Text UnitPage512{"стр. (512 byte)", "page (512 byte)"};
inline constexpr Text UnitBlock2k{"блока 2к", "block 2k"};
inline constexpr Text StartPrompt{" Нач. адрес ", " Device start "};
inline constexpr Text EndPrompt512{" Кон. адрес страницы (512 byte) : ",
                                   " Device  page end (512 byte)  : "};
inline constexpr Text EndPrompt58{" Конечный адрес   : ", " Device end   : "};
inline constexpr Text EndPrompt{" Конечный адрес  ", " Device end  "};
inline constexpr Text EditBufCaption{"Операции с буфером", "Edit buffer"};
inline constexpr Text EditMaskLabel{"Данные", "Mask val."};
inline constexpr Text EditStartLabel{"Адрес нач.", "Start addr"};
inline constexpr Text EditEndLabel{"Адрес кон.", "End addr"};
inline constexpr Text BadEditData{"Некорректные данные", "Некорректные данные"};
inline constexpr Text BadEditStart{"Неверный начальный адрес", "Неверный начальный адрес"};
inline constexpr Text BadEditEnd{"Неверный конечный адрес", "Неверный конечный адрес"};
inline constexpr Text RecentDamaged{
    "Файл %1 не понят (строка %2): список последних файлов в этот раз не сохраняется",
    "File %1 not understood (line %2): the recent files are not kept this time"};
inline constexpr Text RecentUnreadable{
    "Файл %1 не может быть прочитан: список последних файлов в этот раз не сохраняется",
    "File %1 cannot be read: the recent files are not kept this time"};
inline constexpr Text RecentDropped{"; убран из списка последних файлов",
                                    "; removed from the recent files"};
inline constexpr Text PrintEmpty{"Ошибка ! Буфер пуст.", "Ошибка ! Буфер пуст."};
inline constexpr Text CompareWithFile{"Сравнение буфера с файлом", "The buffer against a file"};
inline constexpr Text CompareWithChip{"Сравнение буфера с микросхемой",
                                      "The buffer against the device"};
inline constexpr Text CompareBufferSide{"Буфер", "Buffer"};
inline constexpr Text CompareChipSide{"Микросхема", "Device"};
inline constexpr Text CompareSummary{"Различающихся байт: %1, областей: %2",
                                     "%1 bytes differ in %2 ranges"};
inline constexpr Text CompareNoDifference{"Отличий нет", "No differences"};
inline constexpr Text ComparePosition{"Отличие %1 из %2: %3 - %4", "Difference %1 of %2: %3 - %4"};

// --- chip operations ------------------------------------------------------------------
inline constexpr Text OpRead{"Чтение", "Read"};
inline constexpr Text OpBlank{"Проверка чистоты", "Blank check"};
inline constexpr Text OpWrite{"Запись", "Write"};
inline constexpr Text OpCompare{"Сравнение", "Compare"};
inline constexpr Text OpActive{"Выполняется \"%1\"", "\"%1\" is active"};
inline constexpr Text OpWindowCaption{"Текущая операция", "Operation Progress"};
inline constexpr Text OpCancelButton{"Прервать", "Cancel"};
inline constexpr Text OperationRate{"%1 байт/с", "%1 bytes/s"};
inline constexpr Text NoReadMode{"Отсутствует режим \"чтение\"",
                                 "The mode \"read\" is not supported"};
inline constexpr Text NoBlankMode{"Отсутствует режим \"Проверка на чистоту\"",
                                  "The mode \"blank check\" is not supported"};
inline constexpr Text NoWriteMode{"Отсутствует режим программирования",
                                  "The mode \"write\" is not supported"};
inline constexpr Text NoCompareMode{"Отсутствует режим сравнения",
                                    "The mode \"compare\" is not supported"};
inline constexpr Text NoEraseMode{"Отсутствует режим стирания",
                                  "The mode \"erase\" is not supported"};
inline constexpr Text ReadDone{"Информация считана в буфер",
                               "The device is read out in the buffer "};
inline constexpr Text BlankOk{"Микросхема чистая", "Blank check OK"};
inline constexpr Text NotBlank{"В микросхеме записана информация", "Blank check not complited"};
inline constexpr Text BufferEmpty{"Ошибка ! Буфер пуст.", "Error! The buffer is empty."};
inline constexpr Text Programmed{"Микросхема запрограммирована", "The device is programmed"};
inline constexpr Text ProgramError{"Ошибка программирования", "Error of programming"};
inline constexpr Text WriteErrorAt{
    "Ошибка записи по адресу : %1 Записано : %2 Должно быть : %3",
    "Error of programing to the address:  %1 it Is written down: %2 should be:  %3"};
inline constexpr Text CompareOk{"Микросхема запрограммирована верно",
                                "The device is programmed correctly    "};
inline constexpr Text CompareDiffers{"Микросхема содержит отличия от оригинала",
                                     "The device contains differences from the original  "};
inline constexpr Text NotCompareAt{
    "Не сравнение по адресу : %1 Записано : %2 Должно быть : %3",
    "Not compare to the address: %1 it Is written down: %2 Should be: %3"};
inline constexpr Text EraseDone{"Стирание завершено ", "Erase complited"};
inline constexpr Text EraseError{"Ошибка стирания", "Error erasing"};
inline constexpr Text EraseError38{"Ошибка стирания ", "Error erasing"};
inline constexpr Text WaitRead{"Ждите..", "Waiting.."};
inline constexpr Text WaitWriteData{"Ждите .. data ..", "Waiting.."};
inline constexpr Text WaitWriteCfgw{"Ждите..cfgw..", "Waiting.."};
inline constexpr Text WaitCompareData{"Ждите.. data", "Waiting.."};
inline constexpr Text PicExtrasSkipped{
    "Область данных/конфигурации не включена: память кода больше 16 КБ",
    "The data/configuration area is not included: the code memory is larger than 16 KB"};
inline constexpr Text WaitErase{"Ждите ... ", "Waiting..."};
inline constexpr Text NoSectors{"Для выбранной микросхемы нет списка секторов стирания",
                                "The device has no erase sector list"};

// --- protection and configuration -----------------------------------------------------
inline constexpr Text WaitLong{"Ждите ...", "Waiting..."};
inline constexpr Text WaitShort{"Ждите..", "Waiting.."};
inline constexpr Text NoLockBit{"Отсутствует бит секретности",
                                "The mode \"lock bit\" is not supported"};
inline constexpr Text LockProgError{"Ошибка программирования", "Error of programming"};
inline constexpr Text LockSet{"Бит защиты установлен", "Lock bits it is established  "};
inline constexpr Text LockX2Set{"Бит защиты/X2 установлен", "Lock bits it is established  "};
inline constexpr Text CfgProgrammed{"Микросхема запрограммирована", "The device is programmed"};
inline constexpr Text CfgProgError{"Ошибка программирования", "Error of programming "};
inline constexpr Text CfgRead{"Информация считана в буфер",
                              "The device is read out in the buffer "};
inline constexpr Text CfgMaskWrong{"Mask %1 not correct", "Mask %1 not correct"};
inline constexpr Text CfgNoLayout{"Нет описания конфигурации микросхемы в prgpic16.lst",
                                  "prgpic16.lst has no configuration layout for this device"};
inline constexpr Text CfgBadId{"Неверный идентификатор ID", "Invalid user ID"};
inline constexpr Text CfgNotSupported{"Отсутствует режим \"конфигурация\"",
                                      "The mode \"configuration\" is not supported"};
inline constexpr Text FuseSet{"Биты конфигурации установлены", "Fuse bits is set "};
inline constexpr Text FuseRead{"Биты конфигурации считаны",
                               "The device is read out in the buffer "};
inline constexpr Text NoBbl{"Отсутствует режим \"boot block lockout\"",
                            "The mode \"boot block lockout\" is not supported"};
inline constexpr Text BblSet{"Установлен \"boot block lockout\"",
                             "Установлен \"boot block lockout\""};
inline constexpr Text BblRead{"Установлены \"boot block lockout\":",
                              "Установлены \"boot block lockout\":"};
inline constexpr Text NoSdp{"Отсутствует режим SDP",
                            "The \"Mode SDP Enable/Disable\" is not supported"};
inline constexpr Text SdpOff{"Режим SDP снят", "Режим SDP снят"};

// --- service --------------------------------------------------------------------------
inline constexpr Text NoReadId{"Отсутствует идентификационный код",
                               "The mode \"read ID\" is not supported"};
inline constexpr Text IdNotFound{"Микросхема в базе не найдена.   Идентификационные коды:    ",
                                 "Микросхема в базе не найдена.   Идентификационные коды:    "};
inline constexpr Text NoRamTest{"Отсутствует режим тестирования",
                                "The mode \"test RAM\" is not supported"};
inline constexpr Text RamTestName{"Тестирование ОЗУ", "Test RAM"};
inline constexpr Text RamTestOk{"Тест ОЗУ выполнен успешно", "Тест ОЗУ выполнен успешно"};
inline constexpr Text RamTestFailed{"Тест ОЗУ не прошел", "Тест ОЗУ не прошел"};
inline constexpr Text BadBlockDone{"Проверка bad block закончена", "Waiting..."};
inline constexpr Text FwBufferEmpty{"Ошибка ! Буфер пуст.", "Error! The buffer is empty."};
inline constexpr Text FwUpdating{"Выполняется замена прошивки", "Running \"Firmware update\""};
inline constexpr Text FwUpdated{"Замена прошивки выполнена", "Firmware updated"};
inline constexpr Text FwNeedsImage{"Для замены прошивки нужен образ 32 КБ в буфере",
                                   "The firmware update needs a 32 KiB image in the buffer"};
inline constexpr Text FwNeedsChip{"Для замены прошивки выберите 8-битную микросхему со стиранием, "
                                  "проверкой, записью и сравнением",
                                  "For the firmware update choose an 8-bit device that can be "
                                  "erased, checked, programmed and compared"};

// --- journal --------------------------------------------------------------------------
inline constexpr Text LogViewCaption{"Просмотр журнала", "View log"};
inline constexpr Text LogViewClose{"Закрыть", "Close"};

} // namespace msg
} // namespace zelvor
