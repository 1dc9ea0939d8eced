#include "device/DeviceReport.h"

#include "base/Error.h"
#include "catalogue/Keyboards.h"
#include "device/KeyboardDriver.h"

#include <QCoreApplication>
#include <QStringList>

namespace {

QString DeviceType(const TDeviceInfo &info, const TKeyboards &keyboards)
{
    const TKeyboard *model = keyboards.FindByModel(info.DeviceType);
    return model ? model->ClassName : QString::number(info.DeviceType);
}

QString Tracks(const TDeviceInfo &info)
{
    QStringList tracks;
    if (info.Track1)
        tracks << QStringLiteral("1");
    if (info.Track2)
        tracks << QStringLiteral("2");
    if (info.Track3)
        tracks << QStringLiteral("3");
    return tracks.join(u',');
}

// The matrix row: empty for a loader without the check, else whether keys
// of the matrix are closed (a warning).
TDeviceReportRow MatrixRow(TKeyboardDriver &driver, const TDeviceInfo &loader)
{
    TDeviceReportRow row{QCoreApplication::translate("DeviceReport", "Замыкания в матрице клавиатуры"),
                         QString(), false};
    if (TKeyboardDriver::HasMatrixCheck(loader)) {
        row.Warning = driver.HasMatrixClosures();
        row.Value = row.Warning ? QCoreApplication::translate("DeviceReport", "есть")
                                : QCoreApplication::translate("DeviceReport", "нет");
    }
    return row;
}

} // namespace

TDeviceReport ReadDeviceReport(TKeyboardDriver &driver, const TKeyboards &keyboards)
{
    TDeviceReport report;
    const TDeviceStatus status = driver.GetStatus();
    report.Working = !status.LoaderMode;
    TDeviceInfo program;
    if (report.Working) {
        try {
            driver.GetProgramInfo(program);
        } catch (const EError &) {
            // A program that does not answer counts as the loader alone.
            report.Working = false;
        }
    }
    TDeviceInfo loader;
    driver.GetLoaderInfo(loader);

    // The loader always tells its version, memory and keys; the rest comes
    // from the working program when it answered.
    const TDeviceInfo &record = report.Working ? program : loader;
    auto &rows = report.Rows;
    if (report.Working)
        rows.push_back({QCoreApplication::translate("DeviceReport", "Версия программы"), program.Version});
    else
        rows.push_back({QCoreApplication::translate("DeviceReport", "Режим клавиатуры"),
                        QCoreApplication::translate("DeviceReport", "загрузчик")});
    rows.push_back({QCoreApplication::translate("DeviceReport", "Версия загрузчика"), loader.Version});
    rows.push_back({QCoreApplication::translate("DeviceReport", "Объем памяти, байт"),
                    QString::number(loader.MemorySize)});
    rows.push_back(
        {QCoreApplication::translate("DeviceReport", "Тип устройства"), DeviceType(record, keyboards)});
    rows.push_back({QCoreApplication::translate("DeviceReport", "Количество слоев"),
                    QString::number(record.LayerCount)});
    rows.push_back({QCoreApplication::translate("DeviceReport", "Треки считывателя"), Tracks(record)});
    rows.push_back(
        {QCoreApplication::translate("DeviceReport", "Количество клавиш"), QString::number(loader.KeyCount)});
    rows.push_back({QCoreApplication::translate("DeviceReport", "Количество положений ключа"),
                    QString::number(record.KeyPositions)});
    rows.push_back(MatrixRow(driver, loader));

    if (report.Working) {
        report.LayoutValid = status.LayoutValid;
        report.LayoutState =
            status.LayoutValid
                ? QCoreApplication::translate("DeviceReport", "Загруженная раскладка работает нормально.")
                : QCoreApplication::translate("DeviceReport", "Раскладка клавиатуры повреждена\n\rили "
                                                              "предназначается для другой версии прошивки.");
        driver.SetMode(false, false);
    }
    return report;
}
