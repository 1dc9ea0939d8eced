// The answer checks of the keyboard command protocol. The input is a
// script: a byte picks a device command (its parameters follow), and every
// exchange the command makes is answered by the next slice of the input, a
// length byte followed by that many bytes. An exhausted input answers like
// a keyboard that is gone. Mode changes are left out: they wait between
// their attempts.

#include "FuzzSupport.h"

#include "device/DeviceInfo.h"
#include "device/HidBackend.h"
#include "device/KeyboardDriver.h"

#include <QByteArrayView>
#include <algorithm>

namespace {

const QString kDeviceName = QStringLiteral("Fuzz");

// Hands out the input from front to back; reads past the end give zeros
// and empty slices.
class TScript {
public:
    void Reset(QByteArrayView input)
    {
        FInput = input;
        FPos = 0;
    }
    bool AtEnd() const { return FPos >= FInput.size(); }
    uint8_t Byte() { return AtEnd() ? 0 : uint8_t(FInput[FPos++]); }
    uint16_t Word()
    {
        const uint8_t low = Byte();
        return uint16_t(low | Byte() << 8);
    }
    QByteArray Slice()
    {
        const qsizetype length = std::min<qsizetype>(Byte(), FInput.size() - FPos);
        const QByteArray slice = FInput.sliced(FPos, length).toByteArray();
        FPos += length;
        return slice;
    }

private:
    QByteArrayView FInput;
    qsizetype FPos = 0;
};

class TScriptPort : public TCustomPort {
public:
    TScriptPort(TCustomPorts *owner, TScript &script) : TCustomPort(owner), FScript(script) {}

    bool HasDevice(const QString &name) override { return name == kDeviceName; }
    void Transfer(const QByteArray &, QByteArray &answer, int) override
    {
        if (FScript.AtEnd())
            throw EError(QStringLiteral("Нет связи"));
        answer = FScript.Slice();
    }

private:
    TScript &FScript;
};

void RunCommand(TKeyboardDriver &driver, TScript &script)
{
    switch (script.Byte() % 7) {
    case 0: {
        TDeviceInfo info;
        driver.GetInfo(info);
        break;
    }
    case 1:
        driver.GetStatus();
        break;
    case 2: {
        const uint16_t address = script.Word();
        const uint16_t count = script.Byte();
        QByteArray memory;
        driver.ReadMemory(address, count, memory);
        break;
    }
    case 3:
        driver.ReadWord(script.Word());
        break;
    case 4:
        driver.ReadMatrixState();
        break;
    case 5:
        driver.PlayNotes(script.Slice());
        break;
    default: {
        const uint16_t address = script.Word();
        driver.WriteBlock(address, script.Slice());
        break;
    }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static TScript *const script = new TScript;
    static TKeyboardDriver *const driver = [] {
        auto *created = new TKeyboardDriver(
            {QStringLiteral("/nonexistent/ravlin-fuzz-driver"), std::make_shared<TNoHidBackend>()});
        new TScriptPort(&created->Ports(), *script);
        created->SelectDevice(kDeviceName);
        return created;
    }();

    script->Reset(QByteArrayView(data, qsizetype(size)));
    while (!script->AtEnd())
        Refused([&] { RunCommand(*driver, *script); });
    return 0;
}
