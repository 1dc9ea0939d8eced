#include "release/fmuAbout.h"

#include <QFontInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>
#include <QVBoxLayout>

namespace {

// The painted parts of the form: the logo panel, the double rule under the
// title and the rule above the buttons.
constexpr QPoint kPanelTopLeft(5, 7);
constexpr QPoint kPanelBottomRight(81, 190);
constexpr QPoint kLogoAt(10, 15);
constexpr int kTextLeft = 88;
constexpr int kTitleRules[] = {26, 28};
constexpr int kButtonRule = 196;
// The title is this many points larger than the form's font.
constexpr int kTitleGrowth = 4;

QLabel *LinkLabel(const QString &name, const QString &target, const QString &text)
{
    auto *label = new QLabel(QStringLiteral("<a href=\"%1\" style=\"color: blue; text-decoration: underline\">%2</a>")
                                 .arg(target.toHtmlEscaped(), text.toHtmlEscaped()));
    label->setObjectName(name);
    label->setTextFormat(Qt::RichText);
    label->setOpenExternalLinks(true);
    return label;
}

} // namespace

// The resource lives in a static library: naming its initialiser links it
// into every program that shows the about box.
static QString LogoResource()
{
    Q_INIT_RESOURCE(release_logo);
    return QStringLiteral(":/LOGOBMP");
}

TfmAbout::TfmAbout(const TAboutContents &contents, const QFont &font, QWidget *parent)
    : QDialog(parent), FLogo(new QSvgRenderer(LogoResource(), this))
{
    setObjectName(QStringLiteral("fmAbout"));
    setWindowTitle(tr("О программе"));
    setFont(font);

    auto *lblTitle = new QLabel(contents.Title);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont titleFont = font;
    titleFont.setBold(true);
    // The form's font may be given in pixels: the growth is in points of
    // the size it is drawn at.
    titleFont.setPointSizeF(QFontInfo(font).pointSizeF() + kTitleGrowth);
    lblTitle->setFont(titleFont);
    QPalette titlePalette = lblTitle->palette();
    titlePalette.setColor(QPalette::WindowText, QColor(0, 0, 128));
    lblTitle->setPalette(titlePalette);
    lblTitle->setFixedHeight(kTitleRules[0] - 2);
    lblTitle->setAlignment(Qt::AlignLeft | Qt::AlignBottom);

    auto *lblVersions = new QLabel(contents.Lines.join(u'\n'));
    lblVersions->setObjectName(QStringLiteral("lblVersions"));
    lblVersions->setTextFormat(Qt::PlainText);
    // The version lines line up their colons in a fixed-width face.
    QFont fixed = font;
    fixed.setFamily(QStringLiteral("DejaVu Sans Mono"));
    fixed.setStyleHint(QFont::Monospace);
    lblVersions->setFont(fixed);
    auto *lblLicense = new QLabel(tr("Лицензия: %1").arg(contents.LicenseName));
    lblLicense->setObjectName(QStringLiteral("lblLicense"));
    lblLicense->setTextFormat(Qt::PlainText);
    lblLicense->setWordWrap(true);

    auto *text = new QVBoxLayout;
    text->setContentsMargins(kTextLeft, 0, 10, 0);
    text->setSpacing(4);
    text->addWidget(lblTitle);
    text->addSpacing(kTitleRules[1] - kTitleRules[0] + 8);
    text->addWidget(lblVersions);
    text->addSpacing(8);
    text->addWidget(lblLicense);
    if (!contents.WebPage.isEmpty())
        text->addWidget(LinkLabel(QStringLiteral("lblWebSite"), contents.WebPage, contents.WebPage));
    text->addStretch();

    auto *btnUpdates = new QPushButton(tr("Проверить обновления..."));
    btnUpdates->setObjectName(QStringLiteral("btnUpdates"));
    btnUpdates->setAutoDefault(false);
    connect(btnUpdates, &QPushButton::clicked, this, &TfmAbout::checkUpdatesRequested);
    auto *btnOK = new QPushButton(QStringLiteral("OK"));
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(8, 0, 8, 8);
    buttons->addWidget(btnUpdates);
    buttons->addStretch();
    buttons->addWidget(btnOK);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *top = new QWidget;
    top->setFixedHeight(kButtonRule);
    top->setLayout(text);
    layout->addWidget(top);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    setFixedWidth(qMax(440, sizeHint().width()));
    setFixedHeight(sizeHint().height());
}

void TfmAbout::paintEvent(QPaintEvent *event)
{
    QDialog::paintEvent(event);
    QPainter painter(this);
    const QRect panel(kPanelTopLeft, kPanelBottomRight);
    painter.fillRect(panel, Qt::white);
    painter.setPen(Qt::gray);
    painter.drawLine(panel.topLeft(), panel.topRight());
    painter.drawLine(panel.topLeft(), panel.bottomLeft());
    painter.setPen(Qt::black);
    for (const int y : kTitleRules)
        painter.drawLine(kTextLeft, y, width(), y);
    painter.drawLine(0, kButtonRule, width(), kButtonRule);
    FLogo->render(&painter, QRectF(kLogoAt, FLogo->defaultSize()));
}
