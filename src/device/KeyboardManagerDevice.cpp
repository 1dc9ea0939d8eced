#include "device/KeyboardManager.h"

#include "base/Error.h"
#include "base/SafeFile.h"
#include "catalogue/Keyboards.h"
#include "device/KeyboardDriver.h"
#include "device/LayoutBackups.h"
#include "device/ManagerPrompts.h"
#include "files/LayoutFileFormats.h"
#include "files/LayoutFormat.h"
#include "model/Layout.h"
#include "model/Notes.h"
#include "settings/SettingsManager.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <algorithm>

// The device operations of the keyboard manager.

namespace {

constexpr int kReadBlockSize = 128;
constexpr int kWriteBlockSize = 256;
// The trailer markers from which on the length word follows the checksum.
constexpr uint16_t kFirstCheckedMarker = 0x0208;

// Reports the start of a long operation and, however it ends, its finish.
class TProgressRun {
public:
    TProgressRun(TProgress &progress, int steps, const QString &caption) : FProgress(progress)
    {
        FProgress.Start(steps, caption);
    }
    ~TProgressRun() { FProgress.Finish(); }
    TProgressRun(const TProgressRun &) = delete;
    TProgressRun &operator=(const TProgressRun &) = delete;

private:
    TProgress &FProgress;
};

int BlockCount(qsizetype bytes, int blockSize)
{
    return int((bytes + blockSize - 1) / blockSize);
}

QByteArray NoteBytes(const TNotes &notes)
{
    QByteArray bytes;
    for (int i = 0; i < notes.Count(); ++i) {
        const TNote &note = notes.Item(i);
        bytes.append(char(note.Pitch()));
        bytes.append(char(note.Duration()));
        bytes.append(char(note.Volume()));
    }
    return bytes;
}

} // namespace

QByteArray TKeyboardManager::ReadBlocks(int length, const QString &caption)
{
    const int blocks = BlockCount(length, kReadBlockSize);
    const TProgressRun run(FProgress, blocks, caption);
    QByteArray bytes;
    bytes.reserve(blocks * kReadBlockSize);
    for (int k = 0; k < blocks; ++k) {
        QByteArray block;
        FDriver->ReadMemory(uint16_t(k * kReadBlockSize), kReadBlockSize, block);
        bytes.append(block);
        FProgress.Step(k + 1);
        if (FProgress.Cancelled())
            throw EAbort();
    }
    bytes.truncate(length);
    return bytes;
}

QByteArray TKeyboardManager::ReadImage()
{
    const uint16_t trailer = FDriver->ReadWord(0);
    const uint16_t marker = FDriver->ReadWord(trailer);
    const uint16_t length = FDriver->ReadWord(uint16_t(trailer + (marker < kFirstCheckedMarker ? 2 : 4)));
    return ReadBlocks(length, tr("Чтение раскладки"));
}

bool TKeyboardManager::WriteImage(const QByteArray &image, const QString &caption)
{
    const int blocks = BlockCount(image.size(), kWriteBlockSize);
    const TProgressRun run(FProgress, blocks, caption);
    // The first block goes in last and is zeroed until then: an interrupted
    // write leaves no valid header over partial data.
    const QByteArray header = image.left(kWriteBlockSize);
    QByteArray body = image;
    body.replace(0, header.size(), QByteArray(header.size(), '\0'));
    for (int k = 0; k < blocks; ++k) {
        FDriver->WriteBlock(uint16_t(k * kWriteBlockSize), body.mid(k * kWriteBlockSize, kWriteBlockSize));
        FProgress.Step(k + 1);
        if (FProgress.Cancelled())
            return false;
        QThread::msleep(FBlockPauseMs);
    }
    if (!header.isEmpty())
        FDriver->WriteBlock(0, header);
    return true;
}

QByteArray TKeyboardManager::ReadDeviceFile(const QString &fileName)
{
    // The largest image or program file a keyboard takes is 65 KiB; a larger
    // one is refused with the warning the editor shows, and the operation
    // ends there.
    const QFileInfo info(fileName);
    if (info.isFile() && info.size() > FileLimits::kDeviceImage) {
        Prompts().Warn(tr("Размер исполняемой програмы для клавиатуры\n\rне может превышать 65 килобайт!"));
        throw EAbort();
    }
    const QByteArray data = ReadFileBounded(fileName, FileLimits::kDeviceImage);
    if (data.isEmpty())
        throw EError(
            tr("Файл \"%1\" пуст: записывать в клавиатуру нечего.").arg(QDir::toNativeSeparators(fileName)));
    return data;
}

QString TKeyboardManager::ModelName(uint8_t deviceType) const
{
    const TKeyboard *model = FKeyboards.FindByModel(deviceType);
    return model ? model->Name : QStringLiteral("модель %1").arg(deviceType);
}

void TKeyboardManager::BackupLayoutMemory()
{
    if (!FBackup)
        return;
    if (!FDriver->GetWorkStatus().LayoutValid) {
        PostMessage(tr("В клавиатуре нет раскладки: резервная копия не нужна."));
        return;
    }
    try {
        TDeviceInfo info;
        FDriver->GetInfo(info);
        const QByteArray image = ReadImage();
        const QString name = FBackups->Save(image, ModelName(info.DeviceType), QDateTime::currentDateTime());
        PostMessage(tr("Резервная копия раскладки клавиатуры: %1").arg(QDir::toNativeSeparators(name)));
    } catch (const EError &error) {
        if (!Prompts().Ask(tr("Не удалось сохранить резервную копию раскладки клавиатуры:\r\n%1\r\n"
                              "Записать раскладку без резервной копии ?")
                               .arg(error.Message())))
            throw EAbort();
    }
}

bool TKeyboardManager::WriteMemory(const QByteArray &image, const QString &caption)
{
    if (!WriteImage(image, caption))
        return false;
    if (FSettings->VerifyAfterWrite())
        VerifyMemory(image);
    return true;
}

void TKeyboardManager::VerifyMemory(const QByteArray &image)
{
    const QByteArray written = ReadBlocks(int(image.size()), tr("Проверка записи"));
    const auto [expected, found] = std::mismatch(image.begin(), image.end(), written.begin(), written.end());
    if (expected == image.end() && found == written.end())
        return;
    // The keyboard must not run a layout or a program it did not get whole:
    // the first block is zeroed again, so that the memory holds nothing
    // valid. Should that
    // write fail too, the comparison's error is still the one to report.
    try {
        FDriver->WriteBlock(0, QByteArray(kWriteBlockSize, '\0'));
    } catch (const EError &) {
    }
    throw EError(tr("Ошибка проверки записи: адрес %1.").arg(expected - image.begin()));
}

void TKeyboardManager::FinishLayoutWrite(bool written)
{
    FDriver->SetMode(false, false);
    // A cancelled write leaves the keyboard without a layout: the user is
    // told so, since the keyboard no longer works at the till.
    if (!written)
        throw EError(tr("Запись раскладки прервана: в клавиатуре нет действующей раскладки."));
    // The keyboard's own judgement, also when nothing was read back: a layout
    // it does not accept is no successful write.
    if (!FDriver->GetStatus().LayoutValid)
        throw EError(
            tr("Клавиатура не приняла записанную раскладку: раскладка в клавиатуре недействительна."));
}

void TKeyboardManager::CheckImage(const QByteArray &image, const QString &fileName)
{
    TLayout layout;
    try {
        ImageFormat().LoadFromString(layout, image);
    } catch (const EError &error) {
        if (!Prompts().Ask(tr("Файл %1 не является раскладкой клавиатуры:\r\n%2\r\nВсё равно записать его в "
                              "клавиатуру ?")
                               .arg(QDir::toNativeSeparators(fileName), error.Message())))
            throw EAbort();
        return;
    }
    CheckModel(layout);
}

void TKeyboardManager::CheckBeforeWrite(const TLayout &layout)
{
    if (OnCheckLayout)
        OnCheckLayout();
    // Every faulty sequence is listed in the message window, tagged with the
    // layout, before the user is asked whether to write anyway.
    if (layout.Check([this, &layout](const QString &text, uint32_t) { PostMessage(text, &layout); }))
        return;
    if (OnLayoutFaulty)
        OnLayoutFaulty();
    if (!Prompts().Ask(tr("Раскладка содержит неверную последовательность кодов\r\nПродолжить запись ?")))
        throw EAbort();
}

uint16_t TKeyboardManager::CheckProgramVersion(const TLayout &layout)
{
    if (!FDriver->GetWorkStatus().ProgramValid)
        return layout.Version();
    TDeviceInfo info;
    FDriver->GetProgramInfo(info);
    const auto version = uint16_t(info.Major << 8 | info.Minor);
    if (info.Major > 2 || (info.Major == 2 && info.Minor >= 8))
        return version;
    if (Prompts().Ask(tr("Программа поддерживает клавиатуры версии 2.8 или выше.\r\nВерсия прошивки "
                         "вашей клавиатуры устарела.\r\nХотите обновить ее ?\r\n\r\n")))
        OfferProgramUpdate();
    return version;
}

void TKeyboardManager::CheckModel(const TLayout &layout)
{
    TDeviceInfo info;
    FDriver->GetProgramInfo(info);
    const TKeyboard &model = FKeyboards.ByID(layout.KeyboardID());
    if (model.Model == info.DeviceType)
        return;
    const TKeyboard &device = FKeyboards.ByModel(info.DeviceType);
    if (!Prompts().Ask(tr("Вы хотите записать раскладку для клавиатуры %1\r\nв клавиатуру другой "
                          "модели %2. Продолжить ?")
                           .arg(model.ClassName, device.ClassName)))
        throw EAbort();
}

void TKeyboardManager::CheckMemorySize(qsizetype imageSize, const TDeviceInfo &info) const
{
    // A keyboard that reports no size is not held to one.
    if (info.MemorySize == 0 || imageSize <= info.MemorySize)
        return;
    throw EError(tr("Раскладка (%1 байт) не помещается в память клавиатуры (%2 байт).")
                     .arg(imageSize)
                     .arg(info.MemorySize));
}

TLayoutFormat &TKeyboardManager::ImageFormatFor(uint8_t minor) const
{
    switch (minor) {
    case 8:
        return Formats().Item(sfImage28);
    case 9:
        return Formats().Item(sfImage29);
    default:
        return Formats().Item(sfImage210);
    }
}

uint16_t TKeyboardManager::WriteLayout(const TLayout &layout)
{
    const TDeviceUse use(*this);
    CheckBeforeWrite(layout);
    const uint16_t version = CheckProgramVersion(layout);
    CheckModel(layout);
    TDeviceInfo info;
    FDriver->GetProgramInfo(info);
    // The image carries the keyboard's program version: a copy takes it, so
    // that the caller's layout stays as it is.
    TLayout versioned;
    versioned.Assign(layout);
    versioned.SetVersion(version);
    // The image is built and measured before the keyboard leaves its working
    // mode, so that a layout it cannot take leaves it as it was.
    const QByteArray image = ImageFormatFor(info.Minor).SaveToString(versioned);
    CheckMemorySize(image.size(), info);
    BackupLayoutMemory();
    FDriver->SetMode(true, false);
    FinishLayoutWrite(WriteMemory(image, tr("Запись раскладки")));
    return version;
}

void TKeyboardManager::ReadLayout(TLayout &layout)
{
    const TDeviceUse use(*this);
    const QByteArray image = ReadImage();
    // Back to working mode before the layout is filled, so that a keyboard
    // failing now leaves the document as it was.
    FDriver->SetMode(false, false);
    ImageFormat().LoadFromString(layout, image);
}

void TKeyboardManager::ReadMemoryToFile(const QString &fileName)
{
    const TDeviceUse use(*this);
    Remember(fileName);
    // The memory is read before the file is touched, and the file is replaced
    // only by a complete image: a failed read keeps the old file.
    WriteFileAtomically(fileName, ReadImage());
}

void TKeyboardManager::WriteImageFile(const QString &fileName)
{
    const TDeviceUse use(*this);
    Remember(fileName);
    // The file is read and looked at before the keyboard is touched.
    const QByteArray data = ReadDeviceFile(fileName);
    CheckImage(data, fileName);
    BackupLayoutMemory();
    // The loader's record brings the keyboard into loader mode for layout
    // memory and tells how much memory the file may fill.
    TDeviceInfo info;
    FDriver->GetLoaderInfo(info);
    CheckMemorySize(data.size(), info);
    FinishLayoutWrite(WriteMemory(data, tr("Запись файла раскладки")));
}

bool TKeyboardManager::ProgramNameAccepted(uint8_t deviceType, const QString &fileName)
{
    const TKeyboard *model = FKeyboards.FindByModel(deviceType);
    if (!model)
        return true;
    // Program files are named after their model: "NAME_v2.8.prg". Model
    // names may hold "_" themselves, so the file passes when it starts with
    // the whole name and an "_" (or is the name alone), and the question
    // names the model the file is meant for as the part before its last "_".
    const QFileInfo file(fileName);
    const QString name = file.fileName();
    const qsizetype cut = name.lastIndexOf(u'_');
    const QString prefix = cut < 0 ? file.completeBaseName() : name.left(cut);
    if (file.completeBaseName().compare(model->Name, Qt::CaseInsensitive) == 0 ||
        name.startsWith(model->Name + u'_', Qt::CaseInsensitive))
        return true;
    return Prompts().Ask(tr("Вы хотите записать в клавиатуру %1 программу,\r\nпредназначенную для клавиатуры "
                            "%2.\r\nЭто может привести к ее неправильной работе.\r\nПродолжить ?")
                             .arg(model->Name, prefix));
}

void TKeyboardManager::WriteProgramFile(const QString &fileName)
{
    const TDeviceUse use(*this);
    Remember(fileName);
    // The file is read before the keyboard leaves its working mode: a file
    // that cannot be written leaves the keyboard as it was.
    const QByteArray program = ReadDeviceFile(fileName);
    TDeviceInfo info;
    FDriver->GetLoaderInfo(info);
    if (!ProgramNameAccepted(info.DeviceType, fileName)) {
        FDriver->SetMode(false, false);
        throw EAbort();
    }
    FDriver->SetMode(true, true);
    // A cancelled write leaves no program to run: the keyboard stays in its
    // loader, ready for the next attempt.
    if (!WriteMemory(program, tr("Запись файла программы")))
        throw EError(tr("Запись программы прервана: программа клавиатуры повреждена, запишите ее заново."));
    FDriver->SetMode(false, false);
    if (!FDriver->GetStatus().ProgramValid)
        throw EError(tr("Программа не записана: клавиатура считает свою программу поврежденной."));
}

bool TKeyboardManager::OfferProgramUpdate()
{
    TDeviceInfo info;
    FDriver->GetProgramInfo(info);
    const TKeyboard &model = FKeyboards.ByModel(info.DeviceType);
    const QString fileName = Prompts().ChooseFile(
        tr("Программы клавиатуры (*.prg)|*.prg|Все файлы (*.*)|*.*"),
        model.Name + QStringLiteral("_v2.8.bin"), FDataFolder + QStringLiteral("/Программы/"));
    if (fileName.isEmpty())
        return false;
    WriteProgramFile(fileName);
    return true;
}

void TKeyboardManager::PlayMelody(const TNotes &notes)
{
    const TDeviceUse use(*this);
    FDriver->PlayNotes(NoteBytes(notes));
}

void TKeyboardManager::PlayMelody(const QString &text)
{
    TNotes notes;
    notes.SetText(text);
    PlayMelody(notes);
}
