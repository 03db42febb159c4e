<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="uk_UA" sourcelanguage="ru_RU">
<context>
    <name>kav::Text</name>
    <message>
        <source>Дождитесь окончания расчёта или прервите его (Esc).</source>
        <translation>Дочекайтеся завершення розрахунку або перервіть його (Esc).</translation>
    </message>
    <message>
        <source>Подтверждение</source>
        <translation>Підтвердження</translation>
    </message>
    <message>
        <source>Котировка</source>
        <translation>Котирування</translation>
    </message>
    <message>
        <source>Программа была закрыта аварийно. Восстановить несохранённую работу?</source>
        <translation>Програму було закрито аварійно. Відновити незбережену роботу?</translation>
    </message>
    <message>
        <source>Восстановление</source>
        <translation>Відновлення</translation>
    </message>
    <message>
        <source>Проверка тиража</source>
        <translation>Перевірка тиражу</translation>
    </message>
    <message>
        <source>Архив тиражей</source>
        <translation>Архів тиражів</translation>
    </message>
    <message>
        <source>Архив тиражей не задан.</source>
        <translation>Архів тиражів не задано.</translation>
    </message>
    <message>
        <source>Список ставок пуст.</source>
        <translation>Список ставок порожній.</translation>
    </message>
    <message>
        <source>Идёт расчёт. Прервать его и закрыть программу?</source>
        <translation>Іде розрахунок. Перервати його й закрити програму?</translation>
    </message>
    <message>
        <source>Информация</source>
        <translation>Інформація</translation>
    </message>
    <message>
        <source>Ожидаемый возврат</source>
        <translation>Очікуване повернення</translation>
    </message>
    <message>
        <source>Введите сумму ожидаемого возврата, например 12,5.</source>
        <translation>Введіть суму очікуваного повернення, наприклад 12,5.</translation>
    </message>
    <message>
        <source>Моделирование тиражей</source>
        <translation>Моделювання тиражів</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Помилка</translation>
    </message>
    <message>
        <source> - российский тираж</source>
        <translation> - російський тираж</translation>
    </message>
    <message>
        <source> - украинский тираж</source>
        <translation> - український тираж</translation>
    </message>
    <message>
        <source>Выбраны не все события</source>
        <translation>Вибрано не всі події</translation>
    </message>
    <message>
        <source>Формат Excell не позволяет сохранять более 16384 вариантов</source>
        <translation>Формат Excel не дозволяє зберігати понад 16384 варіанти</translation>
    </message>
    <message>
        <source>Формат Excell не позволяет сохранять более 1048576 вариантов</source>
        <translation>Формат Excel не дозволяє зберігати понад 1048576 варіантів</translation>
    </message>
    <message>
        <source>Сумма на одну ставку должна быть положительным числом, например 20.00</source>
        <translation>Сума на одну ставку має бути додатним числом, наприклад 20.00</translation>
    </message>
    <message>
        <source>Файл проекта повреждён или обрезан (это не документ JSON)</source>
        <translation>Файл проєкту пошкоджений або обрізаний (це не документ JSON)</translation>
    </message>
    <message>
        <source>Это не файл проекта Kavendix</source>
        <translation>Це не файл проєкту Kavendix</translation>
    </message>
    <message>
        <source>Файл проекта повреждён: неверный номер формата</source>
        <translation>Файл проєкту пошкоджений: неправильний номер формату</translation>
    </message>
    <message>
        <source>Файл проекта повреждён</source>
        <translation>Файл проєкту пошкоджений</translation>
    </message>
    <message>
        <source>Ставок в списке %1 (%2)</source>
        <translation>Ставок у списку %1 (%2)</translation>
    </message>
    <message>
        <source>Всего вариантов по отмеченным исходам %1 (%2)</source>
        <translation>Усього варіантів за позначеними результатами %1 (%2)</translation>
    </message>
    <message>
        <source>Число вариантов по системе %1 (%2)</source>
        <translation>Кількість варіантів за системою %1 (%2)</translation>
    </message>
    <message>
        <source>Строка %1 списка ставок не читается: %2</source>
        <translation>Рядок %1 списку ставок не читається: %2</translation>
    </message>
    <message>
        <source>Не учтены строки: %1</source>
        <translation>Не враховано рядки: %1</translation>
    </message>
    <message>
        <source>в строке слишком много групп исходов</source>
        <translation>у рядку забагато груп результатів</translation>
    </message>
    <message>
        <source>сумма &quot;%1&quot; не число или слишком велика</source>
        <translation>сума &quot;%1&quot; не число або завелика</translation>
    </message>
    <message>
        <source>нет «;» перед исходами</source>
        <translation>немає «;» перед результатами</translation>
    </message>
    <message>
        <source>событий %1 из %2</source>
        <translation>подій %1 з %2</translation>
    </message>
    <message>
        <source>у события %1 нет исхода 1, X или 2</source>
        <translation>у події %1 немає результату 1, X або 2</translation>
    </message>
    <message>
        <source>сумма не читается</source>
        <translation>сума не читається</translation>
    </message>
    <message>
        <source>Покрытие ставками
По количеству %1%
По вероятности %2%</source>
        <translation>Покриття ставками
За кількістю %1%
За ймовірністю %2%</translation>
    </message>
    <message>
        <source>Покрытие ставками
По количеству %1%
(+%2%)
По вероятности %3%
(+%4%)</source>
        <translation>Покриття ставками
За кількістю %1%
(+%2%)
За ймовірністю %3%
(+%4%)</translation>
    </message>
    <message>
        <source>ВЫБЕРИТЕ ЗОНУ ИСХОДОВ ДЛЯ ПРОСМОТРА 
(нужные подстраховки в каждом матче)</source>
        <translation>ВИБЕРІТЬ ЗОНУ РЕЗУЛЬТАТІВ ДЛЯ ПЕРЕГЛЯДУ 
(потрібні підстраховки в кожному матчі)</translation>
    </message>
    <message>
        <source>ЗОНА ИСХОДОВ СЛИШКОМ ВЕЛИКА ДЛЯ ПРОСМОТРА</source>
        <translation>ЗОНА РЕЗУЛЬТАТІВ ЗАВЕЛИКА ДЛЯ ПЕРЕГЛЯДУ</translation>
    </message>
    <message>
        <source>Категорий в пакете
при %1:
%2</source>
        <translation>Категорій у пакеті
за %1:
%2</translation>
    </message>
    <message>
        <source>Категории</source>
        <translation>Категорії</translation>
    </message>
    <message>
        <source>Вероятность, %</source>
        <translation>Ймовірність, %</translation>
    </message>
    <message>
        <source>Выгодность</source>
        <translation>Вигідність</translation>
    </message>
    <message>
        <source>Всего</source>
        <translation>Усього</translation>
    </message>
    <message>
        <source>Тираж не загружен: страница не получена (%1).
%2
Адрес: %3</source>
        <translation>Тираж не завантажено: сторінку не отримано (%1).
%2
Адреса: %3</translation>
    </message>
    <message>
        <source>Тираж не загружен: страница не получена (%1).
Адрес: %2</source>
        <translation>Тираж не завантажено: сторінку не отримано (%1).
Адреса: %2</translation>
    </message>
    <message>
        <source>Тираж не загружен: страница не в формате данных (%1).
Адрес: %2</source>
        <translation>Тираж не завантажено: сторінка не у форматі даних (%1).
Адреса: %2</translation>
    </message>
    <message>
        <source>список событий</source>
        <translation>список подій</translation>
    </message>
    <message>
        <source>итоги тиража</source>
        <translation>підсумки тиражу</translation>
    </message>
    <message>
        <source>ошибка сети</source>
        <translation>помилка мережі</translation>
    </message>
    <message>
        <source>сервер не найден: нет сети или неверный адрес</source>
        <translation>сервер не знайдено: немає мережі або неправильна адреса</translation>
    </message>
    <message>
        <source>прокси-сервер не найден</source>
        <translation>проксі-сервер не знайдено</translation>
    </message>
    <message>
        <source>не удалось соединиться с сервером</source>
        <translation>не вдалося з&apos;єднатися із сервером</translation>
    </message>
    <message>
        <source>сервер не ответил вовремя</source>
        <translation>сервер не відповів вчасно</translation>
    </message>
    <message>
        <source>защищённое соединение не установлено: сертификат сервера не принят</source>
        <translation>захищене з&apos;єднання не встановлено: сертифікат сервера не прийнято</translation>
    </message>
    <message>
        <source>слишком много перенаправлений</source>
        <translation>забагато перенаправлень</translation>
    </message>
    <message>
        <source>адрес не начинается с http:// или https://</source>
        <translation>адреса не починається з http:// або https://</translation>
    </message>
    <message>
        <source>неверный адрес</source>
        <translation>неправильна адреса</translation>
    </message>
    <message>
        <source>сервер закрыл соединение, ничего не ответив</source>
        <translation>сервер закрив з&apos;єднання, нічого не відповівши</translation>
    </message>
    <message>
        <source>соединение с сервером прервалось</source>
        <translation>з&apos;єднання із сервером перервалося</translation>
    </message>
    <message>
        <source>ответ сервера пришёл не полностью</source>
        <translation>відповідь сервера надійшла не повністю</translation>
    </message>
    <message>
        <source>ответ не удалось сохранить</source>
        <translation>відповідь не вдалося зберегти</translation>
    </message>
    <message>
        <source>сервер ответил ошибкой %1 (страница не найдена)</source>
        <translation>сервер відповів помилкою %1 (сторінку не знайдено)</translation>
    </message>
    <message>
        <source>сервер ответил ошибкой %1</source>
        <translation>сервер відповів помилкою %1</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>Измените число подстраховок</source>
        <translation>Змініть кількість підстраховок</translation>
    </message>
    <message>
        <source>Нет подходящей бриф-системы</source>
        <translation>Немає відповідної бриф-системи</translation>
    </message>
    <message>
        <source>Для каждого матча должно быть проставлено от 1 до 3 выборов</source>
        <translation>Для кожного матчу має бути позначено від 1 до 3 виборів</translation>
    </message>
    <message>
        <source>Сумма на одну ставку должна быть числом не меньше нуля</source>
        <translation>Сума на одну ставку має бути числом не менше нуля</translation>
    </message>
    <message>
        <source>Сумма на одну ставку должна быть числом</source>
        <translation>Сума на одну ставку має бути числом</translation>
    </message>
    <message>
        <source>Сумма меньше ставки: добавить нечего</source>
        <translation>Сума менша за ставку: додавати нічого</translation>
    </message>
    <message>
        <source>Ни одна ставка поля не добавляет ценности больше своей суммы</source>
        <translation>Жодна ставка поля не додає цінності більше за свою суму</translation>
    </message>
    <message>
        <source>Не удалось прочитать шаблон бриф-системы %1</source>
        <translation>Не вдалося прочитати шаблон бриф-системи %1</translation>
    </message>
    <message>
        <source>Строка %1 шаблона %2 не читается: символ стоит дальше 16-й позиции от конца строки</source>
        <translation>Рядок %1 шаблону %2 не читається: символ стоїть далі 16-ї позиції від кінця рядка</translation>
    </message>
    <message>
        <source>Папка &quot;Kombin&quot;,которая содержит шаблоны используемых бриф-систем, должна помещаться в той же папке, что и основная программа</source>
        <translation>Папка &quot;Kombin&quot;, яка містить шаблони бриф-систем, має бути в тій самій папці, що й основна програма</translation>
    </message>
    <message>
        <source>нет трёх чисел после названия</source>
        <translation>немає трьох чисел після назви</translation>
    </message>
    <message>
        <source>доля пула вне 0..100</source>
        <translation>частка пулу поза 0..100</translation>
    </message>
    <message>
        <source>процент вне 0..100</source>
        <translation>відсоток поза 0..100</translation>
    </message>
    <message>
        <source>коэффициент не больше 1</source>
        <translation>коефіцієнт не більший за 1</translation>
    </message>
    <message>
        <source>коэффициент больше 100000</source>
        <translation>коефіцієнт більший за 100000</translation>
    </message>
    <message>
        <source>больше 15 матчей</source>
        <translation>понад 15 матчів</translation>
    </message>
    <message>
        <source>в таблице нет ни одного матча</source>
        <translation>у таблиці немає жодного матчу</translation>
    </message>
    <message>
        <source>Строка %1: %2</source>
        <translation>Рядок %1: %2</translation>
    </message>
    <message>
        <source>%1 «%2» — не число. Введите число, например 50 или 50/38.</source>
        <translation>%1 «%2» — не число. Введіть число, наприклад 50 або 50/38.</translation>
    </message>
    <message>
        <source>%1 не может быть отрицательной: «%2».</source>
        <translation>%1 не може бути від&apos;ємним числом: «%2».</translation>
    </message>
    <message>
        <source>%1 %2 больше %3: вместе с другими исходами события получится больше 100.</source>
        <translation>%1 %2 перевищує %3: разом з іншими результатами події вийде понад 100.</translation>
    </message>
    <message>
        <source>Доля пула</source>
        <translation>Частка пулу</translation>
    </message>
    <message>
        <source>Пул не является числом: «%1».</source>
        <translation>Пул не є числом: «%1».</translation>
    </message>
    <message>
        <source>Джек-пот не является числом: «%1».</source>
        <translation>Джекпот не є числом: «%1».</translation>
    </message>
    <message>
        <source>Пул не может быть равен -1.</source>
        <translation>Пул не може дорівнювати -1.</translation>
    </message>
    <message>
        <source>Анализ невозможен: число ставок из одних «%1» в тираже равно 0.</source>
        <translation>Аналіз неможливий: кількість ставок з одних «%1» у тиражі дорівнює 0.</translation>
    </message>
    <message>
        <source>Анализ невозможен: доля пула исхода «%1» в событии %2 равна 0.</source>
        <translation>Аналіз неможливий: частка пулу результату «%1» у події %2 дорівнює 0.</translation>
    </message>
    <message>
        <source>Анализ невозможен: доля пула исхода «%1» в событии %2 отрицательна.</source>
        <translation>Аналіз неможливий: частка пулу результату «%1» у події %2 від&apos;ємна.</translation>
    </message>
    <message>
        <source>Анализ невозможен: с этими пулом, джек-потом и числами ставок расчёт не даёт конечного результата.</source>
        <translation>Аналіз неможливий: з цими пулом, джекпотом і кількостями ставок розрахунок не дає скінченного результату.</translation>
    </message>
    <message>
        <source>Анализ невозможен: расчёт не даёт конечного результата.</source>
        <translation>Аналіз неможливий: розрахунок не дає скінченного результату.</translation>
    </message>
    <message>
        <source>В списке ставок больше 20 000 вариантов: для формирования по ценности список слишком велик.</source>
        <translation>У списку ставок понад 20 000 варіантів: для формування за цінністю список завеликий.</translation>
    </message>
    <message>
        <source>Не удалось записать файл %1</source>
        <translation>Не вдалося записати файл %1</translation>
    </message>
    <message>
        <source>Недопустимое имя набора условий: %1</source>
        <translation>Неприпустиме ім&apos;я набору умов: %1</translation>
    </message>
    <message>
        <source>Не удалось создать папку %1</source>
        <translation>Не вдалося створити папку %1</translation>
    </message>
    <message>
        <source>Не удалось прочитать файл проекта %1</source>
        <translation>Не вдалося прочитати файл проєкту %1</translation>
    </message>
    <message>
        <source>Архив тиражей занят другой программой: %1. Закройте её или повторите позже.</source>
        <translation>Архів тиражів зайнятий іншою програмою: %1. Закрийте її або повторіть пізніше.</translation>
    </message>
    <message>
        <source>Архив тиражей недоступен для записи: %1 (%2).</source>
        <translation>Архів тиражів недоступний для запису: %1 (%2).</translation>
    </message>
    <message>
        <source>Архив тиражей повреждён: %1 (%2).</source>
        <translation>Архів тиражів пошкоджений: %1 (%2).</translation>
    </message>
    <message>
        <source>Не удалось записать архив тиражей: %1 (%2).</source>
        <translation>Не вдалося записати архів тиражів: %1 (%2).</translation>
    </message>
    <message>
        <source>Ошибка архива тиражей: %1 (%2).</source>
        <translation>Помилка архіву тиражів: %1 (%2).</translation>
    </message>
    <message>
        <source>В архиве нет тиража %1.</source>
        <translation>В архіві немає тиражу %1.</translation>
    </message>
    <message>
        <source>В архиве нет пакета %1.</source>
        <translation>В архіві немає пакета %1.</translation>
    </message>
    <message>
        <source>Обновление отклонено: %1</source>
        <translation>Оновлення відхилено: %1</translation>
    </message>
    <message>
        <source>файл новой версии больше, чем в подписанном описании (%1 байт).</source>
        <translation>файл нової версії більший, ніж у підписаному описі (%1 байт).</translation>
    </message>
    <message>
        <source>файл новой версии больше %1 байт.</source>
        <translation>файл нової версії більший за %1 байт.</translation>
    </message>
    <message>
        <source>размер файла новой версии (%1 байт) не совпадает с подписанным описанием (%2).</source>
        <translation>розмір файлу нової версії (%1 байт) не збігається з підписаним описом (%2).</translation>
    </message>
    <message>
        <source>файл новой версии не совпадает с подписанным описанием (SHA-256): он изменён или подменён.</source>
        <translation>файл нової версії не збігається з підписаним описом (SHA-256): його змінено або підмінено.</translation>
    </message>
    <message>
        <source>Не удалось загрузить новую версию: %1</source>
        <translation>Не вдалося завантажити нову версію: %1</translation>
    </message>
    <message>
        <source>Не удалось запустить обновление.</source>
        <translation>Не вдалося запустити оновлення.</translation>
    </message>
    <message>
        <source>ответ больше %1 байт</source>
        <translation>відповідь більша за %1 байт</translation>
    </message>
    <message>
        <source>Файл проекта повреждён: %1:
%2</source>
        <translation>Файл проєкту пошкоджений: %1:
%2</translation>
    </message>
    <message>
        <source>Файл проекта записан более новой версией программы (формат %1). Обновите программу, чтобы открыть его.</source>
        <translation>Файл проєкту записаний новішою версією програми (формат %1). Оновіть програму, щоб відкрити його.</translation>
    </message>
    <message>
        <source>Файл проекта %1 больше %2 МБ: такие проекты программа не открывает</source>
        <translation>Файл проєкту %1 більший за %2 МБ: такі проєкти програма не відкриває</translation>
    </message>
    <message>
        <source>неверный номер формата</source>
        <translation>хибний номер формату</translation>
    </message>
    <message>
        <source>поле &quot;%1&quot; должно быть объектом</source>
        <translation>поле &quot;%1&quot; має бути об&apos;єктом</translation>
    </message>
    <message>
        <source>поле &quot;%1&quot;: %2</source>
        <translation>поле &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>(документ)</source>
        <translation>(документ)</translation>
    </message>
    <message>
        <source>ожидается строка</source>
        <translation>очікується рядок</translation>
    </message>
    <message>
        <source>ожидается true или false</source>
        <translation>очікується true або false</translation>
    </message>
    <message>
        <source>ожидается целое число</source>
        <translation>очікується ціле число</translation>
    </message>
    <message>
        <source>ожидается число</source>
        <translation>очікується число</translation>
    </message>
    <message>
        <source>число вне допустимых пределов</source>
        <translation>число поза допустимими межами</translation>
    </message>
    <message>
        <source>число %1 вне пределов %2..%3</source>
        <translation>число %1 поза межами %2..%3</translation>
    </message>
    <message>
        <source>ожидается одно из: %1</source>
        <translation>очікується одне з: %1</translation>
    </message>
    <message>
        <source>ожидаются три числа (П1, Х, П2)</source>
        <translation>очікуються три числа (П1, Х, П2)</translation>
    </message>
    <message>
        <source>число не может быть отрицательным</source>
        <translation>число не може бути від&apos;ємним</translation>
    </message>
    <message>
        <source>ожидаются буквы 1, X, 2</source>
        <translation>очікуються літери 1, X, 2</translation>
    </message>
    <message>
        <source>ожидается 15 знаков 1, X, 2, _ или пробел</source>
        <translation>очікується 15 знаків 1, X, 2, _ або пробіл</translation>
    </message>
    <message>
        <source>ожидается %1 событий</source>
        <translation>очікується %1 подій</translation>
    </message>
    <message>
        <source>ожидаются три целых числа</source>
        <translation>очікуються три цілі числа</translation>
    </message>
    <message>
        <source>ожидается диапазон a:b из целых чисел, a &lt;= b</source>
        <translation>очікується діапазон a:b із цілих чисел, a &lt;= b</translation>
    </message>
    <message>
        <source>ожидается список строк ROW:a:b</source>
        <translation>очікується список рядків ROW:a:b</translation>
    </message>
    <message>
        <source>ожидается строка из 15 знаков 1, X, 2, - и диапазон a:b</source>
        <translation>очікується рядок із 15 знаків 1, X, 2, - і діапазон a:b</translation>
    </message>
    <message>
        <source>ставка не может быть отрицательной</source>
        <translation>ставка не може бути від&apos;ємною</translation>
    </message>
    <message>
        <source>Система %1 не рассчитывается: в любой такой системе больше %2 ставок.</source>
        <translation>Система %1 не розраховується: у будь-якій такій системі більше %2 ставок.</translation>
    </message>
    <message>
        <source>Система %1 не рассчитывается: неизвестно ни одной такой системы не более чем из %2 ставок.</source>
        <translation>Система %1 не розраховується: не відомо жодної такої системи не більше ніж із %2 ставок.</translation>
    </message>
    <message>
        <source>Для этой выборки нет системы не более чем из %1 ставок.</source>
        <translation>Для цього вибору немає системи не більше ніж із %1 ставок.</translation>
    </message>
    <message>
        <source>Для этой выборки неизвестно системы не более чем из %1 ставок.</source>
        <translation>Для цього вибору не відомо системи не більше ніж із %1 ставок.</translation>
    </message>
    <message>
        <source>Рассчитанная система не прошла проверку и не сохранена.</source>
        <translation>Розрахована система не пройшла перевірку і не збережена.</translation>
    </message>
    <message>
        <source>Найдена система только из %1 ставок, больше %2; она не сохранена.</source>
        <translation>Знайдено систему лише з %1 ставок, більше за %2; її не збережено.</translation>
    </message>
    <message>
        <source>Не удалось записать систему в папку %1.</source>
        <translation>Не вдалося записати систему в папку %1.</translation>
    </message>
    <message>
        <source>Не удалось рассчитать систему: %1</source>
        <translation>Не вдалося розрахувати систему: %1</translation>
    </message>
    <message>
        <source>Оценка выигрышей невозможна: пул не больше 0.</source>
        <translation>Оцінка виграшів неможлива: пул не більший за 0.</translation>
    </message>
    <message>
        <source>Оценка выигрышей невозможна: доля пула исхода «%1» в событии %2 не больше 0.</source>
        <translation>Оцінка виграшів неможлива: частка пулу результату «%1» у події %2 не більша за 0.</translation>
    </message>
    <message>
        <source>Оценка выигрышей невозможна: число ставок из одних «%1» в тираже равно 0.</source>
        <translation>Оцінка виграшів неможлива: кількість ставок лише з «%1» у тиражі дорівнює 0.</translation>
    </message>
    <message>
        <source>Оценка выигрышей невозможна: с этими пулом, джек-потом и числами ставок расчёт не даёт конечного результата.</source>
        <translation>Оцінка виграшів неможлива: з цими пулом, джекпотом і кількостями ставок розрахунок не дає скінченного результату.</translation>
    </message>
    <message>
        <source>выигрыш за %1 указан дважды</source>
        <translation>виграш за %1 вказано двічі</translation>
    </message>
    <message>
        <source>в тексте нет результата из 15 исходов</source>
        <translation>у тексті немає результату з 15 позицій</translation>
    </message>
    <message>
        <source>Неверный формат загружаемого файла</source>
        <translation>Хибний формат завантажуваного файлу</translation>
    </message>
    <message>
        <source>Неверный формат загружаемого файла: %1.</source>
        <translation>Хибний формат завантажуваного файлу: %1.</translation>
    </message>
    <message>
        <source>событие %1, исход %2: %3</source>
        <translation>подія %1, результат %2: %3</translation>
    </message>
    <message>
        <source>отрицательная котировка %1</source>
        <translation>від&apos;ємне котирування %1</translation>
    </message>
    <message>
        <source>отрицательная доля пула %1</source>
        <translation>від&apos;ємна частка пулу %1</translation>
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
        <translation>і ще %1</translation>
    </message>
    <message>
        <source>%1:
%2</source>
        <translation>%1:
%2</translation>
    </message>
    <message>
        <source>Моделирование невозможно: котировки события %1 не дают вероятностей.</source>
        <translation>Моделювання неможливе: котирування події %1 не дають імовірностей.</translation>
    </message>
    <message>
        <source>Выбрано недостаточно исходов для формирования пакета</source>
        <translation>Вибрано замало результатів для формування пакета</translation>
    </message>
    <message>
        <source>Удалено вариантов: %1</source>
        <translation>Вилучено варіантів: %1</translation>
    </message>
    <message>
        <source>Условия</source>
        <translation>Умови</translation>
    </message>
    <message>
        <source>Время поиска одной ставки ~ %1 мин %2 сек</source>
        <translation>Час пошуку однієї ставки ~ %1 хв %2 с</translation>
    </message>
    <message>
        <source>Внимание! Продолжать?</source>
        <translation>Увага! Продовжувати?</translation>
    </message>
    <message>
        <source>Строка %1 списка ставок содержит больше 16 событий: автоформирование остановлено</source>
        <translation>Рядок %1 списку ставок містить понад 16 подій: автоформування зупинено</translation>
    </message>
    <message>
        <source>сумма &quot;%1&quot; не является числом</source>
        <translation>сума &quot;%1&quot; не є числом</translation>
    </message>
    <message>
        <source>Архив тиражей создан более новой версией программы (версия %1, эта программа знает до %2): %3.</source>
        <translation>Архів тиражів створений новішою версією програми (версія %1, ця програма знає до %2): %3.</translation>
    </message>
    <message>
        <source>файл только для чтения</source>
        <translation>файл лише для читання</translation>
    </message>
    <message>
        <source>Подготовка...</source>
        <translation>Підготовка...</translation>
    </message>
    <message>
        <source>Подготовка %1%</source>
        <translation>Підготовка %1%</translation>
    </message>
    <message>
        <source>Выполнено: %1%</source>
        <translation>Виконано: %1%</translation>
    </message>
    <message>
        <source>Выбрано ставок: %1 из %2</source>
        <translation>Вибрано ставок: %1 з %2</translation>
    </message>
</context>
<context>
    <name>kav::ui::AutoformPanel</name>
    <message>
        <source>Добавить
в список</source>
        <translation>Додати
до списку</translation>
    </message>
    <message>
        <source>Добавить в список ставок</source>
        <translation>Додати до списку ставок</translation>
    </message>
    <message>
        <source>% вариантов</source>
        <translation>% варіантів</translation>
    </message>
    <message>
        <source>% по вероятности</source>
        <translation>% за ймовірністю</translation>
    </message>
    <message>
        <source>% по пулу</source>
        <translation>% за пулом</translation>
    </message>
    <message>
        <source>без пересечений </source>
        <translation>без перетинів </translation>
    </message>
    <message>
        <source>по ценности</source>
        <translation>за цінністю</translation>
    </message>
    <message>
        <source>катег.</source>
        <translation>катег.</translation>
    </message>
    <message>
        <source>ставок макс</source>
        <translation>ставок макс</translation>
    </message>
    <message>
        <source>покр. %</source>
        <translation>покр. %</translation>
    </message>
    <message>
        <source>способ поиска</source>
        <translation>спосіб пошуку</translation>
    </message>
</context>
<context>
    <name>kav::ui::Autoforming</name>
    <message>
        <source>Автоформирование</source>
        <translation>Автоформування</translation>
    </message>
    <message>
        <source>Автоформирование прервано. Найдено ставок: %1 (%2), покрытие %3. Оставить их в списке?</source>
        <translation>Автоформування перервано. Знайдено ставок: %1 (%2), покриття %3. Залишити їх у списку?</translation>
    </message>
    <message>
        <source>Автоформирование прервано, список не изменился</source>
        <translation>Автоформування перервано, список не змінився</translation>
    </message>
    <message>
        <source>Найдено %1 вариантов на %2 Добавить их все в список?</source>
        <translation>Знайдено %1 варіантів на %2 Додати їх усі до списку?</translation>
    </message>
    <message>
        <source>Автоформирование: %1, покрытие %2 — %3</source>
        <translation>Автоформування: %1, покриття %2 — %3</translation>
    </message>
</context>
<context>
    <name>kav::ui::BetListActions</name>
    <message>
        <source>Скопировать для переноса</source>
        <translation>Скопіювати для перенесення</translation>
    </message>
    <message>
        <source>Сохранить для Excell</source>
        <translation>Зберегти для Excel</translation>
    </message>
    <message>
        <source>Сохранить для Excell построчно</source>
        <translation>Зберегти для Excel по рядках</translation>
    </message>
    <message>
        <source>Сохранить в текст. файл</source>
        <translation>Зберегти в текст. файл</translation>
    </message>
    <message>
        <source>Изъять варианты из списка</source>
        <translation>Вилучити варіанти зі списку</translation>
    </message>
    <message>
        <source>Очистить список ставок</source>
        <translation>Очистити список ставок</translation>
    </message>
    <message>
        <source>Изъятие вариантов: %1</source>
        <translation>Вилучення варіантів: %1</translation>
    </message>
    <message>
        <source>Команда &quot;Очистить список ставок&quot;</source>
        <translation>Команда &quot;Очистити список ставок&quot;</translation>
    </message>
    <message>
        <source>Очистка списка ставок</source>
        <translation>Очищення списку ставок</translation>
    </message>
</context>
<context>
    <name>kav::ui::BetListEditor</name>
    <message>
        <source>Список ставок</source>
        <translation>Список ставок</translation>
    </message>
    <message>
        <source>Список показывается: %1 %</source>
        <translation>Список показується: %1 %</translation>
    </message>
</context>
<context>
    <name>kav::ui::BriefSystemPanel</name>
    <message>
        <source>Добавить
в список</source>
        <translation>Додати
до списку</translation>
    </message>
    <message>
        <source>Добавить систему в список ставок</source>
        <translation>Додати систему до списку ставок</translation>
    </message>
    <message>
        <source>Минимальная категория</source>
        <translation>Мінімальна категорія</translation>
    </message>
    <message>
        <source>категория</source>
        <translation>категорія</translation>
    </message>
    <message>
        <source>Установите отметку для включения 
в бриф-систему конкретной ставки.
Для каждого события активизируется исход,
включенный в подстраховку последним</source>
        <translation>Поставте позначку, щоб включити 
до бриф-системи конкретну ставку.
Для кожної події вмикається результат,
включений до підстраховки останнім</translation>
    </message>
    <message>
        <source>Начать с...</source>
        <translation>Почати з...</translation>
    </message>
</context>
<context>
    <name>kav::ui::BriefSystems</name>
    <message>
        <source>Бриф-системы</source>
        <translation>Бриф-системи</translation>
    </message>
    <message>
        <source>Будет добавлено %1 вариантов на %2 Добавить их все в список?</source>
        <translation>Буде додано %1 варіантів на %2 Додати їх усі до списку?</translation>
    </message>
    <message>
        <source>Бриф-система: %1</source>
        <translation>Бриф-система: %1</translation>
    </message>
    <message>
        <source>Расчёт системы</source>
        <translation>Розрахунок системи</translation>
    </message>
    <message>
        <source>Система %1: поиск…</source>
        <translation>Система %1: пошук…</translation>
    </message>
    <message>
        <source>Система %1, ставок: %2</source>
        <translation>Система %1, ставок: %2</translation>
    </message>
</context>
<context>
    <name>kav::ui::CategoryChart</name>
    <message>
        <source>Вероятность по категориям, %</source>
        <translation>Ймовірність за категоріями, %</translation>
    </message>
</context>
<context>
    <name>kav::ui::ConditionsForming</name>
    <message>
        <source>Условия</source>
        <translation>Умови</translation>
    </message>
    <message>
        <source>Условиям отвечают %1 вариантов на %2 Добавить их все в список?</source>
        <translation>Умовам відповідають %1 варіантів на %2 Додати їх усі до списку?</translation>
    </message>
    <message>
        <source>Условия: %1</source>
        <translation>Умови: %1</translation>
    </message>
    <message>
        <source>Условия к списку: %1</source>
        <translation>Умови до списку: %1</translation>
    </message>
    <message>
        <source>Не удалось прочитать набор условий %1</source>
        <translation>Не вдалося прочитати набір умов %1</translation>
    </message>
</context>
<context>
    <name>kav::ui::ConditionsPanel</name>
    <message>
        <source>единиц</source>
        <translation>одиниць</translation>
    </message>
    <message>
        <source>Сколько событий с исходом 1</source>
        <translation>Скільки подій із результатом 1</translation>
    </message>
    <message>
        <source>ничьих</source>
        <translation>нічиїх</translation>
    </message>
    <message>
        <source>Сколько событий с исходом X</source>
        <translation>Скільки подій із результатом X</translation>
    </message>
    <message>
        <source>двоек</source>
        <translation>двійок</translation>
    </message>
    <message>
        <source>Сколько событий с исходом 2</source>
        <translation>Скільки подій із результатом 2</translation>
    </message>
    <message>
        <source>фаворитов</source>
        <translation>фаворитів</translation>
    </message>
    <message>
        <source>Сколько исходов с наибольшей котировкой события</source>
        <translation>Скільки результатів із найбільшим котируванням події</translation>
    </message>
    <message>
        <source>аутсайдеров</source>
        <translation>аутсайдерів</translation>
    </message>
    <message>
        <source>Сколько исходов с наименьшей котировкой события</source>
        <translation>Скільки результатів із найменшим котируванням події</translation>
    </message>
    <message>
        <source>очки БК</source>
        <translation>очки БК</translation>
    </message>
    <message>
        <source>Сумма котировок исходов (числа сетки слева от /)</source>
        <translation>Сума котирувань результатів (числа сітки ліворуч від /)</translation>
    </message>
    <message>
        <source>очки пула</source>
        <translation>очки пулу</translation>
    </message>
    <message>
        <source>Сумма долей пула исходов (числа сетки справа от /)</source>
        <translation>Сума часток пулу результатів (числа сітки праворуч від /)</translation>
    </message>
    <message>
        <source>серия</source>
        <translation>серія</translation>
    </message>
    <message>
        <source>Самая длинная серия событий подряд с одним исходом</source>
        <translation>Найдовша серія подій поспіль з одним результатом</translation>
    </message>
    <message>
        <source>смен</source>
        <translation>змін</translation>
    </message>
    <message>
        <source>Сколько раз исход события отличается от предыдущего</source>
        <translation>Скільки разів результат події відрізняється від попереднього</translation>
    </message>
    <message>
        <source>очки ценности</source>
        <translation>очки цінності</translation>
    </message>
    <message>
        <source>Сумма ценности исходов в сотых: котировка / доля пула, как в виде «Показывать ценность исходов» (исход без доли пула — 0)</source>
        <translation>Сума цінності результатів у сотих: котирування / частка пулу, як у вигляді «Показувати цінність результатів» (результат без частки пулу — 0)</translation>
    </message>
    <message>
        <source>Добавить
в список</source>
        <translation>Додати
до списку</translation>
    </message>
    <message>
        <source>Добавить в список проходящие варианты выбранных исходов</source>
        <translation>Додати до списку варіанти вибраних результатів, що проходять</translation>
    </message>
    <message>
        <source>Применить
к списку</source>
        <translation>Застосувати
до списку</translation>
    </message>
    <message>
        <source>Заменить строки списка их проходящими вариантами</source>
        <translation>Замінити рядки списку їхніми варіантами, що проходять</translation>
    </message>
    <message>
        <source>Сколько условий вариант может нарушить</source>
        <translation>Скільки умов варіант може порушити</translation>
    </message>
    <message>
        <source>Сколько вариантов поля проходят условия</source>
        <translation>Скільки варіантів поля проходять умови</translation>
    </message>
    <message>
        <source>Набор условий: выбрать или ввести имя нового</source>
        <translation>Набір умов: вибрати або ввести ім&apos;я нового</translation>
    </message>
    <message>
        <source>Сохранить
набор</source>
        <translation>Зберегти
набір</translation>
    </message>
    <message>
        <source>допуск</source>
        <translation>допуск</translation>
    </message>
    <message>
        <source>проходят</source>
        <translation>проходять</translation>
    </message>
    <message>
        <source>набор</source>
        <translation>набір</translation>
    </message>
    <message>
        <source>не менее</source>
        <translation>не менше</translation>
    </message>
    <message>
        <source>не более</source>
        <translation>не більше</translation>
    </message>
    <message>
        <source>Базовая строка</source>
        <translation>Базовий рядок</translation>
    </message>
    <message>
        <source>от</source>
        <translation>від</translation>
    </message>
    <message>
        <source>до</source>
        <translation>до</translation>
    </message>
    <message>
        <source>Совпадений с базовой строкой (15 знаков 1, X, 2 или -) от и до</source>
        <translation>Збігів із базовим рядком (15 знаків 1, X, 2 або -) від і до</translation>
    </message>
    <message>
        <source>+ строка</source>
        <translation>+ рядок</translation>
    </message>
    <message>
        <source>- строка</source>
        <translation>- рядок</translation>
    </message>
</context>
<context>
    <name>kav::ui::CoverageMapWindow</name>
    <message>
        <source>ВЫБЕРИТЕ ЗОНУ ИСХОДОВ ДЛЯ ПРОСМОТРА</source>
        <translation>ВИБЕРІТЬ ЗОНУ РЕЗУЛЬТАТІВ ДЛЯ ПЕРЕГЛЯДУ</translation>
    </message>
    <message>
        <source>Выбор зоны просмотра</source>
        <translation>Вибір зони перегляду</translation>
    </message>
    <message>
        <source>Выберите гарантированное количество угаданных исходов,
которое должно обеспечить покрытие.
При установке &quot;15&quot; удобно просматривать опорные ставки </source>
        <translation>Виберіть гарантовану кількість угаданих результатів,
яку має забезпечити покриття.
За значення &quot;15&quot; зручно переглядати опорні ставки </translation>
    </message>
    <message>
        <source>Категория</source>
        <translation>Категорія</translation>
    </message>
    <message>
        <source>Добавить в список купонов ставку,
с максимальным покрытием результатов 
по ВЕРОЯТНОСТИ</source>
        <translation>Додати до списку купонів ставку
з максимальним покриттям результатів 
за ЙМОВІРНІСТЮ</translation>
    </message>
    <message>
        <source>Добавить в список ставку с максимальным 
КОЛИЧЕСТВОМ покрываемых результатов</source>
        <translation>Додати до списку ставку з максимальною 
КІЛЬКІСТЮ покритих результатів</translation>
    </message>
    <message>
        <source>Выполнено 0%</source>
        <translation>Виконано 0%</translation>
    </message>
    <message>
        <source>Выполнено %1%</source>
        <translation>Виконано %1%</translation>
    </message>
    <message>
        <source>Карта покрытия</source>
        <translation>Карта покриття</translation>
    </message>
</context>
<context>
    <name>kav::ui::DrawCheckWindow</name>
    <message>
        <source>Проверка пакета по результату тиража</source>
        <translation>Перевірка пакета за результатом тиражу</translation>
    </message>
    <message>
        <source>Результат тиража:</source>
        <translation>Результат тиражу:</translation>
    </message>
    <message>
        <source>1X21X2... или 1,X,2,...; «-» — событие не состоялось</source>
        <translation>1X21X2... або 1,X,2,...; «-» — подія не відбулася</translation>
    </message>
    <message>
        <source>Вставить результат и выигрыши</source>
        <translation>Вставити результат і виграші</translation>
    </message>
    <message>
        <source>Из буфера: результат (15 исходов) и строки выигрышей вида «15 — 1 234 567,00»</source>
        <translation>З буфера: результат (15 результатів подій) і рядки виграшів виду «15 — 1 234 567,00»</translation>
    </message>
    <message>
        <source>Выигрыш за вариант:</source>
        <translation>Виграш за варіант:</translation>
    </message>
    <message>
        <source>Категория</source>
        <translation>Категорія</translation>
    </message>
    <message>
        <source>Выигрышных вариантов</source>
        <translation>Виграшних варіантів</translation>
    </message>
    <message>
        <source>Выигрыш за вариант</source>
        <translation>Виграш за варіант</translation>
    </message>
    <message>
        <source>Сумма</source>
        <translation>Сума</translation>
    </message>
    <message>
        <source>Строка</source>
        <translation>Рядок</translation>
    </message>
    <message>
        <source>Ставка</source>
        <translation>Ставка</translation>
    </message>
    <message>
        <source>Копировать выигравшие строки</source>
        <translation>Копіювати рядки, що виграли</translation>
    </message>
    <message>
        <source>Сохранить выигравшие строки...</source>
        <translation>Зберегти рядки, що виграли...</translation>
    </message>
    <message>
        <source>Сохранить результат в архив</source>
        <translation>Зберегти результат в архів</translation>
    </message>
    <message>
        <source>Результат не вставлен: %1.</source>
        <translation>Результат не вставлено: %1.</translation>
    </message>
    <message>
        <source>Выигрыш за %1 угаданных не является суммой: «%2».</source>
        <translation>Виграш за %1 угаданих не є сумою: «%2».</translation>
    </message>
    <message>
        <source>Введите или вставьте 15 исходов: 1, X, 2; «-» — несостоявшееся событие, угадано в любой ставке.</source>
        <translation>Введіть або вставте 15 результатів: 1, X, 2; «-» — подія, що не відбулася, угадана в будь-якій ставці.</translation>
    </message>
    <message>
        <source>Результат не читается: нужно 15 исходов из 1, X, 2 или «-».</source>
        <translation>Результат не читається: потрібно 15 результатів з 1, X, 2 або «-».</translation>
    </message>
    <message>
        <source>Результат: %1</source>
        <translation>Результат: %1</translation>
    </message>
    <message>
        <source>Список ставок не читается: %1</source>
        <translation>Список ставок не читається: %1</translation>
    </message>
    <message>
        <source>Выигрыши со знаком ≈ — оценка по пулу, долям пула и джек-поту тиража, пока они не введены.</source>
        <translation>Виграші зі знаком ≈ — оцінка за пулом, частками пулу й джекпотом тиражу, доки їх не введено.</translation>
    </message>
    <message>
        <source>Выигрыши не введены, оценка невозможна: %1</source>
        <translation>Виграші не введено, оцінка неможлива: %1</translation>
    </message>
    <message>
        <source>Ставки: %1</source>
        <translation>Ставки: %1</translation>
    </message>
    <message>
        <source>Всего</source>
        <translation>Усього</translation>
    </message>
    <message>
        <source>Выигрыш слишком велик для расчёта.</source>
        <translation>Виграш завеликий для розрахунку.</translation>
    </message>
    <message>
        <source>Выигрыш: %1   Ставки: %2   Прибыль: %3</source>
        <translation>Виграш: %1   Ставки: %2   Прибуток: %3</translation>
    </message>
    <message>
        <source>   Возврат: %1 %</source>
        <translation>   Повернення: %1 %</translation>
    </message>
    <message>
        <source>Выигравших строк: %1 из %2; лучшая угадала %3.</source>
        <translation>Рядків, що виграли: %1 з %2; найкращий угадав %3.</translation>
    </message>
    <message>
        <source> Показаны первые %1.</source>
        <translation> Показано перші %1.</translation>
    </message>
    <message>
        <source>Выигравшие строки в файл</source>
        <translation>Рядки, що виграли, у файл</translation>
    </message>
    <message>
        <source>Текстовые файлы (*.txt)</source>
        <translation>Текстові файли (*.txt)</translation>
    </message>
</context>
<context>
    <name>kav::ui::DrawEntryDialog</name>
    <message>
        <source>П1</source>
        <translation>П1</translation>
    </message>
    <message>
        <source>Х</source>
        <translation>Х</translation>
    </message>
    <message>
        <source>П2</source>
        <translation>П2</translation>
    </message>
    <message>
        <source>Ввод тиража</source>
        <translation>Введення тиражу</translation>
    </message>
    <message>
        <source>Матч</source>
        <translation>Матч</translation>
    </message>
    <message>
        <source>Пул %1, %</source>
        <translation>Пул %1, %</translation>
    </message>
    <message>
        <source>котировки в процентах</source>
        <translation>котирування у відсотках</translation>
    </message>
    <message>
        <source>коэффициенты букмекера</source>
        <translation>коефіцієнти букмекера</translation>
    </message>
    <message>
        <source>пропорционально</source>
        <translation>пропорційно</translation>
    </message>
    <message>
        <source>по Шину</source>
        <translation>за Шином</translation>
    </message>
    <message>
        <source>маржа букмекера 00.00 %</source>
        <translation>маржа букмекера 00.00 %</translation>
    </message>
    <message>
        <source>Вставить из буфера</source>
        <translation>Вставити з буфера</translation>
    </message>
    <message>
        <source>Таблица: матч в строке, название и три коэффициента или процента,
затем, если есть, три доли пула</source>
        <translation>Таблиця: матч у рядку, назва й три коефіцієнти або відсотки,
потім, якщо є, три частки пулу</translation>
    </message>
    <message>
        <source>В столбцах исходов:</source>
        <translation>У стовпцях результатів:</translation>
    </message>
    <message>
        <source>маржа снимается</source>
        <translation>маржа знімається</translation>
    </message>
    <message>
        <source>не задан</source>
        <translation>не задано</translation>
    </message>
    <message>
        <source>Россия (рубли)</source>
        <translation>Росія (рублі)</translation>
    </message>
    <message>
        <source>Украина (гривны)</source>
        <translation>Україна (гривні)</translation>
    </message>
    <message>
        <source>Джек-пот</source>
        <translation>Джекпот</translation>
    </message>
    <message>
        <source>Тираж</source>
        <translation>Тираж</translation>
    </message>
    <message>
        <source>Пул</source>
        <translation>Пул</translation>
    </message>
    <message>
        <source>Заголовок</source>
        <translation>Заголовок</translation>
    </message>
    <message>
        <source>маржа букмекера %1</source>
        <translation>маржа букмекера %1</translation>
    </message>
    <message>
        <source>Таблица не вставлена:
%1</source>
        <translation>Таблицю не вставлено:
%1</translation>
    </message>
    <message>
        <source>Строка %1, %2</source>
        <translation>Рядок %1, %2</translation>
    </message>
    <message>
        <source>Строка %1, пул %2</source>
        <translation>Рядок %1, пул %2</translation>
    </message>
    <message>
        <source>%1: «%2» не число</source>
        <translation>%1: «%2» не число</translation>
    </message>
    <message>
        <source>Строка %1: нужны все три исхода</source>
        <translation>Рядок %1: потрібні всі три результати</translation>
    </message>
    <message>
        <source>Строка %1: коэффициент должен быть больше 1</source>
        <translation>Рядок %1: коефіцієнт має бути більшим за 1</translation>
    </message>
</context>
<context>
    <name>kav::ui::DrawSource</name>
    <message>
        <source>Россия</source>
        <translation>Росія</translation>
    </message>
    <message>
        <source>Загрузка российского тиража</source>
        <translation>Завантаження російського тиражу</translation>
    </message>
    <message>
        <source>Украина</source>
        <translation>Україна</translation>
    </message>
    <message>
        <source>Загрузка украинского тиража</source>
        <translation>Завантаження українського тиражу</translation>
    </message>
    <message>
        <source>Ввести тираж…</source>
        <translation>Ввести тираж…</translation>
    </message>
    <message>
        <source>Ввод тиража</source>
        <translation>Введення тиражу</translation>
    </message>
    <message>
        <source>Котировки в файл</source>
        <translation>Котирування у файл</translation>
    </message>
    <message>
        <source>Котировки из файла</source>
        <translation>Котирування з файлу</translation>
    </message>
    <message>
        <source>%1 (тираж не загружен)</source>
        <translation>%1 (тираж не завантажено)</translation>
    </message>
    <message>
        <source>%1

Ввести тираж вручную?</source>
        <translation>%1

Ввести тираж вручну?</translation>
    </message>
    <message>
        <source>Загрузка котировок из файла</source>
        <translation>Завантаження котирувань із файлу</translation>
    </message>
</context>
<context>
    <name>kav::ui::ExpectedReturnWindow</name>
    <message>
        <source>Рассчитать</source>
        <translation>Розрахувати</translation>
    </message>
    <message>
        <source>Строка</source>
        <translation>Рядок</translation>
    </message>
    <message>
        <source>Ставка</source>
        <translation>Ставка</translation>
    </message>
    <message>
        <source>Вариантов</source>
        <translation>Варіантів</translation>
    </message>
    <message>
        <source>Отдельно</source>
        <translation>Окремо</translation>
    </message>
    <message>
        <source>В пакете</source>
        <translation>У пакеті</translation>
    </message>
    <message>
        <source>Возврат строки, как если бы каждый её вариант играл один</source>
        <translation>Повернення рядка, якби кожен його варіант грав сам</translation>
    </message>
    <message>
        <source>Доля строки в возврате пакета: выигравшие варианты пакета делят фонд категории друг с другом</source>
        <translation>Частка рядка в поверненні пакета: варіанти пакета, що виграли, ділять фонд категорії між собою</translation>
    </message>
    <message>
        <source>по возврату в пакете</source>
        <translation>за поверненням у пакеті</translation>
    </message>
    <message>
        <source>по возврату отдельно</source>
        <translation>за поверненням окремо</translation>
    </message>
    <message>
        <source>По какому возврату отбирать ставки</source>
        <translation>За яким поверненням відбирати ставки</translation>
    </message>
    <message>
        <source>Оставить лучшие</source>
        <translation>Залишити найкращі</translation>
    </message>
    <message>
        <source>Оставить в списке столько ставок с наибольшим ожидаемым возвратом</source>
        <translation>Залишити в списку стільки ставок із найбільшим очікуваним поверненням</translation>
    </message>
    <message>
        <source>например 12,5</source>
        <translation>наприклад 12,5</translation>
    </message>
    <message>
        <source>Убрать ставки ниже</source>
        <translation>Прибрати ставки нижче</translation>
    </message>
    <message>
        <source>Убрать из списка ставки с ожидаемым возвратом ниже этой суммы</source>
        <translation>Прибрати зі списку ставки з очікуваним поверненням нижче цієї суми</translation>
    </message>
    <message>
        <source>Купоны, оставленные частично, заменяются своими оставшимися вариантами; отменить — Ctrl+Z в главном окне.</source>
        <translation>Купони, залишені частково, замінюються рештою своїх варіантів; скасувати — Ctrl+Z у головному вікні.</translation>
    </message>
    <message>
        <source>Список ставок пуст.</source>
        <translation>Список ставок порожній.</translation>
    </message>
    <message>
        <source>Нажмите «Рассчитать» (F5).</source>
        <translation>Натисніть «Розрахувати» (F5).</translation>
    </message>
    <message>
        <source>Расчёт ожидаемого возврата ставок…</source>
        <translation>Розрахунок очікуваного повернення ставок…</translation>
    </message>
    <message>
        <source>Ожидаемый возврат: %1 из %2</source>
        <translation>Очікуване повернення: %1 з %2</translation>
    </message>
    <message>
        <source> (%1 % ставки)</source>
        <translation> (%1 % ставки)</translation>
    </message>
    <message>
        <source>; по отдельности: %1</source>
        <translation>; окремо: %1</translation>
    </message>
    <message>
        <source>Ожидаемый возврат, отбор: %1</source>
        <translation>Очікуване повернення, відбір: %1</translation>
    </message>
    <message>
        <source>Отбор лучших ставок…</source>
        <translation>Відбір найкращих ставок…</translation>
    </message>
    <message>
        <source>Отбор ставок…</source>
        <translation>Відбір ставок…</translation>
    </message>
</context>
<context>
    <name>kav::ui::HelpWindow</name>
    <message>
        <source>Программа предназначена для быстрой подготовки пакета ставок, который затем вводится в форму пакетной ставки на странице тотализатора букмекера.</source>
        <translation>Програма призначена для швидкої підготовки пакета ставок, який потім вводиться у форму пакетної ставки на сторінці тоталізатора букмекера.</translation>
    </message>
    <message>
        <source>Шаблоны бриф-систем (папка &quot;Kombin&quot;) устанавливаются вместе с программой; системы, которые вы рассчитываете сами, сохраняются в вашей папке данных. Где лежат обе папки, автосохранение, настройки и архив на этом компьютере, сказано в конце справки, в разделе &quot;О программе&quot;.</source>
        <translation>Шаблони бриф-систем (папка &quot;Kombin&quot;) встановлюються разом із програмою; системи, які ви розраховуєте самі, зберігаються у вашій папці даних. Де лежать обидві папки, автозбереження, налаштування й архів на цьому комп&apos;ютері, сказано в кінці довідки, у розділі &quot;Про програму&quot;.</translation>
    </message>
    <message>
        <source>Выберите текущий тираж в меню &quot;Валюта&quot;: российский или украинский. По умолчанию загружается российский тираж.</source>
        <translation>Виберіть поточний тираж у меню &quot;Валюта&quot;: російський або український. Типово завантажується російський тираж.</translation>
    </message>
    <message>
        <source>Если тираж не загрузился, его можно ввести самому: &quot;Валюта&quot; - &quot;Ввести тираж...&quot; (Ctrl Shift T). В таблице - название матча, по каждому исходу коэффициент букмекера или котировка в процентах и доля пула; ниже пул, джек-пот, заголовок и страна тиража. &quot;Вставить из буфера&quot; (или Ctrl Shift V в таблице исходов) берёт скопированную таблицу: матч в строке, название и три коэффициента или процента, затем, если есть, три доли пула; разделители - табуляция, &quot;;&quot; или пробелы, дробная часть через запятую или точку. Маржа букмекера снимается пропорционально или по Шину. OK делает введённый тираж текущим; Ctrl Z возвращает прежний.</source>
        <translation>Якщо тираж не завантажився, його можна ввести самому: &quot;Валюта&quot; - &quot;Ввести тираж...&quot; (Ctrl Shift T). У таблиці - назва матчу, для кожного результату коефіцієнт букмекера або котирування у відсотках і частка пулу; нижче пул, джекпот, заголовок і країна тиражу. &quot;Вставити з буфера&quot; (або Ctrl Shift V у таблиці результатів) бере скопійовану таблицю: матч у рядку, назва й три коефіцієнти або відсотки, потім, якщо є, три частки пулу; роздільники - табуляція, &quot;;&quot; або пробіли, дробова частина через кому або крапку. Маржа букмекера знімається пропорційно або за Шином. OK робить введений тираж поточним; Ctrl Z повертає попередній.</translation>
    </message>
    <message>
        <source>Адреса сервера тиражей и сервера обновлений задаются в &quot;Правка&quot; - &quot;Настройки...&quot; (Ctrl ,) и действуют со следующего запуска.</source>
        <translation>Адреси сервера тиражів і сервера оновлень задаються в &quot;Правка&quot; - &quot;Налаштування...&quot; (Ctrl ,) і діють із наступного запуску.</translation>
    </message>
    <message>
        <source>Там же выбирается язык программы: как в системе, русский, украинский или английский; новый язык действует со следующего запуска.</source>
        <translation>Там само вибирається мова програми: як у системі, російська, українська або англійська; нова мова діє з наступного запуску.</translation>
    </message>
    <message>
        <source>Пакет можно составить пятью способами; способ выбирается в выпадающем списке вверху окна.</source>
        <translation>Пакет можна скласти п&apos;ятьма способами; спосіб вибирається у списку, що розкривається, угорі вікна.</translation>
    </message>
    <message>
        <source>1. &quot;Бриф-система&quot; (выбрана при запуске).</source>
        <translation>1. &quot;Бриф-система&quot; (вибрана під час запуску).</translation>
    </message>
    <message>
        <source>Отметьте левой кнопкой мыши исходы, которые считаете возможными в каждом событии. Повторный щелчок снимает отметку, щелчок по названию события отмечает или снимает все три исхода.</source>
        <translation>Позначте лівою кнопкою миші результати, які вважаєте можливими в кожній події. Повторне клацання знімає позначку, клацання на назві події позначає або знімає всі три результати.</translation>
    </message>
    <message>
        <source>В каждой клетке два числа: слева от косой черты - оценка букмекера, шансы исхода в процентах, справа - доля всего пула, поставленная на этот исход на данный момент.</source>
        <translation>У кожній клітинці два числа: ліворуч від похилої риски - оцінка букмекера, шанси результату у відсотках, праворуч - частка всього пулу, поставлена на цей результат на цей момент.</translation>
    </message>
    <message>
        <source>Когда исходы отмечены, нажмите &quot;Добавить в список&quot; - ставки будут добавлены в список справа.</source>
        <translation>Коли результати позначено, натисніть &quot;Додати до списку&quot; - ставки буде додано до списку праворуч.</translation>
    </message>
    <message>
        <source>Категория 15 даёт все комбинации отмеченных исходов. Категории с 9 по 14 дают сокращённый набор ставок, который гарантирует выигрыш в этой категории, если сыграют отмеченные исходы.</source>
        <translation>Категорія 15 дає всі комбінації позначених результатів. Категорії з 9 по 14 дають скорочений набір ставок, який гарантує виграш у цій категорії, якщо зіграють позначені результати.</translation>
    </message>
    <message>
        <source>Шаблоны бриф-систем лежат в папке &quot;Kombin&quot; в понятном виде; их можно менять и добавлять свои.</source>
        <translation>Шаблони бриф-систем лежать у папці &quot;Kombin&quot; у зрозумілому вигляді; їх можна змінювати й додавати свої.</translation>
    </message>
    <message>
        <source>Флажок &quot;Начиная с...&quot; строит бриф-систему, в которую обязательно входит одна заданная ставка. Обязательная ставка составляется из исходов, отмеченных последними в каждом событии.</source>
        <translation>Прапорець &quot;Почати з...&quot; будує бриф-систему, до якої обов&apos;язково входить одна задана ставка. Обов&apos;язкова ставка складається з результатів, позначених останніми в кожній події.</translation>
    </message>
    <message>
        <source>Строки состояния внизу показывают количество ставок и суммы для всего купона и для бриф-системы, а если подходящего шаблона нет - ближайшие системы.</source>
        <translation>Рядки стану внизу показують кількість ставок і суми для всього купона й для бриф-системи, а якщо відповідного шаблону немає - найближчі системи.</translation>
    </message>
    <message>
        <source>Если подходящего шаблона нет, кнопка &quot;Рассчитать систему&quot; в окне ближайших систем рассчитывает её (не больше 2000 ставок) и сохраняет в папку &quot;Kombin&quot;; расчёт можно прервать кнопкой &quot;Отмена&quot;.</source>
        <translation>Якщо відповідного шаблону немає, кнопка &quot;Розрахувати систему&quot; у вікні найближчих систем розраховує її (не більше 2000 ставок) і зберігає в папку &quot;Kombin&quot;; розрахунок можна перервати кнопкою &quot;Скасувати&quot;.</translation>
    </message>
    <message>
        <source>Сумму на одну ставку в поле справа вверху можно увеличить, но не ниже минимальной.</source>
        <translation>Суму на одну ставку в полі праворуч угорі можна збільшити, але не нижче мінімальної.</translation>
    </message>
    <message>
        <source>2. &quot;По сенсациям&quot;.</source>
        <translation>2. &quot;За сенсаціями&quot;.</translation>
    </message>
    <message>
        <source>Исходы отмечаются так же. Задайте диапазон числа сенсаций &quot;от&quot; и &quot;до&quot; (включительно). Сенсация - исход, оценка букмекера которого ниже значения, заданного в отдельном поле.</source>
        <translation>Результати позначаються так само. Задайте діапазон кількості сенсацій &quot;від&quot; і &quot;до&quot; (включно). Сенсація - результат, оцінка букмекера якого нижча за значення, задане в окремому полі.</translation>
    </message>
    <message>
        <source>В этом и в следующем режиме оценки букмекера (число до косой черты) можно исправить вручную.</source>
        <translation>У цьому й у наступному режимі оцінки букмекера (число до похилої риски) можна виправити вручну.</translation>
    </message>
    <message>
        <source>3. &quot;Ручной набор&quot;.</source>
        <translation>3. &quot;Ручний набір&quot;.</translation>
    </message>
    <message>
        <source>&quot;Взять все варианты&quot; добавляет купон из всех отмеченных исходов; если в каждом событии отмечен один исход, получается одна ставка.</source>
        <translation>&quot;Взяти всі варіанти&quot; додає купон з усіх позначених результатів; якщо в кожній події позначено один результат, виходить одна ставка.</translation>
    </message>
    <message>
        <source>Можно добавить случайные одиночные ставки: частоты исходов пропорциональны оценкам букмекера, распределению пула или одинаковы для всех исходов.</source>
        <translation>Можна додати випадкові одиночні ставки: частоти результатів пропорційні оцінкам букмекера, розподілу пулу або однакові для всіх результатів.</translation>
    </message>
    <message>
        <source>4. &quot;Автоформирование&quot;.</source>
        <translation>4. &quot;Автоформування&quot;.</translation>
    </message>
    <message>
        <source>Ставки подбираются и добавляются по одной по выбранному критерию поиска: наибольшее число покрытых вариантов результата (&quot;% вариантов&quot;), наибольшее покрытие по вероятности в оценках букмекера или пользователя (&quot;% по вероятности&quot;), по распределению пула (&quot;% по пулу&quot;) или &quot;без пересечений&quot;, когда выигрыш в выбранной категории несколькими ставками сразу исключён.</source>
        <translation>Ставки підбираються й додаються по одній за вибраним критерієм пошуку: найбільша кількість покритих варіантів результату (&quot;% варіантів&quot;), найбільше покриття за ймовірністю в оцінках букмекера або користувача (&quot;% за ймовірністю&quot;), за розподілом пулу (&quot;% за пулом&quot;) або &quot;без перетинів&quot;, коли виграш у вибраній категорії кількома ставками одразу виключено.</translation>
    </message>
    <message>
        <source>Формирование останавливается, когда достигнут заданный процент покрытия или заданное наибольшее число ставок.</source>
        <translation>Формування зупиняється, коли досягнуто заданого відсотка покриття або заданої найбільшої кількості ставок.</translation>
    </message>
    <message>
        <source>Способ &quot;по ценности&quot; добавляет из отмеченного поля ставку, которая больше всего поднимает ожидаемый возврат всего пакета (с уже записанными ставками, по правилу &quot;Ценность пакета&quot;: свои выигравшие ставки делят фонд категории друг с другом), и так раз за разом до наибольшего числа ставок; формирование останавливается раньше, когда ни одна ставка не прибавляет к возврату больше своей суммы. Категория и процент покрытия здесь не нужны, ставки записываются в порядке выбора.</source>
        <translation>Спосіб &quot;за цінністю&quot; додає з позначеного поля ставку, яка найбільше піднімає очікуване повернення всього пакета (з уже записаними ставками, за правилом &quot;Цінність пакета&quot;: свої ставки, що виграли, ділять фонд категорії між собою), і так раз за разом до найбільшої кількості ставок; формування зупиняється раніше, коли жодна ставка не додає до повернення більше за свою суму. Категорія й відсоток покриття тут не потрібні, ставки записуються в порядку вибору.</translation>
    </message>
    <message>
        <source>5. &quot;Условия&quot;.</source>
        <translation>5. &quot;Умови&quot;.</translation>
    </message>
    <message>
        <source>Варианты отмеченных исходов отбираются по условиям. Каждое условие - диапазон &quot;от&quot; и &quot;до&quot; (включительно) и действует, когда отмечен его флажок: число единиц, ничьих и двоек; число фаворитов (исход с наибольшей оценкой букмекера в событии, при равенстве - первый из 1, X, 2) и аутсайдеров (с наименьшей, при равенстве - последний); очки БК и очки пула - сумма чисел сетки слева или справа от косой черты; самая длинная серия событий подряд с одним исходом; число смен исхода от события к следующему.</source>
        <translation>Варіанти позначених результатів відбираються за умовами. Кожна умова - діапазон &quot;від&quot; і &quot;до&quot; (включно) і діє, коли позначено її прапорець: кількість одиниць, нічиїх і двійок; кількість фаворитів (результат із найбільшою оцінкою букмекера в події, за рівності - перший з 1, X, 2) і аутсайдерів (з найменшою, за рівності - останній); очки БК і очки пулу - сума чисел сітки ліворуч або праворуч від похилої риски; найдовша серія подій поспіль з одним результатом; кількість змін результату від події до наступної.</translation>
    </message>
    <message>
        <source>Базовые строки - 15 знаков 1, X, 2 или - (прочерк не совпадает ни с чем) с диапазоном числа совпадений; строки добавляются и удаляются ссылками &quot;+ строка&quot; и &quot;- строка&quot;.</source>
        <translation>Базові рядки - 15 знаків 1, X, 2 або - (прочерк не збігається ні з чим) з діапазоном кількості збігів; рядки додаються й видаляються посиланнями &quot;+ рядок&quot; і &quot;- рядок&quot;.</translation>
    </message>
    <message>
        <source>&quot;Допуск&quot; - сколько условий вариант может нарушить и всё же пройти.</source>
        <translation>&quot;Допуск&quot; - скільки умов варіант може порушити й усе ж пройти.</translation>
    </message>
    <message>
        <source>Поле &quot;проходят&quot; сразу показывает, сколько вариантов проходят условия и сколько они стоят. &quot;Добавить в список&quot; добавляет их одиночными ставками (ставки, которые уже есть в списке, не повторяются). &quot;Применить к списку&quot; проверяет каждую строку списка по вариантам: строка, все варианты которой проходят, остаётся, остальные заменяются своими проходящими вариантами; замену отменяет Ctrl Z.</source>
        <translation>Поле &quot;проходять&quot; одразу показує, скільки варіантів проходять умови й скільки вони коштують. &quot;Додати до списку&quot; додає їх одиночними ставками (ставки, які вже є в списку, не повторюються). &quot;Застосувати до списку&quot; перевіряє кожен рядок списку за варіантами: рядок, усі варіанти якого проходять, залишається, решта замінюються своїми варіантами, що проходять; заміну скасовує Ctrl Z.</translation>
    </message>
    <message>
        <source>Набор условий можно сохранить под именем (&quot;Сохранить набор&quot;) и выбрать потом в списке &quot;набор&quot;; условия сохраняются и в файле проекта.</source>
        <translation>Набір умов можна зберегти під іменем (&quot;Зберегти набір&quot;) і вибрати потім у списку &quot;набір&quot;; умови зберігаються й у файлі проєкту.</translation>
    </message>
    <message>
        <source>Изъятие комбинаций из списка.</source>
        <translation>Вилучення комбінацій зі списку.</translation>
    </message>
    <message>
        <source>Отметьте исходы, варианты которых нужно убрать, и нажмите Ctrl Y: из списка будут изъяты все ставки, составленные только из отмеченных исходов.</source>
        <translation>Позначте результати, варіанти яких потрібно прибрати, і натисніть Ctrl Y: зі списку буде вилучено всі ставки, складені лише з позначених результатів.</translation>
    </message>
    <message>
        <source>Когда список готов.</source>
        <translation>Коли список готовий.</translation>
    </message>
    <message>
        <source>Скопируйте его, нажав Ctrl C, откройте по ссылке форму пакетных ставок на странице тотализатора букмекера и вставьте список, нажав Ctrl V.</source>
        <translation>Скопіюйте його, натиснувши Ctrl C, відкрийте за посиланням форму пакетних ставок на сторінці тоталізатора букмекера і вставте список, натиснувши Ctrl V.</translation>
    </message>
    <message>
        <source>Список можно также сохранить в текстовый файл (Ctrl T) или в книгу для электронной таблицы, по столбцам (Ctrl E) или по строкам (Ctrl S).</source>
        <translation>Список можна також зберегти в текстовий файл (Ctrl T) або в книгу для електронної таблиці, по стовпцях (Ctrl E) або по рядках (Ctrl S).</translation>
    </message>
    <message>
        <source>Карта покрытия.</source>
        <translation>Карта покриття.</translation>
    </message>
    <message>
        <source>Карта помогает строить средние и малые системы вручную. Левая кнопка мыши добавляет в список выбранную ставку, правая - удаляет ставки, которые покрывают этот вариант.</source>
        <translation>Карта допомагає будувати середні й малі системи вручну. Ліва кнопка миші додає до списку вибрану ставку, права - видаляє ставки, які покривають цей варіант.</translation>
    </message>
    <message>
        <source>Ссылки &quot;P+&quot; и &quot;N+&quot; добавляют ставку с наибольшим дополнительным покрытием по вероятности или по числу вариантов.</source>
        <translation>Посилання &quot;P+&quot; і &quot;N+&quot; додають ставку з найбільшим додатковим покриттям за ймовірністю або за кількістю варіантів.</translation>
    </message>
    <message>
        <source>Условные обозначения: зелёный прямоугольник - вариант покрыт для выбранной категории ровно одной ставкой; синий - покрыт несколькими ставками; затемнённый прямоугольник - собственная отметка пользователя, которая ставится и снимается клавишей пробела.</source>
        <translation>Умовні позначення: зелений прямокутник - варіант покрито для вибраної категорії рівно однією ставкою; синій - покрито кількома ставками; затемнений прямокутник - власна позначка користувача, яка ставиться й знімається клавішею пробілу.</translation>
    </message>
    <message>
        <source>Анализ вариантов.</source>
        <translation>Аналіз варіантів.</translation>
    </message>
    <message>
        <source>Окно показывает для одной комбинации вероятность выигрыша в каждой категории и статистическую доходность ставки - примерный средний коэффициент выплаты, как если бы эту ставку можно было сыграть много раз в одних и тех же условиях.</source>
        <translation>Вікно показує для однієї комбінації ймовірність виграшу в кожній категорії та статистичну дохідність ставки - приблизний середній коефіцієнт виплати, якби цю ставку можна було зіграти багато разів за тих самих умов.</translation>
    </message>
    <message>
        <source>Доходность зависит от оценок букмекера, размера пула и его распределения, а также от джек-пота. Все они меняются, пока идёт приём ставок на тираж, поэтому доходность относится к одному моменту - он указан в заголовке окна.</source>
        <translation>Дохідність залежить від оцінок букмекера, розміру пулу та його розподілу, а також від джекпоту. Усі вони змінюються, поки триває приймання ставок на тираж, тому дохідність стосується одного моменту - його вказано в заголовку вікна.</translation>
    </message>
    <message>
        <source>Ценность пакета.</source>
        <translation>Цінність пакета.</translation>
    </message>
    <message>
        <source>Меню &quot;Ценность&quot; - &quot;Ожидаемый возврат ставок&quot;: для каждой строки списка возврат &quot;отдельно&quot; - доходность её вариантов из анализа вариантов, умноженная на ставку, - и её доля &quot;в пакете&quot;. В пакете его собственные выигравшие варианты делят фонд категории друг с другом: если при результате r ровно m вариантов пакета угадали k событий, каждый получает выплату анализа, в которой к ожидаемым соперникам W добавлены остальные m - 1 вариантов пакета, по доле одной ставки w = u / (пул + 1): доля фонда(k) / (W + (m - 1) w), а в категории 15 так же делится и джек-пот. Возврат пакета - сумма по всем результатам их вероятности, умноженной на то, что берёт пакет. Для одной ставки это в точности анализ вариантов; пакет по одной ставке на вариант никогда не берёт больше фонда (0,9 пула) и джек-пота.</source>
        <translation>Меню &quot;Цінність&quot; - &quot;Очікуване повернення ставок&quot;: для кожного рядка списку повернення &quot;окремо&quot; - дохідність його варіантів з аналізу варіантів, помножена на ставку, - і його частка &quot;у пакеті&quot;. У пакеті його власні варіанти, що виграли, ділять фонд категорії між собою: якщо за результату r рівно m варіантів пакета угадали k подій, кожен отримує виплату аналізу, в якій до очікуваних суперників W додано решту m - 1 варіантів пакета, за часткою однієї ставки w = u / (пул + 1): частка фонду(k) / (W + (m - 1) w), а в категорії 15 так само ділиться й джекпот. Повернення пакета - сума за всіма результатами їхньої ймовірності, помноженої на те, що бере пакет. Для однієї ставки це точно аналіз варіантів; пакет по одній ставці на варіант ніколи не бере більше за фонд (0,9 пулу) і джекпот.</translation>
    </message>
    <message>
        <source>Пример: пул 1000000, u = 20, w = 20 / 1000001. Пусть при результате r с вероятностью 0,001 десять событий угадали два варианта пакета, доля фонда 0,2 и W = 0,0001. Отдельно каждый получает 0,2 / 0,0001 = 2000 ставок, вместе 4000; в пакете - по 0,2 / (0,0001 + 0,00002) = 1666,7, вместе 3333,3. В ожидаемый возврат этот результат вносит 0,001 x 3333,3 x 20 = 66,67 руб. вместо 80.</source>
        <translation>Приклад: пул 1000000, u = 20, w = 20 / 1000001. Нехай за результату r з імовірністю 0,001 десять подій угадали два варіанти пакета, частка фонду 0,2 і W = 0,0001. Окремо кожен отримує 0,2 / 0,0001 = 2000 ставок, разом 4000; у пакеті - по 0,2 / (0,0001 + 0,00002) = 1666,7, разом 3333,3. До очікуваного повернення цей результат вносить 0,001 x 3333,3 x 20 = 66,67 руб. замість 80.</translation>
    </message>
    <message>
        <source>&quot;Оставить лучшие&quot; и &quot;Убрать ставки ниже&quot; отбирают варианты по возврату в пакете или отдельно - как выбрано в списке слева от них. &quot;Моделирование тиражей&quot; платит каждый выпавший результат по тому же правилу пакета.</source>
        <translation>&quot;Залишити найкращі&quot; і &quot;Прибрати ставки нижче&quot; відбирають варіанти за поверненням у пакеті або окремо - як вибрано в списку ліворуч від них. &quot;Моделювання тиражів&quot; платить кожен результат, що випав, за тим самим правилом пакета.</translation>
    </message>
    <message>
        <source>После тиража: проверка пакета и архив.</source>
        <translation>Після тиражу: перевірка пакета й архів.</translation>
    </message>
    <message>
        <source>Меню &quot;Итоги&quot; - &quot;Проверить пакет по результату&quot; (Ctrl R): введите или вставьте результат тиража - 15 исходов подряд (1X21X2...) или через запятую (1,X,2,...). Событие, которое не состоялось, обозначается знаком &quot;-&quot; и считается угаданным в любой ставке.</source>
        <translation>Меню &quot;Підсумки&quot; - &quot;Перевірити пакет за результатом&quot; (Ctrl R): введіть або вставте результат тиражу - 15 результатів поспіль (1X21X2...) або через кому (1,X,2,...). Подія, яка не відбулася, позначається знаком &quot;-&quot; і вважається угаданою в будь-якій ставці.</translation>
    </message>
    <message>
        <source>Для каждой строки списка программа считает, сколько её вариантов угадали ровно 9, 10, ..., 15 событий, не расписывая строку на отдельные ставки. Таблица пакета показывает выигравшие варианты по категориям, выигрыш за вариант, сумму, общий выигрыш, ставки, прибыль и возврат в процентах. Выигравшие строки перечислены ниже; их можно скопировать или сохранить в файл.</source>
        <translation>Для кожного рядка списку програма рахує, скільки його варіантів угадали рівно 9, 10, ..., 15 подій, не розписуючи рядок на окремі ставки. Таблиця пакета показує варіанти, що виграли, за категоріями, виграш за варіант, суму, загальний виграш, ставки, прибуток і повернення у відсотках. Рядки, що виграли, перелічено нижче; їх можна скопіювати або зберегти у файл.</translation>
    </message>
    <message>
        <source>Выигрыш за вариант по категориям вводится, когда он известен. До того программа оценивает его по пулу, долям пула и джек-поту тиража; такие суммы помечены знаком ≈.</source>
        <translation>Виграш за варіант за категоріями вводиться, коли він відомий. До того програма оцінює його за пулом, частками пулу й джекпотом тиражу; такі суми позначено знаком ≈.</translation>
    </message>
    <message>
        <source>Каждый загруженный тираж сохраняется в архив тиражей в папке данных программы. &quot;Сохранить пакет в архив&quot; сохраняет текущий список ставок вместе с его тиражом и всей работой; &quot;Сохранить результат в архив&quot; в окне проверки - результат и выигрыши тиража. &quot;История пакетов&quot; показывает сыгранные пакеты с выигрышем и прибылью (сортировка по столбцам, отбор по датам) и график ставок, выигрышей и баланса; двойной щелчок открывает пакет и его тираж.</source>
        <translation>Кожен завантажений тираж зберігається в архів тиражів у папці даних програми. &quot;Зберегти пакет в архів&quot; зберігає поточний список ставок разом із його тиражем і всією роботою; &quot;Зберегти результат в архів&quot; у вікні перевірки - результат і виграші тиражу. &quot;Історія пакетів&quot; показує зіграні пакети з виграшем і прибутком (сортування за стовпцями, відбір за датами) і графік ставок, виграшів і балансу; подвійне клацання відкриває пакет і його тираж.</translation>
    </message>
    <message>
        <source>Если архив занят другой программой, повреждён, доступен только для чтения или создан более новой версией, программа говорит об этом и работает дальше без архива.</source>
        <translation>Якщо архів зайнятий іншою програмою, пошкоджений, доступний лише для читання або створений новішою версією, програма повідомляє про це й працює далі без архіву.</translation>
    </message>
    <message>
        <source>Проект: сохранение и восстановление работы.</source>
        <translation>Проєкт: збереження й відновлення роботи.</translation>
    </message>
    <message>
        <source>Вся работа - тираж с оценками и пулом, отмеченные исходы, обязательная ставка, способ формирования с его настройками, сумма на ставку и список ставок - сохраняется в один файл проекта (.kvp) через меню &quot;Файл&quot;: &quot;Создать&quot; (Ctrl N), &quot;Открыть...&quot; (Ctrl O), &quot;Сохранить&quot; (F2), &quot;Сохранить как...&quot; (Ctrl Shift S) и &quot;Недавние файлы&quot;. Открытый проект восстанавливается в точности, каким был сохранён.</source>
        <translation>Уся робота - тираж з оцінками й пулом, позначені результати, обов&apos;язкова ставка, спосіб формування з його налаштуваннями, сума на ставку й список ставок - зберігається в один файл проєкту (.kvp) через меню &quot;Файл&quot;: &quot;Створити&quot; (Ctrl N), &quot;Відкрити...&quot; (Ctrl O), &quot;Зберегти&quot; (F2), &quot;Зберегти як...&quot; (Ctrl Shift S) і &quot;Недавні файли&quot;. Відкритий проєкт відновлюється точно таким, яким його збережено.</translation>
    </message>
    <message>
        <source>Имя файла проекта показано в заголовке окна; звёздочка после него означает, что есть несохранённые изменения. При закрытии программы с несохранёнными изменениями она предложит их сохранить.</source>
        <translation>Ім&apos;я файлу проєкту показано в заголовку вікна; зірочка після нього означає, що є незбережені зміни. Під час закриття програми з незбереженими змінами вона запропонує їх зберегти.</translation>
    </message>
    <message>
        <source>Перед тем как очистить непустой список ставок (Ctrl X, смена тиража в меню &quot;Валюта&quot;, котировки из файла), программа спрашивает подтверждение.</source>
        <translation>Перед тим як очистити непорожній список ставок (Ctrl X, зміна тиражу в меню &quot;Валюта&quot;, котирування з файлу), програма просить підтвердження.</translation>
    </message>
    <message>
        <source>Меню &quot;Правка&quot;: &quot;Отменить&quot; (Ctrl Z) и &quot;Повторить&quot; (Ctrl Shift Z) проходят по одной истории всей работы: добавление, замена, очистка и набор в списке ставок (набор в одной строке - один шаг до паузы), отметки исходов и введённые котировки. В самом списке Ctrl Z отменяет по той же истории. Открытие проекта начинает историю заново; после смены тиража отметки и котировки прежнего тиража уже не отменяются, а список - отменяется. История держит не больше нескольких сотен мегабайт: самые старые шаги уходят первыми.</source>
        <translation>Меню &quot;Правка&quot;: &quot;Скасувати&quot; (Ctrl Z) і &quot;Повторити&quot; (Ctrl Shift Z) проходять однією історією всієї роботи: додавання, заміна, очищення й набір у списку ставок (набір в одному рядку - один крок до паузи), позначки результатів і введені котирування. У самому списку Ctrl Z скасовує за тією ж історією. Відкриття проєкту починає історію заново; після зміни тиражу позначки й котирування попереднього тиражу вже не скасовуються, а список - скасовується. Історія тримає не більше кількох сотень мегабайтів: найстаріші кроки йдуть першими.</translation>
    </message>
    <message>
        <source>Через несколько секунд после каждого изменения работа сохраняется в папку данных программы. Если программа была закрыта аварийно, при следующем запуске она первым делом предложит восстановить несохранённую работу. Автосохранение остаётся на месте, пока вы не ответите и восстановленная работа не будет сохранена заново, так что повторный сбой её не теряет; &quot;Да&quot; возвращает работу под именем её проекта. Если ответить &quot;Нет&quot;, копия не удаляется, а откладывается в папку &quot;declined&quot; внутри папки данных (последние десять копий) и открывается там как обычный проект.</source>
        <translation>За кілька секунд після кожної зміни робота зберігається в папку даних програми. Якщо програму було закрито аварійно, під час наступного запуску вона насамперед запропонує відновити незбережену роботу. Автозбереження залишається на місці, доки ви не відповісте й відновлену роботу не буде збережено знову, тож повторний збій її не втрачає; &quot;Так&quot; повертає роботу під іменем її проєкту. Якщо відповісти &quot;Ні&quot;, копія не видаляється, а відкладається в папку &quot;declined&quot; усередині папки даних (останні десять копій) і відкривається там як звичайний проєкт.</translation>
    </message>
    <message>
        <source>Файлы сохраняются через временный файл рядом с ними: &quot;.&lt;имя&gt;.~kvtmp-&lt;номер&gt;-XXXXXX&quot;. Такой файл может остаться после аварийного завершения в папке проекта, в папке данных программы, рядом с экспортом или файлом котировок и в папке программы (загрузка обновления). Следующее сохранение в ту же папку и запуск программы (для папки данных и папки открытого проекта) удаляют те из них, что не заняты работающей программой.</source>
        <translation>Файли зберігаються через тимчасовий файл поруч із ними: &quot;.&lt;ім&apos;я&gt;.~kvtmp-&lt;номер&gt;-XXXXXX&quot;. Такий файл може залишитися після аварійного завершення в папці проєкту, у папці даних програми, поруч з експортом або файлом котирувань і в папці програми (завантаження оновлення). Наступне збереження в ту саму папку й запуск програми (для папки даних і папки відкритого проєкту) видаляють ті з них, що не зайняті працюючою програмою.</translation>
    </message>
    <message>
        <source>Суммы и оценки можно вводить и с запятой, и с точкой: 20,5 и 20.5 - одно и то же.</source>
        <translation>Суми й оцінки можна вводити і з комою, і з крапкою: 20,5 і 20.5 - одне й те саме.</translation>
    </message>
    <message>
        <source>Если строку списка ставок нельзя прочитать (сумма не число, слишком много групп), строка состояния внизу называет её номер и причину. Строки, которые не являются ставками (заметки, оборванные строки), в подсчёт не входят; строка состояния называет первую из них, а подсказка при наведении - до двадцати, с причиной.</source>
        <translation>Якщо рядок списку ставок не можна прочитати (сума не число, забагато груп), рядок стану внизу називає його номер і причину. Рядки, які не є ставками (нотатки, обірвані рядки), до підрахунку не входять; рядок стану називає перший із них, а підказка під час наведення - до двадцяти, з причиною.</translation>
    </message>
    <message>
        <source>Окно, режим, сумма на ставку, тираж и последняя папка запоминаются между запусками.</source>
        <translation>Вікно, режим, сума на ставку, тираж і остання папка запам&apos;ятовуються між запусками.</translation>
    </message>
    <message>
        <source>Работа с клавиатуры.</source>
        <translation>Робота з клавіатури.</translation>
    </message>
    <message>
        <source>Меню открываются клавишей Alt или F10; подчёркнутая буква пункта выбирает его (с Alt - в строке меню, без Alt - в открытом меню), стрелки ходят по меню, Esc закрывает его.</source>
        <translation>Меню відкриваються клавішею Alt або F10; підкреслена літера пункту вибирає його (з Alt - у рядку меню, без Alt - у відкритому меню), стрілки ходять меню, Esc закриває його.</translation>
    </message>
    <message>
        <source>В таблице исходов стрелки, Tab, Shift Tab, Home, End, Page Up и Page Down только переводят курсор и ничего не отмечают. Пробел или Enter отмечает исход под курсором или снимает отметку; на названии события - все три исхода сразу. Щелчок мышью делает то же. В режимах, где котировки правятся вручную, ввод цифр открывает ячейку для правки.</source>
        <translation>У таблиці результатів стрілки, Tab, Shift Tab, Home, End, Page Up і Page Down лише переводять курсор і нічого не позначають. Пробіл або Enter позначає результат під курсором або знімає позначку; на назві події - всі три результати одразу. Клацання мишею робить те саме. У режимах, де котирування правляться вручну, введення цифр відкриває клітинку для правлення.</translation>
    </message>
    <message>
        <source>Ctrl Tab переводит фокус из таблицы исходов к следующему полю окна. Ссылки (&quot;Добавить в список&quot; и другие) достигаются клавишей Tab и срабатывают от пробела или Enter.</source>
        <translation>Ctrl Tab переводить фокус із таблиці результатів до наступного поля вікна. Посилання (&quot;Додати до списку&quot; та інші) досяжні клавішею Tab і спрацьовують від пробілу або Enter.</translation>
    </message>
    <message>
        <source>Строка состояния внизу окна после каждого формирования, фильтра и отбора говорит, сколько ставок добавлено или изъято и на какую сумму; после автоформирования - ещё достигнутое покрытие и почему поиск остановился. Прерванное автоформирование спрашивает, оставить ли найденные ставки. Перед добавлением больше 100000 вариантов программа называет их число и сумму и спрашивает подтверждение.</source>
        <translation>Рядок стану внизу вікна після кожного формування, фільтра й відбору каже, скільки ставок додано або вилучено й на яку суму; після автоформування - ще досягнуте покриття й чому пошук зупинився. Перерване автоформування питає, чи залишити знайдені ставки. Перед додаванням понад 100000 варіантів програма називає їх кількість і суму й просить підтвердження.</translation>
    </message>
    <message>
        <source>Сумма на ставку, которая не является суммой или меньше наименьшей, не принимается: программа называет введённое и оставляет прежнюю сумму.</source>
        <translation>Сума на ставку, яка не є сумою або менша за найменшу, не приймається: програма називає введене й залишає попередню суму.</translation>
    </message>
    <message>
        <source>О программе</source>
        <translation>Про програму</translation>
    </message>
    <message>
        <source>Шаблоны бриф-систем, установленные с программой: %1</source>
        <translation>Шаблони бриф-систем, встановлені з програмою: %1</translation>
    </message>
    <message>
        <source>Рассчитанные вами системы: %1</source>
        <translation>Розраховані вами системи: %1</translation>
    </message>
    <message>
        <source>Автосохранение и данные программы: %1</source>
        <translation>Автозбереження й дані програми: %1</translation>
    </message>
    <message>
        <source>Отложенные автосохранения (ответ &quot;Нет&quot; при восстановлении): %1</source>
        <translation>Відкладені автозбереження (відповідь &quot;Ні&quot; під час відновлення): %1</translation>
    </message>
    <message>
        <source>Настройки: %1</source>
        <translation>Налаштування: %1</translation>
    </message>
    <message>
        <source>Архив тиражей: %1 (или файл, указанный в --archive)</source>
        <translation>Архів тиражів: %1 (або файл, указаний у --archive)</translation>
    </message>
    <message>
        <source>Справка</source>
        <translation>Довідка</translation>
    </message>
    <message>
        <source>Длинные списки. Счётчики длинного списка (вставленного, открытого с проектом, добавленного формированием) готовы сразу, а сам текст показывается частями, пока окно остаётся доступным; ход показа виден под счётчиками. Перемещаться по уже показанным строкам можно сразу; правка сначала дописывает остаток.</source>
        <translation>Довгі списки. Лічильники довгого списку (вставленого, відкритого з проєктом, доданого формуванням) готові одразу, а сам текст показується частинами, поки вікно залишається доступним; перебіг показу видно під лічильниками. Переміщатися вже показаними рядками можна одразу; правка спочатку дописує решту.</translation>
    </message>
    <message>
        <source>Пока идёт долгий расчёт с окном хода, остальные окна ждут, но главное окно можно закрыть кнопкой в заголовке: программа спросит, прервать ли расчёт. Esc прерывает расчёт.</source>
        <translation>Поки триває довгий розрахунок із вікном перебігу, інші вікна чекають, але головне вікно можна закрити кнопкою в заголовку: програма запитає, чи перервати розрахунок. Esc перериває розрахунок.</translation>
    </message>
    <message>
        <source>Окна &quot;Ближайшие варианты&quot;, &quot;Карта покрытия&quot;, &quot;Анализ вариантов&quot; и справка встают рядом с главным окном и следуют за ним при перемещении и разворачивании; если места рядом нет - у правого края экрана, над списком, но не над таблицей исходов. Панели режима и условий в узком окне прокручиваются вбок.</source>
        <translation>Вікна &quot;Найближчі варіанти&quot;, &quot;Карта покриття&quot;, &quot;Аналіз варіантів&quot; і довідка стають поруч із головним вікном і рухаються за ним під час переміщення та розгортання; якщо поруч немає місця - біля правого краю екрана, над списком, але не над таблицею результатів. Панелі режиму та умов у вузькому вікні прокручуються вбік.</translation>
    </message>
</context>
<context>
    <name>kav::ui::HistoryWindow</name>
    <message>
        <source>История пакетов</source>
        <translation>Історія пакетів</translation>
    </message>
    <message>
        <source>Тиражи с</source>
        <translation>Тиражі з</translation>
    </message>
    <message>
        <source>по</source>
        <translation>по</translation>
    </message>
    <message>
        <source>Дата тиража</source>
        <translation>Дата тиражу</translation>
    </message>
    <message>
        <source>Страна</source>
        <translation>Країна</translation>
    </message>
    <message>
        <source>Ставок</source>
        <translation>Ставок</translation>
    </message>
    <message>
        <source>Ставки</source>
        <translation>Ставки</translation>
    </message>
    <message>
        <source>Лучшая</source>
        <translation>Найкраща</translation>
    </message>
    <message>
        <source>Выигрыш</source>
        <translation>Виграш</translation>
    </message>
    <message>
        <source>Прибыль</source>
        <translation>Прибуток</translation>
    </message>
    <message>
        <source>Двойной щелчок открывает пакет и его тираж</source>
        <translation>Подвійне клацання відкриває пакет і його тираж</translation>
    </message>
    <message>
        <source>Украина</source>
        <translation>Україна</translation>
    </message>
    <message>
        <source>Россия</source>
        <translation>Росія</translation>
    </message>
    <message>
        <source>Ставки и выигрыш по тиражам</source>
        <translation>Ставки й виграш за тиражами</translation>
    </message>
    <message>
        <source>Пакетов за эти даты нет</source>
        <translation>Пакетів за ці дати немає</translation>
    </message>
    <message>
        <source>Баланс</source>
        <translation>Баланс</translation>
    </message>
    <message>
        <source>Пакетов: %1   Ставки: %2   Выигрыш: %3   Баланс: %4</source>
        <translation>Пакетів: %1   Ставки: %2   Виграш: %3   Баланс: %4</translation>
    </message>
</context>
<context>
    <name>kav::ui::MainWindow</name>
    <message>
        <source>Файл</source>
        <translation>Файл</translation>
    </message>
    <message>
        <source>Правка</source>
        <translation>Правка</translation>
    </message>
    <message>
        <source>Отменить</source>
        <translation>Скасувати</translation>
    </message>
    <message>
        <source>Повторить</source>
        <translation>Повторити</translation>
    </message>
    <message>
        <source>Настройки…</source>
        <translation>Налаштування…</translation>
    </message>
    <message>
        <source>Валюта</source>
        <translation>Валюта</translation>
    </message>
    <message>
        <source>Действия</source>
        <translation>Дії</translation>
    </message>
    <message>
        <source>Окна</source>
        <translation>Вікна</translation>
    </message>
    <message>
        <source>Показать карту покрытия</source>
        <translation>Показати карту покриття</translation>
    </message>
    <message>
        <source>Показать анализ вариантов</source>
        <translation>Показати аналіз варіантів</translation>
    </message>
    <message>
        <source>Итоги</source>
        <translation>Підсумки</translation>
    </message>
    <message>
        <source>Ценность</source>
        <translation>Цінність</translation>
    </message>
    <message>
        <source>Помощь</source>
        <translation>Довідка</translation>
    </message>
    <message>
        <source>Скрыть карту покрытия</source>
        <translation>Сховати карту покриття</translation>
    </message>
    <message>
        <source>Скрыть анализ вариантов</source>
        <translation>Сховати аналіз варіантів</translation>
    </message>
    <message>
        <source>Загрузка тиража…</source>
        <translation>Завантаження тиражу…</translation>
    </message>
</context>
<context>
    <name>kav::ui::ManualChoicePanel</name>
    <message>
        <source>Взять все
варианты</source>
        <translation>Взяти всі
варіанти</translation>
    </message>
    <message>
        <source>Случайный 
выбор</source>
        <translation>Випадковий 
вибір</translation>
    </message>
    <message>
        <source>По котировкам</source>
        <translation>За котируваннями</translation>
    </message>
    <message>
        <source>По пулу</source>
        <translation>За пулом</translation>
    </message>
    <message>
        <source>Произвольно</source>
        <translation>Довільно</translation>
    </message>
    <message>
        <source>Против пула</source>
        <translation>Проти пулу</translation>
    </message>
    <message>
        <source>Кол. фаворитов</source>
        <translation>Кільк. фаворитів</translation>
    </message>
    <message>
        <source>Распределение</source>
        <translation>Розподіл</translation>
    </message>
    <message>
        <source>Число фаворитов</source>
        <translation>Кількість фаворитів</translation>
    </message>
    <message>
        <source>фаворитов</source>
        <translation>фаворитів</translation>
    </message>
    <message>
        <source>повторить</source>
        <translation>повторити</translation>
    </message>
    <message>
        <source>Повторить 
случайный 
выбор, раз</source>
        <translation>Повторити 
випадковий 
вибір, разів</translation>
    </message>
</context>
<context>
    <name>kav::ui::ModeBar</name>
    <message>
        <source>Сбросить
исходы</source>
        <translation>Скинути
результати</translation>
    </message>
    <message>
        <source>Очистить все выбранные исходы</source>
        <translation>Очистити всі вибрані результати</translation>
    </message>
    <message>
        <source>Бриф-системы</source>
        <translation>Бриф-системи</translation>
    </message>
    <message>
        <source>По сенсациям</source>
        <translation>За сенсаціями</translation>
    </message>
    <message>
        <source>Ручной набор</source>
        <translation>Ручний набір</translation>
    </message>
    <message>
        <source>Автоформир.</source>
        <translation>Автоформув.</translation>
    </message>
    <message>
        <source>Условия</source>
        <translation>Умови</translation>
    </message>
    <message>
        <source>Способ формирования пакета</source>
        <translation>Спосіб формування пакета</translation>
    </message>
    <message>
        <source>Сумма на одну ставку</source>
        <translation>Сума на одну ставку</translation>
    </message>
    <message>
        <source>за ставку</source>
        <translation>за ставку</translation>
    </message>
</context>
<context>
    <name>kav::ui::NearestSystemsWindow</name>
    <message>
        <source>Ближайшие варианты</source>
        <translation>Найближчі варіанти</translation>
    </message>
    <message>
        <source>Рассчитать систему</source>
        <translation>Розрахувати систему</translation>
    </message>
    <message>
        <source>Система %1-%2-%3 уже рассчитывалась в этом сеансе: в ней больше %4 ставок.</source>
        <translation>Систему %1-%2-%3 уже розраховували в цьому сеансі: у ній понад %4 ставок.</translation>
    </message>
    <message>
        <source>Рассчитать бриф-систему %1-%2-%3 (удвоения, утроения, гарантированные угадывания) и сохранить её среди шаблонов</source>
        <translation>Розрахувати бриф-систему %1-%2-%3 (подвоєння, потроєння, гарантовані вгадування) і зберегти її серед шаблонів</translation>
    </message>
    <message>
        <source>Ставок</source>
        <translation>Ставок</translation>
    </message>
    <message>
        <source>Нет</source>
        <translation>Ні</translation>
    </message>
</context>
<context>
    <name>kav::ui::PackageArchive</name>
    <message>
        <source>Проверить пакет по результату</source>
        <translation>Перевірити пакет за результатом</translation>
    </message>
    <message>
        <source>Сохранить пакет в архив</source>
        <translation>Зберегти пакет в архів</translation>
    </message>
    <message>
        <source>История пакетов</source>
        <translation>Історія пакетів</translation>
    </message>
    <message>
        <source>%1
Программа работает без архива.</source>
        <translation>%1
Програма працює без архіву.</translation>
    </message>
    <message>
        <source>Пакет сохранён в архив: %1</source>
        <translation>Пакет збережено в архів: %1</translation>
    </message>
    <message>
        <source>Пакет сохранён в архив: %1.</source>
        <translation>Пакет збережено в архів: %1.</translation>
    </message>
    <message>
        <source>Результат тиража сохранён в архив</source>
        <translation>Результат тиражу збережено в архів</translation>
    </message>
</context>
<context>
    <name>kav::ui::PackageValue</name>
    <message>
        <source>Ожидаемый возврат ставок</source>
        <translation>Очікуване повернення ставок</translation>
    </message>
    <message>
        <source>Моделирование тиражей</source>
        <translation>Моделювання тиражів</translation>
    </message>
    <message>
        <source>Показывать ценность исходов</source>
        <translation>Показувати цінність результатів</translation>
    </message>
</context>
<context>
    <name>kav::ui::ProjectDocument</name>
    <message>
        <source>Без имени</source>
        <translation>Без імені</translation>
    </message>
    <message>
        <source>Создать</source>
        <translation>Створити</translation>
    </message>
    <message>
        <source>Открыть...</source>
        <translation>Відкрити...</translation>
    </message>
    <message>
        <source>Сохранить</source>
        <translation>Зберегти</translation>
    </message>
    <message>
        <source>Сохранить как...</source>
        <translation>Зберегти як...</translation>
    </message>
    <message>
        <source>Недавние файлы</source>
        <translation>Недавні файли</translation>
    </message>
    <message>
        <source>Выход</source>
        <translation>Вихід</translation>
    </message>
    <message>
        <source>Строк в списке ставок: %1.</source>
        <translation>Рядків у списку ставок: %1.</translation>
    </message>
    <message>
        <source>Сохранить изменения в проекте &quot;%1&quot;?
%2</source>
        <translation>Зберегти зміни в проєкті &quot;%1&quot;?
%2</translation>
    </message>
    <message>
        <source>Открыть проект</source>
        <translation>Відкрити проєкт</translation>
    </message>
    <message>
        <source>Сохранить проект</source>
        <translation>Зберегти проєкт</translation>
    </message>
    <message>
        <source>Проекты Kavendix (*.kvp)</source>
        <translation>Проєкти Kavendix (*.kvp)</translation>
    </message>
</context>
<context>
    <name>kav::ui::SelectionEditor</name>
    <message>
        <source>События</source>
        <translation>Події</translation>
    </message>
    <message>
        <source>П1</source>
        <translation>П1</translation>
    </message>
    <message>
        <source>Х</source>
        <translation>Х</translation>
    </message>
    <message>
        <source>П2</source>
        <translation>П2</translation>
    </message>
    <message>
        <source>Сброс исходов</source>
        <translation>Скидання результатів</translation>
    </message>
    <message>
        <source>Отметка события</source>
        <translation>Позначка події</translation>
    </message>
    <message>
        <source>Отметка исхода</source>
        <translation>Позначка результату</translation>
    </message>
</context>
<context>
    <name>kav::ui::SensationPanel</name>
    <message>
        <source>Добавить
в список</source>
        <translation>Додати
до списку</translation>
    </message>
    <message>
        <source>Сенсаций не менее</source>
        <translation>Сенсацій не менше</translation>
    </message>
    <message>
        <source>Сенсаций не более</source>
        <translation>Сенсацій не більше</translation>
    </message>
    <message>
        <source>БК</source>
        <translation>БК</translation>
    </message>
    <message>
        <source>пул</source>
        <translation>пул</translation>
    </message>
    <message>
        <source>кол-во  сенсаций</source>
        <translation>кільк.  сенсацій</translation>
    </message>
    <message>
        <source>которые&lt;</source>
        <translation>які&lt;</translation>
    </message>
    <message>
        <source>Значение котировки,
ниже которого событие
считаем сенсацией</source>
        <translation>Значення котирування,
нижче якого подію
вважаємо сенсацією</translation>
    </message>
    <message>
        <source>Критерий сенсаций
по букмекерским котировкам</source>
        <translation>Критерій сенсацій
за котируваннями букмекера</translation>
    </message>
    <message>
        <source>Критерий сенсаций
по распределению пула</source>
        <translation>Критерій сенсацій
за розподілом пулу</translation>
    </message>
</context>
<context>
    <name>kav::ui::Session</name>
    <message>
        <source>Очистка списка ставок</source>
        <translation>Очищення списку ставок</translation>
    </message>
    <message>
        <source>Изменение списка ставок</source>
        <translation>Зміна списку ставок</translation>
    </message>
</context>
<context>
    <name>kav::ui::SettingsDialog</name>
    <message>
        <source>Настройки</source>
        <translation>Налаштування</translation>
    </message>
    <message>
        <source>Сервер тиражей</source>
        <translation>Сервер тиражів</translation>
    </message>
    <message>
        <source>Сервер обновлений</source>
        <translation>Сервер оновлень</translation>
    </message>
    <message>
        <source>Пустое поле — адрес по умолчанию. Новые адреса действуют со следующего запуска;
ключи --data-server и --update-server заменяют их на один запуск.</source>
        <translation>Порожнє поле — типова адреса. Нові адреси діють із наступного запуску;
ключі --data-server і --update-server замінюють їх на один запуск.</translation>
    </message>
    <message>
        <source>Как в системе</source>
        <translation>Як у системі</translation>
    </message>
    <message>
        <source>Новый язык действует со следующего запуска.</source>
        <translation>Нова мова діє з наступного запуску.</translation>
    </message>
    <message>
        <source>Язык</source>
        <translation>Мова</translation>
    </message>
    <message>
        <source>Адрес сервера тиражей «%1» не годится: нужен адрес вида https://сервер</source>
        <translation>Адреса сервера тиражів «%1» не годиться: потрібна адреса виду https://сервер</translation>
    </message>
    <message>
        <source>Адрес сервера обновлений «%1» не годится: нужен адрес вида https://сервер</source>
        <translation>Адреса сервера оновлень «%1» не годиться: потрібна адреса виду https://сервер</translation>
    </message>
</context>
<context>
    <name>kav::ui::SimulationWindow</name>
    <message>
        <source>Тиражей:</source>
        <translation>Тиражів:</translation>
    </message>
    <message>
        <source>Начальное число:</source>
        <translation>Початкове число:</translation>
    </message>
    <message>
        <source>Одно и то же число даёт те же тиражи</source>
        <translation>Те саме число дає ті самі тиражі</translation>
    </message>
    <message>
        <source>Моделировать</source>
        <translation>Моделювати</translation>
    </message>
    <message>
        <source>Нажмите «Моделировать» (F5).</source>
        <translation>Натисніть «Моделювати» (F5).</translation>
    </message>
    <message>
        <source>Тиражей</source>
        <translation>Тиражів</translation>
    </message>
    <message>
        <source>Доля</source>
        <translation>Частка</translation>
    </message>
    <message>
        <source>Точно</source>
        <translation>Точно</translation>
    </message>
    <message>
        <source>Лучшее угадывание пакета: в скольких тиражах, доля, точная вероятность</source>
        <translation>Найкраще вгадування пакета: у скількох тиражах, частка, точна ймовірність</translation>
    </message>
    <message>
        <source>Моделирование %1 тиражей…</source>
        <translation>Моделювання %1 тиражів…</translation>
    </message>
    <message>
        <source>Тиражей: %1.  Хотя бы один выигрыш: %2.  Прибыль: %3.  Средний возврат: %4 при ставке %5 (%6 ставки).</source>
        <translation>Тиражів: %1.  Хоча б один виграш: %2.  Прибуток: %3.  Середнє повернення: %4 за ставки %5 (%6 ставки).</translation>
    </message>
    <message>
        <source>Доля тиражей, %, по возврату пакета</source>
        <translation>Частка тиражів, %, за поверненням пакета</translation>
    </message>
    <message>
        <source>Тиражи</source>
        <translation>Тиражі</translation>
    </message>
    <message>
        <source>возврат, ставок пакета (от)</source>
        <translation>повернення, ставок пакета (від)</translation>
    </message>
</context>
<context>
    <name>kav::ui::UiText</name>
    <message>
        <source>список не изменился</source>
        <translation>список не змінився</translation>
    </message>
    <message>
        <source>добавлено ставок %1 (%2)</source>
        <translation>додано ставок %1 (%2)</translation>
    </message>
    <message>
        <source>изъято ставок %1 (%2)</source>
        <translation>вилучено ставок %1 (%2)</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Скасувати</translation>
    </message>
    <message>
        <source>Добавление ставок</source>
        <translation>Додавання ставок</translation>
    </message>
    <message>
        <source>Ввод в списке ставок</source>
        <translation>Введення в списку ставок</translation>
    </message>
    <message>
        <source>Ввод котировки</source>
        <translation>Введення котирування</translation>
    </message>
    <message>
        <source>Ввод тиража</source>
        <translation>Введення тиражу</translation>
    </message>
    <message>
        <source>Строк в списке %1.</source>
        <translation>Рядків у списку %1.</translation>
    </message>
    <message>
        <source>%1 очистит список ставок.
%2
Продолжить?</source>
        <translation>%1 очистить список ставок.
%2
Продовжити?</translation>
    </message>
    <message>
        <source>цель достигнута</source>
        <translation>мету досягнуто</translation>
    </message>
    <message>
        <source>достигнут предел ставок</source>
        <translation>досягнуто межі ставок</translation>
    </message>
    <message>
        <source>новые ставки больше ничего не покрывают</source>
        <translation>нові ставки більше нічого не покривають</translation>
    </message>
    <message>
        <source>прервано</source>
        <translation>перервано</translation>
    </message>
    <message>
        <source>Доступна новая версия программы %1 от %2!
Обновить?</source>
        <translation>Доступна нова версія програми %1 від %2!
Оновити?</translation>
    </message>
    <message>
        <source>Сохранение</source>
        <translation>Збереження</translation>
    </message>
    <message>
        <source>Сохранить</source>
        <translation>Зберегти</translation>
    </message>
    <message>
        <source>Не сохранять</source>
        <translation>Не зберігати</translation>
    </message>
    <message>
        <source>Обновление</source>
        <translation>Оновлення</translation>
    </message>
    <message>
        <source>Загрузка версии %1…</source>
        <translation>Завантаження версії %1…</translation>
    </message>
    <message>
        <source>%1 из %2 КБ</source>
        <translation>%1 з %2 КБ</translation>
    </message>
</context>
<context>
    <name>kav::ui::VariantAnalysisWindow</name>
    <message>
        <source>Анализ варианта (по состоянию на</source>
        <translation>Аналіз варіанта (станом на</translation>
    </message>
    <message>
        <source>Выбор варианта</source>
        <translation>Вибір варіанта</translation>
    </message>
    <message>
        <source>Пул</source>
        <translation>Пул</translation>
    </message>
    <message>
        <source>Джек-пот</source>
        <translation>Джекпот</translation>
    </message>
    <message>
        <source>Анализ вариантов (по состоянию на %1)</source>
        <translation>Аналіз варіантів (станом на %1)</translation>
    </message>
</context>
<context>
    <name>kav::ui::VariantForming</name>
    <message>
        <source>Будет добавлено %1 вариантов на %2 Добавить их все в список?</source>
        <translation>Буде додано %1 варіантів на %2 Додати їх усі до списку?</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Ручной набор</source>
        <translation>Ручний набір</translation>
    </message>
    <message>
        <source>Случайный выбор</source>
        <translation>Випадковий вибір</translation>
    </message>
    <message>
        <source>По сенсациям</source>
        <translation>За сенсаціями</translation>
    </message>
</context>
</TS>
