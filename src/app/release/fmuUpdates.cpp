#include "release/fmuUpdates.h"

#include "base/ProgramVersion.h"
#include "base/Win1251.h"
#include "dialogs/fmuSettings.h"
#include "release/FittedText.h"
#include "release/UpdateVersion.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

namespace {

// A version file is a few lines; what lies beyond this is not read, so that
// a server sending megabytes neither fills the memory nor the window.
constexpr qsizetype kMaxBodyBytes = 64 * 1024;
// The narrowest the window gets, for the short answers.
constexpr int kMinimumWidth = 420;

QLabel *AddLabel(QVBoxLayout &layout, const QString &name)
{
    auto *label = new QLabel;
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    layout.addWidget(label);
    return label;
}

// The version file is Windows-1251 like every file of the program, unless
// the server says it sends UTF-8.
QString DecodeBody(const QByteArray &body, const QByteArray &contentType)
{
    if (contentType.toLower().contains("charset=utf-8"))
        return QString::fromUtf8(body);
    return FromWin1251(body);
}

// The version file below the server's address; an address typed without the
// closing "/" names the folder all the same.
QUrl VersionFileUrl(const QString &server, const QString &pathPrefix, const QString &programName)
{
    const QString folder = server.endsWith(u'/') ? server : server + u'/';
    return QUrl(folder + pathPrefix + programName + QStringLiteral(".txt"));
}

} // namespace

TfmUpdates::TfmUpdates(const QFont &font, TUpdateSource source, QWidget *parent)
    : QDialog(parent), FSource(std::move(source)), FNetwork(new QNetworkAccessManager(this))
{
    setObjectName(QStringLiteral("fmUpdates"));
    setWindowTitle(tr("Проверка обновлений"));
    setFont(font);

    auto *layout = new QVBoxLayout(this);
    // The window is as large as what it shows, and grows when the answer
    // comes; it is never narrower than this.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addStrut(kMinimumWidth);
    lblProgress = AddLabel(*layout, QStringLiteral("lblProgress"));
    lblProgress->setText(tr("Проверка доступных обновлений ..."));
    lblOwnVersion = AddLabel(*layout, QStringLiteral("lblOwnVersion"));
    lblServerVersion = AddLabel(*layout, QStringLiteral("lblServerVersion"));
    // The list of changes may be long: it scrolls beyond half the screen.
    lblResult = new TFittedText;
    lblResult->Label().setObjectName(QStringLiteral("lblResult"));
    layout->addWidget(lblResult);
    lblLink = new QLabel;
    lblLink->setObjectName(QStringLiteral("lblLink"));
    lblLink->setTextFormat(Qt::RichText);
    lblLink->setOpenExternalLinks(true);
    layout->addWidget(lblLink);

    auto *errorRow = new QHBoxLayout;
    imgError = new QLabel;
    imgError->setObjectName(QStringLiteral("imgError"));
    imgError->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxCritical).pixmap(32, 32));
    lblError = new QLabel(tr("Не удалось установить соединение с сервером обновлений"));
    lblError->setObjectName(QStringLiteral("lblError"));
    lblError->setWordWrap(true);
    errorRow->addWidget(imgError);
    errorRow->addWidget(lblError, 1);
    layout->addLayout(errorRow);
    layout->addStretch();

    btnOK = new QPushButton(QStringLiteral("OK"));
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    connect(btnOK, &QPushButton::clicked, this, &QWidget::hide);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    layout->addLayout(buttons);
    SetSource(FSource);
}

void TfmUpdates::SetSource(TUpdateSource source)
{
    FSource = std::move(source);
    const QString page = FSource.DownloadPage.toHtmlEscaped();
    lblLink->setText(QStringLiteral("<a href=\"%1\">%2</a>").arg(page, page));
}

TfmUpdates::~TfmUpdates()
{
    DropRequest();
}

void TfmUpdates::CheckForUpdates(const QString &pathPrefix, bool silent)
{
    DropRequest();
    StopAwaiting();
    FSilent = silent;
    FBody.clear();
    if (FSource.Server.isEmpty()) {
        ShowNoServer();
        emit checkFinished();
        return;
    }
    HideAnswer();
    lblProgress->show();
    if (!silent)
        ShowInFront();
    QNetworkRequest request(VersionFileUrl(FSource.Server, pathPrefix, FSource.ProgramName));
    request.setTransferTimeout(FTimeoutMs);
    FReply = FNetwork->get(request);
    connect(FReply, &QNetworkReply::readyRead, this, &TfmUpdates::ReadBody);
    connect(FReply, &QNetworkReply::finished, this, &TfmUpdates::RequestFinished);
}

void TfmUpdates::HideAnswer()
{
    for (QWidget *widget : std::initializer_list<QWidget *>{lblOwnVersion, lblServerVersion, lblResult, lblLink,
                                                          imgError, lblError})
        widget->hide();
}

void TfmUpdates::ShowNoServer()
{
    // A silent check has nothing to tell: the start stays quiet.
    if (FSilent)
        return;
    HideAnswer();
    lblProgress->hide();
    lblResult->SetText(tr("Сервер обновлений не задан. Его адрес указывается в окне "
                          "«Настройки приложения» (меню «Настройки») на вкладке «%1».")
                           .arg(TfmSettings::AddressTabName()));
    lblResult->show();
    ShowInFront();
}

void TfmUpdates::ShowInFront()
{
    // A modal dialog blocks every other window: asked for from one, the
    // window is modal itself, above it, until "OK".
    QWidget *modal = QApplication::activeModalWidget();
    SetModality(modal && modal != this ? Qt::ApplicationModal : Qt::NonModal);
    show();
    raise();
    activateWindow();
}

void TfmUpdates::ShowQuietly()
{
    if (isVisible())
        return;
    // A window shown now would cover a modal dialog open at the time (an
    // error shown at the start): the news waits until that dialog closes.
    if (QWidget *modal = QApplication::activeModalWidget(); modal && modal != this) {
        FAwaitedDialog = modal;
        modal->installEventFilter(this);
        return;
    }
    SetModality(Qt::NonModal);
    show();
}

bool TfmUpdates::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == FAwaitedDialog && event->type() == QEvent::Hide) {
        StopAwaiting();
        FNewsWaiting = true;
        // Once the dialog has closed; another modal dialog may follow it.
        QTimer::singleShot(0, this, [this] {
            if (std::exchange(FNewsWaiting, false))
                ShowQuietly();
        });
    }
    return QDialog::eventFilter(watched, event);
}

void TfmUpdates::StopAwaiting()
{
    if (FAwaitedDialog)
        FAwaitedDialog->removeEventFilter(this);
    FAwaitedDialog = nullptr;
    FNewsWaiting = false;
}

void TfmUpdates::SetModality(Qt::WindowModality modality)
{
    if (windowModality() == modality)
        return;
    // A shown window takes a new modality when it is shown again.
    const bool shown = isVisible();
    if (shown)
        hide();
    setWindowModality(modality);
    if (shown)
        show();
}

void TfmUpdates::DropRequest()
{
    if (!FReply)
        return;
    QNetworkReply *reply = std::exchange(FReply, nullptr);
    disconnect(reply, nullptr, this, nullptr);
    reply->abort();
    reply->deleteLater();
}

void TfmUpdates::ReadBody()
{
    FBody += FReply->read(kMaxBodyBytes - FBody.size());
    if (FBody.size() < kMaxBodyBytes)
        return;
    // Enough of a file that is far too long: judged by what has come.
    const QByteArray contentType = FReply->header(QNetworkRequest::ContentTypeHeader).toByteArray();
    DropRequest();
    ShowAnswer(FBody, contentType);
    emit checkFinished();
}

void TfmUpdates::RequestFinished()
{
    QNetworkReply *reply = std::exchange(FReply, nullptr);
    reply->deleteLater();
    if (reply->error() == QNetworkReply::NoError) {
        FBody += reply->read(kMaxBodyBytes - FBody.size());
        ShowAnswer(FBody, reply->header(QNetworkRequest::ContentTypeHeader).toByteArray());
    } else if (reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid()) {
        ShowServerError();
    } else {
        ShowConnectionFailure();
    }
    emit checkFinished();
}

void TfmUpdates::ShowAnswer(const QByteArray &body, const QByteArray &contentType)
{
    lblOwnVersion->setText(tr("Версия вашей программы : %1").arg(ProgramVersion()));
    lblOwnVersion->show();
    const TUpdateAnswer answer = ReadUpdateAnswer(DecodeBody(body, contentType),
                                                  {kProgramVersion[0], kProgramVersion[1], kProgramVersion[2],
                                                   kProgramVersion[3]});
    lblServerVersion->setText(tr("Текущая версия: %1").arg(answer.ServerVersion));
    lblServerVersion->show();
    lblResult->show();
    if (!answer.Readable) {
        lblResult->SetText(tr("Не могу определить версию обновления. Файл версий на сервере поврежден."));
    } else if (!answer.Error.isEmpty()) {
        lblResult->SetText(answer.Error);
    } else if (answer.Newer) {
        // Line breaks as this system draws them: a carriage return after a
        // line feed would show as a blank at the start of the next line.
        // Without a download page there is no link to follow.
        const bool linked = !FSource.DownloadPage.isEmpty();
        lblResult->SetText((linked ? tr("Доступна новая версия программы.\n\nИзменения в новой версии:%1\n"
                                        "Чтобы скачать новую версию перейдите по ссылке")
                                   : tr("Доступна новая версия программы.\n\nИзменения в новой версии:%1"))
                               .arg(answer.Changes));
        lblLink->setVisible(linked);
        if (FSilent)
            ShowQuietly();
    } else {
        lblResult->SetText(tr("Установленная версия программы является последней."));
    }
}

void TfmUpdates::ShowServerError()
{
    lblResult->SetText(tr("Файл обновлений не был найден на сервере"));
    lblResult->show();
}

void TfmUpdates::ShowConnectionFailure()
{
    imgError->show();
    lblError->show();
}
