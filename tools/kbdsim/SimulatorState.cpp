#include "SimulatorState.h"

#include "base/Error.h"
#include "base/SafeFile.h"

#include <QCoreApplication>
#include <QtEndian>

namespace {

constexpr char kMagic[] = "RVKBDSIM";
constexpr qsizetype kMagicSize = 8;
constexpr uint32_t kFormat = 1;

void AppendWord(QByteArray &bytes, uint32_t value)
{
    char word[4];
    qToLittleEndian(value, word);
    bytes.append(word, 4);
}

EError FormatError(const QString &detail)
{
    return EError(
        QCoreApplication::translate("TSimulatorState", "Неверный формат файла состояния эмулятора: %1")
            .arg(detail));
}

// Reads the parts of a state file, never past its end.
class TStateReader {
public:
    explicit TStateReader(const QByteArray &bytes) : FBytes(bytes) {}

    uint32_t Word()
    {
        Need(4);
        const uint32_t value = qFromLittleEndian<uint32_t>(FBytes.constData() + FPosition);
        FPosition += 4;
        return value;
    }

    QByteArray Memory()
    {
        const uint32_t size = Word();
        if (size > TSimulatorState::kMaxMemory)
            throw FormatError(
                QCoreApplication::translate("TSimulatorState", "память в %1 байт больше допустимой")
                    .arg(size));
        Need(size);
        const QByteArray memory = FBytes.mid(FPosition, size);
        FPosition += size;
        return memory;
    }

    bool AtEnd() const { return FPosition == FBytes.size(); }

private:
    void Need(qsizetype count) const
    {
        if (FBytes.size() - FPosition < count)
            throw FormatError(QCoreApplication::translate("TSimulatorState", "файл обрывается"));
    }

    const QByteArray &FBytes;
    qsizetype FPosition = kMagicSize;
};

} // namespace

QByteArray TSimulatorState::Encode() const
{
    QByteArray bytes(kMagic, kMagicSize);
    AppendWord(bytes, kFormat);
    AppendWord(bytes, uint32_t(LayoutMemory.size()));
    bytes.append(LayoutMemory);
    AppendWord(bytes, uint32_t(ProgramMemory.size()));
    bytes.append(ProgramMemory);
    return bytes;
}

TSimulatorState TSimulatorState::Decode(const QByteArray &bytes)
{
    if (!bytes.startsWith(QByteArrayView(kMagic, kMagicSize)))
        throw FormatError(QCoreApplication::translate("TSimulatorState", "нет подписи"));
    TStateReader reader(bytes);
    const uint32_t format = reader.Word();
    if (format != kFormat)
        throw FormatError(
            QCoreApplication::translate("TSimulatorState", "неизвестная версия %1").arg(format));
    TSimulatorState state;
    state.LayoutMemory = reader.Memory();
    state.ProgramMemory = reader.Memory();
    if (!reader.AtEnd())
        throw FormatError(QCoreApplication::translate("TSimulatorState", "лишние данные в конце"));
    return state;
}

TSimulatorState TSimulatorState::Load(const QString &fileName)
{
    // A state file is at most twice the address space plus its header.
    return Decode(ReadFileBounded(fileName, 2 * kMaxMemory + 64));
}

void TSimulatorState::Save(const QString &fileName) const
{
    WriteFileAtomically(fileName, Encode());
}
