#pragma once
// Every language pair of the program, in one table. Resolve them with LangText (lang.h).
// Messages with a Russian and an English side; "Limit = 18 digits!" exists in English only and is
// therefore no pair (its "=" would split it): show it as it stands.

namespace tallyman::pairs {

// Messages of the tape and its files.
inline constexpr const wchar_t* kError = L"Ошибка!=Error!";
inline constexpr const wchar_t* kWrongClipboardNumber = L"В буфере не число!=Wrong number in clipboard!";
inline constexpr const wchar_t* kFileError = L"Ошибка в файле!=File error!";
inline constexpr const wchar_t* kNotEnoughMemory = L"Недостаточно памяти!=Not enough memory!";
inline constexpr const wchar_t* kCalculationError = L"Ошибка в расчётах=Error in calculations!";
inline constexpr const wchar_t* kZeroNotMeaningful = L"Ноль вводить не имеет смысла!=The zero is not meaningful!";
inline constexpr const wchar_t* kTimeIsOver = L"Время вышло!=The time is over!";
inline constexpr const wchar_t* kLimit18Digits = L"Limit = 18 digits!";

// Questions.
inline constexpr const wchar_t* kCloseProgramQuestion = L"Закрыть калькулятор?=Close program?";
inline constexpr const wchar_t* kRemoveEverythingQuestion =
    L"Будет удалено вообще всё!!!=All calculations will be removed!!!";
inline constexpr const wchar_t* kClearAllLines = L"Удалить все строки=Clear all lines";
inline constexpr const wchar_t* kDeleteCurrentLine = L"Удалить строку=Delete current line";
inline constexpr const wchar_t* kSaveChanges = L"Сохранить изменения=Save changes";
inline constexpr const wchar_t* kClearAllText = L"Удалить весь текст=Clear all text";
inline constexpr const wchar_t* kDelete = L"Удалить=Delete";
inline constexpr const wchar_t* kClearAll = L"Очистить всё=Clear all";

// Prompts and dialog captions.
inline constexpr const wchar_t* kComments = L"Комментарии=Comments";
inline constexpr const wchar_t* kAnyText = L"любой текст:=any text:";
inline constexpr const wchar_t* kEnterNumber = L"Введите число=Enter numer";
inline constexpr const wchar_t* kChange = L"Изменение:=Change:";
inline constexpr const wchar_t* kInsertBefore = L"Вставка до:=Insert before:";
inline constexpr const wchar_t* kLineOf = L"  стр. =  line ";
inline constexpr const wchar_t* kLoadCalculations = L"Загрузить вычисления из файла=Load calculations from file";
inline constexpr const wchar_t* kSaveCalculations = L"Запись вычислений в файл=Save calculations to file";
inline constexpr const wchar_t* kSaveResults = L"Запись результатов в файл=Save results to file";
inline constexpr const wchar_t* kCalculations = L"Вычисления:=Calculations:";
inline constexpr const wchar_t* kResult = L"Результат:=Result:";
inline constexpr const wchar_t* kCalculator = L"Калькулятор=Calculator";

// Why a desktop service is unavailable (tooltips of the disabled menu items).
inline constexpr const wchar_t* kDesktopNoX11 =
    L"Нужен дисплей X11 или портал рабочего стола=Needs an X11 display or the desktop's portal";
inline constexpr const wchar_t* kDesktopNoPortal =
    L"Рабочий стол не даёт глобальных клавиш (нет портала GlobalShortcuts)="
    L"The desktop offers no global shortcuts (no GlobalShortcuts portal)";
inline constexpr const wchar_t* kWaylandNoLockKeys =
    L"Wayland не позволяет программам переключать NumLock=Wayland does not let programs switch NumLock";
inline constexpr const wchar_t* kWaylandNoStayOnTop =
    L"Wayland не позволяет окну держаться поверх других=Wayland does not let a window keep itself on top";
inline constexpr const wchar_t* kResults = L"Результаты=Results";

// Printing.
inline constexpr const wchar_t* kPrintCalculations = L"Печать вычислений=Print calculations";
inline constexpr const wchar_t* kPrinters = L"Принтеры=Printers";
inline constexpr const wchar_t* kFonts = L"Шрифты=Fonts";
inline constexpr const wchar_t* kTitle = L"Заголовок=Title";
inline constexpr const wchar_t* kCopies = L"Копий=Copies";
inline constexpr const wchar_t* kCurrentDate = L"Текущая дата=Current date";
inline constexpr const wchar_t* kToPrint = L"Печатать=To print";
inline constexpr const wchar_t* kCancel = L"Отменить=Cancel";
inline constexpr const wchar_t* kPrintTotal =
    L"В расчёте %d значений ____________________    ИТОГО=In %d calculations ____________________    RESULT";
inline constexpr const wchar_t* kPdfFile = L"Файл PDF=PDF file";
inline constexpr const wchar_t* kFileHoldsOneCopy = L"Файл хранит одну копию=A file holds one copy";
inline constexpr const wchar_t* kPrintToPdf = L"Печать в файл PDF=Print to PDF file";
inline constexpr const wchar_t* kPrintError = L"Ошибка печати!=Print error!";

// Formula engine errors.
inline constexpr const wchar_t* kDivideByZero = L"Деление на ноль!=Divide by zero!";
inline constexpr const wchar_t* kMismatchedBrackets = L"Не согласованы скобки=Mismatched brackets";
inline constexpr const wchar_t* kExpectedNumberOrVariable =
    L"Ожидается число или переменная=Expected Number or Variable";
inline constexpr const wchar_t* kMistakeInArguments = L"Ошибка в аргументах=Mistake in arguments";
inline constexpr const wchar_t* kWrongOperation = L"Ошибочная операция=Wrong operation";
inline constexpr const wchar_t* kWrongVariable = L"Ошибочная переменная=Wrong variable";
inline constexpr const wchar_t* kWrongNumber = L"Ошибочное число=Wrong number";
inline constexpr const wchar_t* kSyntaxError = L"Синтаксическая ошибка!=Syntax error!";

// Formula window, notebook and memory list.
inline constexpr const wchar_t* kEnterFormula =
    L"Введите (выберите) формулу и нажмите Enter=Input (select) the formula and press Enter";
inline constexpr const wchar_t* kRun = L"&Запустить=&Run";
inline constexpr const wchar_t* kSaveToFile = L"&Сохранить в файл=Save to file";
inline constexpr const wchar_t* kGet = L"Взять=Get";
inline constexpr const wchar_t* kRemember = L"Запомнить=Remember";
inline constexpr const wchar_t* kEdit = L"Изменить=Edit";
inline constexpr const wchar_t* kClose = L"Закрыть=Close";
inline constexpr const wchar_t* kHide = L"Скрыть=Hide";
inline constexpr const wchar_t* kNote = L"Блокнот=Note";
inline constexpr const wchar_t* kSetAlarm = L"Будильник=Set alarm";
inline constexpr const wchar_t* kKeys = L"Клавиши=Keys";
inline constexpr const wchar_t* kHour = L"Час=Hour";
inline constexpr const wchar_t* kMin = L"Мин=Min";
inline constexpr const wchar_t* kDecode = L"Декодировать=Decode";
inline constexpr const wchar_t* kInsertCalculations = L"Добавить вычисления=Insert calculations";
inline constexpr const wchar_t* kInsertDateTime = L"Вставить дату и время=Insert date and time";
inline constexpr const wchar_t* kCalculateTime = L"Рассчитать время=Сalculate time";
inline constexpr const wchar_t* kCalculateSelection =
    L"Рассчитать выделенный текст (формулу)=Сalculate selected text formula";
inline constexpr const wchar_t* kSelectedNumberToText = L"Выделенное число - прописью=Convert selected number to text";
inline constexpr const wchar_t* kFreeware = L"Бесплатно=Freeware";
// "%s" is the path of the help page.
inline constexpr const wchar_t* kHelpNotOpened = L"Не удалось открыть справку:\n%s=Could not open the help page:\n%s";
// The notebook's file ("%s" is its full name); the sizes are the notebook's limits.
inline constexpr const wchar_t* kNoteFileUnread =
    L"Не удалось прочитать файл \"%s\". Блокнот не будет его перезаписывать.="
    L"Could not read the file \"%s\". The notebook will not write over it.";
inline constexpr const wchar_t* kNoteFileTooLarge =
    L"Файл \"%s\" больше 1 МБ или в нём есть строка длиннее 4096 знаков: блокнот его не открывает и не "
    L"изменяет.=The file \"%s\" is larger than 1 MB or holds a line longer than 4096 characters: the notebook "
    L"neither opens nor changes it.";
inline constexpr const wchar_t* kNoteTooLargeToReopen =
    L"Текст записан в \"%s\", но он больше 1 МБ или в нём есть строка длиннее 4096 знаков: в следующий раз "
    L"блокнот его не откроет.=The text was written to \"%s\", but it is larger than 1 MB or holds a line longer "
    L"than 4096 characters: the notebook will not open it next time.";
inline constexpr const wchar_t* kNoteKeptUnread =
    L"Файл \"%s\" не был прочитан, текст в него не записан.="
    L"The file \"%s\" was not read; the text was not written to it.";
inline constexpr const wchar_t* kNoteKeptReadOnly =
    L"Файл \"%s\" только для чтения, текст в него не записан.="
    L"The file \"%s\" is read-only; the text was not written to it.";
inline constexpr const wchar_t* kSaveElsewhere =
    L"Сохраните текст в другой файл (Ctrl+S).=Save the text to another file (Ctrl+S).";
inline constexpr const wchar_t* kCloseAgainDiscards =
    L"Если закрыть окно ещё раз, текст не сохранится.=Closing the window again discards the text.";
inline constexpr const wchar_t* kReadOnly = L"только чтение=read-only";

// Text tools of the notebook ("%s" is the text that was refused).
inline constexpr const wchar_t* kNotANumber = L"\"%s\" - не число=\"%s\" is not a number";
inline constexpr const wchar_t* kNotInt64 =
    L"Число \"%s\" не помещается в 64 бита=The number \"%s\" does not fit in 64 bits";
inline constexpr const wchar_t* kHoursOutOfRange =
    L"Число часов должно быть от 0 до 596523=The number of hours must be from 0 to 596523";

// Main window and results window captions; "%2" stands for the key of the command, as the desktop
// names it.
inline constexpr const wchar_t* kMenuFile = L"&Файл=&File";
inline constexpr const wchar_t* kMenuOperations = L"&Команды=&Commands";
inline constexpr const wchar_t* kMenuHelp = L"&Помощь=&Help";
inline constexpr const wchar_t* kMenuLoad = L"&Загрузка...=&Load...";
inline constexpr const wchar_t* kMenuSave = L"&Сохранение...=&Save...";
inline constexpr const wchar_t* kMenuPrint = L"&Печать...=&Print...";
inline constexpr const wchar_t* kMenuExit = L"Вы&ход=E&xit";
inline constexpr const wchar_t* kMenuSign = L"&Знак числа=&Sign";
inline constexpr const wchar_t* kMenuResults = L"&Результаты...=&Results...";
inline constexpr const wchar_t* kMenuClear = L"&Очистка=&Clear";
inline constexpr const wchar_t* kMenuHide = L"Спрятат&ь=&Hide";
inline constexpr const wchar_t* kMenuTop = L"&Поверх других окон=&On top";
inline constexpr const wchar_t* kMenuHotKey = L"&Горячая клавиша=Hot &key";
inline constexpr const wchar_t* kMenuReadMe = L"&Содержание=&Content";
inline constexpr const wchar_t* kMenuAbout = L"&О программе=&About";
inline constexpr const wchar_t* kMenuRowEdit = L"&Изменить...=&Edit...";
inline constexpr const wchar_t* kMenuRowInsert = L"&Вставить...  (%2)=&Insert...   (%2)";
inline constexpr const wchar_t* kMenuRowDelete = L"&Удалить      (%2)=&Delete      (%2)";
inline constexpr const wchar_t* kMenuOperand = L"Взять &операнд=&Get operand";
inline constexpr const wchar_t* kMenuResult = L"Взять &результат=Get &result";
inline constexpr const wchar_t* kMenuSets = L"У&становки=&Sets";
inline constexpr const wchar_t* kMenuMenu = L"&Меню=&Menu";
inline constexpr const wchar_t* kMenuRestore = L"&Показать калькулятор=&Show program";
inline constexpr const wchar_t* kMenuCopyResult = L"&Копировать результат в буфер=&Copy result to clipboard";
inline constexpr const wchar_t* kMenuClose = L"&Закрыть калькулятор=Close &program";
inline constexpr const wchar_t* kMenuNote = L"&Блокнот=&Note";
inline constexpr const wchar_t* kMenuForm = L"&Формула=&Formula";
inline constexpr const wchar_t* kMenuListMem = L"Пам&ять=&Memory";
inline constexpr const wchar_t* kMenuProp = L"&Число прописью - в буфер=Number to te&xt and to Clipboard";
inline constexpr const wchar_t* kMenuFont = L"&Шрифт...=Fon&t...";
inline constexpr const wchar_t* kMenuPrecision = L"&Точность...=&Precision...";
inline constexpr const wchar_t* kMenuTray = L"В &лоток при загрузке=&Load to tray";
inline constexpr const wchar_t* kMenuConfirm = L"Подтверждать закрыт&ие=Conf&irm closing";
inline constexpr const wchar_t* kMenuHideOnMin = L"В лоток при закр&ытии=Hide to tra&y on min/close";
inline constexpr const wchar_t* kMenuNumLock = L"&NumLock включен всегда=NumLock always ON";
inline constexpr const wchar_t* kMenuUndo = L"&Отменить=&Undo";
inline constexpr const wchar_t* kMenuCut = L"&Вырезать=Cu&t";
inline constexpr const wchar_t* kMenuCopy = L"&Копировать=&Copy";
inline constexpr const wchar_t* kMenuPaste = L"Вст&авить=&Paste";
inline constexpr const wchar_t* kMenuDelete = L"&Удалить=&Delete";
inline constexpr const wchar_t* kMenuSelectAll = L"В&ыделить всё=Select &All";
inline constexpr const wchar_t* kMenuClearAllText = L"У&далить всё!!!=C&lear All";
inline constexpr const wchar_t* kMenuOnlyOne = L"Один экземпляр программы=Only one instance";
inline constexpr const wchar_t* kMenuGoTo = L"Перейти &к расчётам=&Go to calculations";
inline constexpr const wchar_t* kMenuClearAll = L"У&далить всё!!!=Clear &All";
inline constexpr const wchar_t* kMenuSaveAll = L"Со&хранить всё=Save &all";
inline constexpr const wchar_t* kMenuResMove = L"&Перенести результат в окно ввода=&Move result";
inline constexpr const wchar_t* kMenuResCopy = L"&Копировать результат в буфер=&Copy result to clipboard";

// Spoken texts of rows and controls, offered to screen readers.
inline constexpr const wchar_t* kSpokenPlus = L"плюс=plus";
inline constexpr const wchar_t* kSpokenMinus = L"минус=minus";
inline constexpr const wchar_t* kSpokenTimes = L"умножить на=times";
inline constexpr const wchar_t* kSpokenDivide = L"разделить на=divided by";
inline constexpr const wchar_t* kSpokenPercent = L"процентов=percent";
inline constexpr const wchar_t* kSpokenTotal = L"итог=total";
inline constexpr const wchar_t* kSpokenMemory = L"память=memory";
inline constexpr const wchar_t* kSpokenEmpty = L"пусто=empty";
inline constexpr const wchar_t* kSpokenClosed = L"расчёт закрыт=calculation closed";
inline constexpr const wchar_t* kSpokenNoOperation = L"нет операции=no operation";
inline constexpr const wchar_t* kNameTape = L"Лента=Tape";
inline constexpr const wchar_t* kNameNumber = L"Число=Number";
inline constexpr const wchar_t* kNameOperation = L"Операция=Operation";
inline constexpr const wchar_t* kNameState = L"Состояние=State";
inline constexpr const wchar_t* kNameTotal = L"Итог=Total";
inline constexpr const wchar_t* kNameFormula = L"Формула=Formula";
inline constexpr const wchar_t* kNameHistory = L"История формул=Formula history";
inline constexpr const wchar_t* kNameRowText = L"Строка=Row";
inline constexpr const wchar_t* kNameSign = L"Знак=Sign";
inline constexpr const wchar_t* kNameDigits = L"Знаков после запятой=Digits after the point";
inline constexpr const wchar_t* kNameMemory = L"Память=Memory";

}  // namespace tallyman::pairs
