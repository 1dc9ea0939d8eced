#pragma once

#include <QList>
#include <QObject>

class QMainWindow;
class QToolBar;

/// Keeps the toolbars at the top of a main window within its width. When a
/// row of toolbars no longer fits (a narrow screen, captions turned on, a
/// toolbar shown again) they are laid out anew, in their order on screen,
/// in as many rows as they need, so that no button hides behind a
/// toolbar's overflow arrow. Rows that fit stay as the user arranged them.
class TToolBarFlow : public QObject {
    Q_OBJECT
public:
    explicit TToolBarFlow(QMainWindow &window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    /// The shown toolbars of the top area, row by row, left to right.
    QList<QList<QToolBar *>> Rows() const;
    /// Returns the width a row of these toolbars needs.
    int RowWidth(const QList<QToolBar *> &row) const;
    void Reflow();

    QMainWindow &FWindow;
    bool FPending = false;
};
