#pragma once

#include <QObject>

class QMdiArea;
struct TMainActions;

/// The commands of the "&Окно" menu: the document windows side by side, one
/// above the other, or cascaded.
class TWindowCommands : public QObject {
    Q_OBJECT

public:
    TWindowCommands(const TMainActions &actions, QMdiArea &area);

private:
    /// Gives each document window a strip of the area, in window order.
    void Tile(Qt::Orientation orientation);

    QMdiArea &FArea;
};
