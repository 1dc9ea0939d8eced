#pragma once

#include <QByteArray>
#include <QDialog>
#include <QPointer>
#include <QString>

class QLabel;
class QNetworkAccessManager;
class QNetworkReply;
class QPushButton;
class TFittedText;

/// Where the update check asks and where the user downloads.
struct TUpdateSource {
    /// The update server's base address, an HTTP URL (a missing closing "/"
    /// is added); empty when there is none.
    QString Server;
    /// The download page shown with a newer version; empty when there is
    /// none.
    QString DownloadPage;
    /// The program's file name without its extension: names the version
    /// file.
    QString ProgramName;
};

/// "Проверка обновлений": asks the update server for the version file
/// <server><path prefix><program name>.txt and shows whether a newer
/// version exists, with its changes. One window serves the whole run; "OK"
/// hides it. It takes the size of what it shows and stays above its parent,
/// the main window, like any other window of the program. A request that
/// gets no answer within the timeout counts as no connection; nothing here
/// ever raises to the caller. Without a server nothing is asked: the visible
/// check says so and where the server is set, the silent one says nothing.
class TfmUpdates : public QDialog {
    Q_OBJECT
public:
    /// The default time a request may take before it is given up.
    static constexpr int kDefaultTimeoutMs = 10000;

    TfmUpdates(const QFont &font, TUpdateSource source, QWidget *parent = nullptr);
    ~TfmUpdates() override;

    /// Starts the check of "<server><pathPrefix><program name>.txt". Shown at
    /// once unless silent, and then, when asked from a modal dialog (the
    /// about box), modal above it, so that it can be used and closed; a
    /// silent check shows the window only when a newer version exists, and
    /// not before a modal dialog open then (an error) has closed. A check
    /// still running is given up.
    void CheckForUpdates(const QString &pathPrefix, bool silent);
    /// Sets where the next checks ask and where the user downloads.
    void SetSource(TUpdateSource source);
    /// Sets how long a request may take before it counts as no connection.
    void SetTimeout(int milliseconds) { FTimeoutMs = milliseconds; }
    /// Returns whether a check is running.
    bool Busy() const { return FReply != nullptr; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

signals:
    /// A check ended with one of its outcomes.
    void checkFinished();

private:
    void ReadBody();
    void RequestFinished();
    void ShowAnswer(const QByteArray &body, const QByteArray &contentType);
    void ShowServerError();
    void ShowConnectionFailure();
    /// Hides everything an earlier check showed but the progress text.
    void HideAnswer();
    /// Says that no server is set, and where to set it; nothing when silent.
    void ShowNoServer();
    void DropRequest();
    /// Shows the window in front, modal when a modal dialog is open.
    void ShowInFront();
    /// Shows the window, once no modal dialog is open.
    void ShowQuietly();
    void SetModality(Qt::WindowModality modality);
    /// Forgets the modal dialog the news waits for, and the news.
    void StopAwaiting();

    TUpdateSource FSource;
    int FTimeoutMs = kDefaultTimeoutMs;
    bool FSilent = false;
    // The modal dialog whose closing a silent check's news waits for, and
    // whether that dialog has just closed.
    QPointer<QWidget> FAwaitedDialog;
    bool FNewsWaiting = false;
    QNetworkAccessManager *FNetwork;
    QNetworkReply *FReply = nullptr;
    QByteArray FBody;
    QLabel *lblProgress;
    QLabel *lblOwnVersion;
    QLabel *lblServerVersion;
    TFittedText *lblResult;
    QLabel *lblLink;
    QLabel *imgError;
    QLabel *lblError;
    QPushButton *btnOK;
};
