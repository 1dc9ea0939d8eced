#include "pictures/fmuPicture.h"

#include "common/CommandGuard.h"
#include "common/FileDialogs.h"
#include "document/KeyGrid.h"
#include "document/LayoutDocument.h"
#include "model/Font.h"
#include "model/KeyPicture.h"
#include "model/Layout.h"
#include "model/MasterKey.h"
#include "pictures/GraphicFiles.h"
#include "pictures/GraphicPreview.h"

#include <QButtonGroup>
#include <QColorDialog>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

namespace {

constexpr int kPreviewSize = 120;

// The picture font a font dialog's choice stands for; what Qt fonts do not
// carry (pixels per inch, charset, colour) stays as it was.
TFont FromQFont(const QFont &font, const TFont &before)
{
    TFont result = before;
    result.SetName(font.family());
    if (font.pixelSize() > 0)
        result.SetHeight(-font.pixelSize());
    else
        result.SetSize(qRound(font.pointSizeF()));
    result.SetStyle(uint8_t((font.bold() ? fsBold : 0) | (font.italic() ? fsItalic : 0)
                            | (font.underline() ? fsUnderline : 0) | (font.strikeOut() ? fsStrikeOut : 0)));
    return result;
}

// Vertical text stands one character per line, as the key grid draws it.
QString PanelText(const TKeyPicture &picture)
{
    if (picture.TextOrientation() == 0)
        return picture.Text();
    QStringList lines;
    for (const QChar c : picture.Text())
        lines << QString(c);
    return lines.join(u'\n');
}

void SetPanelColor(QLabel &panel, const QColor &color)
{
    QPalette palette = panel.palette();
    palette.setColor(QPalette::Window, color);
    panel.setPalette(palette);
}

} // namespace

TfmPicture::TfmPicture(const TFont &font, QWidget *parent)
    : TBaseForm(font, parent, Qt::Tool), FMaster(std::make_unique<TMasterKey>()),
      FImage(new TGraphicPreview(this)), FText(new QLineEdit(this)), FTextPanel(new QLabel(this)),
      FOrientation(new QButtonGroup(this)), FHorizontal(new QRadioButton(tr("Горизонтальное"), this)),
      FVertical(new QRadioButton(tr("Вертикальное"), this))
{
    setObjectName(QStringLiteral("fmPicture"));
    setWindowTitle(tr("Рисунок"));
    FImage->setObjectName(QStringLiteral("imgPicture"));
    FImage->setFixedSize(kPreviewSize, kPreviewSize);
    FText->setObjectName(QStringLiteral("edText"));
    FTextPanel->setObjectName(QStringLiteral("pnlText"));
    FTextPanel->setFixedSize(kPreviewSize, kPreviewSize);
    FTextPanel->setFrameShape(QFrame::StyledPanel);
    FTextPanel->setFrameShadow(QFrame::Sunken);
    FTextPanel->setAlignment(Qt::AlignCenter);
    FTextPanel->setWordWrap(true);
    FTextPanel->setAutoFillBackground(true);
    FHorizontal->setObjectName(QStringLiteral("rbHorizontal"));
    FVertical->setObjectName(QStringLiteral("rbVertical"));
    FOrientation->addButton(FHorizontal, 0);
    FOrientation->addButton(FVertical, 1);

    auto *imageButtons = new QVBoxLayout;
    imageButtons->addWidget(
        AddButton(tr("Загрузить..."), QStringLiteral("btnLoad"), [this] { AskLoadImage(); }));
    // "Сохранть" is the button's caption as users know it.
    imageButtons->addWidget(AddButton(tr("Сохранть..."), QStringLiteral("btnSave"),
                                      [this] { AskSaveImage(FMaster->Picture().Picture()); }));
    imageButtons->addWidget(AddButton(tr("Очистить"), QStringLiteral("btnClear"), [this] { ClearImage(); }));
    imageButtons->addStretch();
    auto *textButtons = new QVBoxLayout;
    textButtons->addWidget(AddButton(tr("Шрифт..."), QStringLiteral("btnFont"), [this] { AskFont(); }));
    textButtons->addWidget(
        AddButton(tr("Фон..."), QStringLiteral("btnColor"), [this] { AskBackgroundColor(); }));
    textButtons->addStretch();

    auto *orientation = new QGroupBox(tr("Расположение"), this);
    auto *radios = new QVBoxLayout(orientation);
    radios->addWidget(FHorizontal);
    radios->addWidget(FVertical);

    auto *grid = new QGridLayout(this);
    grid->addWidget(FImage, 0, 0);
    grid->addLayout(imageButtons, 0, 1);
    grid->addWidget(FText, 1, 0, 1, 2);
    grid->addWidget(FTextPanel, 2, 0);
    grid->addLayout(textButtons, 2, 1);
    grid->addWidget(orientation, 3, 0, 1, 2);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    connect(FText, &QLineEdit::textEdited, this,
            [this](const QString &text) { CommandGuard::RunCommand(this, [&] { SetPictureText(text); }); });
    connect(FOrientation, &QButtonGroup::idClicked, this,
            [this](int id) { CommandGuard::RunCommand(this, [&] { SetTextOrientation(id); }); });
    Attach(nullptr);
}

TfmPicture::~TfmPicture() = default;

QPushButton *TfmPicture::AddButton(const QString &text, const QString &name, const std::function<void()> &command)
{
    auto *button = new QPushButton(text, this);
    button->setObjectName(name);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, command] { CommandGuard::RunCommand(this, command); });
    return button;
}

void TfmPicture::Attach(TLayoutDocument *document)
{
    if (document && document == FDocument)
        return;
    disconnect(FLink);
    FDocument = document;
    if (document) {
        FLink = connect(document, &TLayoutDocument::changed, this, &TfmPicture::OnDocumentChanged);
        Refresh();
        return;
    }
    FMaster->Clear();
    FMaster->Picture().Clear();
    FImage->SetGraphic(TGraphic());
    FText->clear();
    FTextPanel->clear();
    FTextPanel->setFont(FHorizontal->font());
    SetPanelColor(*FTextPanel, Qt::white);
    FHorizontal->setChecked(true);
    setWindowTitle(tr("Рисунок"));
}

void TfmPicture::OnDocumentChanged(int kind)
{
    // Changes made elsewhere (an undo, a paste) are shown at once.
    if (kind == lcKeysCleared || kind == lcSelection || (kind == lcContent && !FApplying))
        CommandGuard::RunCommand(this, [this] { Refresh(); });
}

void TfmPicture::Refresh()
{
    if (!FDocument)
        return;
    FMaster->Layer = 0;
    FDocument->Layout().LoadMaster(*FMaster);
    ShowPicture();
    ShowCaption();
}

void TfmPicture::ShowPicture()
{
    const TKeyPicture &picture = FMaster->Picture();
    // The field keeps its cursor while the user types into it.
    if (FText->text() != picture.Text())
        FText->setText(picture.Text());
    FTextPanel->setText(PanelText(picture));
    FTextPanel->setFont(picture.Font().ToQFont());
    SetPanelColor(*FTextPanel, ColorToQColor(picture.BackgroundColor()));
    (picture.TextOrientation() == 0 ? FHorizontal : FVertical)->setChecked(true);
    FImage->SetGraphic(picture.Picture());
}

void TfmPicture::ShowCaption()
{
    const TRect &selection = FDocument->Layout().Selection();
    if (selection.IsSingleCell())
        setWindowTitle(tr("Клавиша (%1,%2)").arg(selection.Top).arg(selection.Left));
    else
        setWindowTitle(tr("Клавиши (%1,%2)-(%3,%4)")
                           .arg(selection.Top)
                           .arg(selection.Left)
                           .arg(selection.Bottom)
                           .arg(selection.Right));
}

void TfmPicture::Change(const std::function<void(TKeyPicture &)> &change)
{
    if (!FDocument)
        return;
    FMaster->Layer = 0;
    FDocument->Layout().LoadMaster(*FMaster);
    // Only what change does may reach the keys: a load of keys of different
    // types leaves the editor marked changed.
    FMaster->ResetFlags();
    change(FMaster->Picture());
    {
        const QScopedValueRollback<bool> applying(FApplying, true);
        FDocument->ApplyMaster(*FMaster, true);
    }
    ShowPicture();
}

void TfmPicture::LoadImageFile(const QString &fileName)
{
    const TGraphic graphic = LoadGraphicFile(fileName);
    Change([&graphic](TKeyPicture &picture) { picture.SetPicture(graphic); });
}

void TfmPicture::ClearImage()
{
    Change([](TKeyPicture &picture) { picture.SetPicture(TGraphic()); });
}

void TfmPicture::SetPictureText(const QString &text)
{
    Change([&text](TKeyPicture &picture) { picture.SetText(text); });
}

void TfmPicture::SetPictureFont(const TFont &font)
{
    Change([&font](TKeyPicture &picture) { picture.SetFont(font); });
}

void TfmPicture::SetBackgroundColor(uint32_t color)
{
    Change([color](TKeyPicture &picture) { picture.SetBackgroundColor(color); });
}

void TfmPicture::SetTextOrientation(int orientation)
{
    Change([orientation](TKeyPicture &picture) { picture.SetTextOrientation(uint8_t(orientation)); });
}

void TfmPicture::AskLoadImage()
{
    if (!FDocument)
        return;
    TFileDialogOptions options;
    options.Name = QStringLiteral("dlgOpenPicture");
    options.Filter = GraphicFileFilter();
    const TFileChoice choice = ChooseOpenFile(this, options);
    if (!choice.Cancelled())
        LoadImageFile(choice.FileName);
}

void TfmPicture::AskFont()
{
    if (!FDocument)
        return;
    Refresh();
    const TFont before = FMaster->Picture().Font();
    bool accepted = false;
    const QFont chosen = QFontDialog::getFont(&accepted, TBaseForm::FontDialogStart(before), this);
    if (accepted)
        SetPictureFont(FromQFont(chosen, before));
}

void TfmPicture::AskBackgroundColor()
{
    if (!FDocument)
        return;
    Refresh();
    const QColor color = QColorDialog::getColor(ColorToQColor(FMaster->Picture().BackgroundColor()), this);
    if (color.isValid())
        SetBackgroundColor(TKeyGrid::ColorValue(color));
}

void TfmPicture::AskSaveImage(const TGraphic &graphic)
{
    if (graphic.IsEmpty())
        return;
    const QString mask = QStringLiteral("*.") + graphic.DefaultExtension();
    TFileDialogOptions options;
    options.Name = QStringLiteral("dlgSavePicture");
    options.Filter = mask + u'|' + mask;
    options.FileName = mask;
    const TFileChoice choice = ChooseSaveFile(this, options);
    if (!choice.Cancelled())
        graphic.SaveToFile(choice.FileName);
}

void TfmPicture::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    TBaseForm::keyPressEvent(event);
}
