#include "dialogs/HistoryComboBox.h"

THistoryComboBox::THistoryComboBox(QWidget *parent) : QComboBox(parent)
{
    setEditable(true);
    // Entered texts join the history only through Remember, at their sorted
    // place.
    setInsertPolicy(QComboBox::NoInsert);
    setDuplicatesEnabled(false);
    // The text typed is the text searched: no completion from the history
    // changes it behind the user's back.
    setCompleter(nullptr);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(24);
}

void THistoryComboBox::Remember()
{
    const QString text = currentText();
    if (text.isEmpty() || findText(text, Qt::MatchFixedString) >= 0)
        return;
    int index = 0;
    while (index < count() && QString::compare(itemText(index), text, Qt::CaseInsensitive) < 0)
        ++index;
    insertItem(index, text);
    setCurrentIndex(index);
}

QStringList THistoryComboBox::History() const
{
    QStringList history;
    for (int i = 0; i < count(); ++i)
        history << itemText(i);
    return history;
}
