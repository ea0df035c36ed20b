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
inline constexpr Text EmptyCatalogue{"Каталог микросхем пуст: операции с микросхемой недоступны",
                                     "The device catalogue is empty: device commands are unavailable"};
inline constexpr Text Busy{"Дождитесь окончания текущей операции",
                           "Wait until the current operation ends"};

// --- programmer link ------------------------------------------------------------------
inline constexpr Text LinkError{"Ошибка обмена данными", "Error of link with the programmer"};
inline constexpr Text PortMapUnreadable{"Не удалось прочитать файл портов ",
                                       "Cannot read the port file "};
inline constexpr Text PortMapBadLines{"Строки не поняты и пропущены в файле ",
                                      "Lines not understood and skipped in "};

// --- catalogue ------------------------------------------------------------------------

// --- buffer and files -----------------------------------------------------------------
inline constexpr Text FileNotFound{"   Файл %1  не найден", "   File %1  not found"};
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
inline constexpr Text PrintEmpty{"Ошибка ! Буфер пуст.", "Ошибка ! Буфер пуст."};

// --- chip operations ------------------------------------------------------------------

// --- protection and configuration -----------------------------------------------------

// --- service --------------------------------------------------------------------------

// --- journal --------------------------------------------------------------------------

} // namespace msg
} // namespace zelvor
