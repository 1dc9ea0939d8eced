#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

// Answering the modal windows a command opens: the test arms an answer, then
// triggers the command, whose dialog runs its own event loop, in which the
// answer is given.

// Runs answer on the next modal dialog of type TDialog once it is shown, and
// again while that dialog stays open (a file dialog still loading its folder
// may ignore the first answer). Other modal windows on the way (the progress
// window of a device operation) are passed over.
template <typename TDialog>
void AnswerNextDialog(std::function<void(TDialog *)> answer)
{
    auto *timer = new QTimer(qApp);
    timer->setInterval(20);
    struct TState {
        bool Started = false;
        QPointer<TDialog> Dialog;
    };
    auto state = std::make_shared<TState>();
    QObject::connect(timer, &QTimer::timeout, timer, [timer, state, answer = std::move(answer)] {
        if (state->Started && (!state->Dialog || !state->Dialog->isVisible())) {
            timer->stop();
            timer->deleteLater();
            return;
        }
        auto *dialog = qobject_cast<TDialog *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible() || (state->Started && dialog != state->Dialog))
            return;
        state->Started = true;
        state->Dialog = dialog;
        answer(dialog);
    });
    timer->start();
}

// Chooses fileName with the filter at index in the next file dialog. The
// name is typed again until it stays for one round of the event loop: a
// folder the dialog is still loading may put its proposed name back.
inline void AnswerFileDialog(const QString &fileName, int filterIndex = 0)
{
    AnswerNextDialog<QFileDialog>([fileName, filterIndex](QFileDialog *dialog) {
        auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        QVERIFY(edit);
        if (edit->text() == fileName && dialog->selectedNameFilter() == dialog->nameFilters().value(filterIndex)) {
            QMetaObject::invokeMethod(dialog, "accept");
            return;
        }
        dialog->selectNameFilter(dialog->nameFilters().value(filterIndex));
        edit->setText(fileName);
    });
}

// What the answered message box showed.
struct TBoxAnswer {
    QString Caption;
    QString Text;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
};

// Presses button in the next message box; returns what the box showed, filled
// in when it is answered.
inline std::shared_ptr<TBoxAnswer> AnswerNextBox(QMessageBox::StandardButton button)
{
    auto shown = std::make_shared<TBoxAnswer>();
    AnswerNextDialog<QMessageBox>([shown, button](QMessageBox *box) {
        *shown = {box->windowTitle(), box->text(), box->icon()};
        box->button(button)->click();
    });
    return shown;
}

// Presses button in the next message box and stores its text in text.
inline void AnswerMessageBox(QMessageBox::StandardButton button, QString *text = nullptr)
{
    AnswerNextDialog<QMessageBox>([button, text](QMessageBox *box) {
        if (text)
            *text = box->text();
        box->button(button)->click();
    });
}
