<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ru_RU">
<context>
    <name>kav::Text</name>
    <message>
        <source>Дождитесь окончания расчёта или прервите его (Esc).</source>
        <translation>Wait for the calculation to finish or stop it (Esc).</translation>
    </message>
    <message>
        <source>Подтверждение</source>
        <translation>Confirmation</translation>
    </message>
    <message>
        <source>Котировка</source>
        <translation>Quote</translation>
    </message>
    <message>
        <source>Программа была закрыта аварийно. Восстановить несохранённую работу?</source>
        <translation>The program was closed abnormally. Restore the unsaved work?</translation>
    </message>
    <message>
        <source>Восстановление</source>
        <translation>Recovery</translation>
    </message>
    <message>
        <source>Проверка тиража</source>
        <translation>Draw check</translation>
    </message>
    <message>
        <source>Архив тиражей</source>
        <translation>Draw archive</translation>
    </message>
    <message>
        <source>Архив тиражей не задан.</source>
        <translation>No draw archive is set.</translation>
    </message>
    <message>
        <source>Список ставок пуст.</source>
        <translation>The bet list is empty.</translation>
    </message>
    <message>
        <source>Идёт расчёт. Прервать его и закрыть программу?</source>
        <translation>A calculation is running. Stop it and close the program?</translation>
    </message>
    <message>
        <source>Информация</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Ожидаемый возврат</source>
        <translation>Expected return</translation>
    </message>
    <message>
        <source>Введите сумму ожидаемого возврата, например 12,5.</source>
        <translation>Enter the expected return amount, e.g. 12.5.</translation>
    </message>
    <message>
        <source>Моделирование тиражей</source>
        <translation>Draw simulation</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Error</translation>
    </message>
    <message>
        <source> - российский тираж</source>
        <translation> - Russian draw</translation>
    </message>
    <message>
        <source> - украинский тираж</source>
        <translation> - Ukrainian draw</translation>
    </message>
    <message>
        <source>Выбраны не все события</source>
        <translation>Not every event has an outcome marked</translation>
    </message>
    <message>
        <source>Формат Excell не позволяет сохранять более 16384 вариантов</source>
        <translation>The Excel format cannot hold more than 16384 variants</translation>
    </message>
    <message>
        <source>Формат Excell не позволяет сохранять более 1048576 вариантов</source>
        <translation>The Excel format cannot hold more than 1048576 variants</translation>
    </message>
    <message>
        <source>Сумма на одну ставку должна быть положительным числом, например 20.00</source>
        <translation>The amount per bet must be a positive number, e.g. 20.00</translation>
    </message>
    <message>
        <source>Файл проекта повреждён или обрезан (это не документ JSON)</source>
        <translation>The project file is damaged or cut short (it is not a JSON document)</translation>
    </message>
    <message>
        <source>Это не файл проекта Kavendix</source>
        <translation>This is not a Kavendix project file</translation>
    </message>
    <message>
        <source>Файл проекта повреждён: неверный номер формата</source>
        <translation>The project file is damaged: wrong format number</translation>
    </message>
    <message>
        <source>Файл проекта повреждён</source>
        <translation>The project file is damaged</translation>
    </message>
    <message>
        <source>Ставок в списке %1 (%2)</source>
        <translation>Bets in the list %1 (%2)</translation>
    </message>
    <message>
        <source>Всего вариантов по отмеченным исходам %1 (%2)</source>
        <translation>Variants of the marked outcomes in all %1 (%2)</translation>
    </message>
    <message>
        <source>Число вариантов по системе %1 (%2)</source>
        <translation>Variants by the system %1 (%2)</translation>
    </message>
    <message>
        <source>Строка %1 списка ставок не читается: %2</source>
        <translation>Line %1 of the bet list cannot be read: %2</translation>
    </message>
    <message>
        <source>Не учтены строки: %1</source>
        <translation>Lines not counted: %1</translation>
    </message>
    <message>
        <source>в строке слишком много групп исходов</source>
        <translation>the line has too many outcome groups</translation>
    </message>
    <message>
        <source>сумма &quot;%1&quot; не число или слишком велика</source>
        <translation>the amount &quot;%1&quot; is not a number or too large</translation>
    </message>
    <message>
        <source>нет «;» перед исходами</source>
        <translation>no «;» before the outcomes</translation>
    </message>
    <message>
        <source>событий %1 из %2</source>
        <translation>%1 events of %2</translation>
    </message>
    <message>
        <source>у события %1 нет исхода 1, X или 2</source>
        <translation>event %1 has no outcome 1, X or 2</translation>
    </message>
    <message>
        <source>сумма не читается</source>
        <translation>the amount cannot be read</translation>
    </message>
    <message>
        <source>Покрытие ставками
По количеству %1%
По вероятности %2%</source>
        <translation>Coverage by bets
By count %1%
By probability %2%</translation>
    </message>
    <message>
        <source>Покрытие ставками
По количеству %1%
(+%2%)
По вероятности %3%
(+%4%)</source>
        <translation>Coverage by bets
By count %1%
(+%2%)
By probability %3%
(+%4%)</translation>
    </message>
    <message>
        <source>ВЫБЕРИТЕ ЗОНУ ИСХОДОВ ДЛЯ ПРОСМОТРА 
(нужные подстраховки в каждом матче)</source>
        <translation>CHOOSE THE ZONE OF OUTCOMES TO VIEW 
(the covers needed in each match)</translation>
    </message>
    <message>
        <source>ЗОНА ИСХОДОВ СЛИШКОМ ВЕЛИКА ДЛЯ ПРОСМОТРА</source>
        <translation>THE ZONE OF OUTCOMES IS TOO LARGE TO VIEW</translation>
    </message>
    <message>
        <source>Категорий в пакете
при %1:
%2</source>
        <translation>Categories in the package
for %1:
%2</translation>
    </message>
    <message>
        <source>Категории</source>
        <translation>Categories</translation>
    </message>
    <message>
        <source>Вероятность, %</source>
        <translation>Probability, %</translation>
    </message>
    <message>
        <source>Выгодность</source>
        <translation>Yield</translation>
    </message>
    <message>
        <source>Всего</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>Тираж не загружен: страница не получена (%1).
%2
Адрес: %3</source>
        <translation>The draw was not loaded: the page was not received (%1).
%2
Address: %3</translation>
    </message>
    <message>
        <source>Тираж не загружен: страница не получена (%1).
Адрес: %2</source>
        <translation>The draw was not loaded: the page was not received (%1).
Address: %2</translation>
    </message>
    <message>
        <source>Тираж не загружен: страница не в формате данных (%1).
Адрес: %2</source>
        <translation>The draw was not loaded: the page is not in the data format (%1).
Address: %2</translation>
    </message>
    <message>
        <source>список событий</source>
        <translation>event list</translation>
    </message>
    <message>
        <source>итоги тиража</source>
        <translation>draw totals</translation>
    </message>
    <message>
        <source>ошибка сети</source>
        <translation>network error</translation>
    </message>
    <message>
        <source>сервер не найден: нет сети или неверный адрес</source>
        <translation>server not found: no network or a wrong address</translation>
    </message>
    <message>
        <source>прокси-сервер не найден</source>
        <translation>proxy server not found</translation>
    </message>
    <message>
        <source>не удалось соединиться с сервером</source>
        <translation>could not connect to the server</translation>
    </message>
    <message>
        <source>сервер не ответил вовремя</source>
        <translation>the server did not answer in time</translation>
    </message>
    <message>
        <source>защищённое соединение не установлено: сертификат сервера не принят</source>
        <translation>no secure connection: the server&apos;s certificate was not accepted</translation>
    </message>
    <message>
        <source>слишком много перенаправлений</source>
        <translation>too many redirects</translation>
    </message>
    <message>
        <source>адрес не начинается с http:// или https://</source>
        <translation>the address does not start with http:// or https://</translation>
    </message>
    <message>
        <source>неверный адрес</source>
        <translation>wrong address</translation>
    </message>
    <message>
        <source>сервер закрыл соединение, ничего не ответив</source>
        <translation>the server closed the connection without an answer</translation>
    </message>
    <message>
        <source>соединение с сервером прервалось</source>
        <translation>the connection to the server broke off</translation>
    </message>
    <message>
        <source>ответ сервера пришёл не полностью</source>
        <translation>the server&apos;s answer came incomplete</translation>
    </message>
    <message>
        <source>ответ не удалось сохранить</source>
        <translation>the answer could not be stored</translation>
    </message>
    <message>
        <source>сервер ответил ошибкой %1 (страница не найдена)</source>
        <translation>the server answered with error %1 (page not found)</translation>
    </message>
    <message>
        <source>сервер ответил ошибкой %1</source>
        <translation>the server answered with error %1</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>Измените число подстраховок</source>
        <translation>Change the number of covers</translation>
    </message>
    <message>
        <source>Нет подходящей бриф-системы</source>
        <translation>No brief system fits</translation>
    </message>
    <message>
        <source>Для каждого матча должно быть проставлено от 1 до 3 выборов</source>
        <translation>Each match must have 1 to 3 choices marked</translation>
    </message>
    <message>
        <source>Сумма на одну ставку должна быть числом не меньше нуля</source>
        <translation>The amount per bet must be a number not below zero</translation>
    </message>
    <message>
        <source>Сумма на одну ставку должна быть числом</source>
        <translation>The amount per bet must be a number</translation>
    </message>
    <message>
        <source>Сумма меньше ставки: добавить нечего</source>
        <translation>The amount is below one bet: nothing to add</translation>
    </message>
    <message>
        <source>Ни одна ставка поля не добавляет ценности больше своей суммы</source>
        <translation>No bet of the field adds more value than its own amount</translation>
    </message>
    <message>
        <source>Не удалось прочитать шаблон бриф-системы %1</source>
        <translation>Could not read the brief system template %1</translation>
    </message>
    <message>
        <source>Строка %1 шаблона %2 не читается: символ стоит дальше 16-й позиции от конца строки</source>
        <translation>Line %1 of the template %2 cannot be read: a sign stands beyond the 16th position from the line&apos;s end</translation>
    </message>
    <message>
        <source>Папка &quot;Kombin&quot;,которая содержит шаблоны используемых бриф-систем, должна помещаться в той же папке, что и основная программа</source>
        <translation>The &quot;Kombin&quot; folder with the brief system templates must be in the same folder as the program</translation>
    </message>
    <message>
        <source>нет трёх чисел после названия</source>
        <translation>no three numbers after the title</translation>
    </message>
    <message>
        <source>доля пула вне 0..100</source>
        <translation>pool share outside 0..100</translation>
    </message>
    <message>
        <source>процент вне 0..100</source>
        <translation>percentage outside 0..100</translation>
    </message>
    <message>
        <source>коэффициент не больше 1</source>
        <translation>odds not above 1</translation>
    </message>
    <message>
        <source>коэффициент больше 100000</source>
        <translation>odds above 100000</translation>
    </message>
    <message>
        <source>больше 15 матчей</source>
        <translation>more than 15 matches</translation>
    </message>
    <message>
        <source>в таблице нет ни одного матча</source>
        <translation>the table has no match</translation>
    </message>
    <message>
        <source>Строка %1: %2</source>
        <translation>Line %1: %2</translation>
    </message>
    <message>
        <source>%1 «%2» — не число. Введите число, например 50 или 50/38.</source>
        <translation>%1 «%2» is not a number. Type a number, e.g. 50 or 50/38.</translation>
    </message>
    <message>
        <source>%1 не может быть отрицательной: «%2».</source>
        <translation>%1 cannot be negative: «%2».</translation>
    </message>
    <message>
        <source>%1 %2 больше %3: вместе с другими исходами события получится больше 100.</source>
        <translation>%1 %2 is above %3: with the event&apos;s other outcomes it would make more than 100.</translation>
    </message>
    <message>
        <source>Доля пула</source>
        <translation>Pool share</translation>
    </message>
    <message>
        <source>Пул не является числом: «%1».</source>
        <translation>The pool is not a number: «%1».</translation>
    </message>
    <message>
        <source>Джек-пот не является числом: «%1».</source>
        <translation>The jackpot is not a number: «%1».</translation>
    </message>
    <message>
        <source>Пул не может быть равен -1.</source>
        <translation>The pool cannot be -1.</translation>
    </message>
    <message>
        <source>Анализ невозможен: число ставок из одних «%1» в тираже равно 0.</source>
        <translation>No analysis possible: the number of all-«%1» bets in the draw is 0.</translation>
    </message>
    <message>
        <source>Анализ невозможен: доля пула исхода «%1» в событии %2 равна 0.</source>
        <translation>No analysis possible: the pool share of outcome «%1» in event %2 is 0.</translation>
    </message>
    <message>
        <source>Анализ невозможен: доля пула исхода «%1» в событии %2 отрицательна.</source>
        <translation>No analysis possible: the pool share of outcome «%1» in event %2 is negative.</translation>
    </message>
    <message>
        <source>Анализ невозможен: с этими пулом, джек-потом и числами ставок расчёт не даёт конечного результата.</source>
        <translation>No analysis possible: with this pool, jackpot and numbers of bets the calculation gives no finite result.</translation>
    </message>
    <message>
        <source>Анализ невозможен: расчёт не даёт конечного результата.</source>
        <translation>No analysis possible: the calculation gives no finite result.</translation>
    </message>
    <message>
        <source>В списке ставок больше 20 000 вариантов: для формирования по ценности список слишком велик.</source>
        <translation>The bet list has more than 20 000 variants: too large for forming by value.</translation>
    </message>
    <message>
        <source>Не удалось записать файл %1</source>
        <translation>Could not write the file %1</translation>
    </message>
    <message>
        <source>Недопустимое имя набора условий: %1</source>
        <translation>Not a valid condition set name: %1</translation>
    </message>
    <message>
        <source>Не удалось создать папку %1</source>
        <translation>Could not create the folder %1</translation>
    </message>
    <message>
        <source>Не удалось прочитать файл проекта %1</source>
        <translation>Could not read the project file %1</translation>
    </message>
    <message>
        <source>Архив тиражей занят другой программой: %1. Закройте её или повторите позже.</source>
        <translation>The draw archive is in use by another program: %1. Close it or try again later.</translation>
    </message>
    <message>
        <source>Архив тиражей недоступен для записи: %1 (%2).</source>
        <translation>The draw archive cannot be written: %1 (%2).</translation>
    </message>
    <message>
        <source>Архив тиражей повреждён: %1 (%2).</source>
        <translation>The draw archive is damaged: %1 (%2).</translation>
    </message>
    <message>
        <source>Не удалось записать архив тиражей: %1 (%2).</source>
        <translation>Could not write the draw archive: %1 (%2).</translation>
    </message>
    <message>
        <source>Ошибка архива тиражей: %1 (%2).</source>
        <translation>Draw archive error: %1 (%2).</translation>
    </message>
    <message>
        <source>В архиве нет тиража %1.</source>
        <translation>The archive has no draw %1.</translation>
    </message>
    <message>
        <source>В архиве нет пакета %1.</source>
        <translation>The archive has no package %1.</translation>
    </message>
    <message>
        <source>Обновление отклонено: %1</source>
        <translation>Update refused: %1</translation>
    </message>
    <message>
        <source>файл новой версии больше, чем в подписанном описании (%1 байт).</source>
        <translation>the new version&apos;s file is larger than in the signed description (%1 bytes).</translation>
    </message>
    <message>
        <source>файл новой версии больше %1 байт.</source>
        <translation>the new version&apos;s file is larger than %1 bytes.</translation>
    </message>
    <message>
        <source>размер файла новой версии (%1 байт) не совпадает с подписанным описанием (%2).</source>
        <translation>the size of the new version&apos;s file (%1 bytes) does not match the signed description (%2).</translation>
    </message>
    <message>
        <source>файл новой версии не совпадает с подписанным описанием (SHA-256): он изменён или подменён.</source>
        <translation>the new version&apos;s file does not match the signed description (SHA-256): it was changed or replaced.</translation>
    </message>
    <message>
        <source>Не удалось загрузить новую версию: %1</source>
        <translation>Could not download the new version: %1</translation>
    </message>
    <message>
        <source>Не удалось запустить обновление.</source>
        <translation>Could not start the update.</translation>
    </message>
    <message>
        <source>ответ больше %1 байт</source>
        <translation>the reply is larger than %1 bytes</translation>
    </message>
    <message>
        <source>Файл проекта повреждён: %1:
%2</source>
        <translation>The project file is damaged: %1:
%2</translation>
    </message>
    <message>
        <source>Файл проекта записан более новой версией программы (формат %1). Обновите программу, чтобы открыть его.</source>
        <translation>The project file was written by a newer version of the program (format %1). Update the program to open it.</translation>
    </message>
    <message>
        <source>Файл проекта %1 больше %2 МБ: такие проекты программа не открывает</source>
        <translation>The project file %1 is larger than %2 MB: the program does not open such projects</translation>
    </message>
    <message>
        <source>неверный номер формата</source>
        <translation>wrong format number</translation>
    </message>
    <message>
        <source>поле &quot;%1&quot; должно быть объектом</source>
        <translation>field &quot;%1&quot; must be an object</translation>
    </message>
    <message>
        <source>поле &quot;%1&quot;: %2</source>
        <translation>field &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>(документ)</source>
        <translation>(document)</translation>
    </message>
    <message>
        <source>ожидается строка</source>
        <translation>a string is expected</translation>
    </message>
    <message>
        <source>ожидается true или false</source>
        <translation>true or false is expected</translation>
    </message>
    <message>
        <source>ожидается целое число</source>
        <translation>a whole number is expected</translation>
    </message>
    <message>
        <source>ожидается число</source>
        <translation>a number is expected</translation>
    </message>
    <message>
        <source>число вне допустимых пределов</source>
        <translation>the number is out of range</translation>
    </message>
    <message>
        <source>число %1 вне пределов %2..%3</source>
        <translation>the number %1 is outside %2..%3</translation>
    </message>
    <message>
        <source>ожидается одно из: %1</source>
        <translation>one of these is expected: %1</translation>
    </message>
    <message>
        <source>ожидаются три числа (П1, Х, П2)</source>
        <translation>three numbers are expected (1, X, 2)</translation>
    </message>
    <message>
        <source>число не может быть отрицательным</source>
        <translation>the number cannot be negative</translation>
    </message>
    <message>
        <source>ожидаются буквы 1, X, 2</source>
        <translation>the letters 1, X, 2 are expected</translation>
    </message>
    <message>
        <source>ожидается 15 знаков 1, X, 2, _ или пробел</source>
        <translation>15 signs 1, X, 2, _ or space are expected</translation>
    </message>
    <message>
        <source>ожидается %1 событий</source>
        <translation>%1 events are expected</translation>
    </message>
    <message>
        <source>ожидаются три целых числа</source>
        <translation>three whole numbers are expected</translation>
    </message>
    <message>
        <source>ожидается диапазон a:b из целых чисел, a &lt;= b</source>
        <translation>a range a:b of whole numbers is expected, a &lt;= b</translation>
    </message>
    <message>
        <source>ожидается список строк ROW:a:b</source>
        <translation>a list of lines ROW:a:b is expected</translation>
    </message>
    <message>
        <source>ожидается строка из 15 знаков 1, X, 2, - и диапазон a:b</source>
        <translation>a line of 15 signs 1, X, 2, - and a range a:b is expected</translation>
    </message>
    <message>
        <source>ставка не может быть отрицательной</source>
        <translation>the bet cannot be negative</translation>
    </message>
    <message>
        <source>Система %1 не рассчитывается: в любой такой системе больше %2 ставок.</source>
        <translation>System %1 is not calculated: any such system has more than %2 bets.</translation>
    </message>
    <message>
        <source>Система %1 не рассчитывается: неизвестно ни одной такой системы не более чем из %2 ставок.</source>
        <translation>System %1 is not calculated: no such system of at most %2 bets is known.</translation>
    </message>
    <message>
        <source>Для этой выборки нет системы не более чем из %1 ставок.</source>
        <translation>There is no system of at most %1 bets for this selection.</translation>
    </message>
    <message>
        <source>Для этой выборки неизвестно системы не более чем из %1 ставок.</source>
        <translation>No system of at most %1 bets is known for this selection.</translation>
    </message>
    <message>
        <source>Рассчитанная система не прошла проверку и не сохранена.</source>
        <translation>The calculated system failed its check and was not saved.</translation>
    </message>
    <message>
        <source>Найдена система только из %1 ставок, больше %2; она не сохранена.</source>
        <translation>Only a system of %1 bets was found, more than %2; it was not saved.</translation>
    </message>
    <message>
        <source>Не удалось записать систему в папку %1.</source>
        <translation>Could not write the system to the folder %1.</translation>
    </message>
    <message>
        <source>Не удалось рассчитать систему: %1</source>
        <translation>Could not calculate the system: %1</translation>
    </message>
    <message>
        <source>Оценка выигрышей невозможна: пул не больше 0.</source>
        <translation>No prize estimate possible: the pool is not above 0.</translation>
    </message>
    <message>
        <source>Оценка выигрышей невозможна: доля пула исхода «%1» в событии %2 не больше 0.</source>
        <translation>No prize estimate possible: the pool share of outcome «%1» in event %2 is not above 0.</translation>
    </message>
    <message>
        <source>Оценка выигрышей невозможна: число ставок из одних «%1» в тираже равно 0.</source>
        <translation>No prize estimate possible: the number of bets of «%1» only in the draw is 0.</translation>
    </message>
    <message>
        <source>Оценка выигрышей невозможна: с этими пулом, джек-потом и числами ставок расчёт не даёт конечного результата.</source>
        <translation>No prize estimate possible: with this pool, jackpot and numbers of bets the calculation gives no finite result.</translation>
    </message>
    <message>
        <source>выигрыш за %1 указан дважды</source>
        <translation>the prize for %1 is given twice</translation>
    </message>
    <message>
        <source>в тексте нет результата из 15 исходов</source>
        <translation>the text has no result of 15 outcomes</translation>
    </message>
    <message>
        <source>Неверный формат загружаемого файла</source>
        <translation>The loaded file has a wrong format</translation>
    </message>
    <message>
        <source>Неверный формат загружаемого файла: %1.</source>
        <translation>The loaded file has a wrong format: %1.</translation>
    </message>
    <message>
        <source>событие %1, исход %2: %3</source>
        <translation>event %1, outcome %2: %3</translation>
    </message>
    <message>
        <source>отрицательная котировка %1</source>
        <translation>negative quote %1</translation>
    </message>
    <message>
        <source>отрицательная доля пула %1</source>
        <translation>negative pool share %1</translation>
    </message>
    <message>
        <source>%1 — %2; %3</source>
        <translation>%1 — %2; %3</translation>
    </message>
    <message>
        <source>%1 — %2</source>
        <translation>%1 — %2</translation>
    </message>
    <message>
        <source>и ещё %1</source>
        <translation>and %1 more</translation>
    </message>
    <message>
        <source>%1:
%2</source>
        <translation>%1:
%2</translation>
    </message>
    <message>
        <source>Моделирование невозможно: котировки события %1 не дают вероятностей.</source>
        <translation>No simulation possible: the quotes of event %1 give no probabilities.</translation>
    </message>
    <message>
        <source>Выбрано недостаточно исходов для формирования пакета</source>
        <translation>Too few outcomes are chosen to form a package</translation>
    </message>
    <message>
        <source>Удалено вариантов: %1</source>
        <translation>Variants removed: %1</translation>
    </message>
    <message>
        <source>Условия</source>
        <translation>Conditions</translation>
    </message>
    <message>
        <source>Время поиска одной ставки ~ %1 мин %2 сек</source>
        <translation>Time to find one bet ~ %1 min %2 s</translation>
    </message>
    <message>
        <source>Внимание! Продолжать?</source>
        <translation>Attention! Go on?</translation>
    </message>
    <message>
        <source>Строка %1 списка ставок содержит больше 16 событий: автоформирование остановлено</source>
        <translation>Line %1 of the bet list has more than 16 events: autoforming stopped</translation>
    </message>
    <message>
        <source>сумма &quot;%1&quot; не является числом</source>
        <translation>the amount &quot;%1&quot; is not a number</translation>
    </message>
    <message>
        <source>Архив тиражей создан более новой версией программы (версия %1, эта программа знает до %2): %3.</source>
        <translation>The draw archive was made by a newer version of the program (version %1, this program knows up to %2): %3.</translation>
    </message>
    <message>
        <source>файл только для чтения</source>
        <translation>the file is read-only</translation>
    </message>
    <message>
        <source>Подготовка...</source>
        <translation>Preparing...</translation>
    </message>
    <message>
        <source>Подготовка %1%</source>
        <translation>Preparing %1%</translation>
    </message>
    <message>
        <source>Выполнено: %1%</source>
        <translation>Done: %1%</translation>
    </message>
    <message>
        <source>Выбрано ставок: %1 из %2</source>
        <translation>Bets chosen: %1 of %2</translation>
    </message>
</context>
<context>
    <name>kav::ui::AutoformPanel</name>
    <message>
        <source>Добавить
в список</source>
        <translation>Add
to list</translation>
    </message>
    <message>
        <source>Добавить в список ставок</source>
        <translation>Add to the bet list</translation>
    </message>
    <message>
        <source>% вариантов</source>
        <translation>% of variants</translation>
    </message>
    <message>
        <source>% по вероятности</source>
        <translation>% by probability</translation>
    </message>
    <message>
        <source>% по пулу</source>
        <translation>% by pool</translation>
    </message>
    <message>
        <source>без пересечений </source>
        <translation>no overlaps </translation>
    </message>
    <message>
        <source>по ценности</source>
        <translation>by value</translation>
    </message>
    <message>
        <source>катег.</source>
        <translation>categ.</translation>
    </message>
    <message>
        <source>ставок макс</source>
        <translation>max bets</translation>
    </message>
    <message>
        <source>покр. %</source>
        <translation>cov. %</translation>
    </message>
    <message>
        <source>способ поиска</source>
        <translation>search method</translation>
    </message>
</context>
<context>
    <name>kav::ui::Autoforming</name>
    <message>
        <source>Автоформирование</source>
        <translation>Autoforming</translation>
    </message>
    <message>
        <source>Автоформирование прервано. Найдено ставок: %1 (%2), покрытие %3. Оставить их в списке?</source>
        <translation>Autoforming stopped. Bets found: %1 (%2), coverage %3. Keep them in the list?</translation>
    </message>
    <message>
        <source>Автоформирование прервано, список не изменился</source>
        <translation>Autoforming stopped, the list is unchanged</translation>
    </message>
    <message>
        <source>Найдено %1 вариантов на %2 Добавить их все в список?</source>
        <translation>Found %1 variants for %2 Add them all to the list?</translation>
    </message>
    <message>
        <source>Автоформирование: %1, покрытие %2 — %3</source>
        <translation>Autoforming: %1, coverage %2 — %3</translation>
    </message>
</context>
<context>
    <name>kav::ui::BetListActions</name>
    <message>
        <source>Скопировать для переноса</source>
        <translation>Copy for transfer</translation>
    </message>
    <message>
        <source>Сохранить для Excell</source>
        <translation>Save for Excel</translation>
    </message>
    <message>
        <source>Сохранить для Excell построчно</source>
        <translation>Save for Excel by rows</translation>
    </message>
    <message>
        <source>Сохранить в текст. файл</source>
        <translation>Save as text file</translation>
    </message>
    <message>
        <source>Изъять варианты из списка</source>
        <translation>Remove variants from the list</translation>
    </message>
    <message>
        <source>Очистить список ставок</source>
        <translation>Clear the bet list</translation>
    </message>
    <message>
        <source>Изъятие вариантов: %1</source>
        <translation>Removing variants: %1</translation>
    </message>
    <message>
        <source>Команда &quot;Очистить список ставок&quot;</source>
        <translation>The command &quot;Clear the bet list&quot;</translation>
    </message>
    <message>
        <source>Очистка списка ставок</source>
        <translation>Clearing the bet list</translation>
    </message>
</context>
<context>
    <name>kav::ui::BetListEditor</name>
    <message>
        <source>Список ставок</source>
        <translation>Bet list</translation>
    </message>
    <message>
        <source>Список показывается: %1 %</source>
        <translation>Showing the list: %1 %</translation>
    </message>
</context>
<context>
    <name>kav::ui::BriefSystemPanel</name>
    <message>
        <source>Добавить
в список</source>
        <translation>Add
to list</translation>
    </message>
    <message>
        <source>Добавить систему в список ставок</source>
        <translation>Add the system to the bet list</translation>
    </message>
    <message>
        <source>Минимальная категория</source>
        <translation>Minimum category</translation>
    </message>
    <message>
        <source>категория</source>
        <translation>category</translation>
    </message>
    <message>
        <source>Установите отметку для включения 
в бриф-систему конкретной ставки.
Для каждого события активизируется исход,
включенный в подстраховку последним</source>
        <translation>Check to include 
a specific bet in the brief system.
For each event the outcome
marked last is taken</translation>
    </message>
    <message>
        <source>Начать с...</source>
        <translation>Start with...</translation>
    </message>
</context>
<context>
    <name>kav::ui::BriefSystems</name>
    <message>
        <source>Бриф-системы</source>
        <translation>Brief systems</translation>
    </message>
    <message>
        <source>Будет добавлено %1 вариантов на %2 Добавить их все в список?</source>
        <translation>%1 variants for %2 will be added. Add them all to the list?</translation>
    </message>
    <message>
        <source>Бриф-система: %1</source>
        <translation>Brief system: %1</translation>
    </message>
    <message>
        <source>Расчёт системы</source>
        <translation>System calculation</translation>
    </message>
    <message>
        <source>Система %1: поиск…</source>
        <translation>System %1: searching…</translation>
    </message>
    <message>
        <source>Система %1, ставок: %2</source>
        <translation>System %1, bets: %2</translation>
    </message>
</context>
<context>
    <name>kav::ui::CategoryChart</name>
    <message>
        <source>Вероятность по категориям, %</source>
        <translation>Probability by category, %</translation>
    </message>
</context>
<context>
    <name>kav::ui::ConditionsForming</name>
    <message>
        <source>Условия</source>
        <translation>Conditions</translation>
    </message>
    <message>
        <source>Условиям отвечают %1 вариантов на %2 Добавить их все в список?</source>
        <translation>%1 variants for %2 meet the conditions. Add them all to the list?</translation>
    </message>
    <message>
        <source>Условия: %1</source>
        <translation>Conditions: %1</translation>
    </message>
    <message>
        <source>Условия к списку: %1</source>
        <translation>Conditions on the list: %1</translation>
    </message>
    <message>
        <source>Не удалось прочитать набор условий %1</source>
        <translation>Could not read the condition set %1</translation>
    </message>
</context>
<context>
    <name>kav::ui::ConditionsPanel</name>
    <message>
        <source>единиц</source>
        <translation>ones</translation>
    </message>
    <message>
        <source>Сколько событий с исходом 1</source>
        <translation>How many events with outcome 1</translation>
    </message>
    <message>
        <source>ничьих</source>
        <translation>draws</translation>
    </message>
    <message>
        <source>Сколько событий с исходом X</source>
        <translation>How many events with outcome X</translation>
    </message>
    <message>
        <source>двоек</source>
        <translation>twos</translation>
    </message>
    <message>
        <source>Сколько событий с исходом 2</source>
        <translation>How many events with outcome 2</translation>
    </message>
    <message>
        <source>фаворитов</source>
        <translation>favourites</translation>
    </message>
    <message>
        <source>Сколько исходов с наибольшей котировкой события</source>
        <translation>How many outcomes with the event&apos;s highest quote</translation>
    </message>
    <message>
        <source>аутсайдеров</source>
        <translation>outsiders</translation>
    </message>
    <message>
        <source>Сколько исходов с наименьшей котировкой события</source>
        <translation>How many outcomes with the event&apos;s lowest quote</translation>
    </message>
    <message>
        <source>очки БК</source>
        <translation>bookm. points</translation>
    </message>
    <message>
        <source>Сумма котировок исходов (числа сетки слева от /)</source>
        <translation>Sum of the outcomes&apos; quotes (grid numbers left of /)</translation>
    </message>
    <message>
        <source>очки пула</source>
        <translation>pool points</translation>
    </message>
    <message>
        <source>Сумма долей пула исходов (числа сетки справа от /)</source>
        <translation>Sum of the outcomes&apos; pool shares (grid numbers right of /)</translation>
    </message>
    <message>
        <source>серия</source>
        <translation>run</translation>
    </message>
    <message>
        <source>Самая длинная серия событий подряд с одним исходом</source>
        <translation>Longest run of consecutive events with one outcome</translation>
    </message>
    <message>
        <source>смен</source>
        <translation>changes</translation>
    </message>
    <message>
        <source>Сколько раз исход события отличается от предыдущего</source>
        <translation>How many times an event&apos;s outcome differs from the previous one</translation>
    </message>
    <message>
        <source>очки ценности</source>
        <translation>value points</translation>
    </message>
    <message>
        <source>Сумма ценности исходов в сотых: котировка / доля пула, как в виде «Показывать ценность исходов» (исход без доли пула — 0)</source>
        <translation>Sum of the outcomes&apos; value in hundredths: quote / pool share, as in the view «Show outcome value» (an outcome without a pool share counts 0)</translation>
    </message>
    <message>
        <source>Добавить
в список</source>
        <translation>Add
to list</translation>
    </message>
    <message>
        <source>Добавить в список проходящие варианты выбранных исходов</source>
        <translation>Add the passing variants of the marked outcomes to the list</translation>
    </message>
    <message>
        <source>Применить
к списку</source>
        <translation>Apply
to list</translation>
    </message>
    <message>
        <source>Заменить строки списка их проходящими вариантами</source>
        <translation>Replace the list&apos;s lines by their passing variants</translation>
    </message>
    <message>
        <source>Сколько условий вариант может нарушить</source>
        <translation>How many conditions a variant may break</translation>
    </message>
    <message>
        <source>Сколько вариантов поля проходят условия</source>
        <translation>How many variants of the field pass the conditions</translation>
    </message>
    <message>
        <source>Набор условий: выбрать или ввести имя нового</source>
        <translation>Condition set: choose one or type a new name</translation>
    </message>
    <message>
        <source>Сохранить
набор</source>
        <translation>Save
set</translation>
    </message>
    <message>
        <source>допуск</source>
        <translation>tolerance</translation>
    </message>
    <message>
        <source>проходят</source>
        <translation>passing</translation>
    </message>
    <message>
        <source>набор</source>
        <translation>set</translation>
    </message>
    <message>
        <source>не менее</source>
        <translation>at least</translation>
    </message>
    <message>
        <source>не более</source>
        <translation>at most</translation>
    </message>
    <message>
        <source>Базовая строка</source>
        <translation>Base line</translation>
    </message>
    <message>
        <source>от</source>
        <translation>from</translation>
    </message>
    <message>
        <source>до</source>
        <translation>to</translation>
    </message>
    <message>
        <source>Совпадений с базовой строкой (15 знаков 1, X, 2 или -) от и до</source>
        <translation>Matches with the base line (15 signs 1, X, 2 or -) from and to</translation>
    </message>
    <message>
        <source>+ строка</source>
        <translation>+ line</translation>
    </message>
    <message>
        <source>- строка</source>
        <translation>- line</translation>
    </message>
</context>
<context>
    <name>kav::ui::CoverageMapWindow</name>
    <message>
        <source>ВЫБЕРИТЕ ЗОНУ ИСХОДОВ ДЛЯ ПРОСМОТРА</source>
        <translation>CHOOSE THE ZONE OF OUTCOMES TO VIEW</translation>
    </message>
    <message>
        <source>Выбор зоны просмотра</source>
        <translation>Choose the zone to view</translation>
    </message>
    <message>
        <source>Выберите гарантированное количество угаданных исходов,
которое должно обеспечить покрытие.
При установке &quot;15&quot; удобно просматривать опорные ставки </source>
        <translation>Choose the guaranteed number of correct outcomes
the coverage must provide.
With &quot;15&quot; the base bets are easy to view </translation>
    </message>
    <message>
        <source>Категория</source>
        <translation>Category</translation>
    </message>
    <message>
        <source>Добавить в список купонов ставку,
с максимальным покрытием результатов 
по ВЕРОЯТНОСТИ</source>
        <translation>Add to the coupon list the bet
with the largest coverage of results 
by PROBABILITY</translation>
    </message>
    <message>
        <source>Добавить в список ставку с максимальным 
КОЛИЧЕСТВОМ покрываемых результатов</source>
        <translation>Add to the list the bet with the largest 
NUMBER of covered results</translation>
    </message>
    <message>
        <source>Выполнено 0%</source>
        <translation>Done 0%</translation>
    </message>
    <message>
        <source>Выполнено %1%</source>
        <translation>Done %1%</translation>
    </message>
    <message>
        <source>Карта покрытия</source>
        <translation>Coverage map</translation>
    </message>
</context>
<context>
    <name>kav::ui::DrawCheckWindow</name>
    <message>
        <source>Проверка пакета по результату тиража</source>
        <translation>Checking the package against the draw result</translation>
    </message>
    <message>
        <source>Результат тиража:</source>
        <translation>Draw result:</translation>
    </message>
    <message>
        <source>1X21X2... или 1,X,2,...; «-» — событие не состоялось</source>
        <translation>1X21X2... or 1,X,2,...; «-» — the event did not take place</translation>
    </message>
    <message>
        <source>Вставить результат и выигрыши</source>
        <translation>Paste result and prizes</translation>
    </message>
    <message>
        <source>Из буфера: результат (15 исходов) и строки выигрышей вида «15 — 1 234 567,00»</source>
        <translation>From the clipboard: the result (15 outcomes) and prize lines like «15 — 1 234 567,00»</translation>
    </message>
    <message>
        <source>Выигрыш за вариант:</source>
        <translation>Prize per variant:</translation>
    </message>
    <message>
        <source>Категория</source>
        <translation>Category</translation>
    </message>
    <message>
        <source>Выигрышных вариантов</source>
        <translation>Winning variants</translation>
    </message>
    <message>
        <source>Выигрыш за вариант</source>
        <translation>Prize per variant</translation>
    </message>
    <message>
        <source>Сумма</source>
        <translation>Amount</translation>
    </message>
    <message>
        <source>Строка</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>Ставка</source>
        <translation>Bet</translation>
    </message>
    <message>
        <source>Копировать выигравшие строки</source>
        <translation>Copy the winning lines</translation>
    </message>
    <message>
        <source>Сохранить выигравшие строки...</source>
        <translation>Save the winning lines...</translation>
    </message>
    <message>
        <source>Сохранить результат в архив</source>
        <translation>Save the result to the archive</translation>
    </message>
    <message>
        <source>Результат не вставлен: %1.</source>
        <translation>The result was not pasted: %1.</translation>
    </message>
    <message>
        <source>Выигрыш за %1 угаданных не является суммой: «%2».</source>
        <translation>The prize for %1 correct is not an amount: «%2».</translation>
    </message>
    <message>
        <source>Введите или вставьте 15 исходов: 1, X, 2; «-» — несостоявшееся событие, угадано в любой ставке.</source>
        <translation>Type or paste 15 outcomes: 1, X, 2; «-» — an event that did not take place, correct in every bet.</translation>
    </message>
    <message>
        <source>Результат не читается: нужно 15 исходов из 1, X, 2 или «-».</source>
        <translation>The result cannot be read: 15 outcomes of 1, X, 2 or «-» are needed.</translation>
    </message>
    <message>
        <source>Результат: %1</source>
        <translation>Result: %1</translation>
    </message>
    <message>
        <source>Список ставок не читается: %1</source>
        <translation>The bet list cannot be read: %1</translation>
    </message>
    <message>
        <source>Выигрыши со знаком ≈ — оценка по пулу, долям пула и джек-поту тиража, пока они не введены.</source>
        <translation>Prizes marked ≈ are estimated from the draw&apos;s pool, pool shares and jackpot until they are entered.</translation>
    </message>
    <message>
        <source>Выигрыши не введены, оценка невозможна: %1</source>
        <translation>No prizes entered, no estimate possible: %1</translation>
    </message>
    <message>
        <source>Ставки: %1</source>
        <translation>Bets: %1</translation>
    </message>
    <message>
        <source>Всего</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>Выигрыш слишком велик для расчёта.</source>
        <translation>The prize is too large to calculate.</translation>
    </message>
    <message>
        <source>Выигрыш: %1   Ставки: %2   Прибыль: %3</source>
        <translation>Prize: %1   Bets: %2   Profit: %3</translation>
    </message>
    <message>
        <source>   Возврат: %1 %</source>
        <translation>   Return: %1 %</translation>
    </message>
    <message>
        <source>Выигравших строк: %1 из %2; лучшая угадала %3.</source>
        <translation>Winning lines: %1 of %2; the best guessed %3.</translation>
    </message>
    <message>
        <source> Показаны первые %1.</source>
        <translation> The first %1 are shown.</translation>
    </message>
    <message>
        <source>Выигравшие строки в файл</source>
        <translation>Winning lines to a file</translation>
    </message>
    <message>
        <source>Текстовые файлы (*.txt)</source>
        <translation>Text files (*.txt)</translation>
    </message>
</context>
<context>
    <name>kav::ui::DrawEntryDialog</name>
    <message>
        <source>П1</source>
        <translation>1</translation>
    </message>
    <message>
        <source>Х</source>
        <translation>X</translation>
    </message>
    <message>
        <source>П2</source>
        <translation>2</translation>
    </message>
    <message>
        <source>Ввод тиража</source>
        <translation>Draw entry</translation>
    </message>
    <message>
        <source>Матч</source>
        <translation>Match</translation>
    </message>
    <message>
        <source>Пул %1, %</source>
        <translation>Pool %1, %</translation>
    </message>
    <message>
        <source>котировки в процентах</source>
        <translation>quotes in percent</translation>
    </message>
    <message>
        <source>коэффициенты букмекера</source>
        <translation>bookmaker&apos;s odds</translation>
    </message>
    <message>
        <source>пропорционально</source>
        <translation>proportionally</translation>
    </message>
    <message>
        <source>по Шину</source>
        <translation>by Shin</translation>
    </message>
    <message>
        <source>маржа букмекера 00.00 %</source>
        <translation>bookmaker&apos;s margin 00.00 %</translation>
    </message>
    <message>
        <source>Вставить из буфера</source>
        <translation>Paste from clipboard</translation>
    </message>
    <message>
        <source>Таблица: матч в строке, название и три коэффициента или процента,
затем, если есть, три доли пула</source>
        <translation>Table: one match per line, the title and three odds or percentages,
then, if any, three pool shares</translation>
    </message>
    <message>
        <source>В столбцах исходов:</source>
        <translation>In the outcome columns:</translation>
    </message>
    <message>
        <source>маржа снимается</source>
        <translation>margin removed</translation>
    </message>
    <message>
        <source>не задан</source>
        <translation>not set</translation>
    </message>
    <message>
        <source>Россия (рубли)</source>
        <translation>Russia (roubles)</translation>
    </message>
    <message>
        <source>Украина (гривны)</source>
        <translation>Ukraine (hryvnias)</translation>
    </message>
    <message>
        <source>Джек-пот</source>
        <translation>Jackpot</translation>
    </message>
    <message>
        <source>Тираж</source>
        <translation>Draw</translation>
    </message>
    <message>
        <source>Пул</source>
        <translation>Pool</translation>
    </message>
    <message>
        <source>Заголовок</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>маржа букмекера %1</source>
        <translation>bookmaker&apos;s margin %1</translation>
    </message>
    <message>
        <source>Таблица не вставлена:
%1</source>
        <translation>The table was not pasted:
%1</translation>
    </message>
    <message>
        <source>Строка %1, %2</source>
        <translation>Line %1, %2</translation>
    </message>
    <message>
        <source>Строка %1, пул %2</source>
        <translation>Line %1, pool %2</translation>
    </message>
    <message>
        <source>%1: «%2» не число</source>
        <translation>%1: «%2» is not a number</translation>
    </message>
    <message>
        <source>Строка %1: нужны все три исхода</source>
        <translation>Line %1: all three outcomes are needed</translation>
    </message>
    <message>
        <source>Строка %1: коэффициент должен быть больше 1</source>
        <translation>Line %1: the odds must be greater than 1</translation>
    </message>
</context>
<context>
    <name>kav::ui::DrawSource</name>
    <message>
        <source>Россия</source>
        <translation>Russia</translation>
    </message>
    <message>
        <source>Загрузка российского тиража</source>
        <translation>Loading the Russian draw</translation>
    </message>
    <message>
        <source>Украина</source>
        <translation>Ukraine</translation>
    </message>
    <message>
        <source>Загрузка украинского тиража</source>
        <translation>Loading the Ukrainian draw</translation>
    </message>
    <message>
        <source>Ввести тираж…</source>
        <translation>Enter draw…</translation>
    </message>
    <message>
        <source>Ввод тиража</source>
        <translation>Draw entry</translation>
    </message>
    <message>
        <source>Котировки в файл</source>
        <translation>Quotes to file</translation>
    </message>
    <message>
        <source>Котировки из файла</source>
        <translation>Quotes from file</translation>
    </message>
    <message>
        <source>%1 (тираж не загружен)</source>
        <translation>%1 (draw not loaded)</translation>
    </message>
    <message>
        <source>%1

Ввести тираж вручную?</source>
        <translation>%1

Enter the draw by hand?</translation>
    </message>
    <message>
        <source>Загрузка котировок из файла</source>
        <translation>Loading quotes from a file</translation>
    </message>
</context>
<context>
    <name>kav::ui::ExpectedReturnWindow</name>
    <message>
        <source>Рассчитать</source>
        <translation>Calculate</translation>
    </message>
    <message>
        <source>Строка</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>Ставка</source>
        <translation>Bet</translation>
    </message>
    <message>
        <source>Вариантов</source>
        <translation>Variants</translation>
    </message>
    <message>
        <source>Отдельно</source>
        <translation>Alone</translation>
    </message>
    <message>
        <source>В пакете</source>
        <translation>In package</translation>
    </message>
    <message>
        <source>Возврат строки, как если бы каждый её вариант играл один</source>
        <translation>The line&apos;s return as if each of its variants played alone</translation>
    </message>
    <message>
        <source>Доля строки в возврате пакета: выигравшие варианты пакета делят фонд категории друг с другом</source>
        <translation>The line&apos;s share of the package return: the package&apos;s winning variants share the category fund among themselves</translation>
    </message>
    <message>
        <source>по возврату в пакете</source>
        <translation>by return in package</translation>
    </message>
    <message>
        <source>по возврату отдельно</source>
        <translation>by return alone</translation>
    </message>
    <message>
        <source>По какому возврату отбирать ставки</source>
        <translation>Which return to select the bets by</translation>
    </message>
    <message>
        <source>Оставить лучшие</source>
        <translation>Keep the best</translation>
    </message>
    <message>
        <source>Оставить в списке столько ставок с наибольшим ожидаемым возвратом</source>
        <translation>Keep this many bets with the highest expected return in the list</translation>
    </message>
    <message>
        <source>например 12,5</source>
        <translation>e.g. 12.5</translation>
    </message>
    <message>
        <source>Убрать ставки ниже</source>
        <translation>Remove bets below</translation>
    </message>
    <message>
        <source>Убрать из списка ставки с ожидаемым возвратом ниже этой суммы</source>
        <translation>Remove from the list the bets whose expected return is below this amount</translation>
    </message>
    <message>
        <source>Купоны, оставленные частично, заменяются своими оставшимися вариантами; отменить — Ctrl+Z в главном окне.</source>
        <translation>Coupons kept in part are replaced by their remaining variants; undo with Ctrl+Z in the main window.</translation>
    </message>
    <message>
        <source>Список ставок пуст.</source>
        <translation>The bet list is empty.</translation>
    </message>
    <message>
        <source>Нажмите «Рассчитать» (F5).</source>
        <translation>Press «Calculate» (F5).</translation>
    </message>
    <message>
        <source>Расчёт ожидаемого возврата ставок…</source>
        <translation>Calculating the bets&apos; expected return…</translation>
    </message>
    <message>
        <source>Ожидаемый возврат: %1 из %2</source>
        <translation>Expected return: %1 of %2</translation>
    </message>
    <message>
        <source> (%1 % ставки)</source>
        <translation> (%1 % of the stake)</translation>
    </message>
    <message>
        <source>; по отдельности: %1</source>
        <translation>; alone: %1</translation>
    </message>
    <message>
        <source>Ожидаемый возврат, отбор: %1</source>
        <translation>Expected return, selection: %1</translation>
    </message>
    <message>
        <source>Отбор лучших ставок…</source>
        <translation>Selecting the best bets…</translation>
    </message>
    <message>
        <source>Отбор ставок…</source>
        <translation>Selecting bets…</translation>
    </message>
</context>
<context>
    <name>kav::ui::HelpWindow</name>
    <message>
        <source>Программа предназначена для быстрой подготовки пакета ставок, который затем вводится в форму пакетной ставки на странице тотализатора букмекера.</source>
        <translation>The program quickly prepares a package of bets, which you then enter into the package bet form on the bookmaker&apos;s pool page.</translation>
    </message>
    <message>
        <source>Шаблоны бриф-систем (папка &quot;Kombin&quot;) устанавливаются вместе с программой; системы, которые вы рассчитываете сами, сохраняются в вашей папке данных. Где лежат обе папки, автосохранение, настройки и архив на этом компьютере, сказано в конце справки, в разделе &quot;О программе&quot;.</source>
        <translation>The brief system templates (the &quot;Kombin&quot; folder) are installed with the program; the systems you calculate yourself are kept in your data folder. Where both folders, the autosave, the settings and the archive are on this computer is listed at the end of this help, under &quot;About&quot;.</translation>
    </message>
    <message>
        <source>Выберите текущий тираж в меню &quot;Валюта&quot;: российский или украинский. По умолчанию загружается российский тираж.</source>
        <translation>Choose the current draw in the &quot;Currency&quot; menu: Russian or Ukrainian. The Russian draw is loaded by default.</translation>
    </message>
    <message>
        <source>Если тираж не загрузился, его можно ввести самому: &quot;Валюта&quot; - &quot;Ввести тираж...&quot; (Ctrl Shift T). В таблице - название матча, по каждому исходу коэффициент букмекера или котировка в процентах и доля пула; ниже пул, джек-пот, заголовок и страна тиража. &quot;Вставить из буфера&quot; (или Ctrl Shift V в таблице исходов) берёт скопированную таблицу: матч в строке, название и три коэффициента или процента, затем, если есть, три доли пула; разделители - табуляция, &quot;;&quot; или пробелы, дробная часть через запятую или точку. Маржа букмекера снимается пропорционально или по Шину. OK делает введённый тираж текущим; Ctrl Z возвращает прежний.</source>
        <translation>If the draw did not load, you can enter it yourself: &quot;Currency&quot; - &quot;Enter draw...&quot; (Ctrl Shift T). The table holds the match title and, for each outcome, the bookmaker&apos;s odds or a quote in percent and the pool share; below it the pool, the jackpot, the title and the draw&apos;s country. &quot;Paste from clipboard&quot; (or Ctrl Shift V in the outcome table) takes a copied table: one match per line, the title and three odds or percentages, then, if any, three pool shares; separated by tabs, &quot;;&quot; or spaces, with a decimal comma or point. The bookmaker&apos;s margin is removed proportionally or by Shin. OK makes the entered draw current; Ctrl Z brings back the previous one.</translation>
    </message>
    <message>
        <source>Адреса сервера тиражей и сервера обновлений задаются в &quot;Правка&quot; - &quot;Настройки...&quot; (Ctrl ,) и действуют со следующего запуска.</source>
        <translation>The addresses of the draw server and of the update server are set in &quot;Edit&quot; - &quot;Settings...&quot; (Ctrl ,) and take effect at the next start.</translation>
    </message>
    <message>
        <source>Там же выбирается язык программы: как в системе, русский, украинский или английский; новый язык действует со следующего запуска.</source>
        <translation>The program&apos;s language is chosen there too: as in the system, Russian, Ukrainian or English; a new language takes effect at the next start.</translation>
    </message>
    <message>
        <source>Пакет можно составить пятью способами; способ выбирается в выпадающем списке вверху окна.</source>
        <translation>A package can be made in five ways; the way is chosen in the drop-down list at the top of the window.</translation>
    </message>
    <message>
        <source>1. &quot;Бриф-система&quot; (выбрана при запуске).</source>
        <translation>1. &quot;Brief system&quot; (chosen at start).</translation>
    </message>
    <message>
        <source>Отметьте левой кнопкой мыши исходы, которые считаете возможными в каждом событии. Повторный щелчок снимает отметку, щелчок по названию события отмечает или снимает все три исхода.</source>
        <translation>Mark with the left mouse button the outcomes you think possible in each event. A second click removes the mark; a click on an event&apos;s title marks or clears all three outcomes.</translation>
    </message>
    <message>
        <source>В каждой клетке два числа: слева от косой черты - оценка букмекера, шансы исхода в процентах, справа - доля всего пула, поставленная на этот исход на данный момент.</source>
        <translation>Each cell holds two numbers: left of the slash the bookmaker&apos;s estimate, the outcome&apos;s chance in percent; right of it the share of the whole pool staked on this outcome so far.</translation>
    </message>
    <message>
        <source>Когда исходы отмечены, нажмите &quot;Добавить в список&quot; - ставки будут добавлены в список справа.</source>
        <translation>When the outcomes are marked, click &quot;Add to list&quot; - the bets are added to the list on the right.</translation>
    </message>
    <message>
        <source>Категория 15 даёт все комбинации отмеченных исходов. Категории с 9 по 14 дают сокращённый набор ставок, который гарантирует выигрыш в этой категории, если сыграют отмеченные исходы.</source>
        <translation>Category 15 gives every combination of the marked outcomes. Categories 9 to 14 give a reduced set of bets that guarantees a prize in that category if the marked outcomes come in.</translation>
    </message>
    <message>
        <source>Шаблоны бриф-систем лежат в папке &quot;Kombin&quot; в понятном виде; их можно менять и добавлять свои.</source>
        <translation>The brief system templates are kept in the &quot;Kombin&quot; folder in a readable form; you can change them and add your own.</translation>
    </message>
    <message>
        <source>Флажок &quot;Начиная с...&quot; строит бриф-систему, в которую обязательно входит одна заданная ставка. Обязательная ставка составляется из исходов, отмеченных последними в каждом событии.</source>
        <translation>The &quot;Start with...&quot; check box builds a brief system that must include one given bet. That bet is made of the outcomes marked last in each event.</translation>
    </message>
    <message>
        <source>Строки состояния внизу показывают количество ставок и суммы для всего купона и для бриф-системы, а если подходящего шаблона нет - ближайшие системы.</source>
        <translation>The status lines at the bottom show the number of bets and the amounts for the whole coupon and for the brief system, or, when no template fits, the nearest systems.</translation>
    </message>
    <message>
        <source>Если подходящего шаблона нет, кнопка &quot;Рассчитать систему&quot; в окне ближайших систем рассчитывает её (не больше 2000 ставок) и сохраняет в папку &quot;Kombin&quot;; расчёт можно прервать кнопкой &quot;Отмена&quot;.</source>
        <translation>When no template fits, the &quot;Calculate system&quot; button in the nearest systems window calculates it (at most 2000 bets) and saves it in the &quot;Kombin&quot; folder; the &quot;Cancel&quot; button stops the calculation.</translation>
    </message>
    <message>
        <source>Сумму на одну ставку в поле справа вверху можно увеличить, но не ниже минимальной.</source>
        <translation>The amount per bet in the field at the top right can be raised, but not below the minimum.</translation>
    </message>
    <message>
        <source>2. &quot;По сенсациям&quot;.</source>
        <translation>2. &quot;By upsets&quot;.</translation>
    </message>
    <message>
        <source>Исходы отмечаются так же. Задайте диапазон числа сенсаций &quot;от&quot; и &quot;до&quot; (включительно). Сенсация - исход, оценка букмекера которого ниже значения, заданного в отдельном поле.</source>
        <translation>Outcomes are marked the same way. Set the range of the number of upsets &quot;from&quot; and &quot;to&quot; (inclusive). An upset is an outcome whose bookmaker&apos;s estimate is below the value given in a separate field.</translation>
    </message>
    <message>
        <source>В этом и в следующем режиме оценки букмекера (число до косой черты) можно исправить вручную.</source>
        <translation>In this mode and the next one the bookmaker&apos;s estimates (the number before the slash) can be corrected by hand.</translation>
    </message>
    <message>
        <source>3. &quot;Ручной набор&quot;.</source>
        <translation>3. &quot;Manual selection&quot;.</translation>
    </message>
    <message>
        <source>&quot;Взять все варианты&quot; добавляет купон из всех отмеченных исходов; если в каждом событии отмечен один исход, получается одна ставка.</source>
        <translation>&quot;Take all variants&quot; adds a coupon of all the marked outcomes; with one outcome marked in each event it is a single bet.</translation>
    </message>
    <message>
        <source>Можно добавить случайные одиночные ставки: частоты исходов пропорциональны оценкам букмекера, распределению пула или одинаковы для всех исходов.</source>
        <translation>You can add random single bets: the outcomes&apos; frequencies follow the bookmaker&apos;s estimates, the pool distribution, or are equal for all outcomes.</translation>
    </message>
    <message>
        <source>4. &quot;Автоформирование&quot;.</source>
        <translation>4. &quot;Autoforming&quot;.</translation>
    </message>
    <message>
        <source>Ставки подбираются и добавляются по одной по выбранному критерию поиска: наибольшее число покрытых вариантов результата (&quot;% вариантов&quot;), наибольшее покрытие по вероятности в оценках букмекера или пользователя (&quot;% по вероятности&quot;), по распределению пула (&quot;% по пулу&quot;) или &quot;без пересечений&quot;, когда выигрыш в выбранной категории несколькими ставками сразу исключён.</source>
        <translation>Bets are chosen and added one at a time by the chosen search criterion: the most covered result variants (&quot;% of variants&quot;), the largest coverage by probability in the bookmaker&apos;s or your estimates (&quot;% by probability&quot;), by the pool distribution (&quot;% by pool&quot;) or &quot;no overlaps&quot;, where a prize in the chosen category for several bets at once is ruled out.</translation>
    </message>
    <message>
        <source>Формирование останавливается, когда достигнут заданный процент покрытия или заданное наибольшее число ставок.</source>
        <translation>Forming stops when the given coverage percentage or the given largest number of bets is reached.</translation>
    </message>
    <message>
        <source>Способ &quot;по ценности&quot; добавляет из отмеченного поля ставку, которая больше всего поднимает ожидаемый возврат всего пакета (с уже записанными ставками, по правилу &quot;Ценность пакета&quot;: свои выигравшие ставки делят фонд категории друг с другом), и так раз за разом до наибольшего числа ставок; формирование останавливается раньше, когда ни одна ставка не прибавляет к возврату больше своей суммы. Категория и процент покрытия здесь не нужны, ставки записываются в порядке выбора.</source>
        <translation>The &quot;by value&quot; method adds from the marked field the bet that raises the expected return of the whole package most (with the bets already listed, by the &quot;Package value&quot; rule: the package&apos;s own winning bets share the category fund among themselves), and so on, up to the largest number of bets; forming stops earlier when no bet adds more to the return than its own amount. Category and coverage percentage are not needed here; the bets are listed in the order chosen.</translation>
    </message>
    <message>
        <source>5. &quot;Условия&quot;.</source>
        <translation>5. &quot;Conditions&quot;.</translation>
    </message>
    <message>
        <source>Варианты отмеченных исходов отбираются по условиям. Каждое условие - диапазон &quot;от&quot; и &quot;до&quot; (включительно) и действует, когда отмечен его флажок: число единиц, ничьих и двоек; число фаворитов (исход с наибольшей оценкой букмекера в событии, при равенстве - первый из 1, X, 2) и аутсайдеров (с наименьшей, при равенстве - последний); очки БК и очки пула - сумма чисел сетки слева или справа от косой черты; самая длинная серия событий подряд с одним исходом; число смен исхода от события к следующему.</source>
        <translation>The variants of the marked outcomes are selected by conditions. Each condition is a range &quot;from&quot; and &quot;to&quot; (inclusive) and applies when its check box is checked: the number of ones, draws and twos; the number of favourites (the outcome with the event&apos;s highest bookmaker&apos;s estimate, on a tie the first of 1, X, 2) and of outsiders (the lowest, on a tie the last); bookmaker&apos;s points and pool points - the sum of the grid numbers left or right of the slash; the longest run of consecutive events with one outcome; the number of outcome changes from one event to the next.</translation>
    </message>
    <message>
        <source>Базовые строки - 15 знаков 1, X, 2 или - (прочерк не совпадает ни с чем) с диапазоном числа совпадений; строки добавляются и удаляются ссылками &quot;+ строка&quot; и &quot;- строка&quot;.</source>
        <translation>Base lines are 15 signs 1, X, 2 or - (a dash matches nothing) with a range of the number of matches; lines are added and removed with the &quot;+ line&quot; and &quot;- line&quot; links.</translation>
    </message>
    <message>
        <source>&quot;Допуск&quot; - сколько условий вариант может нарушить и всё же пройти.</source>
        <translation>&quot;Tolerance&quot; - how many conditions a variant may break and still pass.</translation>
    </message>
    <message>
        <source>Поле &quot;проходят&quot; сразу показывает, сколько вариантов проходят условия и сколько они стоят. &quot;Добавить в список&quot; добавляет их одиночными ставками (ставки, которые уже есть в списке, не повторяются). &quot;Применить к списку&quot; проверяет каждую строку списка по вариантам: строка, все варианты которой проходят, остаётся, остальные заменяются своими проходящими вариантами; замену отменяет Ctrl Z.</source>
        <translation>The &quot;passing&quot; field shows at once how many variants pass the conditions and what they cost. &quot;Add to list&quot; adds them as single bets (bets already in the list are not repeated). &quot;Apply to list&quot; checks each line of the list by its variants: a line whose variants all pass stays, the others are replaced by their passing variants; Ctrl Z undoes the replacement.</translation>
    </message>
    <message>
        <source>Набор условий можно сохранить под именем (&quot;Сохранить набор&quot;) и выбрать потом в списке &quot;набор&quot;; условия сохраняются и в файле проекта.</source>
        <translation>A condition set can be saved under a name (&quot;Save set&quot;) and chosen later in the &quot;set&quot; list; the conditions are also saved in the project file.</translation>
    </message>
    <message>
        <source>Изъятие комбинаций из списка.</source>
        <translation>Removing combinations from the list.</translation>
    </message>
    <message>
        <source>Отметьте исходы, варианты которых нужно убрать, и нажмите Ctrl Y: из списка будут изъяты все ставки, составленные только из отмеченных исходов.</source>
        <translation>Mark the outcomes whose variants are to go and press Ctrl Y: every bet made only of the marked outcomes is removed from the list.</translation>
    </message>
    <message>
        <source>Когда список готов.</source>
        <translation>When the list is ready.</translation>
    </message>
    <message>
        <source>Скопируйте его, нажав Ctrl C, откройте по ссылке форму пакетных ставок на странице тотализатора букмекера и вставьте список, нажав Ctrl V.</source>
        <translation>Copy it with Ctrl C, open the package bet form on the bookmaker&apos;s pool page through the link and paste the list with Ctrl V.</translation>
    </message>
    <message>
        <source>Список можно также сохранить в текстовый файл (Ctrl T) или в книгу для электронной таблицы, по столбцам (Ctrl E) или по строкам (Ctrl S).</source>
        <translation>The list can also be saved to a text file (Ctrl T) or to a spreadsheet workbook, by columns (Ctrl E) or by rows (Ctrl S).</translation>
    </message>
    <message>
        <source>Карта покрытия.</source>
        <translation>Coverage map.</translation>
    </message>
    <message>
        <source>Карта помогает строить средние и малые системы вручную. Левая кнопка мыши добавляет в список выбранную ставку, правая - удаляет ставки, которые покрывают этот вариант.</source>
        <translation>The map helps to build medium and small systems by hand. The left mouse button adds the chosen bet to the list; the right one removes the bets that cover this variant.</translation>
    </message>
    <message>
        <source>Ссылки &quot;P+&quot; и &quot;N+&quot; добавляют ставку с наибольшим дополнительным покрытием по вероятности или по числу вариантов.</source>
        <translation>The &quot;P+&quot; and &quot;N+&quot; links add the bet with the largest extra coverage by probability or by number of variants.</translation>
    </message>
    <message>
        <source>Условные обозначения: зелёный прямоугольник - вариант покрыт для выбранной категории ровно одной ставкой; синий - покрыт несколькими ставками; затемнённый прямоугольник - собственная отметка пользователя, которая ставится и снимается клавишей пробела.</source>
        <translation>Legend: a green rectangle - the variant is covered for the chosen category by exactly one bet; blue - covered by several bets; a shaded rectangle - your own mark, set and cleared with the space bar.</translation>
    </message>
    <message>
        <source>Анализ вариантов.</source>
        <translation>Variant analysis.</translation>
    </message>
    <message>
        <source>Окно показывает для одной комбинации вероятность выигрыша в каждой категории и статистическую доходность ставки - примерный средний коэффициент выплаты, как если бы эту ставку можно было сыграть много раз в одних и тех же условиях.</source>
        <translation>The window shows for one combination the chance of a prize in each category and the bet&apos;s statistical yield - the rough average payout ratio if the bet could be played many times under the same conditions.</translation>
    </message>
    <message>
        <source>Доходность зависит от оценок букмекера, размера пула и его распределения, а также от джек-пота. Все они меняются, пока идёт приём ставок на тираж, поэтому доходность относится к одному моменту - он указан в заголовке окна.</source>
        <translation>The yield depends on the bookmaker&apos;s estimates, the size of the pool and its distribution, and on the jackpot. All of them change while bets on the draw are taken, so the yield refers to one moment - shown in the window&apos;s title.</translation>
    </message>
    <message>
        <source>Ценность пакета.</source>
        <translation>Package value.</translation>
    </message>
    <message>
        <source>Меню &quot;Ценность&quot; - &quot;Ожидаемый возврат ставок&quot;: для каждой строки списка возврат &quot;отдельно&quot; - доходность её вариантов из анализа вариантов, умноженная на ставку, - и её доля &quot;в пакете&quot;. В пакете его собственные выигравшие варианты делят фонд категории друг с другом: если при результате r ровно m вариантов пакета угадали k событий, каждый получает выплату анализа, в которой к ожидаемым соперникам W добавлены остальные m - 1 вариантов пакета, по доле одной ставки w = u / (пул + 1): доля фонда(k) / (W + (m - 1) w), а в категории 15 так же делится и джек-пот. Возврат пакета - сумма по всем результатам их вероятности, умноженной на то, что берёт пакет. Для одной ставки это в точности анализ вариантов; пакет по одной ставке на вариант никогда не берёт больше фонда (0,9 пула) и джек-пота.</source>
        <translation>The &quot;Value&quot; menu - &quot;Expected return of bets&quot;: for each line of the list the return &quot;alone&quot; - the yield of its variants from the variant analysis times the stake - and its share &quot;in package&quot;. In a package its own winning variants share the category fund among themselves: if for a result r exactly m variants of the package guessed k events, each gets the analysis payout in which the other m - 1 variants of the package are added to the expected rivals W, at the share of one bet w = u / (pool + 1): fund share(k) / (W + (m - 1) w), and in category 15 the jackpot is shared the same way. The package&apos;s return is the sum over all results of their probability times what the package takes. For one bet this is exactly the variant analysis; a package of one bet per variant never takes more than the fund (0.9 of the pool) and the jackpot.</translation>
    </message>
    <message>
        <source>Пример: пул 1000000, u = 20, w = 20 / 1000001. Пусть при результате r с вероятностью 0,001 десять событий угадали два варианта пакета, доля фонда 0,2 и W = 0,0001. Отдельно каждый получает 0,2 / 0,0001 = 2000 ставок, вместе 4000; в пакете - по 0,2 / (0,0001 + 0,00002) = 1666,7, вместе 3333,3. В ожидаемый возврат этот результат вносит 0,001 x 3333,3 x 20 = 66,67 руб. вместо 80.</source>
        <translation>Example: pool 1000000, u = 20, w = 20 / 1000001. Say that for a result r of probability 0.001 two variants of the package guessed ten events, the fund share is 0.2 and W = 0.0001. Alone each gets 0.2 / 0.0001 = 2000 stakes, together 4000; in the package 0.2 / (0.0001 + 0.00002) = 1666.7 each, together 3333.3. This result adds 0.001 x 3333.3 x 20 = 66.67 руб. to the expected return instead of 80.</translation>
    </message>
    <message>
        <source>&quot;Оставить лучшие&quot; и &quot;Убрать ставки ниже&quot; отбирают варианты по возврату в пакете или отдельно - как выбрано в списке слева от них. &quot;Моделирование тиражей&quot; платит каждый выпавший результат по тому же правилу пакета.</source>
        <translation>&quot;Keep the best&quot; and &quot;Remove bets below&quot; select variants by the return in the package or alone - as chosen in the list to their left. &quot;Draw simulation&quot; pays each result drawn by the same package rule.</translation>
    </message>
    <message>
        <source>После тиража: проверка пакета и архив.</source>
        <translation>After the draw: package check and archive.</translation>
    </message>
    <message>
        <source>Меню &quot;Итоги&quot; - &quot;Проверить пакет по результату&quot; (Ctrl R): введите или вставьте результат тиража - 15 исходов подряд (1X21X2...) или через запятую (1,X,2,...). Событие, которое не состоялось, обозначается знаком &quot;-&quot; и считается угаданным в любой ставке.</source>
        <translation>The &quot;Results&quot; menu - &quot;Check package against result&quot; (Ctrl R): type or paste the draw&apos;s result - 15 outcomes in a row (1X21X2...) or separated by commas (1,X,2,...). An event that did not take place is written &quot;-&quot; and counts as correct in every bet.</translation>
    </message>
    <message>
        <source>Для каждой строки списка программа считает, сколько её вариантов угадали ровно 9, 10, ..., 15 событий, не расписывая строку на отдельные ставки. Таблица пакета показывает выигравшие варианты по категориям, выигрыш за вариант, сумму, общий выигрыш, ставки, прибыль и возврат в процентах. Выигравшие строки перечислены ниже; их можно скопировать или сохранить в файл.</source>
        <translation>For each line of the list the program counts how many of its variants guessed exactly 9, 10, ..., 15 events, without spelling the line out into single bets. The package table shows the winning variants by category, the prize per variant, the amount, the total prize, the bets, the profit and the return in percent. The winning lines are listed below; they can be copied or saved to a file.</translation>
    </message>
    <message>
        <source>Выигрыш за вариант по категориям вводится, когда он известен. До того программа оценивает его по пулу, долям пула и джек-поту тиража; такие суммы помечены знаком ≈.</source>
        <translation>The prize per variant for each category is entered when it is known. Until then the program estimates it from the draw&apos;s pool, pool shares and jackpot; such amounts are marked ≈.</translation>
    </message>
    <message>
        <source>Каждый загруженный тираж сохраняется в архив тиражей в папке данных программы. &quot;Сохранить пакет в архив&quot; сохраняет текущий список ставок вместе с его тиражом и всей работой; &quot;Сохранить результат в архив&quot; в окне проверки - результат и выигрыши тиража. &quot;История пакетов&quot; показывает сыгранные пакеты с выигрышем и прибылью (сортировка по столбцам, отбор по датам) и график ставок, выигрышей и баланса; двойной щелчок открывает пакет и его тираж.</source>
        <translation>Every loaded draw is kept in the draw archive in the program&apos;s data folder. &quot;Save package to archive&quot; keeps the current bet list with its draw and all the work; &quot;Save the result to the archive&quot; in the check window keeps the draw&apos;s result and prizes. &quot;Package history&quot; shows the packages played with their prize and profit (sorted by columns, filtered by dates) and a chart of bets, prizes and balance; a double click opens a package and its draw.</translation>
    </message>
    <message>
        <source>Если архив занят другой программой, повреждён, доступен только для чтения или создан более новой версией, программа говорит об этом и работает дальше без архива.</source>
        <translation>If the archive is in use by another program, damaged, read-only or made by a newer version, the program says so and works on without the archive.</translation>
    </message>
    <message>
        <source>Проект: сохранение и восстановление работы.</source>
        <translation>Project: saving and restoring the work.</translation>
    </message>
    <message>
        <source>Вся работа - тираж с оценками и пулом, отмеченные исходы, обязательная ставка, способ формирования с его настройками, сумма на ставку и список ставок - сохраняется в один файл проекта (.kvp) через меню &quot;Файл&quot;: &quot;Создать&quot; (Ctrl N), &quot;Открыть...&quot; (Ctrl O), &quot;Сохранить&quot; (F2), &quot;Сохранить как...&quot; (Ctrl Shift S) и &quot;Недавние файлы&quot;. Открытый проект восстанавливается в точности, каким был сохранён.</source>
        <translation>All the work - the draw with its estimates and pool, the marked outcomes, the required bet, the forming method with its settings, the amount per bet and the bet list - is saved in one project file (.kvp) through the &quot;File&quot; menu: &quot;New&quot; (Ctrl N), &quot;Open...&quot; (Ctrl O), &quot;Save&quot; (F2), &quot;Save as...&quot; (Ctrl Shift S) and &quot;Recent files&quot;. An opened project is restored exactly as it was saved.</translation>
    </message>
    <message>
        <source>Имя файла проекта показано в заголовке окна; звёздочка после него означает, что есть несохранённые изменения. При закрытии программы с несохранёнными изменениями она предложит их сохранить.</source>
        <translation>The project file&apos;s name is shown in the window&apos;s title; an asterisk after it means there are unsaved changes. When the program is closed with unsaved changes it offers to save them.</translation>
    </message>
    <message>
        <source>Перед тем как очистить непустой список ставок (Ctrl X, смена тиража в меню &quot;Валюта&quot;, котировки из файла), программа спрашивает подтверждение.</source>
        <translation>Before a bet list that is not empty is cleared (Ctrl X, a change of draw in the &quot;Currency&quot; menu, quotes from a file), the program asks for confirmation.</translation>
    </message>
    <message>
        <source>Меню &quot;Правка&quot;: &quot;Отменить&quot; (Ctrl Z) и &quot;Повторить&quot; (Ctrl Shift Z) проходят по одной истории всей работы: добавление, замена, очистка и набор в списке ставок (набор в одной строке - один шаг до паузы), отметки исходов и введённые котировки. В самом списке Ctrl Z отменяет по той же истории. Открытие проекта начинает историю заново; после смены тиража отметки и котировки прежнего тиража уже не отменяются, а список - отменяется. История держит не больше нескольких сотен мегабайт: самые старые шаги уходят первыми.</source>
        <translation>The &quot;Edit&quot; menu: &quot;Undo&quot; (Ctrl Z) and &quot;Redo&quot; (Ctrl Shift Z) walk one history of all the work: adding, replacing, clearing and typing in the bet list (typing in one line is one step until a pause), outcome marks and typed quotes. In the list itself Ctrl Z undoes along the same history. Opening a project starts the history anew; after a change of draw the marks and quotes of the previous draw can no longer be undone, but the list can. The history holds no more than a few hundred megabytes: the oldest steps go first.</translation>
    </message>
    <message>
        <source>Через несколько секунд после каждого изменения работа сохраняется в папку данных программы. Если программа была закрыта аварийно, при следующем запуске она первым делом предложит восстановить несохранённую работу. Автосохранение остаётся на месте, пока вы не ответите и восстановленная работа не будет сохранена заново, так что повторный сбой её не теряет; &quot;Да&quot; возвращает работу под именем её проекта. Если ответить &quot;Нет&quot;, копия не удаляется, а откладывается в папку &quot;declined&quot; внутри папки данных (последние десять копий) и открывается там как обычный проект.</source>
        <translation>A few seconds after each change the work is saved in the program&apos;s data folder. If the program was closed abnormally, at the next start it first offers to restore the unsaved work. The autosave stays in place until you answer and the restored work is saved again, so a second crash does not lose it; &quot;Yes&quot; brings the work back under its project&apos;s name. If you answer &quot;No&quot;, the copy is not deleted but put aside in the &quot;declined&quot; folder inside the data folder (the last ten copies), where it opens like any project.</translation>
    </message>
    <message>
        <source>Файлы сохраняются через временный файл рядом с ними: &quot;.&lt;имя&gt;.~kvtmp-&lt;номер&gt;-XXXXXX&quot;. Такой файл может остаться после аварийного завершения в папке проекта, в папке данных программы, рядом с экспортом или файлом котировок и в папке программы (загрузка обновления). Следующее сохранение в ту же папку и запуск программы (для папки данных и папки открытого проекта) удаляют те из них, что не заняты работающей программой.</source>
        <translation>Files are saved through a temporary file beside them: &quot;.&lt;name&gt;.~kvtmp-&lt;number&gt;-XXXXXX&quot;. Such a file may be left after an abnormal end in the project&apos;s folder, in the program&apos;s data folder, beside an export or a quotes file and in the program&apos;s folder (an update download). The next save into the same folder and the program&apos;s start (for the data folder and the open project&apos;s folder) remove those not in use by a running program.</translation>
    </message>
    <message>
        <source>Суммы и оценки можно вводить и с запятой, и с точкой: 20,5 и 20.5 - одно и то же.</source>
        <translation>Amounts and estimates can be typed with a comma or a point: 20,5 and 20.5 are the same.</translation>
    </message>
    <message>
        <source>Если строку списка ставок нельзя прочитать (сумма не число, слишком много групп), строка состояния внизу называет её номер и причину. Строки, которые не являются ставками (заметки, оборванные строки), в подсчёт не входят; строка состояния называет первую из них, а подсказка при наведении - до двадцати, с причиной.</source>
        <translation>If a line of the bet list cannot be read (the amount is not a number, too many groups), the status line at the bottom names its number and the reason. Lines that are not bets (notes, broken lines) are not counted; the status line names the first of them, and its tooltip up to twenty, with the reason.</translation>
    </message>
    <message>
        <source>Окно, режим, сумма на ставку, тираж и последняя папка запоминаются между запусками.</source>
        <translation>The window, the mode, the amount per bet, the draw and the last folder are remembered between starts.</translation>
    </message>
    <message>
        <source>Работа с клавиатуры.</source>
        <translation>Working from the keyboard.</translation>
    </message>
    <message>
        <source>Меню открываются клавишей Alt или F10; подчёркнутая буква пункта выбирает его (с Alt - в строке меню, без Alt - в открытом меню), стрелки ходят по меню, Esc закрывает его.</source>
        <translation>Menus open with Alt or F10; an item&apos;s underlined letter chooses it (with Alt in the menu bar, without Alt in an open menu), the arrows move through the menu, Esc closes it.</translation>
    </message>
    <message>
        <source>В таблице исходов стрелки, Tab, Shift Tab, Home, End, Page Up и Page Down только переводят курсор и ничего не отмечают. Пробел или Enter отмечает исход под курсором или снимает отметку; на названии события - все три исхода сразу. Щелчок мышью делает то же. В режимах, где котировки правятся вручную, ввод цифр открывает ячейку для правки.</source>
        <translation>In the outcome table the arrows, Tab, Shift Tab, Home, End, Page Up and Page Down only move the cursor and mark nothing. Space or Enter marks the outcome under the cursor or clears it; on an event&apos;s title all three outcomes at once. A mouse click does the same. In the modes where quotes are edited by hand, typing digits opens the cell for editing.</translation>
    </message>
    <message>
        <source>Ctrl Tab переводит фокус из таблицы исходов к следующему полю окна. Ссылки (&quot;Добавить в список&quot; и другие) достигаются клавишей Tab и срабатывают от пробела или Enter.</source>
        <translation>Ctrl Tab moves the focus from the outcome table to the window&apos;s next field. Links (&quot;Add to list&quot; and others) are reached with Tab and work with Space or Enter.</translation>
    </message>
    <message>
        <source>Строка состояния внизу окна после каждого формирования, фильтра и отбора говорит, сколько ставок добавлено или изъято и на какую сумму; после автоформирования - ещё достигнутое покрытие и почему поиск остановился. Прерванное автоформирование спрашивает, оставить ли найденные ставки. Перед добавлением больше 100000 вариантов программа называет их число и сумму и спрашивает подтверждение.</source>
        <translation>After each forming, filter and selection the status line at the bottom of the window tells how many bets were added or removed and for what amount; after autoforming also the coverage reached and why the search stopped. A stopped autoforming asks whether to keep the bets found. Before adding more than 100000 variants the program names their number and amount and asks for confirmation.</translation>
    </message>
    <message>
        <source>Сумма на ставку, которая не является суммой или меньше наименьшей, не принимается: программа называет введённое и оставляет прежнюю сумму.</source>
        <translation>An amount per bet that is not an amount or is below the minimum is refused: the program names what was typed and keeps the previous amount.</translation>
    </message>
    <message>
        <source>О программе</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Шаблоны бриф-систем, установленные с программой: %1</source>
        <translation>Brief system templates installed with the program: %1</translation>
    </message>
    <message>
        <source>Рассчитанные вами системы: %1</source>
        <translation>Systems you calculated: %1</translation>
    </message>
    <message>
        <source>Автосохранение и данные программы: %1</source>
        <translation>Autosave and program data: %1</translation>
    </message>
    <message>
        <source>Отложенные автосохранения (ответ &quot;Нет&quot; при восстановлении): %1</source>
        <translation>Declined autosaves (answer &quot;No&quot; at recovery): %1</translation>
    </message>
    <message>
        <source>Настройки: %1</source>
        <translation>Settings: %1</translation>
    </message>
    <message>
        <source>Архив тиражей: %1 (или файл, указанный в --archive)</source>
        <translation>Draw archive: %1 (or the file given with --archive)</translation>
    </message>
    <message>
        <source>Справка</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Длинные списки. Счётчики длинного списка (вставленного, открытого с проектом, добавленного формированием) готовы сразу, а сам текст показывается частями, пока окно остаётся доступным; ход показа виден под счётчиками. Перемещаться по уже показанным строкам можно сразу; правка сначала дописывает остаток.</source>
        <translation>Long lists. The counts of a long list (pasted, opened with a project, added by forming) are ready at once, while the text itself is shown in parts and the window stays usable; the progress shows under the counts. You can move through the lines already shown at once; an edit first writes out the rest.</translation>
    </message>
    <message>
        <source>Пока идёт долгий расчёт с окном хода, остальные окна ждут, но главное окно можно закрыть кнопкой в заголовке: программа спросит, прервать ли расчёт. Esc прерывает расчёт.</source>
        <translation>While a long calculation with a progress box runs, the other windows wait, but the main window can be closed with its title-bar button: the program asks whether to stop the calculation. Esc stops the calculation.</translation>
    </message>
    <message>
        <source>Окна &quot;Ближайшие варианты&quot;, &quot;Карта покрытия&quot;, &quot;Анализ вариантов&quot; и справка встают рядом с главным окном и следуют за ним при перемещении и разворачивании; если места рядом нет - у правого края экрана, над списком, но не над таблицей исходов. Панели режима и условий в узком окне прокручиваются вбок.</source>
        <translation>The &quot;Nearest variants&quot;, &quot;Coverage map&quot; and &quot;Variant analysis&quot; windows and the help stand beside the main window and follow it when it is moved or maximised; where there is no room beside it, they go to the right edge of the screen, over the list but never over the outcome table. In a narrow window the mode and conditions panels scroll sideways.</translation>
    </message>
</context>
<context>
    <name>kav::ui::HistoryWindow</name>
    <message>
        <source>История пакетов</source>
        <translation>Package history</translation>
    </message>
    <message>
        <source>Тиражи с</source>
        <translation>Draws from</translation>
    </message>
    <message>
        <source>по</source>
        <translation>to</translation>
    </message>
    <message>
        <source>Дата тиража</source>
        <translation>Draw date</translation>
    </message>
    <message>
        <source>Страна</source>
        <translation>Country</translation>
    </message>
    <message>
        <source>Ставок</source>
        <translation>Bets</translation>
    </message>
    <message>
        <source>Ставки</source>
        <translation>Stakes</translation>
    </message>
    <message>
        <source>Лучшая</source>
        <translation>Best</translation>
    </message>
    <message>
        <source>Выигрыш</source>
        <translation>Prize</translation>
    </message>
    <message>
        <source>Прибыль</source>
        <translation>Profit</translation>
    </message>
    <message>
        <source>Двойной щелчок открывает пакет и его тираж</source>
        <translation>A double click opens the package and its draw</translation>
    </message>
    <message>
        <source>Украина</source>
        <translation>Ukraine</translation>
    </message>
    <message>
        <source>Россия</source>
        <translation>Russia</translation>
    </message>
    <message>
        <source>Ставки и выигрыш по тиражам</source>
        <translation>Stakes and prizes by draw</translation>
    </message>
    <message>
        <source>Пакетов за эти даты нет</source>
        <translation>No packages for these dates</translation>
    </message>
    <message>
        <source>Баланс</source>
        <translation>Balance</translation>
    </message>
    <message>
        <source>Пакетов: %1   Ставки: %2   Выигрыш: %3   Баланс: %4</source>
        <translation>Packages: %1   Stakes: %2   Prize: %3   Balance: %4</translation>
    </message>
</context>
<context>
    <name>kav::ui::MainWindow</name>
    <message>
        <source>Файл</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Правка</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Отменить</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Повторить</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>Настройки…</source>
        <translation>Settings…</translation>
    </message>
    <message>
        <source>Валюта</source>
        <translation>Currency</translation>
    </message>
    <message>
        <source>Действия</source>
        <translation>Actions</translation>
    </message>
    <message>
        <source>Окна</source>
        <translation>Windows</translation>
    </message>
    <message>
        <source>Показать карту покрытия</source>
        <translation>Show coverage map</translation>
    </message>
    <message>
        <source>Показать анализ вариантов</source>
        <translation>Show variant analysis</translation>
    </message>
    <message>
        <source>Итоги</source>
        <translation>Results</translation>
    </message>
    <message>
        <source>Ценность</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Помощь</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Скрыть карту покрытия</source>
        <translation>Hide coverage map</translation>
    </message>
    <message>
        <source>Скрыть анализ вариантов</source>
        <translation>Hide variant analysis</translation>
    </message>
    <message>
        <source>Загрузка тиража…</source>
        <translation>Loading the draw…</translation>
    </message>
</context>
<context>
    <name>kav::ui::ManualChoicePanel</name>
    <message>
        <source>Взять все
варианты</source>
        <translation>Take all
variants</translation>
    </message>
    <message>
        <source>Случайный 
выбор</source>
        <translation>Random 
choice</translation>
    </message>
    <message>
        <source>По котировкам</source>
        <translation>By quotes</translation>
    </message>
    <message>
        <source>По пулу</source>
        <translation>By pool</translation>
    </message>
    <message>
        <source>Произвольно</source>
        <translation>Uniform</translation>
    </message>
    <message>
        <source>Против пула</source>
        <translation>Against pool</translation>
    </message>
    <message>
        <source>Кол. фаворитов</source>
        <translation>Favourites</translation>
    </message>
    <message>
        <source>Распределение</source>
        <translation>Distribution</translation>
    </message>
    <message>
        <source>Число фаворитов</source>
        <translation>Number of favourites</translation>
    </message>
    <message>
        <source>фаворитов</source>
        <translation>favourites</translation>
    </message>
    <message>
        <source>повторить</source>
        <translation>repeat</translation>
    </message>
    <message>
        <source>Повторить 
случайный 
выбор, раз</source>
        <translation>Repeat 
the random 
choice, times</translation>
    </message>
</context>
<context>
    <name>kav::ui::ModeBar</name>
    <message>
        <source>Сбросить
исходы</source>
        <translation>Clear
outcomes</translation>
    </message>
    <message>
        <source>Очистить все выбранные исходы</source>
        <translation>Clear all marked outcomes</translation>
    </message>
    <message>
        <source>Бриф-системы</source>
        <translation>Brief systems</translation>
    </message>
    <message>
        <source>По сенсациям</source>
        <translation>By upsets</translation>
    </message>
    <message>
        <source>Ручной набор</source>
        <translation>Manual selection</translation>
    </message>
    <message>
        <source>Автоформир.</source>
        <translation>Autoform.</translation>
    </message>
    <message>
        <source>Условия</source>
        <translation>Conditions</translation>
    </message>
    <message>
        <source>Способ формирования пакета</source>
        <translation>How the package is formed</translation>
    </message>
    <message>
        <source>Сумма на одну ставку</source>
        <translation>Amount per bet</translation>
    </message>
    <message>
        <source>за ставку</source>
        <translation>per bet</translation>
    </message>
</context>
<context>
    <name>kav::ui::NearestSystemsWindow</name>
    <message>
        <source>Ближайшие варианты</source>
        <translation>Nearest variants</translation>
    </message>
    <message>
        <source>Рассчитать систему</source>
        <translation>Calculate system</translation>
    </message>
    <message>
        <source>Система %1-%2-%3 уже рассчитывалась в этом сеансе: в ней больше %4 ставок.</source>
        <translation>System %1-%2-%3 was already calculated in this session: it has more than %4 bets.</translation>
    </message>
    <message>
        <source>Рассчитать бриф-систему %1-%2-%3 (удвоения, утроения, гарантированные угадывания) и сохранить её среди шаблонов</source>
        <translation>Calculate the brief system %1-%2-%3 (doubles, triples, guaranteed hits) and save it among the templates</translation>
    </message>
    <message>
        <source>Ставок</source>
        <translation>Bets</translation>
    </message>
    <message>
        <source>Нет</source>
        <translation>No</translation>
    </message>
</context>
<context>
    <name>kav::ui::PackageArchive</name>
    <message>
        <source>Проверить пакет по результату</source>
        <translation>Check package against result</translation>
    </message>
    <message>
        <source>Сохранить пакет в архив</source>
        <translation>Save package to archive</translation>
    </message>
    <message>
        <source>История пакетов</source>
        <translation>Package history</translation>
    </message>
    <message>
        <source>%1
Программа работает без архива.</source>
        <translation>%1
The program works without the archive.</translation>
    </message>
    <message>
        <source>Пакет сохранён в архив: %1</source>
        <translation>Package saved to the archive: %1</translation>
    </message>
    <message>
        <source>Пакет сохранён в архив: %1.</source>
        <translation>Package saved to the archive: %1.</translation>
    </message>
    <message>
        <source>Результат тиража сохранён в архив</source>
        <translation>Draw result saved to the archive</translation>
    </message>
</context>
<context>
    <name>kav::ui::PackageValue</name>
    <message>
        <source>Ожидаемый возврат ставок</source>
        <translation>Expected return of bets</translation>
    </message>
    <message>
        <source>Моделирование тиражей</source>
        <translation>Draw simulation</translation>
    </message>
    <message>
        <source>Показывать ценность исходов</source>
        <translation>Show outcome value</translation>
    </message>
</context>
<context>
    <name>kav::ui::ProjectDocument</name>
    <message>
        <source>Без имени</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <source>Создать</source>
        <translation>New</translation>
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
        <translation>Save as...</translation>
    </message>
    <message>
        <source>Недавние файлы</source>
        <translation>Recent files</translation>
    </message>
    <message>
        <source>Выход</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>Строк в списке ставок: %1.</source>
        <translation>Lines in the bet list: %1.</translation>
    </message>
    <message>
        <source>Сохранить изменения в проекте &quot;%1&quot;?
%2</source>
        <translation>Save the changes to the project &quot;%1&quot;?
%2</translation>
    </message>
    <message>
        <source>Открыть проект</source>
        <translation>Open project</translation>
    </message>
    <message>
        <source>Сохранить проект</source>
        <translation>Save project</translation>
    </message>
    <message>
        <source>Проекты Kavendix (*.kvp)</source>
        <translation>Kavendix projects (*.kvp)</translation>
    </message>
</context>
<context>
    <name>kav::ui::SelectionEditor</name>
    <message>
        <source>События</source>
        <translation>Events</translation>
    </message>
    <message>
        <source>П1</source>
        <translation>1</translation>
    </message>
    <message>
        <source>Х</source>
        <translation>X</translation>
    </message>
    <message>
        <source>П2</source>
        <translation>2</translation>
    </message>
    <message>
        <source>Сброс исходов</source>
        <translation>Clearing outcomes</translation>
    </message>
    <message>
        <source>Отметка события</source>
        <translation>Event mark</translation>
    </message>
    <message>
        <source>Отметка исхода</source>
        <translation>Outcome mark</translation>
    </message>
</context>
<context>
    <name>kav::ui::SensationPanel</name>
    <message>
        <source>Добавить
в список</source>
        <translation>Add
to list</translation>
    </message>
    <message>
        <source>Сенсаций не менее</source>
        <translation>Upsets at least</translation>
    </message>
    <message>
        <source>Сенсаций не более</source>
        <translation>Upsets at most</translation>
    </message>
    <message>
        <source>БК</source>
        <translation>Bookm.</translation>
    </message>
    <message>
        <source>пул</source>
        <translation>pool</translation>
    </message>
    <message>
        <source>кол-во  сенсаций</source>
        <translation>number of  upsets</translation>
    </message>
    <message>
        <source>которые&lt;</source>
        <translation>below&lt;</translation>
    </message>
    <message>
        <source>Значение котировки,
ниже которого событие
считаем сенсацией</source>
        <translation>The quote
below which an event
counts as an upset</translation>
    </message>
    <message>
        <source>Критерий сенсаций
по букмекерским котировкам</source>
        <translation>Upset criterion
by the bookmaker&apos;s quotes</translation>
    </message>
    <message>
        <source>Критерий сенсаций
по распределению пула</source>
        <translation>Upset criterion
by the pool distribution</translation>
    </message>
</context>
<context>
    <name>kav::ui::Session</name>
    <message>
        <source>Очистка списка ставок</source>
        <translation>Clearing the bet list</translation>
    </message>
    <message>
        <source>Изменение списка ставок</source>
        <translation>Bet list change</translation>
    </message>
</context>
<context>
    <name>kav::ui::SettingsDialog</name>
    <message>
        <source>Настройки</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Сервер тиражей</source>
        <translation>Draw server</translation>
    </message>
    <message>
        <source>Сервер обновлений</source>
        <translation>Update server</translation>
    </message>
    <message>
        <source>Пустое поле — адрес по умолчанию. Новые адреса действуют со следующего запуска;
ключи --data-server и --update-server заменяют их на один запуск.</source>
        <translation>An empty field means the default address. New addresses take effect at the next start;
the options --data-server and --update-server replace them for one run.</translation>
    </message>
    <message>
        <source>Как в системе</source>
        <translation>As in the system</translation>
    </message>
    <message>
        <source>Новый язык действует со следующего запуска.</source>
        <translation>A new language takes effect at the next start.</translation>
    </message>
    <message>
        <source>Язык</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Адрес сервера тиражей «%1» не годится: нужен адрес вида https://сервер</source>
        <translation>The draw server address «%1» will not do: an address like https://server is needed</translation>
    </message>
    <message>
        <source>Адрес сервера обновлений «%1» не годится: нужен адрес вида https://сервер</source>
        <translation>The update server address «%1» will not do: an address like https://server is needed</translation>
    </message>
</context>
<context>
    <name>kav::ui::SimulationWindow</name>
    <message>
        <source>Тиражей:</source>
        <translation>Draws:</translation>
    </message>
    <message>
        <source>Начальное число:</source>
        <translation>Seed:</translation>
    </message>
    <message>
        <source>Одно и то же число даёт те же тиражи</source>
        <translation>The same seed gives the same draws</translation>
    </message>
    <message>
        <source>Моделировать</source>
        <translation>Simulate</translation>
    </message>
    <message>
        <source>Нажмите «Моделировать» (F5).</source>
        <translation>Press «Simulate» (F5).</translation>
    </message>
    <message>
        <source>Тиражей</source>
        <translation>Draws</translation>
    </message>
    <message>
        <source>Доля</source>
        <translation>Share</translation>
    </message>
    <message>
        <source>Точно</source>
        <translation>Exact</translation>
    </message>
    <message>
        <source>Лучшее угадывание пакета: в скольких тиражах, доля, точная вероятность</source>
        <translation>The package&apos;s best hit: in how many draws, the share, the exact probability</translation>
    </message>
    <message>
        <source>Моделирование %1 тиражей…</source>
        <translation>Simulating %1 draws…</translation>
    </message>
    <message>
        <source>Тиражей: %1.  Хотя бы один выигрыш: %2.  Прибыль: %3.  Средний возврат: %4 при ставке %5 (%6 ставки).</source>
        <translation>Draws: %1.  At least one prize: %2.  Profit: %3.  Average return: %4 on a stake of %5 (%6 of the stake).</translation>
    </message>
    <message>
        <source>Доля тиражей, %, по возврату пакета</source>
        <translation>Share of draws, %, by package return</translation>
    </message>
    <message>
        <source>Тиражи</source>
        <translation>Draws</translation>
    </message>
    <message>
        <source>возврат, ставок пакета (от)</source>
        <translation>return, package stakes (from)</translation>
    </message>
</context>
<context>
    <name>kav::ui::UiText</name>
    <message>
        <source>список не изменился</source>
        <translation>the list is unchanged</translation>
    </message>
    <message>
        <source>добавлено ставок %1 (%2)</source>
        <translation>bets added %1 (%2)</translation>
    </message>
    <message>
        <source>изъято ставок %1 (%2)</source>
        <translation>bets removed %1 (%2)</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Добавление ставок</source>
        <translation>Adding bets</translation>
    </message>
    <message>
        <source>Ввод в списке ставок</source>
        <translation>Typing in the bet list</translation>
    </message>
    <message>
        <source>Ввод котировки</source>
        <translation>Typing a quote</translation>
    </message>
    <message>
        <source>Ввод тиража</source>
        <translation>Draw entry</translation>
    </message>
    <message>
        <source>Строк в списке %1.</source>
        <translation>Lines in the list: %1.</translation>
    </message>
    <message>
        <source>%1 очистит список ставок.
%2
Продолжить?</source>
        <translation>%1 will clear the bet list.
%2
Go on?</translation>
    </message>
    <message>
        <source>цель достигнута</source>
        <translation>target reached</translation>
    </message>
    <message>
        <source>достигнут предел ставок</source>
        <translation>bet limit reached</translation>
    </message>
    <message>
        <source>новые ставки больше ничего не покрывают</source>
        <translation>new bets cover nothing more</translation>
    </message>
    <message>
        <source>прервано</source>
        <translation>stopped</translation>
    </message>
    <message>
        <source>Доступна новая версия программы %1 от %2!
Обновить?</source>
        <translation>A new version of the program is available: %1 of %2!
Update?</translation>
    </message>
    <message>
        <source>Сохранение</source>
        <translation>Saving</translation>
    </message>
    <message>
        <source>Сохранить</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Не сохранять</source>
        <translation>Don&apos;t save</translation>
    </message>
    <message>
        <source>Обновление</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>Загрузка версии %1…</source>
        <translation>Downloading version %1…</translation>
    </message>
    <message>
        <source>%1 из %2 КБ</source>
        <translation>%1 of %2 KB</translation>
    </message>
</context>
<context>
    <name>kav::ui::VariantAnalysisWindow</name>
    <message>
        <source>Анализ варианта (по состоянию на</source>
        <translation>Variant analysis (as of</translation>
    </message>
    <message>
        <source>Выбор варианта</source>
        <translation>Choose a variant</translation>
    </message>
    <message>
        <source>Пул</source>
        <translation>Pool</translation>
    </message>
    <message>
        <source>Джек-пот</source>
        <translation>Jackpot</translation>
    </message>
    <message>
        <source>Анализ вариантов (по состоянию на %1)</source>
        <translation>Variant analysis (as of %1)</translation>
    </message>
</context>
<context>
    <name>kav::ui::VariantForming</name>
    <message>
        <source>Будет добавлено %1 вариантов на %2 Добавить их все в список?</source>
        <translation>%1 variants for %2 will be added. Add them all to the list?</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Ручной набор</source>
        <translation>Manual selection</translation>
    </message>
    <message>
        <source>Случайный выбор</source>
        <translation>Random choice</translation>
    </message>
    <message>
        <source>По сенсациям</source>
        <translation>By upsets</translation>
    </message>
</context>
</TS>
