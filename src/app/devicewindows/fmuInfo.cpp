#include "devicewindows/fmuInfo.h"

#include "common/BaseForm.h"
#include "devicewindows/DevicePictures.h"
#include "device/DeviceReport.h"
#include "device/KeyboardManager.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kCaptionColumnWidth = 230;

} // namespace

TfmInfo::TfmInfo(const TFont &font, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("fmInfo"));
    setWindowTitle(tr("Информация об устройстве"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFont(TBaseForm::FormFont(font));
    setMinimumSize(344, 289);

    ListView = new QTreeWidget(this);
    ListView->setObjectName(QStringLiteral("ListView"));
    ListView->setColumnCount(2);
    ListView->setHeaderLabels({tr("Наименование"), tr("Значение")});
    ListView->setRootIsDecorated(false);
    ListView->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView->header()->setStretchLastSection(true);
    ListView->header()->setSectionsMovable(false);
    ListView->setColumnWidth(0, kCaptionColumnWidth);

    ImageBroken = new QLabel(this);
    ImageBroken->setObjectName(QStringLiteral("ImageBroken"));
    ImageBroken->setPixmap(BrokenLayoutPicture());
    ImageBroken->setFixedSize(32, 32);
    ImageBroken->hide();
    LabelState = new QLabel(this);
    LabelState->setObjectName(QStringLiteral("LabelState"));
    LabelState->setWordWrap(true);
    btnClose = new QPushButton(tr("OK"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setDefault(true);
    connect(btnClose, &QPushButton::clicked, this, &TfmInfo::accept);

    auto *state = new QHBoxLayout;
    state->addWidget(ImageBroken, 0, Qt::AlignTop);
    state->addWidget(LabelState, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnClose);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(ListView, 1);
    layout->addLayout(state);
    layout->addLayout(buttons);
    resize(kCaptionColumnWidth + 180, 300);
}

void TfmInfo::ReadDevice(TKeyboardManager &manager)
{
    const TKeyboardManager::TDeviceUse use(manager);
    Fill(ReadDeviceReport(manager.Driver(), manager.Keyboards()));
}

void TfmInfo::Fill(const TDeviceReport &report)
{
    ListView->clear();
    for (const TDeviceReportRow &row : report.Rows) {
        auto *item = new QTreeWidgetItem(ListView, {row.Caption, row.Value});
        if (row.Warning)
            item->setIcon(1, QIcon(WarningPicture()));
    }
    if (report.Working) {
        ImageBroken->setVisible(!report.LayoutValid);
        // The state's line break "\n\r" is drawn without its carriage
        // return, which a label would show as a blank.
        LabelState->setText(QString(report.LayoutState).remove(u'\r'));
    }
}

void TfmInfo::ShowDeviceInfo(TKeyboardManager &manager)
{
    ReadDevice(manager);
    exec();
}

void TfmInfo::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (const QScreen *shown = screen())
        move(shown->availableGeometry().center() - rect().center());
}
