<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ru_RU">
<context>
    <name>AppSettings</name>
    <message>
        <source>Адрес сервера обновлений должен начинаться с http:// или https://.</source>
        <translation>The update server address must begin with http:// or https://.</translation>
    </message>
    <message>
        <source>Адрес страницы загрузки должен начинаться с http:// или https://.</source>
        <translation>The download page address must begin with http:// or https://.</translation>
    </message>
    <message>
        <source>Адрес для отчетов об ошибках должен иметь вид имя@домен.</source>
        <translation>The address for error reports must have the form name@domain.</translation>
    </message>
</context>
<context>
    <name>CliCommands</name>
    <message>
        <source>модели клавиатур: ID, Model, Name, ClassName, Width, Height, Layers, число клавиш, MaxKeysNum</source>
        <translation>keyboard models: ID, Model, Name, ClassName, Width, Height, Layers, number of keys, MaxKeysNum</translation>
    </message>
    <message>
        <source>стандартные коды клавиш: имя, код нажатия, код отжатия, скан-код</source>
        <translation>standard key codes: name, press code, release code, scan code</translation>
    </message>
    <message>
        <source>Использование: ravlin [параметры] КОМАНДА [АРГУМЕНТЫ]</source>
        <translation>Usage: ravlin [options] COMMAND [ARGUMENTS]</translation>
    </message>
    <message>
        <source>Команды:</source>
        <translation>Commands:</translation>
    </message>
    <message>
        <source>Параметры (в любом месте командной строки):</source>
        <translation>Options (anywhere on the command line):</translation>
    </message>
    <message>
        <source>Коды завершения: 0 успех, 1 отрицательный результат, 2 ошибка (текст ошибки в stderr).</source>
        <translation>Exit codes: 0 success, 1 negative result, 2 error (the error text on stderr).</translation>
    </message>
    <message>
        <source>папка с &quot;Клавиатуры&quot; и &quot;Клавиши&quot; (по умолчанию папка программы или ../share/ravlin от нее)</source>
        <translation>folder holding &quot;Клавиатуры&quot; and &quot;Клавиши&quot; (default: the program&apos;s folder or ../share/ravlin relative to it)</translation>
    </message>
    <message>
        <source>формат записи: xml, xml13, bin, bin13, emf, bin28, bin29 (по умолчанию по расширению)</source>
        <translation>format to write: xml, xml13, bin, bin13, emf, bin28, bin29 (default: by the file extension)</translation>
    </message>
    <message>
        <source>формат чтения: xml или bin (по умолчанию по расширению)</source>
        <translation>format to read: xml or bin (default: by the file extension)</translation>
    </message>
    <message>
        <source>номер слоя, от 1 (поиск и замена: по умолчанию все слои; рисунок: первый)</source>
        <translation>layer number, from 1 (find and replace: all layers by default; picture: the first)</translation>
    </message>
    <message>
        <source>файл результата замены</source>
        <translation>file for the result of the replacement</translation>
    </message>
    <message>
        <source>устройство из списка devices (по умолчанию из настроек)</source>
        <translation>device from the devices list (default: from the settings)</translation>
    </message>
    <message>
        <source>сокет драйвера PS/2 клавиатуры (по умолчанию из настроек или $XDG_RUNTIME_DIR/QvKbdDrv)</source>
        <translation>socket of the PS/2 keyboard driver (default: from the settings or $XDG_RUNTIME_DIR/QvKbdDrv)</translation>
    </message>
    <message>
        <source>отвечать &quot;да&quot; на вопросы при записи в клавиатуру</source>
        <translation>answer &quot;yes&quot; to the questions asked when writing to the keyboard</translation>
    </message>
    <message>
        <source>не сохранять раскладку клавиатуры в папку резервных копий перед записью</source>
        <translation>do not save the keyboard&apos;s layout to the backup folder before writing</translation>
    </message>
    <message>
        <source>различия в JSON (diff)</source>
        <translation>differences as JSON (diff)</translation>
    </message>
    <message>
        <source>показывать в stderr и внутренние предупреждения Qt</source>
        <translation>also show Qt&apos;s internal warnings on stderr</translation>
    </message>
    <message>
        <source>эта справка</source>
        <translation>this help</translation>
    </message>
    <message>
        <source>версия программы</source>
        <translation>program version</translation>
    </message>
    <message>
        <source>Неизвестная команда: %1</source>
        <translation>Unknown command: %1</translation>
    </message>
    <message>
        <source>Неверное число аргументов команды %1. Использование: ravlin %1 %2</source>
        <translation>Wrong number of arguments for command %1. Usage: ravlin %1 %2</translation>
    </message>
    <message>
        <source>Недостаточно памяти для выполнения команды.</source>
        <translation>Not enough memory to run the command.</translation>
    </message>
    <message>
        <source>Состояние раскладки</source>
        <translation>Layout state</translation>
    </message>
    <message>
        <source>Неизвестный режим &quot;%1&quot;: допустимы loader и work.</source>
        <translation>Unknown mode &quot;%1&quot;: use loader or work.</translation>
    </message>
    <message>
        <source>устройства всех портов; * у выбранного</source>
        <translation>devices on all ports; * marks the selected one</translation>
    </message>
    <message>
        <source>информация об устройстве; 1 если раскладка повреждена</source>
        <translation>device information; 1 if the layout is damaged</translation>
    </message>
    <message>
        <source>чтение раскладки из клавиатуры в файл (--format)</source>
        <translation>read the layout from the keyboard into a file (--format)</translation>
    </message>
    <message>
        <source>запись раскладки из файла в клавиатуру (--in-format)</source>
        <translation>write the layout from a file to the keyboard (--in-format)</translation>
    </message>
    <message>
        <source>память раскладки клавиатуры в файл .bin</source>
        <translation>read the keyboard&apos;s layout memory into a .bin file</translation>
    </message>
    <message>
        <source>запись файла раскладки .bin в клавиатуру</source>
        <translation>write a .bin layout file to the keyboard</translation>
    </message>
    <message>
        <source>запись файла программы в клавиатуру</source>
        <translation>write a firmware file to the keyboard</translation>
    </message>
    <message>
        <source>перевод клавиатуры в режим загрузчика или в рабочий режим</source>
        <translation>switch the keyboard to loader mode or to normal mode</translation>
    </message>
    <message>
        <source>мелодия на динамике клавиатуры (текст нот)</source>
        <translation>play a melody on the keyboard&apos;s speaker (notes as text)</translation>
    </message>
    <message>
        <source>различия раскладок A и B, без B - раскладки клавиатуры (--json); 1 если различаются</source>
        <translation>differences between layouts A and B, without B the keyboard&apos;s layout (--json); 1 if they differ</translation>
    </message>
    <message>
        <source>[Замена] (%1-&gt;%2) Количество замен: %3</source>
        <translation>[Replace] (%1-&gt;%2) Replacements made: %3</translation>
    </message>
    <message>
        <source>новая раскладка для модели с идентификатором ID</source>
        <translation>new layout for the model with identifier ID</translation>
    </message>
    <message>
        <source>чтение IN и запись OUT (--in-format, --format)</source>
        <translation>read IN and write OUT (--in-format, --format)</translation>
    </message>
    <message>
        <source>рисунок раскладки в PNG, SVG или PDF по расширению OUT (--layer)</source>
        <translation>picture of the layout as PNG, SVG or PDF by the extension of OUT (--layer)</translation>
    </message>
    <message>
        <source>раскладка целиком в JSON</source>
        <translation>the whole layout as JSON</translation>
    </message>
    <message>
        <source>проверка последовательностей кодов; 1 при ошибках</source>
        <translation>check the code sequences; 1 on errors</translation>
    </message>
    <message>
        <source>поиск кодов в выделении файла (--layer); 1 если не найдено</source>
        <translation>find codes in the file&apos;s selection (--layer); 1 if not found</translation>
    </message>
    <message>
        <source>замена кодов (--layer, -o OUT; по умолчанию в IN)</source>
        <translation>replace codes (--layer, -o OUT; default: into IN)</translation>
    </message>
    <message>
        <source>Не удалось записать стандартный вывод: %1</source>
        <translation>Could not write the standard output: %1</translation>
    </message>
</context>
<context>
    <name>CommandGuard</name>
    <message>
        <source>Недостаточно памяти для выполнения операции.</source>
        <translation>Not enough memory to complete the operation.</translation>
    </message>
    <message>
        <source>Неизвестная ошибка программы.</source>
        <translation>Unknown program error.</translation>
    </message>
</context>
<context>
    <name>CrashReport</name>
    <message>
        <source>Обращение к недоступной памяти</source>
        <translation>Access to inaccessible memory</translation>
    </message>
    <message>
        <source>Обращение к несуществующему адресу памяти</source>
        <translation>Access to a nonexistent memory address</translation>
    </message>
    <message>
        <source>Ошибка арифметической операции</source>
        <translation>Arithmetic operation error</translation>
    </message>
    <message>
        <source>Недопустимая команда процессора</source>
        <translation>Illegal processor instruction</translation>
    </message>
    <message>
        <source>Аварийное завершение программы</source>
        <translation>Abnormal program termination</translation>
    </message>
    <message>
        <source>При прошлом запуске программа завершилась аварийно: %1.</source>
        <translation>The program terminated abnormally the last time it ran: %1.</translation>
    </message>
    <message>
        <source>При прошлом запуске программа завершилась аварийно.</source>
        <translation>The program terminated abnormally the last time it ran.</translation>
    </message>
    <message>
        <source>%1 (сигнал %2)</source>
        <translation>%1 (signal %2)</translation>
    </message>
</context>
<context>
    <name>DeviceInfo</name>
    <message>
        <source>Неверная длина кадра.</source>
        <translation>Invalid frame length.</translation>
    </message>
    <message>
        <source>Ошибок нет</source>
        <translation>No errors</translation>
    </message>
    <message>
        <source>Неверное значение параметра команды</source>
        <translation>Invalid command parameter value</translation>
    </message>
    <message>
        <source>Команда не поддерживается устройством</source>
        <translation>The command is not supported by the device</translation>
    </message>
    <message>
        <source>Клавиатура находится в неверном режиме</source>
        <translation>The keyboard is in the wrong mode</translation>
    </message>
    <message>
        <source>Неизвестная ошибка устройства</source>
        <translation>Unknown device error</translation>
    </message>
</context>
<context>
    <name>DeviceReport</name>
    <message>
        <source>Замыкания в матрице клавиатуры</source>
        <translation>Shorts in the keyboard matrix</translation>
    </message>
    <message>
        <source>есть</source>
        <translation>yes</translation>
    </message>
    <message>
        <source>нет</source>
        <translation>no</translation>
    </message>
    <message>
        <source>Версия программы</source>
        <translation>Firmware version</translation>
    </message>
    <message>
        <source>Режим клавиатуры</source>
        <translation>Keyboard mode</translation>
    </message>
    <message>
        <source>загрузчик</source>
        <translation>loader</translation>
    </message>
    <message>
        <source>Версия загрузчика</source>
        <translation>Loader version</translation>
    </message>
    <message>
        <source>Объем памяти, байт</source>
        <translation>Memory size, bytes</translation>
    </message>
    <message>
        <source>Тип устройства</source>
        <translation>Device type</translation>
    </message>
    <message>
        <source>Количество слоев</source>
        <translation>Number of layers</translation>
    </message>
    <message>
        <source>Треки считывателя</source>
        <translation>Card reader tracks</translation>
    </message>
    <message>
        <source>Количество клавиш</source>
        <translation>Number of keys</translation>
    </message>
    <message>
        <source>Количество положений ключа</source>
        <translation>Number of key lock positions</translation>
    </message>
    <message>
        <source>Загруженная раскладка работает нормально.</source>
        <translation>The loaded layout works correctly.</translation>
    </message>
    <message>
        <source>Раскладка клавиатуры повреждена
<byte value="xd"/>или предназначается для другой версии прошивки.</source>
        <translation>The keyboard&apos;s layout is damaged
<byte value="xd"/>or intended for another firmware version.</translation>
    </message>
</context>
<context>
    <name>DialogButtons</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>DriverInstall</name>
    <message>
        <source>Ошибка</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>При установке драйвера возникла ошибка:<byte value="xd"/>
%1, %2<byte value="xd"/>
Не найден файл %3для установки драйвера.</source>
        <translation>An error occurred while installing the driver:<byte value="xd"/>
%1, %2<byte value="xd"/>
The driver installation file %3 was not found.</translation>
    </message>
    <message>
        <source>При удалении драйвера возникла ошибка:<byte value="xd"/>
%1, %2<byte value="xd"/>
Не найден файл %3для удаления драйвера.</source>
        <translation>An error occurred while removing the driver:<byte value="xd"/>
%1, %2<byte value="xd"/>
The driver removal file %3 was not found.</translation>
    </message>
    <message>
        <source>При установке драйвера возникла ошибка:<byte value="xd"/>
%1, %2<byte value="xd"/>
Вы должны обладать правами администратора для установки драйвера.</source>
        <translation>An error occurred while installing the driver:<byte value="xd"/>
%1, %2<byte value="xd"/>
You need administrator rights to install the driver.</translation>
    </message>
    <message>
        <source>При удалении драйвера возникла ошибка:<byte value="xd"/>
%1, %2<byte value="xd"/>
Вы должны обладать правами администратора для удаления драйвера.</source>
        <translation>An error occurred while removing the driver:<byte value="xd"/>
%1, %2<byte value="xd"/>
You need administrator rights to remove the driver.</translation>
    </message>
    <message>
        <source>При установке драйвера возникла ошибка:<byte value="xd"/>
%1, %2</source>
        <translation>An error occurred while installing the driver:<byte value="xd"/>
%1, %2</translation>
    </message>
    <message>
        <source>При удалении драйвера возникла ошибка:<byte value="xd"/>
%1, %2</source>
        <translation>An error occurred while removing the driver:<byte value="xd"/>
%1, %2</translation>
    </message>
    <message>
        <source>Драйвер был успешно установлен.
<byte value="xd"/>Для дальнейшей работы необходимо перезагрузить компьютер.</source>
        <translation>The driver has been installed successfully.
<byte value="xd"/>Restart the computer to continue working.</translation>
    </message>
    <message>
        <source>Драйвер был успешно удален.
<byte value="xd"/>Для дальнейшей работы необходимо перезагрузить компьютер.</source>
        <translation>The driver has been removed successfully.
<byte value="xd"/>Restart the computer to continue working.</translation>
    </message>
    <message>
        <source>Внимание</source>
        <translation>Attention</translation>
    </message>
</context>
<context>
    <name>DriverSocket</name>
    <message>
        <source>Неверная длина данных управляющего вызова: %1</source>
        <translation>Invalid control call data length: %1</translation>
    </message>
    <message>
        <source>Драйвер вернул %1 байт при допустимых %2</source>
        <translation>The driver returned %1 bytes where at most %2 are allowed</translation>
    </message>
</context>
<context>
    <name>EFileFormatError</name>
    <message>
        <source>Неверный формат файла.</source>
        <translation>Invalid file format.</translation>
    </message>
</context>
<context>
    <name>FileDialogs</name>
    <message>
        <source>Сохранить как</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>Открыть</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Документ PDF (*.pdf)</source>
        <translation>PDF document (*.pdf)</translation>
    </message>
    <message>
        <source>Печать</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Файл %1 уже существует. Заменить его?</source>
        <translation>The file %1 already exists. Replace it?</translation>
    </message>
</context>
<context>
    <name>GraphicFiles</name>
    <message>
        <source>Размер изображения не может превышать 256 КБ.</source>
        <translation>The image cannot be larger than 256 KB.</translation>
    </message>
    <message>
        <source>Файл &quot;%1&quot; не является изображением.</source>
        <translation>The file &quot;%1&quot; is not an image.</translation>
    </message>
    <message>
        <source>Другие изображения</source>
        <translation>Other images</translation>
    </message>
</context>
<context>
    <name>HidApiBackend</name>
    <message>
        <source>Ошибка записи данных в устройство</source>
        <translation>Error writing data to the device</translation>
    </message>
    <message>
        <source>Ошибка чтения данных из устройства</source>
        <translation>Error reading data from the device</translation>
    </message>
</context>
<context>
    <name>KbdSim</name>
    <message>
        <source>Справка: ravlin-kbdsim --help</source>
        <translation>Help: ravlin-kbdsim --help</translation>
    </message>
    <message>
        <source>Не найдено описание клавиатуры с кодом модели %1.</source>
        <translation>No keyboard description with model code %1 was found.</translation>
    </message>
    <message>
        <source>Эмулятор клавиатуры %1 (модель %2) слушает %3</source>
        <translation>Keyboard emulator %1 (model %2) listening on %3</translation>
    </message>
</context>
<context>
    <name>KeyPictureDraw</name>
    <message>
        <source>метафайл не воспроизводится</source>
        <translation>the metafile cannot be played back</translation>
    </message>
</context>
<context>
    <name>LayoutPicture</name>
    <message>
        <source>Не удалось записать файл &quot;%1&quot;: рисунок размером %2 x %3 точек построить невозможно.</source>
        <translation>Could not write the file &quot;%1&quot;: a picture of %2 x %3 pixels cannot be made.</translation>
    </message>
    <message>
        <source>Не удалось записать файл &quot;%1&quot;: рисунок не удалось преобразовать в формат %2.</source>
        <translation>Could not write the file &quot;%1&quot;: the picture could not be converted to %2.</translation>
    </message>
    <message>
        <source>Неизвестный формат рисунка &quot;%1&quot;: допустимы PNG, SVG и PDF.</source>
        <translation>Unknown picture format &quot;%1&quot;: PNG, SVG and PDF are allowed.</translation>
    </message>
</context>
<context>
    <name>MainMenus</name>
    <message>
        <source>Стандартная</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Раскладка</source>
        <translation>Layout</translation>
    </message>
    <message>
        <source>Правка</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Устройство</source>
        <translation>Device</translation>
    </message>
    <message>
        <source>Слои</source>
        <translation>Layers</translation>
    </message>
    <message>
        <source>Режим отображения</source>
        <translation>View Mode</translation>
    </message>
    <message>
        <source>USB устройство</source>
        <translation>USB Device</translation>
    </message>
    <message>
        <source>&amp;Файл</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Правка</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>&amp;Устройство</source>
        <translation>&amp;Device</translation>
    </message>
    <message>
        <source>&amp;Вид</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>&amp;Настройки</source>
        <translation>&amp;Settings</translation>
    </message>
    <message>
        <source>&amp;Окно</source>
        <translation>&amp;Window</translation>
    </message>
    <message>
        <source>&amp;Справка</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>Отображаемые слои</source>
        <translation>Shown &amp;Layers</translation>
    </message>
    <message>
        <source>Панели инструментов</source>
        <translation>&amp;Toolbars</translation>
    </message>
    <message>
        <source>Масштаб</source>
        <translation>&amp;Zoom</translation>
    </message>
</context>
<context>
    <name>Numbers</name>
    <message>
        <source>&quot;%1&quot; не является целым числом.</source>
        <translation>&quot;%1&quot; is not an integer.</translation>
    </message>
</context>
<context>
    <name>SafeFile</name>
    <message>
        <source>Не удалось записать файл &quot;%1&quot;: %2</source>
        <translation>Cannot write the file &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>Файл &quot;%1&quot; не является обычным файлом; запись в него невозможна.</source>
        <translation>&quot;%1&quot; is not a regular file; it cannot be written to.</translation>
    </message>
    <message>
        <source>Не удалось создать файл &quot;%1&quot;: %2</source>
        <translation>Cannot create the file &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>Не удалось открыть файл &quot;%1&quot;: No such file or directory</source>
        <translation>Cannot open the file &quot;%1&quot;: No such file or directory</translation>
    </message>
    <message>
        <source>Файл &quot;%1&quot; не является обычным файлом.</source>
        <translation>&quot;%1&quot; is not a regular file.</translation>
    </message>
    <message>
        <source>Файл &quot;%1&quot; слишком велик: %2 байт, допустимо не более %3.</source>
        <translation>The file &quot;%1&quot; is too large: %2 bytes, at most %3 allowed.</translation>
    </message>
    <message>
        <source>Не удалось открыть файл &quot;%1&quot;: %2</source>
        <translation>Cannot open the file &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>Не удалось прочитать файл &quot;%1&quot;: %2</source>
        <translation>Cannot read the file &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>Файл &quot;%1&quot; слишком велик: допустимо не более %2 байт.</source>
        <translation>The file &quot;%1&quot; is too large: at most %2 bytes allowed.</translation>
    </message>
</context>
<context>
    <name>TActionRegistry</name>
    <message>
        <source>Создать при помощи мастера</source>
        <translation>New with &amp;Wizard...</translation>
    </message>
    <message>
        <source>Создать</source>
        <translation>New</translation>
    </message>
    <message>
        <source>&amp;Открыть</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>Открыть</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>&amp;Сохранить</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>Сохранить</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Сохранить как...</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>&amp;Закрыть</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>Закрыть все</source>
        <translation>Close A&amp;ll</translation>
    </message>
    <message>
        <source>Предварительный просмотр</source>
        <translation>Print Pre&amp;view</translation>
    </message>
    <message>
        <source>Просмотр</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>Печать...</source>
        <translation>&amp;Print...</translation>
    </message>
    <message>
        <source>&amp;Выход</source>
        <translation>E&amp;xit</translation>
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
        <source>Вырезать</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>Копировать</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Вставить</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>Найти...</source>
        <translation>&amp;Find...</translation>
    </message>
    <message>
        <source>Найти</source>
        <translation>Find</translation>
    </message>
    <message>
        <source>Поиск по документу</source>
        <translation>Search the document</translation>
    </message>
    <message>
        <source>Заменить...</source>
        <translation>R&amp;eplace...</translation>
    </message>
    <message>
        <source>Заменить</source>
        <translation>Replace</translation>
    </message>
    <message>
        <source>Поиск с заменой</source>
        <translation>Find and replace</translation>
    </message>
    <message>
        <source>Выделить все</source>
        <translation>Select &amp;All</translation>
    </message>
    <message>
        <source>Очистить</source>
        <translation>Cl&amp;ear</translation>
    </message>
    <message>
        <source>Сгруппировать</source>
        <translation>Group</translation>
    </message>
    <message>
        <source>Разгруппировать</source>
        <translation>Ungroup</translation>
    </message>
    <message>
        <source>Считыватель магнитных карт</source>
        <translation>&amp;Magnetic Card Reader</translation>
    </message>
    <message>
        <source>Считыватель</source>
        <translation>Card Reader</translation>
    </message>
    <message>
        <source>Ключ клавиатуры</source>
        <translation>&amp;Key Lock</translation>
    </message>
    <message>
        <source>Ключ</source>
        <translation>Key Lock</translation>
    </message>
    <message>
        <source>Свойства раскладки</source>
        <translation>La&amp;yout Properties</translation>
    </message>
    <message>
        <source>Раскладка</source>
        <translation>Layout</translation>
    </message>
    <message>
        <source>Проверить раскладку</source>
        <translation>Check Layout</translation>
    </message>
    <message>
        <source>Проверить</source>
        <translation>Check</translation>
    </message>
    <message>
        <source>Сравнить с файлом...</source>
        <translation>Compare with &amp;File...</translation>
    </message>
    <message>
        <source>Сравнить с клавиатурой</source>
        <translation>Compare with Key&amp;board</translation>
    </message>
    <message>
        <source>Свойства клавиши</source>
        <translation>Key Properties</translation>
    </message>
    <message>
        <source>Клавиша</source>
        <translation>Key</translation>
    </message>
    <message>
        <source>Загрузить картинку...</source>
        <translation>Load Picture...</translation>
    </message>
    <message>
        <source>Сохранить картинку...</source>
        <translation>Save Picture...</translation>
    </message>
    <message>
        <source>Очистить картинку</source>
        <translation>Clear Picture</translation>
    </message>
    <message>
        <source>Изменить шрифт...</source>
        <translation>Change Font...</translation>
    </message>
    <message>
        <source>Изменить фон...</source>
        <translation>Change Background...</translation>
    </message>
    <message>
        <source>Информация об устройстве</source>
        <translation>Device &amp;Information</translation>
    </message>
    <message>
        <source>Информация</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Тест клавиатуры...</source>
        <translation>Keyboard &amp;Test...</translation>
    </message>
    <message>
        <source>Тест</source>
        <translation>Test</translation>
    </message>
    <message>
        <source>Записать раскладку</source>
        <translation>&amp;Write Layout</translation>
    </message>
    <message>
        <source>Загрузить</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>Прочитать раскладку</source>
        <translation>&amp;Read Layout</translation>
    </message>
    <message>
        <source>Прочитать</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>Прочитать раскладку в файл</source>
        <translation>Read Layout into File</translation>
    </message>
    <message>
        <source>Чтение памяти устройства в файл</source>
        <translation>Read the device memory into a file</translation>
    </message>
    <message>
        <source>Записать раскладку из файла</source>
        <translation>Write Layout from File</translation>
    </message>
    <message>
        <source>Запись памяти устройства из файла</source>
        <translation>Write the device memory from a file</translation>
    </message>
    <message>
        <source>Записать программу из файла</source>
        <translation>Write Firmware from File</translation>
    </message>
    <message>
        <source>Запись программы устройства из файла</source>
        <translation>Write the device firmware from a file</translation>
    </message>
    <message>
        <source>Установить драйвер клавиатуры</source>
        <translation>Install Keyboard Driver</translation>
    </message>
    <message>
        <source>Удалить драйвер клавиатуры</source>
        <translation>Remove Keyboard Driver</translation>
    </message>
    <message>
        <source>Перевести в режим загрузчика</source>
        <translation>Switch to Loader Mode</translation>
    </message>
    <message>
        <source>Перевести в рабочий режим</source>
        <translation>Switch to Normal Mode</translation>
    </message>
    <message>
        <source>Все слои</source>
        <translation>All Layers</translation>
    </message>
    <message>
        <source>Слой 1</source>
        <translation>Layer 1</translation>
    </message>
    <message>
        <source>Слой 2</source>
        <translation>Layer 2</translation>
    </message>
    <message>
        <source>Слой 3</source>
        <translation>Layer 3</translation>
    </message>
    <message>
        <source>Слой 4</source>
        <translation>Layer 4</translation>
    </message>
    <message>
        <source>Подписи к кнопкам</source>
        <translation>Button Captions</translation>
    </message>
    <message>
        <source>Показать раскладку</source>
        <translation>Show &amp;Layout</translation>
    </message>
    <message>
        <source>Упрощенный вид раскладки</source>
        <translation>&amp;Simplified Layout View</translation>
    </message>
    <message>
        <source>Упрощенно</source>
        <translation>Simplified</translation>
    </message>
    <message>
        <source>Показать рисунок</source>
        <translation>Show &amp;Picture</translation>
    </message>
    <message>
        <source>Рисунок</source>
        <translation>Picture</translation>
    </message>
    <message>
        <source>Увеличить</source>
        <translation>Zoom &amp;In</translation>
    </message>
    <message>
        <source>Уменьшить</source>
        <translation>Zoom &amp;Out</translation>
    </message>
    <message>
        <source>Обычный размер</source>
        <translation>&amp;Normal Size</translation>
    </message>
    <message>
        <source>Окно сообщений</source>
        <translation>&amp;Message Window</translation>
    </message>
    <message>
        <source>Настройки приложения...</source>
        <translation>&amp;Application Settings...</translation>
    </message>
    <message>
        <source>Расположить вертикально</source>
        <translation>Tile &amp;Vertically</translation>
    </message>
    <message>
        <source>Расположить горизонтально</source>
        <translation>Tile &amp;Horizontally</translation>
    </message>
    <message>
        <source>Каскадом</source>
        <translation>&amp;Cascade</translation>
    </message>
    <message>
        <source>Вызов справки...</source>
        <translation>&amp;Help Contents...</translation>
    </message>
    <message>
        <source>Поддерживаемые устройства...</source>
        <translation>&amp;Supported Devices...</translation>
    </message>
    <message>
        <source>Проверить обновления...</source>
        <translation>Check for &amp;Updates...</translation>
    </message>
    <message>
        <source>О программе...</source>
        <translation>&amp;About...</translation>
    </message>
</context>
<context>
    <name>TBinLayout13</name>
    <message>
        <source>Раскладка Ravlin 1.3 (*.bin)</source>
        <translation>Ravlin 1.3 layout (*.bin)</translation>
    </message>
    <message>
        <source>Формат 1.3 не поддерживает клавиатуры сколичеством клавиш большим 64</source>
        <translation>Format 1.3 does not support keyboards with more than 64 keys</translation>
    </message>
    <message>
        <source>Коды &quot;%1&quot; нельзя записать в раскладку формата 1.3: вместе с отжатиями они длиннее 255 байт.</source>
        <translation>The codes &quot;%1&quot; cannot be written to a layout of format 1.3: with their releases they are longer than 255 bytes.</translation>
    </message>
</context>
<context>
    <name>TBinLayout210</name>
    <message>
        <source>Раскладка Ravlin (*.bin)</source>
        <translation>Ravlin layout (*.bin)</translation>
    </message>
</context>
<context>
    <name>TBinLayout28</name>
    <message>
        <source>Раскладка не помещается в память клавиатуры: нужно не менее %1 байт, допустимо не более 65535.</source>
        <translation>The layout does not fit into the keyboard memory: it needs at least %1 bytes, at most 65535 are allowed.</translation>
    </message>
    <message>
        <source>Раскладка Ravlin (программа 2.8) (*.bin)</source>
        <translation>Ravlin layout (firmware 2.8) (*.bin)</translation>
    </message>
    <message>
        <source>Не удалось записать раскладку: %1</source>
        <translation>Could not write the layout: %1</translation>
    </message>
    <message>
        <source>Нельзя записать в раскладку клавиатуры количество групп клавиш: %1 (допустимо от 0 до 255).</source>
        <translation>The number of key groups cannot be written to the keyboard layout: %1 (0 to 255 allowed).</translation>
    </message>
    <message>
        <source>Нельзя записать в раскладку клавиатуры координату группы клавиш: %1 (допустимо от 0 до 255).</source>
        <translation>A key group coordinate cannot be written to the keyboard layout: %1 (0 to 255 allowed).</translation>
    </message>
    <message>
        <source>Нельзя записать в раскладку клавиатуры номер модели клавиатуры: %1 (допустимо от 0 до 255).</source>
        <translation>The keyboard model number cannot be written to the keyboard layout: %1 (0 to 255 allowed).</translation>
    </message>
    <message>
        <source>Мелодия клавиши (%1, %2) слоя %3 содержит %4 нот; в раскладку клавиатуры можно записать не более 255.</source>
        <translation>The melody of key (%1, %2) on layer %3 has %4 notes; at most 255 can be written to the keyboard layout.</translation>
    </message>
    <message>
        <source>Мелодия считывателя карт слоя %1 содержит %2 нот; в раскладку клавиатуры можно записать не более 255.</source>
        <translation>The melody of the card reader on layer %1 has %2 notes; at most 255 can be written to the keyboard layout.</translation>
    </message>
    <message>
        <source>Мелодия положения ключа %1 слоя %2 содержит %3 нот; в раскладку клавиатуры можно записать не более 255.</source>
        <translation>The melody of key lock position %1 on layer %2 has %3 notes; at most 255 can be written to the keyboard layout.</translation>
    </message>
    <message>
        <source>Отсутствуют данные раскладки</source>
        <translation>Layout data is missing</translation>
    </message>
</context>
<context>
    <name>TBinLayout29</name>
    <message>
        <source>Раскладка Ravlin (программа 2.9) (*.bin)</source>
        <translation>Ravlin layout (firmware 2.9) (*.bin)</translation>
    </message>
</context>
<context>
    <name>TBinStream</name>
    <message>
        <source>Неверная позиция в данных раскладки: %1.</source>
        <translation>Invalid position in the layout data: %1.</translation>
    </message>
    <message>
        <source>Неверный размер данных раскладки: %1.</source>
        <translation>Invalid layout data size: %1.</translation>
    </message>
    <message>
        <source>Неверная длина блока данных раскладки: %1.</source>
        <translation>Invalid layout data block length: %1.</translation>
    </message>
    <message>
        <source>Данные раскладки обрываются: с позиции %1 нужно байт: %2, а всего данных %3 байт.</source>
        <translation>The layout data is cut short: %2 bytes are needed from position %1, but the data has only %3 bytes.</translation>
    </message>
</context>
<context>
    <name>TCliArguments</name>
    <message>
        <source>Неизвестный параметр командной строки: %1</source>
        <translation>Unknown command-line option: %1</translation>
    </message>
    <message>
        <source>Не указано значение параметра --%1</source>
        <translation>No value given for option --%1</translation>
    </message>
    <message>
        <source>Параметр --%1 не принимает значения</source>
        <translation>Option --%1 takes no value</translation>
    </message>
</context>
<context>
    <name>TCodeField</name>
    <message>
        <source>Задать скан-коды для этого поля</source>
        <translation>Set the scan codes of this field</translation>
    </message>
    <message>
        <source>Вырезать</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>Копировать</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Вставить</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>Добавить коды нажатия и отжатия</source>
        <translation>Add Press and Release Codes</translation>
    </message>
    <message>
        <source>Добавить коды нажатия</source>
        <translation>Add Press Codes</translation>
    </message>
    <message>
        <source>Добавить коды отжатия</source>
        <translation>Add Release Codes</translation>
    </message>
</context>
<context>
    <name>TCodeSet</name>
    <message>
        <source>Неверное имя корневого элемента в файле описания стандартных кодов.</source>
        <translation>Invalid root element name in the standard codes file.</translation>
    </message>
    <message>
        <source>Отсутствуют группы клавиш в файле описания стандартных кодов.</source>
        <translation>The standard codes file has no key groups.</translation>
    </message>
</context>
<context>
    <name>TCompareCommands</name>
    <message>
        <source>[Сравнение] Различий нет.</source>
        <translation>[Comparison] No differences.</translation>
    </message>
</context>
<context>
    <name>TCustomPort</name>
    <message>
        <source>недоступна</source>
        <translation>unavailable</translation>
    </message>
</context>
<context>
    <name>TDeviceBox</name>
    <message>
        <source>Устройство:</source>
        <translation>Device:</translation>
    </message>
    <message>
        <source>Обновить список устройств</source>
        <translation>Refresh the device list</translation>
    </message>
</context>
<context>
    <name>TDeviceCommands</name>
    <message>
        <source>Раскладка Ravlin (*.bin)</source>
        <translation>Ravlin layout (*.bin)</translation>
    </message>
    <message>
        <source>Раскладки Ravlin (*.bin)</source>
        <translation>Ravlin layouts (*.bin)</translation>
    </message>
    <message>
        <source>Все файлы (*.*)</source>
        <translation>All files (*.*)</translation>
    </message>
    <message>
        <source>Программы клавиатуры (*.prg)</source>
        <translation>Keyboard firmware (*.prg)</translation>
    </message>
</context>
<context>
    <name>TDeviceLock</name>
    <message>
        <source>Не удалось открыть файл блокировки клавиатуры &quot;%1&quot;: %2</source>
        <translation>Cannot open the keyboard lock file &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>Не удалось заблокировать клавиатуру (&quot;%1&quot;): %2</source>
        <translation>Cannot lock the keyboard (&quot;%1&quot;): %2</translation>
    </message>
    <message>
        <source>Клавиатура занята другой программой.
Повторите операцию, когда та закончит работу с клавиатурой.</source>
        <translation>The keyboard is in use by another program.
Repeat the operation when that program has finished with the keyboard.</translation>
    </message>
</context>
<context>
    <name>TDeviceSession</name>
    <message>
        <source>Ответ: да (--yes).</source>
        <translation>Answer: yes (--yes).</translation>
    </message>
    <message>
        <source>Ответ: нет (--yes отвечает да).</source>
        <translation>Answer: no (--yes answers yes).</translation>
    </message>
    <message>
        <source>%1: %2 блоков</source>
        <translation>%1: %2 blocks</translation>
    </message>
    <message>
        <source>%1: завершено, %2 с</source>
        <translation>%1: done, %2 s</translation>
    </message>
</context>
<context>
    <name>TDialogPrompts</name>
    <message>
        <source>Внимание</source>
        <translation>Warning</translation>
    </message>
</context>
<context>
    <name>TDocumentFollower</name>
    <message>
        <source>Нет активного документа</source>
        <translation>No active document</translation>
    </message>
</context>
<context>
    <name>TDocumentWindows</name>
    <message>
        <source>Раскладка%1</source>
        <translation>Layout%1</translation>
    </message>
    <message>
        <source>Нет активного документа</source>
        <translation>No active document</translation>
    </message>
</context>
<context>
    <name>TECXMLParser</name>
    <message>
        <source>%1 (строка %2)</source>
        <translation>%1 (line %2)</translation>
    </message>
    <message>
        <source>Ошибка записи: %1</source>
        <translation>Write error: %1</translation>
    </message>
    <message>
        <source>Ошибка в XML файле</source>
        <translation>Error in the XML file</translation>
    </message>
    <message>
        <source>Слишком глубокая вложенность элементов в XML файле</source>
        <translation>Elements are nested too deeply in the XML file</translation>
    </message>
    <message>
        <source>Ошибка в XML файле: тег не закрыт</source>
        <translation>Error in the XML file: unclosed tag</translation>
    </message>
    <message>
        <source>Слишком длинная строка в XML файле</source>
        <translation>Text too long in the XML file</translation>
    </message>
</context>
<context>
    <name>TEMFLayout</name>
    <message>
        <source>Раскладка в формате EMF (*.emf)</source>
        <translation>Layout in EMF format (*.emf)</translation>
    </message>
    <message>
        <source>Не удалось записать рисунок раскладки: %1</source>
        <translation>Could not write the layout picture: %1</translation>
    </message>
</context>
<context>
    <name>TErrorReport</name>
    <message>
        <source>Ошибка при отправке сообщения.
<byte value="xd"/>%1.</source>
        <translation>Error sending the message.
<byte value="xd"/>%1.</translation>
    </message>
    <message>
        <source>Адрес для отчетов об ошибках не задан (окно «Настройки приложения», вкладка «%1»).</source>
        <translation>No address for error reports is set (the &quot;Application Settings&quot; window, tab &quot;%1&quot;).</translation>
    </message>
    <message>
        <source>Почтовая программа не найдена.</source>
        <translation>No mail program found.</translation>
    </message>
    <message>
        <source>Отчет не удалось передать почтовой программе.</source>
        <translation>The report could not be passed to the mail program.</translation>
    </message>
    <message>
        <source>Приложение: %1</source>
        <translation>Application: %1</translation>
    </message>
    <message>
        <source>Класс ошибки: %1</source>
        <translation>Error class: %1</translation>
    </message>
    <message>
        <source>Версия программы: %1</source>
        <translation>Program version: %1</translation>
    </message>
    <message>
        <source>Версия ОС: %1</source>
        <translation>OS version: %1</translation>
    </message>
    <message>
        <source>Дата: %1 Время: %2</source>
        <translation>Date: %1 Time: %2</translation>
    </message>
    <message>
        <source>%1: код завершения %2</source>
        <translation>%1: exit code %2</translation>
    </message>
    <message>
        <source>Текст ошибки: %1</source>
        <translation>Error text: %1</translation>
    </message>
</context>
<context>
    <name>TGraphic</name>
    <message>
        <source>Изображение %1×%2 точек слишком велико: допустимо не более %3×%3 точек.</source>
        <translation>The image of %1×%2 pixels is too large: at most %3×%3 pixels are allowed.</translation>
    </message>
    <message>
        <source>Неизвестный тип изображения &quot;%1&quot;.</source>
        <translation>Unknown image type &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>Данные не являются изображением типа &quot;%1&quot;.</source>
        <translation>The data is not an image of type &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>Неизвестный формат файла изображения &quot;%1&quot;.</source>
        <translation>Unknown image file format &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>Размер изображения не может превышать 256 КБ.</source>
        <translation>The image size cannot exceed 256 KB.</translation>
    </message>
    <message>
        <source>Файл &quot;%1&quot; не является изображением.</source>
        <translation>The file &quot;%1&quot; is not an image.</translation>
    </message>
    <message>
        <source>Все изображения</source>
        <translation>All images</translation>
    </message>
    <message>
        <source>Точечные рисунки</source>
        <translation>Bitmaps</translation>
    </message>
    <message>
        <source>Изображения JPEG</source>
        <translation>JPEG images</translation>
    </message>
    <message>
        <source>Значки</source>
        <translation>Icons</translation>
    </message>
    <message>
        <source>Изображения PNG</source>
        <translation>PNG images</translation>
    </message>
    <message>
        <source>Метафайлы</source>
        <translation>Metafiles</translation>
    </message>
    <message>
        <source>неизвестный тип изображения</source>
        <translation>unknown image type</translation>
    </message>
    <message>
        <source>данные не читаются</source>
        <translation>the data cannot be read</translation>
    </message>
    <message>
        <source>Рисунок клавиши типа &quot;%1&quot; (%2 байт) не рисуется: %3</source>
        <translation>The key picture of type &quot;%1&quot; (%2 bytes) is not drawn: %3</translation>
    </message>
</context>
<context>
    <name>THelpCommands</name>
    <message>
        <source>Не найден файл справки %1.</source>
        <translation>Help file %1 not found.</translation>
    </message>
    <message>
        <source>Не удалось открыть файл справки %1.</source>
        <translation>Could not open help file %1.</translation>
    </message>
</context>
<context>
    <name>THidDevice</name>
    <message>
        <source>Нет доступа к устройству %1 (%2). Разрешите доступ к нему правилом udev, как описано в справке (раздел «USB: доступ к hidraw»).</source>
        <translation>No access to the device %1 (%2). Allow access to it with a udev rule as the help describes (section “USB: Access to hidraw”).</translation>
    </message>
    <message>
        <source>Невозможно открыть устройство %1</source>
        <translation>Cannot open the device %1</translation>
    </message>
    <message>
        <source>Ошибка записи данных в файл.<byte value="xd"/>
Запрос на запись: %1. Записано: %2</source>
        <translation>Error writing data to the file.<byte value="xd"/>
Requested: %1. Written: %2</translation>
    </message>
    <message>
        <source>Нет связи</source>
        <translation>No connection</translation>
    </message>
</context>
<context>
    <name>TKey</name>
    <message>
        <source>Макрос</source>
        <translation>Macro</translation>
    </message>
    <message>
        <source>Переход на cлой вверх</source>
        <translation>Switch one layer up</translation>
    </message>
    <message>
        <source>Переход на cлой вниз</source>
        <translation>Switch one layer down</translation>
    </message>
    <message>
        <source>Переход на 1 cлой</source>
        <translation>Switch to layer 1</translation>
    </message>
    <message>
        <source>Переход на 2 cлой</source>
        <translation>Switch to layer 2</translation>
    </message>
    <message>
        <source>Переход на 3 cлой</source>
        <translation>Switch to layer 3</translation>
    </message>
    <message>
        <source>Переход на 4 cлой</source>
        <translation>Switch to layer 4</translation>
    </message>
    <message>
        <source>Временный переход на 1 cлой</source>
        <translation>Temporary switch to layer 1</translation>
    </message>
    <message>
        <source>Временный переход на 2 cлой</source>
        <translation>Temporary switch to layer 2</translation>
    </message>
    <message>
        <source>Временный переход на 3 cлой</source>
        <translation>Temporary switch to layer 3</translation>
    </message>
    <message>
        <source>Временный переход на 4 cлой</source>
        <translation>Temporary switch to layer 4</translation>
    </message>
</context>
<context>
    <name>TKeyGrid</name>
    <message>
        <source>нет</source>
        <translation>none</translation>
    </message>
    <message>
        <source>&lt;b&gt;Клавиша (%1,%2)&lt;/b&gt;, номер %3</source>
        <translation>&lt;b&gt;Key (%1,%2)&lt;/b&gt;, number %3</translation>
    </message>
    <message>
        <source>&lt;b&gt;Слой %1&lt;/b&gt;: %2</source>
        <translation>&lt;b&gt;Layer %1&lt;/b&gt;: %2</translation>
    </message>
    <message>
        <source>нажатие: %1</source>
        <translation>press: %1</translation>
    </message>
    <message>
        <source>отжатие: %1</source>
        <translation>release: %1</translation>
    </message>
    <message>
        <source>автоповтор</source>
        <translation>auto-repeat</translation>
    </message>
    <message>
        <source>примечание: %1</source>
        <translation>remark: %1</translation>
    </message>
</context>
<context>
    <name>TKeyLock</name>
    <message>
        <source>Макрос</source>
        <translation>Macro</translation>
    </message>
    <message>
        <source>Переход на %1 cлой</source>
        <translation>Switch to layer %1</translation>
    </message>
    <message>
        <source>Количество положений ключа не может быть больше 8.</source>
        <translation>The number of key lock positions cannot exceed 8.</translation>
    </message>
    <message>
        <source>Ключ. Положение %1. %2</source>
        <translation>Key lock. Position %1. %2</translation>
    </message>
</context>
<context>
    <name>TKeyPicture</name>
    <message>
        <source>Размер изображения не может превышать 256 КБ.</source>
        <translation>The image size cannot exceed 256 KB.</translation>
    </message>
</context>
<context>
    <name>TKeyboardDriver</name>
    <message>
        <source>Неверная длина кадра.</source>
        <translation>Invalid frame length.</translation>
    </message>
    <message>
        <source>Длина данных кадра не может превышать 255 байт.</source>
        <translation>Frame data cannot be longer than 255 bytes.</translation>
    </message>
    <message>
        <source>Ошибка устройства: %1, %2h<byte value="xd"/>
%3</source>
        <translation>Device error: %1, %2h<byte value="xd"/>
%3</translation>
    </message>
    <message>
        <source>Ошибка CRC</source>
        <translation>CRC error</translation>
    </message>
    <message>
        <source>Устройство вернуло неверное количество данных.<byte value="xd"/>
Запрошено: %1, получено: %2.</source>
        <translation>The device returned a wrong amount of data.<byte value="xd"/>
Requested: %1, received: %2.</translation>
    </message>
    <message>
        <source>Количество нот не может превышать 84.</source>
        <translation>A melody cannot have more than 84 notes.</translation>
    </message>
    <message>
        <source>Программа клавиатуры повреждена.<byte value="xd"/>
Необходимо записать программу в клавиатуру.<byte value="xd"/>
Сделать это можно из меню &quot;Устройство\Запись программы&quot;</source>
        <translation>The keyboard&apos;s firmware is damaged.<byte value="xd"/>
The firmware must be written to the keyboard.<byte value="xd"/>
You can do this with &quot;Device\Write Firmware from File&quot;</translation>
    </message>
    <message>
        <source>Нет связи</source>
        <translation>No connection</translation>
    </message>
    <message>
        <source>Нет доступных портов</source>
        <translation>No ports available</translation>
    </message>
    <message>
        <source>Нет доступных устройств</source>
        <translation>No devices available</translation>
    </message>
    <message>
        <source>нет сокета драйвера PS/2 %1</source>
        <translation>no PS/2 driver socket %1</translation>
    </message>
    <message>
        <source>USB-клавиатура %1 не подключена</source>
        <translation>USB keyboard %1 is not connected</translation>
    </message>
    <message>
        <source>Устройство %1 не найдено.</source>
        <translation>Device %1 not found.</translation>
    </message>
</context>
<context>
    <name>TKeyboardManager</name>
    <message>
        <source>Не задан обработчик вопросов пользователю</source>
        <translation>No handler for questions to the user is set</translation>
    </message>
    <message>
        <source>Чтение раскладки</source>
        <translation>Reading the layout</translation>
    </message>
    <message>
        <source>Размер исполняемой програмы для клавиатуры
<byte value="xd"/>не может превышать 65 килобайт!</source>
        <translation>A keyboard firmware file
<byte value="xd"/>cannot be larger than 65 kilobytes!</translation>
    </message>
    <message>
        <source>Файл &quot;%1&quot; пуст: записывать в клавиатуру нечего.</source>
        <translation>The file &quot;%1&quot; is empty: there is nothing to write to the keyboard.</translation>
    </message>
    <message>
        <source>В клавиатуре нет раскладки: резервная копия не нужна.</source>
        <translation>The keyboard holds no layout: no backup is needed.</translation>
    </message>
    <message>
        <source>Резервная копия раскладки клавиатуры: %1</source>
        <translation>Backup of the keyboard&apos;s layout: %1</translation>
    </message>
    <message>
        <source>Не удалось сохранить резервную копию раскладки клавиатуры:<byte value="xd"/>
%1<byte value="xd"/>
Записать раскладку без резервной копии ?</source>
        <translation>Cannot save a backup of the keyboard&apos;s layout:<byte value="xd"/>
%1<byte value="xd"/>
Write the layout without a backup?</translation>
    </message>
    <message>
        <source>Проверка записи</source>
        <translation>Verifying the write</translation>
    </message>
    <message>
        <source>Ошибка проверки записи: адрес %1.</source>
        <translation>Write verification failed at address %1.</translation>
    </message>
    <message>
        <source>Запись раскладки прервана: в клавиатуре нет действующей раскладки.</source>
        <translation>Layout write interrupted: the keyboard has no valid layout.</translation>
    </message>
    <message>
        <source>Клавиатура не приняла записанную раскладку: раскладка в клавиатуре недействительна.</source>
        <translation>The keyboard did not accept the written layout: the layout in the keyboard is invalid.</translation>
    </message>
    <message>
        <source>Файл %1 не является раскладкой клавиатуры:<byte value="xd"/>
%2<byte value="xd"/>
Всё равно записать его в клавиатуру ?</source>
        <translation>The file %1 is not a keyboard layout:<byte value="xd"/>
%2<byte value="xd"/>
Write it to the keyboard anyway?</translation>
    </message>
    <message>
        <source>Раскладка содержит неверную последовательность кодов<byte value="xd"/>
Продолжить запись ?</source>
        <translation>The layout contains an invalid code sequence<byte value="xd"/>
Continue writing?</translation>
    </message>
    <message>
        <source>Программа поддерживает клавиатуры версии 2.8 или выше.<byte value="xd"/>
Версия прошивки вашей клавиатуры устарела.<byte value="xd"/>
Хотите обновить ее ?<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation>The program supports keyboards of version 2.8 or later.<byte value="xd"/>
Your keyboard&apos;s firmware is out of date.<byte value="xd"/>
Do you want to update it?<byte value="xd"/>
<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>Вы хотите записать раскладку для клавиатуры %1<byte value="xd"/>
в клавиатуру другой модели %2. Продолжить ?</source>
        <translation>You are about to write a layout for the keyboard %1<byte value="xd"/>
to a keyboard of another model, %2. Continue?</translation>
    </message>
    <message>
        <source>Раскладка (%1 байт) не помещается в память клавиатуры (%2 байт).</source>
        <translation>The layout (%1 bytes) does not fit into the keyboard&apos;s memory (%2 bytes).</translation>
    </message>
    <message>
        <source>Запись раскладки</source>
        <translation>Writing the layout</translation>
    </message>
    <message>
        <source>Запись файла раскладки</source>
        <translation>Writing the layout file</translation>
    </message>
    <message>
        <source>Вы хотите записать в клавиатуру %1 программу,<byte value="xd"/>
предназначенную для клавиатуры %2.<byte value="xd"/>
Это может привести к ее неправильной работе.<byte value="xd"/>
Продолжить ?</source>
        <translation>You are about to write firmware intended for the keyboard %2<byte value="xd"/>
to the keyboard %1.<byte value="xd"/>
This may make the keyboard work incorrectly.<byte value="xd"/>
Continue?</translation>
    </message>
    <message>
        <source>Запись файла программы</source>
        <translation>Writing the firmware file</translation>
    </message>
    <message>
        <source>Запись программы прервана: программа клавиатуры повреждена, запишите ее заново.</source>
        <translation>Firmware write interrupted: the keyboard&apos;s firmware is damaged, write it again.</translation>
    </message>
    <message>
        <source>Программа не записана: клавиатура считает свою программу поврежденной.</source>
        <translation>Firmware not written: the keyboard considers its firmware damaged.</translation>
    </message>
    <message>
        <source>Программы клавиатуры (*.prg)|*.prg|Все файлы (*.*)|*.*</source>
        <translation>Keyboard firmware (*.prg)|*.prg|All files (*.*)|*.*</translation>
    </message>
</context>
<context>
    <name>TKeyboardSimulator</name>
    <message>
        <source>Не удалось открыть журнал эмулятора %1: %2</source>
        <translation>Could not open the emulator log %1: %2</translation>
    </message>
</context>
<context>
    <name>TKeyboards</name>
    <message>
        <source>Не найдено описание клавиатуры с идентификатором %1.</source>
        <translation>No keyboard description with ID %1 was found.</translation>
    </message>
    <message>
        <source>Не найдено описание клавиатуры с кодом модели %1.</source>
        <translation>No keyboard description with model code %1 was found.</translation>
    </message>
</context>
<context>
    <name>TLayer</name>
    <message>
        <source>Клавиша с координатами (%1, %2) не найдена.</source>
        <translation>The key at (%1, %2) was not found.</translation>
    </message>
    <message>
        <source>Неверное значение количества слоев: %1</source>
        <translation>Invalid number of layers: %1</translation>
    </message>
    <message>
        <source>Количество слоев должно быть больше 0.</source>
        <translation>The number of layers must be greater than 0.</translation>
    </message>
</context>
<context>
    <name>TLayerPartsDialog</name>
    <message>
        <source>В раскладке нет слоев.</source>
        <translation>The layout has no layers.</translation>
    </message>
    <message>
        <source>Слой %1</source>
        <translation>Layer %1</translation>
    </message>
</context>
<context>
    <name>TLayout</name>
    <message>
        <source>Неверное значение количества колонок: %1</source>
        <translation>Invalid number of columns: %1</translation>
    </message>
    <message>
        <source>Количество колонок раскладки должно быть больше 0.</source>
        <translation>The number of layout columns must be greater than 0.</translation>
    </message>
    <message>
        <source>Неверное значение количества рядов: %1</source>
        <translation>Invalid number of rows: %1</translation>
    </message>
    <message>
        <source>Количество рядов раскладки должно быть больше 0.</source>
        <translation>The number of layout rows must be greater than 0.</translation>
    </message>
    <message>
        <source>Неверное значение количества положений ключа: %1</source>
        <translation>Invalid number of key lock positions: %1</translation>
    </message>
    <message>
        <source>Количество положений ключа должно быть от 1 до 8.</source>
        <translation>The number of key lock positions must be from 1 to 8.</translation>
    </message>
    <message>
        <source>Различное количество слоев.</source>
        <translation>The numbers of layers differ.</translation>
    </message>
    <message>
        <source>Коды нажатия</source>
        <translation>Press codes</translation>
    </message>
    <message>
        <source>Коды отжатия</source>
        <translation>Release codes</translation>
    </message>
    <message>
        <source>[Ошибка(%1)] Слой %2. %3</source>
        <translation>[Error(%1)] Layer %2. %3</translation>
    </message>
    <message>
        <source>[Ошибка(%1)] Слой %2. Клавиша (%3,%4). %5. %6</source>
        <translation>[Error(%1)] Layer %2. Key (%3,%4). %5. %6</translation>
    </message>
    <message>
        <source>[Поиск] Слой %1. Клавиша (%2,%3). %4. Строка %5 найдена.</source>
        <translation>[Search] Layer %1. Key (%2,%3). %4. String %5 found.</translation>
    </message>
    <message>
        <source>[Сравнение] Слой %1. Клавиша (%2,%3). %4: &quot;%5&quot; -&gt; &quot;%6&quot;</source>
        <translation>[Comparison] Layer %1. Key (%2,%3). %4: &quot;%5&quot; -&gt; &quot;%6&quot;</translation>
    </message>
    <message>
        <source>Длина скан-кодов не может превышать 255 байт.</source>
        <translation>Scan codes cannot be longer than 255 bytes.</translation>
    </message>
</context>
<context>
    <name>TLayoutBackups</name>
    <message>
        <source>Не удалось создать папку резервных копий &quot;%1&quot;.</source>
        <translation>Cannot create the backup folder &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>Резервная копия &quot;%1&quot; прочитана не такой, какой была записана.</source>
        <translation>The backup &quot;%1&quot; did not read back as it was written.</translation>
    </message>
</context>
<context>
    <name>TLayoutDifference</name>
    <message>
        <source>да</source>
        <translation>yes</translation>
    </message>
    <message>
        <source>нет</source>
        <translation>no</translation>
    </message>
    <message>
        <source>%1, %2 пт, стиль %3, цвет %4</source>
        <translation>%1, %2 pt, style %3, color %4</translation>
    </message>
    <message>
        <source>%1, %2 байт</source>
        <translation>%1, %2 bytes</translation>
    </message>
    <message>
        <source>Функция</source>
        <translation>Function</translation>
    </message>
    <message>
        <source>Коды нажатия</source>
        <translation>Press codes</translation>
    </message>
    <message>
        <source>Коды отжатия</source>
        <translation>Release codes</translation>
    </message>
    <message>
        <source>Автоповтор</source>
        <translation>Auto-repeat</translation>
    </message>
    <message>
        <source>Звук</source>
        <translation>Sound</translation>
    </message>
    <message>
        <source>Примечание</source>
        <translation>Remark</translation>
    </message>
    <message>
        <source>Рисунок, текст</source>
        <translation>Picture, text</translation>
    </message>
    <message>
        <source>Рисунок, шрифт</source>
        <translation>Picture, font</translation>
    </message>
    <message>
        <source>Рисунок, фон</source>
        <translation>Picture, background</translation>
    </message>
    <message>
        <source>Рисунок, поворот текста</source>
        <translation>Picture, text rotation</translation>
    </message>
    <message>
        <source>Рисунок, изображение</source>
        <translation>Picture, image</translation>
    </message>
    <message>
        <source>Клавиша</source>
        <translation>Key</translation>
    </message>
    <message>
        <source>есть</source>
        <translation>yes</translation>
    </message>
    <message>
        <source>Считыватель</source>
        <translation>Card reader</translation>
    </message>
    <message>
        <source>Отправлять Enter</source>
        <translation>Send Enter</translation>
    </message>
    <message>
        <source>Остановка при ошибке</source>
        <translation>Stop on error</translation>
    </message>
    <message>
        <source>Световая индикация</source>
        <translation>Light indication</translation>
    </message>
    <message>
        <source>Считыватель. Дорожка %1</source>
        <translation>Card reader. Track %1</translation>
    </message>
    <message>
        <source>Включена</source>
        <translation>Enabled</translation>
    </message>
    <message>
        <source>Префикс</source>
        <translation>Prefix</translation>
    </message>
    <message>
        <source>Суффикс</source>
        <translation>Suffix</translation>
    </message>
    <message>
        <source>Ключ</source>
        <translation>Key lock</translation>
    </message>
    <message>
        <source>Позиций</source>
        <translation>Positions</translation>
    </message>
    <message>
        <source>Ключ. Позиция %1</source>
        <translation>Key lock. Position %1</translation>
    </message>
    <message>
        <source>Коды</source>
        <translation>Codes</translation>
    </message>
    <message>
        <source>Блокировка</source>
        <translation>Lock</translation>
    </message>
    <message>
        <source>[Сравнение] Слой %1. %2: &quot;%3&quot; -&gt; &quot;%4&quot;</source>
        <translation>[Comparison] Layer %1. %2: &quot;%3&quot; -&gt; &quot;%4&quot;</translation>
    </message>
    <message>
        <source>[Сравнение] Клавиша (%1,%2). %3: &quot;%4&quot; -&gt; &quot;%5&quot;</source>
        <translation>[Comparison] Key (%1,%2). %3: &quot;%4&quot; -&gt; &quot;%5&quot;</translation>
    </message>
    <message>
        <source>[Сравнение] %1: &quot;%2&quot; -&gt; &quot;%3&quot;</source>
        <translation>[Comparison] %1: &quot;%2&quot; -&gt; &quot;%3&quot;</translation>
    </message>
    <message>
        <source>Модель</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>Слоёв</source>
        <translation>Layers</translation>
    </message>
    <message>
        <source>Группа %1</source>
        <translation>Group %1</translation>
    </message>
</context>
<context>
    <name>TLayoutDocument</name>
    <message>
        <source>Свойства клавиши</source>
        <translation>Key Properties</translation>
    </message>
    <message>
        <source>Загрузить картинку</source>
        <translation>Load Picture</translation>
    </message>
    <message>
        <source>Очистить картинку</source>
        <translation>Clear Picture</translation>
    </message>
    <message>
        <source>Изменить шрифт</source>
        <translation>Change Font</translation>
    </message>
    <message>
        <source>Изменить фон</source>
        <translation>Change Background</translation>
    </message>
    <message>
        <source>Расположение</source>
        <translation>Orientation</translation>
    </message>
    <message>
        <source>Текст рисунка</source>
        <translation>Picture Text</translation>
    </message>
    <message>
        <source>Функция клавиши</source>
        <translation>Key Function</translation>
    </message>
    <message>
        <source>При нажатии</source>
        <translation>Press Codes</translation>
    </message>
    <message>
        <source>При отжатии</source>
        <translation>Release Codes</translation>
    </message>
    <message>
        <source>Автоповтор клавиши</source>
        <translation>Key Auto-Repeat</translation>
    </message>
    <message>
        <source>Примечание</source>
        <translation>Remark</translation>
    </message>
    <message>
        <source>Звук</source>
        <translation>Sound</translation>
    </message>
    <message>
        <source>Не задано имя файла раскладки.</source>
        <translation>The layout has no file name.</translation>
    </message>
    <message>
        <source>Записать раскладку</source>
        <translation>Write Layout</translation>
    </message>
    <message>
        <source>Вырезать</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>Вставить</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>Очистить</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Сгруппировать</source>
        <translation>Group</translation>
    </message>
    <message>
        <source>Разгруппировать</source>
        <translation>Ungroup</translation>
    </message>
    <message>
        <source>Заменить</source>
        <translation>Replace</translation>
    </message>
    <message>
        <source>Свойства раскладки</source>
        <translation>Layout Properties</translation>
    </message>
    <message>
        <source>Различное количество слоев.</source>
        <translation>The numbers of layers differ.</translation>
    </message>
    <message>
        <source>Считыватель магнитных карт</source>
        <translation>Magnetic Card Reader</translation>
    </message>
    <message>
        <source>Ключ клавиатуры</source>
        <translation>Key Lock</translation>
    </message>
</context>
<context>
    <name>TLayoutFileFormats</name>
    <message>
        <source>Неизвестный формат раскладки &quot;%1&quot;. Допустимы: %2.</source>
        <translation>Unknown layout format &quot;%1&quot;. Allowed: %2.</translation>
    </message>
</context>
<context>
    <name>TLayoutFormat</name>
    <message>
        <source>Отсутствуют данные раскладки</source>
        <translation>Layout data is missing</translation>
    </message>
    <message>
        <source>Неверный индекс формата</source>
        <translation>Invalid format index</translation>
    </message>
</context>
<context>
    <name>TLayoutSession</name>
    <message>
        <source>Неверный номер слоя: %1</source>
        <translation>Invalid layer number: %1</translation>
    </message>
</context>
<context>
    <name>TMSR</name>
    <message>
        <source>Префикс. %1</source>
        <translation>Prefix. %1</translation>
    </message>
    <message>
        <source>Суффикс. %1</source>
        <translation>Suffix. %1</translation>
    </message>
    <message>
        <source>Неверное значение индекса трека.</source>
        <translation>Invalid track index.</translation>
    </message>
    <message>
        <source>Считыватель карт. Трек %1. %2</source>
        <translation>Card reader. Track %1. %2</translation>
    </message>
</context>
<context>
    <name>TMelodyField</name>
    <message>
        <source>Прослушать</source>
        <translation>Play</translation>
    </message>
</context>
<context>
    <name>TNotes</name>
    <message>
        <source>Количество нот не может быть больше 256.</source>
        <translation>The number of notes cannot exceed 256.</translation>
    </message>
</context>
<context>
    <name>TPortPS2</name>
    <message>
        <source>Драйвер для доступа к клавиатуре не установлен</source>
        <translation>The keyboard access driver is not installed</translation>
    </message>
    <message>
        <source>Нет связи</source>
        <translation>No connection</translation>
    </message>
    <message>
        <source>Ошибка при записи данных. Код ошибки: %1</source>
        <translation>Error writing data. Error code: %1</translation>
    </message>
    <message>
        <source>Драйвер для доступа к клавиатуре не установлен
%1: %2</source>
        <translation>The keyboard access driver is not installed
%1: %2</translation>
    </message>
    <message>
        <source>PS/2 клавиатура</source>
        <translation>PS/2 keyboard</translation>
    </message>
</context>
<context>
    <name>TReleaseCommands</name>
    <message>
        <source>недоступна</source>
        <translation>unavailable</translation>
    </message>
    <message>
        <source>Версия программы : %1</source>
        <translation>Program version : %1</translation>
    </message>
    <message>
        <source>Версия драйвера  : %1</source>
        <translation>Driver version  : %1</translation>
    </message>
</context>
<context>
    <name>TScanCode</name>
    <message>
        <source>Длина скан-кодов не может превышать 255 байт.</source>
        <translation>Scan codes cannot be longer than 255 bytes.</translation>
    </message>
    <message>
        <source>Неверное значение CodeType</source>
        <translation>Invalid CodeType value</translation>
    </message>
</context>
<context>
    <name>TScanCodes</name>
    <message>
        <source>Длина скан-кодов не может превышать 255 байт.</source>
        <translation>Scan codes cannot be longer than 255 bytes.</translation>
    </message>
    <message>
        <source>Код %1: Два нажатия подряд.</source>
        <translation>Code %1: Two presses in a row.</translation>
    </message>
    <message>
        <source>Код %1: Отжатие перед нажатием.</source>
        <translation>Code %1: Release before press.</translation>
    </message>
    <message>
        <source>Код %1: Нет отжатия.</source>
        <translation>Code %1: No release.</translation>
    </message>
</context>
<context>
    <name>TSimulatorOptions</name>
    <message>
        <source>Не указано значение параметра %1</source>
        <translation>No value given for option %1</translation>
    </message>
    <message>
        <source>Неверная версия в параметре %1: %2 (ожидается, например, 2.10)</source>
        <translation>Invalid version in option %1: %2 (expected, for example, 2.10)</translation>
    </message>
    <message>
        <source>Неверное значение параметра %1: %2</source>
        <translation>Invalid value of option %1: %2</translation>
    </message>
    <message>
        <source>Неизвестный параметр: %1</source>
        <translation>Unknown option: %1</translation>
    </message>
    <message>
        <source>Эмулятор клавиатуры: отвечает на команды клавиатуры через сокет драйвера.

Использование: ravlin-kbdsim [параметры]
  --driver-socket ПУТЬ   сокет драйвера (по умолчанию %1)
  --model КОД            код модели клавиатуры (по умолчанию 1)
  --data ПАПКА           папка с папкой &quot;Клавиатуры&quot; (по умолчанию папка программы
                         или ../share/ravlin от нее)
  --program 2.10         версия рабочей программы
  --loader 2.6           версия загрузчика
  --memory БАЙТ          объём памяти раскладки (1..65535, по умолчанию 32768)
  --mode-delay МС        молчание после смены режима
  --latency МС           задержка каждого ответа
  --state ФАЙЛ           файл, хранящий память между запусками
  --log ФАЙЛ             журнал запросов
  --program-invalid      программа клавиатуры повреждена, пока не записана новая
  --driver-version A.B.C.D  версия драйвера (по умолчанию 1.0.0.0)
  --drop-frame N         потерять ответ на запрос N (запросы считаются с 1)
  --corrupt-frame N      испортить контрольную сумму ответа на запрос N
  --error-frame N        ответить на запрос N кодом ошибки
  --error-code HEX       код ошибки для --error-frame и --error-rate (по умолчанию 73)
  --lose-frame N         подтвердить запись памяти запросом N, но не сохранить её
  --stop-after N         не отвечать начиная с запроса N + 1
  --drop-rate P          доля потерянных ответов (0..1)
  --corrupt-rate P       доля ответов с неверной контрольной суммой (0..1)
  --error-rate P         доля ответов с кодом ошибки (0..1)
  --seed N               начальное значение генератора случайных сбоев
  --help                 эта справка
  --version              версия программы
</source>
        <translation>Keyboard emulator: answers keyboard commands through the driver socket.

Usage: ravlin-kbdsim [options]
  --driver-socket PATH   driver socket (default %1)
  --model CODE           keyboard model code (default 1)
  --data FOLDER          folder holding the &quot;Клавиатуры&quot; folder (default: the program&apos;s
                         folder or ../share/ravlin relative to it)
  --program 2.10         firmware version
  --loader 2.6           loader version
  --memory BYTES         size of the layout memory (1..65535, default 32768)
  --mode-delay MS        silence after a mode switch
  --latency MS           delay of every answer
  --state FILE           file that keeps the memory between runs
  --log FILE             request log
  --program-invalid      the keyboard&apos;s firmware is damaged until a new one is written
  --driver-version A.B.C.D  driver version (default 1.0.0.0)
  --drop-frame N         lose the answer to request N (requests are counted from 1)
  --corrupt-frame N      spoil the checksum of the answer to request N
  --error-frame N        answer request N with an error code
  --error-code HEX       error code for --error-frame and --error-rate (default 73)
  --lose-frame N         confirm the memory write of request N but do not store it
  --stop-after N         stop answering from request N + 1 on
  --drop-rate P          share of lost answers (0..1)
  --corrupt-rate P       share of answers with a wrong checksum (0..1)
  --error-rate P         share of answers with an error code (0..1)
  --seed N               seed of the random fault generator
  --help                 this help
  --version              program version
</translation>
    </message>
</context>
<context>
    <name>TSimulatorServer</name>
    <message>
        <source>Сокет %1 уже обслуживает другой процесс</source>
        <translation>Socket %1 is already served by another process</translation>
    </message>
    <message>
        <source>По пути %1 лежит не сокет: эмулятор его не удаляет. Укажите другой путь --driver-socket.</source>
        <translation>%1 is not a socket: the emulator does not remove it. Give another path with --driver-socket.</translation>
    </message>
    <message>
        <source>Не удалось удалить старый сокет %1: %2</source>
        <translation>Could not remove the old socket %1: %2</translation>
    </message>
    <message>
        <source>Не удалось открыть сокет %1: %2</source>
        <translation>Could not open socket %1: %2</translation>
    </message>
</context>
<context>
    <name>TSimulatorState</name>
    <message>
        <source>Неверный формат файла состояния эмулятора: %1</source>
        <translation>Invalid emulator state file format: %1</translation>
    </message>
    <message>
        <source>память в %1 байт больше допустимой</source>
        <translation>a memory of %1 bytes is larger than allowed</translation>
    </message>
    <message>
        <source>файл обрывается</source>
        <translation>the file ends too early</translation>
    </message>
    <message>
        <source>нет подписи</source>
        <translation>no signature</translation>
    </message>
    <message>
        <source>неизвестная версия %1</source>
        <translation>unknown version %1</translation>
    </message>
    <message>
        <source>лишние данные в конце</source>
        <translation>extra data at the end</translation>
    </message>
</context>
<context>
    <name>TStatusLine</name>
    <message>
        <source>Клавиша (%1,%2), номер %3; все слои</source>
        <translation>Key (%1,%2), number %3; all layers</translation>
    </message>
    <message>
        <source>Клавиша (%1,%2), номер %3; слой %4</source>
        <translation>Key (%1,%2), number %3; layer %4</translation>
    </message>
    <message>
        <source>Клетка (%1,%2) без клавиши; все слои</source>
        <translation>Cell (%1,%2), no key; all layers</translation>
    </message>
    <message>
        <source>Клетка (%1,%2) без клавиши; слой %3</source>
        <translation>Cell (%1,%2), no key; layer %3</translation>
    </message>
    <message>
        <source>Выделено: %1 × %2</source>
        <translation>Selected: %1 × %2</translation>
    </message>
    <message>
        <source>Масштаб %1%</source>
        <translation>Zoom %1%</translation>
    </message>
    <message>
        <source>Модель: %1</source>
        <translation>Model: %1</translation>
    </message>
</context>
<context>
    <name>TUndoCommands</name>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>История</source>
        <translation>Undo History</translation>
    </message>
    <message>
        <source>Исходное состояние</source>
        <translation>Initial state</translation>
    </message>
</context>
<context>
    <name>TXMLKeyboard</name>
    <message>
        <source>Неверные параметры положения кнопки.</source>
        <translation>Invalid key position parameters.</translation>
    </message>
    <message>
        <source>Неверное количество колонок: %1 (допустимо от %2 до %3).</source>
        <translation>Invalid number of columns: %1 (allowed from %2 to %3).</translation>
    </message>
    <message>
        <source>Неверное количество рядов: %1 (допустимо от %2 до %3).</source>
        <translation>Invalid number of rows: %1 (allowed from %2 to %3).</translation>
    </message>
    <message>
        <source>Неверное количество слоев: %1 (допустимо от %2 до %3).</source>
        <translation>Invalid number of layers: %1 (allowed from %2 to %3).</translation>
    </message>
    <message>
        <source>Неверное количество положений ключа: %1 (допустимо от %2 до %3).</source>
        <translation>Invalid number of key lock positions: %1 (allowed from %2 to %3).</translation>
    </message>
    <message>
        <source>Слишком глубокая вложенность групп параметров.</source>
        <translation>Parameter groups are nested too deeply.</translation>
    </message>
    <message>
        <source>Ошибка в файле %1: %2</source>
        <translation>Error in the file %1: %2</translation>
    </message>
    <message>
        <source>Не удалось загрузить описания клавиатур:<byte value="xd"/>
Не существует директория &quot;%1&quot;</source>
        <translation>Cannot load the keyboard descriptions:<byte value="xd"/>
The folder &quot;%1&quot; does not exist</translation>
    </message>
    <message>
        <source>Описание клавиатуры с идентификатором %1 уже загружено из файла %2.</source>
        <translation>A keyboard description with ID %1 has already been loaded from the file %2.</translation>
    </message>
    <message>
        <source>В папке %1 не найдены описания клавиатур.</source>
        <translation>No keyboard descriptions were found in the folder %1.</translation>
    </message>
    <message>
        <source>Неверное имя корневого элемента.</source>
        <translation>Invalid root element name.</translation>
    </message>
    <message>
        <source>Отсутствуют описания клавиш.</source>
        <translation>The key descriptions are missing.</translation>
    </message>
</context>
<context>
    <name>TXMLLayout</name>
    <message>
        <source>Раскладка Ravlin (*.xml)</source>
        <translation>Ravlin layout (*.xml)</translation>
    </message>
    <message>
        <source>&quot;$%1&quot; не является целым числом.</source>
        <translation>&quot;$%1&quot; is not a valid integer.</translation>
    </message>
    <message>
        <source>Не найдены параметры раскладки.</source>
        <translation>Layout parameters not found.</translation>
    </message>
</context>
<context>
    <name>TXMLLayout13</name>
    <message>
        <source>Раскладка Ravlin 1.3 (*.xml)</source>
        <translation>Ravlin 1.3 layout (*.xml)</translation>
    </message>
</context>
<context>
    <name>TfmAbout</name>
    <message>
        <source>О программе</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Лицензия: %1</source>
        <translation>License: %1</translation>
    </message>
    <message>
        <source>Проверить обновления...</source>
        <translation>Check for Updates...</translation>
    </message>
</context>
<context>
    <name>TfmCodes</name>
    <message>
        <source>Коды клавиши</source>
        <translation>Key Codes</translation>
    </message>
    <message>
        <source>&quot;+&quot; означает нажатие клавиши, &quot;-&quot; - отжатие</source>
        <translation>&quot;+&quot; means a key press, &quot;-&quot; a release</translation>
    </message>
    <message>
        <source>Для ввода клавиши TAB используйте кнопку &quot;Выбрать&quot;</source>
        <translation>To enter the TAB key, use the &quot;Choose&quot; button</translation>
    </message>
    <message>
        <source>Вы можете нажимать и отжимать любое количество клавиш в произвольном порядке</source>
        <translation>You can press and release any number of keys in any order</translation>
    </message>
    <message>
        <source>Выбрать...</source>
        <translation>Choose...</translation>
    </message>
    <message>
        <source>Очистить</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Задать...</source>
        <translation>Custom...</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TfmCstKey</name>
    <message>
        <source>Новая клавиша</source>
        <translation>New Key</translation>
    </message>
    <message>
        <source>Код, hex:</source>
        <translation>Code, hex:</translation>
    </message>
</context>
<context>
    <name>TfmDevices</name>
    <message>
        <source>Поддерживаемые устройства</source>
        <translation>Supported Devices</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>TfmDoc</name>
    <message>
        <source>Клавиша</source>
        <translation>Key</translation>
    </message>
    <message>
        <source>Считыватель</source>
        <translation>Card Reader</translation>
    </message>
    <message>
        <source>Ключ</source>
        <translation>Key Lock</translation>
    </message>
    <message>
        <source>Раскладка</source>
        <translation>Layout</translation>
    </message>
    <message>
        <source>Проверить</source>
        <translation>Check</translation>
    </message>
    <message>
        <source>Проверить раскладку</source>
        <translation>Check Layout</translation>
    </message>
    <message>
        <source>Внимание</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Раскладка [%1] была изменена. Сохранить?</source>
        <translation>The layout [%1] has been modified. Save it?</translation>
    </message>
    <message>
        <source>Не удается найти &quot;%1&quot;</source>
        <translation>Cannot find &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Пересечение групп. Группирование невозможно.</source>
        <translation>The groups overlap. The keys cannot be grouped.</translation>
    </message>
    <message>
        <source>Поиск</source>
        <translation>Find</translation>
    </message>
    <message>
        <source>Замена</source>
        <translation>Replace</translation>
    </message>
    <message>
        <source>[Замена] (%1-&gt;%2) Количество замен: %3</source>
        <translation>[Replace] (%1-&gt;%2) Replacements made: %3</translation>
    </message>
    <message>
        <source>Ошибок нет.</source>
        <translation>No errors found.</translation>
    </message>
    <message>
        <source>Не удалось начать печать.</source>
        <translation>Could not start printing.</translation>
    </message>
    <message>
        <source>Свойства</source>
        <translation>Properties</translation>
    </message>
    <message>
        <source>Свойства раскладки</source>
        <translation>Layout Properties</translation>
    </message>
    <message>
        <source>Вырезать</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>Копировать</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Вставить</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>Удалить</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Поиск...</source>
        <translation>Find...</translation>
    </message>
    <message>
        <source>Замена...</source>
        <translation>Replace...</translation>
    </message>
    <message>
        <source>Сгруппировать</source>
        <translation>Group</translation>
    </message>
    <message>
        <source>Разгруппировать</source>
        <translation>Ungroup</translation>
    </message>
    <message>
        <source>Загрузить картинку...</source>
        <translation>Load Picture...</translation>
    </message>
    <message>
        <source>Сохранить картинку...</source>
        <translation>Save Picture...</translation>
    </message>
    <message>
        <source>Очистить картинку</source>
        <translation>Clear Picture</translation>
    </message>
    <message>
        <source>Изменить шрифт...</source>
        <translation>Change Font...</translation>
    </message>
    <message>
        <source>Изменить фон...</source>
        <translation>Change Background...</translation>
    </message>
    <message>
        <source>Увеличить</source>
        <translation>Zoom In</translation>
    </message>
    <message>
        <source>Уменьшить</source>
        <translation>Zoom Out</translation>
    </message>
    <message>
        <source>Обычный размер</source>
        <translation>Normal Size</translation>
    </message>
</context>
<context>
    <name>TfmError</name>
    <message>
        <source>Ошибка</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Отправить отчет</source>
        <translation>Send Report</translation>
    </message>
    <message>
        <source>%1 Отчет об ошибке можно скопировать в буфер обмена или сохранить в файл.</source>
        <translation>%1 The error report can be copied to the clipboard or saved to a file.</translation>
    </message>
    <message>
        <source>Копировать отчет</source>
        <translation>Copy Report</translation>
    </message>
    <message>
        <source>Сохранить отчет...</source>
        <translation>Save Report...</translation>
    </message>
    <message>
        <source>Отчет скопирован в буфер обмена.</source>
        <translation>The report has been copied to the clipboard.</translation>
    </message>
    <message>
        <source>Текстовые файлы (*.txt)|*.txt|Все файлы (*.*)|*.*</source>
        <translation>Text files (*.txt)|*.txt|All files (*.*)|*.*</translation>
    </message>
    <message>
        <source>Отчет сохранен в файл %1.</source>
        <translation>The report has been saved to the file %1.</translation>
    </message>
</context>
<context>
    <name>TfmFind</name>
    <message>
        <source>Поиск</source>
        <translation>Find</translation>
    </message>
    <message>
        <source>Найти:</source>
        <translation>Find:</translation>
    </message>
    <message>
        <source>Найти</source>
        <translation>Find</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TfmInfo</name>
    <message>
        <source>Информация об устройстве</source>
        <translation>Device Information</translation>
    </message>
    <message>
        <source>Наименование</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Значение</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>TfmKeyDlg</name>
    <message>
        <source>Клавиша</source>
        <translation>Key</translation>
    </message>
    <message>
        <source>Функция клавиши:</source>
        <translation>Key function:</translation>
    </message>
    <message>
        <source>При нажатии:</source>
        <translation>On press:</translation>
    </message>
    <message>
        <source>При отжатии:</source>
        <translation>On release:</translation>
    </message>
    <message>
        <source>Автоповтор клавиши</source>
        <translation>Key auto-repeat</translation>
    </message>
    <message>
        <source>Звук:</source>
        <translation>Sound:</translation>
    </message>
    <message>
        <source>Примечание:</source>
        <translation>Remark:</translation>
    </message>
    <message>
        <source>Клавиша (%1,%2)</source>
        <translation>Key (%1,%2)</translation>
    </message>
    <message>
        <source>Клавиши (%1,%2)-(%3,%4)</source>
        <translation>Keys (%1,%2)-(%3,%4)</translation>
    </message>
    <message>
        <source>Слой %1</source>
        <translation>Layer %1</translation>
    </message>
</context>
<context>
    <name>TfmKeyLock</name>
    <message>
        <source>Блокировка клавиатуры разрешена</source>
        <translation>Keyboard locking allowed</translation>
    </message>
    <message>
        <source>Ключ клавиатуры</source>
        <translation>Key Lock</translation>
    </message>
    <message>
        <source>Для всех слоев</source>
        <translation>For All Layers</translation>
    </message>
    <message>
        <source>Слой:</source>
        <translation>Layer:</translation>
    </message>
    <message>
        <source>Положение ключа:</source>
        <translation>Key lock position:</translation>
    </message>
    <message>
        <source>Функция:</source>
        <translation>Function:</translation>
    </message>
    <message>
        <source>Коды:</source>
        <translation>Codes:</translation>
    </message>
    <message>
        <source>Ноты:</source>
        <translation>Notes:</translation>
    </message>
    <message>
        <source>Позиция %1</source>
        <translation>Position %1</translation>
    </message>
</context>
<context>
    <name>TfmMSR</name>
    <message>
        <source>Трек %1:</source>
        <translation>Track %1:</translation>
    </message>
    <message>
        <source>Cчитыватель магнитных карт</source>
        <translation>Magnetic Card Reader</translation>
    </message>
    <message>
        <source>Трек %1</source>
        <translation>Track %1</translation>
    </message>
    <message>
        <source>Передавать ENTER после данных</source>
        <translation>Send ENTER after the data</translation>
    </message>
    <message>
        <source>Блокировка при ошибке</source>
        <translation>Lock on error</translation>
    </message>
    <message>
        <source>Подавать световой сигнал при считывании</source>
        <translation>Light signal on reading</translation>
    </message>
    <message>
        <source>Общие</source>
        <translation>General</translation>
    </message>
    <message>
        <source>Префикс</source>
        <translation>Prefix</translation>
    </message>
    <message>
        <source>Суффикс</source>
        <translation>Suffix</translation>
    </message>
    <message>
        <source>Звуки</source>
        <translation>Sounds</translation>
    </message>
    <message>
        <source>Неверный номер трека</source>
        <translation>Invalid track number</translation>
    </message>
</context>
<context>
    <name>TfmMessageWindow</name>
    <message>
        <source>Сообщения</source>
        <translation>Messages</translation>
    </message>
    <message>
        <source>Перейти к клавише</source>
        <translation>Go to Key</translation>
    </message>
    <message>
        <source>Очистить</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Сохранить...</source>
        <translation>Save...</translation>
    </message>
    <message>
        <source>Текстовый файл (*.txt)</source>
        <translation>Text file (*.txt)</translation>
    </message>
    <message>
        <source>Сообщение</source>
        <translation>Messages</translation>
    </message>
</context>
<context>
    <name>TfmNotes</name>
    <message>
        <source>Текстовые файлы (*.txt)|*.txt|Все файлы (*.*)|*.*</source>
        <translation>Text files (*.txt)|*.txt|All files (*.*)|*.*</translation>
    </message>
    <message>
        <source>Редактор нот</source>
        <translation>Note Editor</translation>
    </message>
    <message>
        <source>Открыть</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Сохранить</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Прослушать</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>Очистить</source>
        <translation>Clear</translation>
    </message>
</context>
<context>
    <name>TfmPicture</name>
    <message>
        <source>Горизонтальное</source>
        <translation>Horizontal</translation>
    </message>
    <message>
        <source>Вертикальное</source>
        <translation>Vertical</translation>
    </message>
    <message>
        <source>Рисунок</source>
        <translation>Picture</translation>
    </message>
    <message>
        <source>Загрузить...</source>
        <translation>Load...</translation>
    </message>
    <message>
        <source>Сохранть...</source>
        <translation>Save...</translation>
    </message>
    <message>
        <source>Очистить</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Шрифт...</source>
        <translation>Font...</translation>
    </message>
    <message>
        <source>Фон...</source>
        <translation>Background...</translation>
    </message>
    <message>
        <source>Расположение</source>
        <translation>Orientation</translation>
    </message>
    <message>
        <source>Клавиша (%1,%2)</source>
        <translation>Key (%1,%2)</translation>
    </message>
    <message>
        <source>Клавиши (%1,%2)-(%3,%4)</source>
        <translation>Keys (%1,%2)-(%3,%4)</translation>
    </message>
</context>
<context>
    <name>TfmPreview</name>
    <message>
        <source>Предварительный просмотр</source>
        <translation>Print Preview</translation>
    </message>
    <message>
        <source>Печать...</source>
        <translation>Print...</translation>
    </message>
    <message>
        <source>Масштаб:</source>
        <translation>Zoom:</translation>
    </message>
    <message>
        <source>Формат бумаги:</source>
        <translation>Paper size:</translation>
    </message>
    <message>
        <source>Ориентация:</source>
        <translation>Orientation:</translation>
    </message>
    <message>
        <source>Книжная</source>
        <translation>Portrait</translation>
    </message>
    <message>
        <source>Альбомная</source>
        <translation>Landscape</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Неверно указан масштаб</source>
        <translation>Invalid zoom value</translation>
    </message>
</context>
<context>
    <name>TfmProgress</name>
    <message>
        <source>Выполнено:</source>
        <translation>Completed:</translation>
    </message>
    <message>
        <source>Прошло времени, с:</source>
        <translation>Elapsed time, s:</translation>
    </message>
    <message>
        <source>Прервать</source>
        <translation>Abort</translation>
    </message>
    <message>
        <source>Прервать операцию ?</source>
        <translation>Abort the operation?</translation>
    </message>
</context>
<context>
    <name>TfmProps</name>
    <message>
        <source>Свойства раскладки</source>
        <translation>Layout Properties</translation>
    </message>
    <message>
        <source>Модель:</source>
        <translation>Model:</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Прочитать</source>
        <translation>Read</translation>
    </message>
</context>
<context>
    <name>TfmReplace</name>
    <message>
        <source>Поиск с заменой</source>
        <translation>Find and Replace</translation>
    </message>
    <message>
        <source>Найти:</source>
        <translation>Find:</translation>
    </message>
    <message>
        <source>Заменить на:</source>
        <translation>Replace with:</translation>
    </message>
    <message>
        <source>Заменить все</source>
        <translation>Replace All</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TfmSettings</name>
    <message>
        <source>Обновления и отчеты</source>
        <translation>Updates and Reports</translation>
    </message>
    <message>
        <source>Настройки приложения</source>
        <translation>Application Settings</translation>
    </message>
    <message>
        <source>Общие</source>
        <translation>General</translation>
    </message>
    <message>
        <source>Шрифт</source>
        <translation>Font</translation>
    </message>
    <message>
        <source>Клавиатура по умолчанию:</source>
        <translation>Default keyboard:</translation>
    </message>
    <message>
        <source>Сохранять раскладку перед загрузкой</source>
        <translation>Save the layout before writing it to the keyboard</translation>
    </message>
    <message>
        <source>Проверять обновления при старте</source>
        <translation>Check for updates at startup</translation>
    </message>
    <message>
        <source>Системный</source>
        <translation>System</translation>
    </message>
    <message>
        <source>Язык:</source>
        <translation>Language:</translation>
    </message>
    <message>
        <source>Язык сменится при следующем запуске программы.</source>
        <translation>The language changes when the program is started again.</translation>
    </message>
    <message>
        <source>Тип клавиатуры:</source>
        <translation>Keyboard type:</translation>
    </message>
    <message>
        <source>Обновить список устройств</source>
        <translation>Refresh the device list</translation>
    </message>
    <message>
        <source>Шрифт приложения:</source>
        <translation>Application font:</translation>
    </message>
    <message>
        <source>Вид:</source>
        <translation>Preview:</translation>
    </message>
    <message>
        <source>Сервер обновлений:</source>
        <translation>Update server:</translation>
    </message>
    <message>
        <source>Страница загрузки новых версий:</source>
        <translation>Download page for new versions:</translation>
    </message>
    <message>
        <source>Адрес для отчетов об ошибках:</source>
        <translation>Address for error reports:</translation>
    </message>
    <message>
        <source>имя@домен</source>
        <translation>name@domain</translation>
    </message>
    <message>
        <source>Без сервера обновления не проверяются; без адреса отчет об ошибке можно скопировать или сохранить в файл.</source>
        <translation>Without a server, updates are not checked; without an address, an error report can be copied or saved to a file.</translation>
    </message>
</context>
<context>
    <name>TfmStdKey</name>
    <message>
        <source>Редактор клавиш</source>
        <translation>Key Editor</translation>
    </message>
    <message>
        <source>Набор символов:</source>
        <translation>Character set:</translation>
    </message>
    <message>
        <source>Клавиша:</source>
        <translation>Key:</translation>
    </message>
</context>
<context>
    <name>TfmTest</name>
    <message>
        <source>Тест клавиатуры</source>
        <translation>Keyboard Test</translation>
    </message>
    <message>
        <source>Коды клавиш</source>
        <translation>Key Codes</translation>
    </message>
    <message>
        <source>Текст</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Вырезать</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>Копировать</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Вставить</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>Очистить</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Выделить все</source>
        <translation>Select All</translation>
    </message>
</context>
<context>
    <name>TfmUpdates</name>
    <message>
        <source>Проверка обновлений</source>
        <translation>Check for Updates</translation>
    </message>
    <message>
        <source>Проверка доступных обновлений ...</source>
        <translation>Checking for available updates...</translation>
    </message>
    <message>
        <source>Не удалось установить соединение с сервером обновлений</source>
        <translation>Could not connect to the update server</translation>
    </message>
    <message>
        <source>Сервер обновлений не задан. Его адрес указывается в окне «Настройки приложения» (меню «Настройки») на вкладке «%1».</source>
        <translation>No update server is set. Its address is entered in the &quot;Application Settings&quot; window (Settings menu) on the &quot;%1&quot; tab.</translation>
    </message>
    <message>
        <source>Версия вашей программы : %1</source>
        <translation>Your program version: %1</translation>
    </message>
    <message>
        <source>Текущая версия: %1</source>
        <translation>Current version: %1</translation>
    </message>
    <message>
        <source>Не могу определить версию обновления. Файл версий на сервере поврежден.</source>
        <translation>Cannot determine the update version. The version file on the server is damaged.</translation>
    </message>
    <message>
        <source>Доступна новая версия программы.

Изменения в новой версии:%1
Чтобы скачать новую версию перейдите по ссылке</source>
        <translation>A new version of the program is available.

Changes in the new version:%1
To download the new version, follow the link</translation>
    </message>
    <message>
        <source>Доступна новая версия программы.

Изменения в новой версии:%1</source>
        <translation>A new version of the program is available.

Changes in the new version:%1</translation>
    </message>
    <message>
        <source>Установленная версия программы является последней.</source>
        <translation>The installed version of the program is the latest.</translation>
    </message>
    <message>
        <source>Файл обновлений не был найден на сервере</source>
        <translation>The update file was not found on the server</translation>
    </message>
</context>
<context>
    <name>TfmWizardMain</name>
    <message>
        <source>Создание новой раскладки</source>
        <translation>Create New Layout</translation>
    </message>
    <message>
        <source>&lt; Назад</source>
        <translation>&lt; Back</translation>
    </message>
    <message>
        <source>Далее &gt;</source>
        <translation>Next &gt;</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Готово</source>
        <translation>Finish</translation>
    </message>
</context>
<context>
    <name>TfmWizardStep1</name>
    <message>
        <source>Выберите модель из списка. Как программа находит клавиатуру PS/2 (сокет драйвера) и USB-клавиатуру (правило udev), сказано в справке, F1.</source>
        <translation>Choose a model from the list. How the program finds a PS/2 keyboard (driver socket) and a USB keyboard (udev rule) is described in the help, F1.</translation>
    </message>
    <message>
        <source>Выбор модели клавиатуры</source>
        <translation>Choose Keyboard Model</translation>
    </message>
    <message>
        <source>Укажите модель клавиатуры, для которой вы хотите создать раскладку</source>
        <translation>Specify the keyboard model you want to create a layout for</translation>
    </message>
    <message>
        <source>Определить модель автоматически</source>
        <translation>Detect the model automatically</translation>
    </message>
    <message>
        <source>Выбрать модель из списка</source>
        <translation>Choose the model from the list</translation>
    </message>
    <message>
        <source>Клавиатура не найдена: %1.</source>
        <translation>Keyboard not found: %1.</translation>
    </message>
    <message>
        <source>Модель не определена: %1.</source>
        <translation>Model not detected: %1.</translation>
    </message>
</context>
<context>
    <name>TfmWizardStep2</name>
    <message>
        <source>Для данной модели клавиатуры доступны несколько конфигураций. Выберите подходящую вам из списка.</source>
        <translation>Several configurations are available for this keyboard model. Choose the one that suits you from the list.</translation>
    </message>
</context>
<context>
    <name>TfmWizardStep3</name>
    <message>
        <source>Раскладка создана</source>
        <translation>Layout Created</translation>
    </message>
    <message>
        <source>Раскладка для клавиатуры модели %1 была успешно создана</source>
        <translation>A layout for the keyboard model %1 has been created successfully</translation>
    </message>
    <message>
        <source>Модель клавиатуры не найдена</source>
        <translation>Keyboard Model Not Found</translation>
    </message>
    <message>
        <source>Подключенная клавиатура сообщила код модели %1, но в списке моделей нет клавиатуры с таким кодом. Вернитесь назад и выберите модель из списка.</source>
        <translation>The connected keyboard reported model code %1, but the model list has no keyboard with this code. Go back and choose a model from the list.</translation>
    </message>
    <message>
        <source>Модель клавиатуры не выбрана</source>
        <translation>No Keyboard Model Selected</translation>
    </message>
    <message>
        <source>Модель клавиатуры не выбрана. Вернитесь назад и выберите модель из списка.</source>
        <translation>No keyboard model is selected. Go back and choose a model from the list.</translation>
    </message>
</context>
<context>
    <name>UpdateVersion</name>
    <message>
        <source>Неверный номер версии: &quot;%1&quot;</source>
        <translation>Invalid version number: &quot;%1&quot;</translation>
    </message>
</context>
</TS>
