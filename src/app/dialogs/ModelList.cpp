#include "dialogs/ModelList.h"

#include "catalogue/Keyboards.h"
#include "device/KeyboardDriver.h"
#include "device/KeyboardManager.h"

#include <QListWidget>

void FillModelList(QListWidget &list, const TKeyboards &keyboards)
{
    list.clear();
    for (int i = 0; i < keyboards.Count(); ++i) {
        auto *item = new QListWidgetItem(keyboards.Item(i).ClassName, &list);
        item->setData(Qt::UserRole, keyboards.Item(i).ID);
    }
}

void SelectModelItem(QListWidget &list, std::optional<int> keyboardId)
{
    for (int i = 0; keyboardId && i < list.count(); ++i) {
        if (list.item(i)->data(Qt::UserRole).toInt() == *keyboardId) {
            list.setCurrentRow(i);
            list.scrollToItem(list.item(i));
            return;
        }
    }
    list.setCurrentRow(-1);
    list.clearSelection();
}

std::optional<int> SelectedModelID(const QListWidget &list)
{
    const QList<QListWidgetItem *> selected = list.selectedItems();
    if (selected.isEmpty())
        return std::nullopt;
    return selected.front()->data(Qt::UserRole).toInt();
}

uint8_t ReadDeviceType(TKeyboardManager &manager)
{
    const TKeyboardManager::TDeviceUse use(manager);
    TDeviceInfo info;
    manager.Driver().GetProgramInfo(info);
    return info.DeviceType;
}
