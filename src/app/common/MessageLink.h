#pragma once

#include <QString>

/// What windows ask of the message window: clear it, add a line tagged with
/// a layout's InstanceNumber (or 0), show it. The message window implements
/// it; document windows and the main window's commands use it.
class TMessageLink {
public:
    virtual ~TMessageLink() = default;
    virtual void ClearMessages() = 0;
    virtual void AddMessage(const QString &text, int tag) = 0;
    virtual void ShowMessages() = 0;
};
