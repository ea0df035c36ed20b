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

// --- catalogue ------------------------------------------------------------------------

// --- buffer and files -----------------------------------------------------------------

// --- chip operations ------------------------------------------------------------------

// --- protection and configuration -----------------------------------------------------

// --- service --------------------------------------------------------------------------

// --- journal --------------------------------------------------------------------------

} // namespace msg
} // namespace zelvor
