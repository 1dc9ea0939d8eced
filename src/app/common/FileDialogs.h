#pragma once

#include <QString>
#include <QStringList>

class QWidget;

/// What the user chose in a file dialog: the file and the position of the
/// chosen filter, counted from 0. An empty file name means cancelled.
struct TFileChoice {
    QString FileName;
    int FilterIndex = 0;

    bool Cancelled() const { return FileName.isEmpty(); }
};

/// How a file dialog starts.
struct TFileDialogOptions {
    /// The dialog's object name; empty: "dlgOpen" or "dlgSave".
    QString Name;
    /// Description and pattern pairs separated by "|":
    /// "Раскладка Ravlin (*.xml)|*.xml|Все файлы (*.*)|*.*".
    QString Filter;
    QString Folder;
    /// The proposed file name (a full path selects its folder too).
    QString FileName;
    /// The filter shown first, counted from 0.
    int FilterIndex = 0;
    /// Extension given to a typed name without one (without the dot); empty:
    /// the chosen filter's extension when it names one.
    QString DefaultSuffix;
    /// Whether the save dialog asks before replacing a file; off where the
    /// caller still changes the name and asks itself.
    bool ConfirmOverwrite = true;
};

/// Returns the Qt name filters of a "description|pattern|..." filter:
/// each description without its own pattern list, followed by the patterns
/// (";" separated in the filter) in parentheses; a description that is its
/// pattern ("*.bmp|*.bmp") stays the pattern alone.
QStringList DialogNameFilters(const QString &filter);

/// Returns the extension of the pair's pattern ("xml" for "*.xml"), empty for
/// "*.*" or a pair the filter does not have.
QString FilterExtension(const QString &filter, int index);

/// Shows a modal file-open dialog: an existing file. Every file the editor
/// opens is chosen here.
TFileChoice ChooseOpenFile(QWidget *parent, const TFileDialogOptions &options);
/// Shows a modal file-save dialog that asks before replacing a file (unless
/// told not to). Every file the editor saves is chosen here.
TFileChoice ChooseSaveFile(QWidget *parent, const TFileDialogOptions &options);

/// Returns the PDF file proposed for printing a layout: beside the layout's
/// file with its base name and ".pdf"; a layout without a file takes its
/// caption in folder.
QString ProposedPdfFileName(const QString &layoutFileName, const QString &caption, const QString &folder);
/// Shows the save dialog of a PDF file, starting from proposed (a full
/// path). A name chosen without the extension ".pdf" gets it, so a PDF never
/// replaces a layout or any other file by mistake; replacing an existing PDF
/// is asked. Returns the file, empty when cancelled.
QString ChoosePdfFile(QWidget *parent, const QString &proposed);
