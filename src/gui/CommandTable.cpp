#include "CommandTable.h"

namespace zelvor::gui {

namespace {

using C = Command;
using W = WindowCommand;
using K = ItemKind;
using F = ChipFeatures;

// clang-format off
constexpr MenuRow kMenu[] = {
    {K::Menu, nullptr, "Set_Reg", "Установить", "Configure", nullptr, {}},
    {K::Item, "Set_Reg", "SetType", "Выбор микросхемы", "Select Device", "Ctrl+T", opens(W::SelectChip)},
    {K::Item, "Set_Reg", "SetAddr", "Установка адресов", "Set Addresses", nullptr, runs(C::SetAddressWindow)},
    {K::Item, "Set_Reg", "Prg_Vpp", "Настройка параметров", "Program algorithm", "Ctrl+P", opens(W::ProgrammingParameters)},
    {K::Item, "Set_Reg", "SetOfBuf", "Смещение в буфере", "Offset of buffer", nullptr, runs(C::SetBufferOffset)},
    {K::Separator, "Set_Reg", "", nullptr, nullptr, nullptr, {}},
    {K::Submenu, "Set_Reg", "N8", "Выбор модели", "Model of the programmer", nullptr, {}},
    {K::Item, "N8", "x21", "Зелвор-AX", "Zelvor-AX", nullptr, opens(W::Model, 6)},
    {K::Item, "N8", "N3", "Зелвор-A", "Zelvor-A", nullptr, opens(W::Model, 4)},
    {K::Item, "N8", "N021", "Зелвор-C", "Zelvor-C", nullptr, opens(W::Model, 3)},
    {K::Item, "N8", "N321", "Зелвор-B", "Zelvor-B", nullptr, opens(W::Model, 5)},
    {K::Submenu, "Set_Reg", "Chc_Com", "Последовательный порт", "Communication Port", nullptr, {}},
    {K::Item, "Chc_Com", "COM_1", "COM1", nullptr, nullptr, opens(W::Port, 0)},
    {K::Item, "Chc_Com", "COM_2", "COM2", nullptr, nullptr, opens(W::Port, 1)},
    {K::Item, "Chc_Com", "COM_3", "COM3", nullptr, nullptr, opens(W::Port, 2)},
    {K::Item, "Chc_Com", "COM_4", "COM4", nullptr, nullptr, opens(W::Port, 3)},
    {K::Submenu, "Set_Reg", "Set_Speed", "Установка скорости", "Change Baud Rate", nullptr, {}},
    {K::Item, "Set_Speed", "Sp_N", "9600", nullptr, nullptr, opens(W::Speed, 0)},
    {K::Item, "Set_Speed", "Sp_T", "57600", nullptr, nullptr, opens(W::Speed, 1)},
    {K::Item, "Set_Speed", "N1152001", "115200", nullptr, nullptr, opens(W::Speed, 2)},
    {K::Item, "Set_Speed", "N230400", "230400", nullptr, nullptr, opens(W::Speed, 4)},
    {K::Item, "Set_Speed", "N4608001", "460800", nullptr, nullptr, opens(W::Speed, 8)},
    {K::Separator, "Set_Reg", "", nullptr, nullptr, nullptr, {}},
    {K::Hidden, "Set_Reg", "N7", "Смена прошивки", nullptr, "Ctrl+U", runs(C::UpdateFirmware)},
    {K::Hidden, "Set_Reg", "N12", "Переключить программу", nullptr, "Ctrl+R", runs(C::SwitchProgram)},
    {K::Item, "Set_Reg", "Cprog", "Повтор записи", nullptr, "Ctrl+Q", runs(C::RepeatProgram)},
    {K::Hidden, "Set_Reg", "N5", "Тест", nullptr, "Ctrl+A", runs(C::SelfTest)},
    {K::Hidden, "Set_Reg", "PrintListSh", "PrintListSh", nullptr, "Ctrl+N", runs(C::WriteShortList)},
    {K::Hidden, "Set_Reg", "PrintListAd", "PrintListAd", nullptr, "Ctrl+K", runs(C::WriteAdapterList)},
    {K::Hidden, "Set_Reg", "Wr_log", "Запись в журнал", nullptr, "Ctrl+G", runs(C::ToggleJournal)},
    {K::Hidden, "Set_Reg", "RegOtl", "Режим отладки", nullptr, "Ctrl+O", runs(C::ToggleDebug)},
    {K::Hidden, "Set_Reg", "Dthcb1", "Версия прошивки", nullptr, "Ctrl+Z", runs(C::FirmwareVersion)},
    {K::Item, "Set_Reg", "N6", " Русский->Английский", "English->Russian", nullptr, runs(C::ToggleLanguage)},
    {K::Item, "Set_Reg", "Demo_mode", "Демо режим", "Demo", nullptr, runs(C::DemoMode)},
    {K::Separator, "Set_Reg", "", nullptr, nullptr, nullptr, {}},
    {K::Item, "Set_Reg", "Prg_exit", "Выход", "Exit", nullptr, opens(W::Exit)},

    {K::Menu, nullptr, "N13", "Направить", "File", nullptr, {}},
    {K::Item, "N13", "Read_File", "Чтение файла", "Load", "F3", opens(W::LoadFile)},
    {K::Item, "N13", "Write_File", "Запись в файл", "Save", "F4", opens(W::SaveFile)},
    {K::Item, "N13", "ChcDisp", "Начало файла", "Offset from the beginning of a file", nullptr, runs(C::SetFileOffset)},
    {K::Submenu, "N13", "N17", "Определить формат", "File format", nullptr, {}},
    {K::Item, "N17", "BIN1", "Бинарный (.BIN)", "Binary", nullptr, runs(C::FormatBin)},
    {K::Item, "N17", "HEX1", "Шестнадцатеричный (.HEX)", "Hex(Intel)", nullptr, runs(C::FormatHex)},
    {K::Item, "N13", "Print_Rom", "Печать", "Print", nullptr, opens(W::Print)},
    {K::Separator, "N13", "", nullptr, nullptr, nullptr, {}},
    {K::Submenu, "N13", "RecentFiles", "Последние файлы", "Recent Files", nullptr, {}},
    {K::Item, "RecentFiles", "RecentFile1", "1", nullptr, nullptr, opens(W::RecentFile, 0)},
    {K::Item, "RecentFiles", "RecentFile2", "2", nullptr, nullptr, opens(W::RecentFile, 1)},
    {K::Item, "RecentFiles", "RecentFile3", "3", nullptr, nullptr, opens(W::RecentFile, 2)},
    {K::Item, "RecentFiles", "RecentFile4", "4", nullptr, nullptr, opens(W::RecentFile, 3)},
    {K::Item, "RecentFiles", "RecentFile5", "5", nullptr, nullptr, opens(W::RecentFile, 4)},
    {K::Item, "RecentFiles", "RecentFile6", "6", nullptr, nullptr, opens(W::RecentFile, 5)},
    {K::Item, "RecentFiles", "RecentFile7", "7", nullptr, nullptr, opens(W::RecentFile, 6)},
    {K::Item, "RecentFiles", "RecentFile8", "8", nullptr, nullptr, opens(W::RecentFile, 7)},

    {K::Menu, nullptr, "N20", "Записать", "Write_Commands", nullptr, {}},
    {K::Item, "N20", "WriteRom", "Программирование ПЗУ", "Program", "F5", runs(C::ProgramChip)},
    {K::Item, "N20", "ClearRom", "Стирание", "Erase", "Ctrl+F4", runs(C::EraseChip)},
    {K::Item, "N20", "CompRom", "Сравнение ПЗУ с буфером", "Compare", "F6", runs(C::CompareChip)},
    {K::Submenu, "N20", "SetBit", "Установить бит секретности", "Lock Bits", nullptr, {}, &F::lockBitsMenu},
    {K::Item, "SetBit", "N11", "Бит защиты 1", "Bit 1", nullptr, runs(C::LockBit1)},
    {K::Item, "SetBit", "N121", "Биты защиты 1,2", "Bit 1,2", nullptr, runs(C::LockBits12)},
    {K::Item, "SetBit", "N1231", "Биты защиты 1,2,3", "Bit 1,2,3", nullptr, runs(C::LockBits123)},
    {K::Item, "N20", "TestRAM", "Тестирование ОЗУ", "Test RAM", "Ctrl+F2", runs(C::TestRam), &F::ramTest},
    {K::Item, "N20", "Mode_SDP", "Оключить SDP", "Mode SDP", nullptr, runs(C::SdpOff), &F::sdp},
    {K::Submenu, "N20", "Set_BBL", "Установить \"boot block lockout\" ", "Set Boot Block Lockout", nullptr, {}, &F::bootBlockSet},
    {K::Item, "Set_BBL", "L_BBL", "Нижний блок", "Low", nullptr, runs(C::LockLowerBootBlock)},
    {K::Item, "Set_BBL", "H_BBL", "Верхний блок", "High", nullptr, runs(C::LockUpperBootBlock)},
    {K::Item, "N20", "setX2", "Установить режим x2", nullptr, nullptr, runs(C::SetX2), &F::x2Mode},
    {K::Item, "N20", "SetCfg", "Установить конфигурацию", "Set Fuse/CFGW", nullptr, runs(C::WriteConfig), &F::configMenu},

    {K::Menu, nullptr, "N27", "Прочитать", "Read_Commands", nullptr, {}},
    {K::Item, "N27", "ReadRom", "Чтение ПЗУ в буфер", "Read", "F7", runs(C::ReadChip)},
    {K::Item, "N27", "ReadNull", "Проверка чистоты", "Blank Check", "F8", runs(C::BlankCheck)},
    {K::Item, "N27", "ReadId", "Чтение идентификатора", "Read ID", "Ctrl+F3", runs(C::ReadId), &F::readId},
    {K::Item, "N27", "Flash1", "Автоопределение Flash", "Autodetect Flash", nullptr, runs(C::AutoDetectFlash), &F::autoDetectFlash},
    {K::Item, "N27", "Read_bbl", "Проверка \"Lockout\"", "Read Boot Block Lockout", nullptr, runs(C::ReadBootBlockLock), &F::bootBlockRead},
    {K::Item, "N27", "ReadCfg", "Считать конфигурацию", "Read Fuse/CFGW", nullptr, runs(C::ReadConfig), &F::configMenu},
    {K::Item, "N27", "Badblock1", "Проверка \"Bad block\"", nullptr, nullptr, runs(C::BadBlocks), &F::badBlocks},

    {K::Menu, nullptr, "N32", "Просмотреть", "View", nullptr, {}},
    {K::Item, "N32", "ViewBuf", "Операции с буфером", "View Buffer", "F2", opens(W::ViewBuffer)},
    {K::Item, "N32", "ViewLog", "Журнал", "View Log", "Ctrl+L", opens(W::ViewLog)},
    {K::Separator, "N32", "", nullptr, nullptr, nullptr, {}},
    {K::Item, "N32", "UndoEdit", "Отменить", "Undo", "Alt+Backspace", opens(W::Undo)},
    {K::Item, "N32", "RedoEdit", "Повторить", "Redo", "Alt+Shift+Backspace", opens(W::Redo)},
    {K::Item, "N32", "GoToAddr", "Перейти к адресу...", "Go to Address...", "Ctrl+J", opens(W::GoToAddress)},
    {K::Item, "N32", "FindBuf", "Найти...", "Find...", "Ctrl+F", opens(W::Find)},
    {K::Item, "N32", "FindNextBuf", "Найти далее", "Find Next", "Ctrl+Shift+F", opens(W::FindNext)},
    {K::Item, "N32", "WindowCrc", "CRC-32 области адресов", "CRC-32 of the Address Window", nullptr, opens(W::WindowCrc)},
    {K::Item, "N32", "CompareFile", "Сравнить буфер с файлом...", "Compare Buffer with File...", nullptr, opens(W::CompareFile)},

    {K::Menu, nullptr, "N34", "Помощь", "Help", nullptr, {}},
    {K::Item, "N34", "HelpPrg", "Справка", "Help Topics", "F1", opens(W::Help)},
    {K::Item, "N34", "AboutPrg", "О программе", "About", nullptr, opens(W::About)},
};

constexpr ToolRow kTools[] = {
    {"Chc_chip", "Выбор микросхемы", "Select Device", "chip", opens(W::SelectChip)},
    {"Ch_Sp", "Установка скорости", "Change Speed", "speed", runs(C::CycleSpeed)},
    {"ld_file", "Чтение файла", "Load File", "load", opens(W::LoadFile)},
    {"sv_file", "Запись в файл", "Save File", "save", opens(W::SaveFile)},
    {"pr_buf", "Печать", "Print Buffer", "print", opens(W::Print)},
    {"wr_chip", "Программирование ПЗУ", "Program", "program", runs(C::ProgramChip), &F::program},
    {"cl_chip", "Стирание", "Erase", "erase", runs(C::EraseChip), &F::erase},
    {"cmp_chip", "Сравнение ПЗУ", "Compare", "compare", runs(C::CompareChip), &F::compare},
    {"Lock_bits", "Установка бита секретности", "Lock Bits", "lock", runs(C::LockBits), &F::lock},
    {"autoprg", "Автопрограммирование", nullptr, "auto", runs(C::AutoProgram)},
    {"setcfgw", "Записать конфигурацию", "Set Fuse/CFGW", "cfg-write", runs(C::WriteConfig), &F::configuration},
    {"rd_chip", "Чтение ПЗУ", "Read", "read", runs(C::ReadChip), &F::read},
    {"vr_null", "Проверка чистоты", "Blank check", "blank", runs(C::BlankCheck), &F::blank},
    {"rd_id", "Чтение идентификатора", "Read ID", "id", runs(C::ReadId), &F::readId},
    {"ReadCfgw", "Считать конфигурацию", "Read Fuse/CFGW", "cfg-read", runs(C::ReadConfig), &F::configuration},
    {"view_bf", "Операции с буфером", "View buffer", "buffer", opens(W::ViewBuffer)},
    {"hlp_pr", "Справка", "Help", "help", opens(W::Help)},
};
// clang-format on

} // namespace

std::span<const MenuRow> menuRows() {
    return kMenu;
}

std::span<const ToolRow> toolRows() {
    return kTools;
}

} // namespace zelvor::gui
