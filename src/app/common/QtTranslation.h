#pragma once

class QCoreApplication;

/// Loads Qt's own Russian texts (the standard buttons "Да", "Нет", "Отмена",
/// the file and print dialogs) into the application. Returns false when the
/// translation is not installed; Qt's English texts stay then.
bool InstallQtTranslation(QCoreApplication &application);
