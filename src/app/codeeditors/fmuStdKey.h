#pragma once

#include "codes/ScanCode.h"

#include <QDialog>

class QListWidget;
class TCodeSet;
class TFont;
class TStdCode;

/// The standard key picker "Редактор клавиш": a group of the standard code
/// set, then a key of that group.
///
/// Usage: if (picker.exec() == QDialog::Accepted && picker.Picked()) use
/// CodeOf(*picker.Picked(), ...).
class TfmStdKey : public QDialog {
    Q_OBJECT
public:
    TfmStdKey(const TCodeSet &codeSet, const TFont &font, QWidget *parent = nullptr);

    /// Returns the selected key, or null when none is selected.
    const TStdCode *Picked() const;

    /// Returns the code item of a standard key: its make code as a press
    /// item, or its break code as a release item.
    static TScanCode CodeOf(const TStdCode &key, bool release);

private:
    void FillKeys(int group);

    const TCodeSet &FCodeSet;
    QListWidget *lbGroups;
    QListWidget *lbKeys;
};
