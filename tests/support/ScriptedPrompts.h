#pragma once

#include "device/ManagerPrompts.h"

#include <QString>
#include <QStringList>

// Answers the keyboard manager's questions from a script (Answer, yes unless
// told otherwise) and records every question and warning.
class TScriptedPrompts : public TManagerPrompts {
public:
    bool Answer = true;
    QStringList Questions;
    QStringList Warnings;

    bool Ask(const QString &text) override
    {
        Questions << text;
        return Answer;
    }
    void Warn(const QString &text) override { Warnings << text; }
    QString ChooseFile(const QString &, const QString &, const QString &) override { return QString(); }
};
