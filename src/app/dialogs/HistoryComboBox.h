#pragma once

#include <QComboBox>

/// An editable drop-down box whose list is the history of the texts entered
/// in it: sorted, each text once (letter case ignored, as the list of a
/// Windows combo box compares), kept as long as the box lives.
class THistoryComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit THistoryComboBox(QWidget *parent = nullptr);

    /// Adds the current text to the history at its sorted place, unless it is
    /// empty or already there; the text stays as it is.
    void Remember();
    /// Returns the history, in list order.
    QStringList History() const;
};
