#include "CliTestSupport.h"

#include "files/XMLLayout.h"
#include "catalogue/Keyboards.h"
#include "model/Graphic.h"
#include "model/Key.h"
#include "model/KeyPicture.h"
#include "model/Layer.h"
#include "model/Layout.h"
#include "support/RichLayout.h"
#include "support/TestCatalogue.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>
#include <random>
#include <signal.h>

// A save killed at any moment leaves the old file whole.

namespace {

// A PNG of noise that does not compress: about 200 KB.
TGraphic NoisePicture(std::mt19937 &random)
{
    QImage image(256, 256, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, random() & 0xFFFFFF);
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    image.save(&png, "PNG");
    return TGraphic::FromData(u"TPngImage", png.data());
}

QByteArray ReadAll(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Returns whether the stopped process pid has a file of folder other than
// source open: the new file, while it is being written.
bool Writing(qint64 pid, const QString &folder, const QString &source)
{
    const QDir fds(QStringLiteral("/proc/%1/fd").arg(pid));
    for (const QString &fd : fds.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        const QString target = QFileInfo(fds.filePath(fd)).symLinkTarget();
        if (target.startsWith(folder + u'/') && target != source)
            return true;
    }
    return false;
}

} // namespace

TEST(InterruptedSave, KilledConvertLeavesTheOldFileWhole)
{
    QTemporaryDir dir;
    const QDir folder(dir.path());
    std::mt19937 random(20261208);
    // Megabytes of XML: every key of the first layer has its own picture.
    auto big = MakeRichLayout(ShippedKeyboards(), 2);
    TLayer &first = big->Layers().Item(0);
    for (int k = 0; k < first.Keys().Count(); ++k)
        first.Keys().Item(k).Picture().SetPicture(NoisePicture(random));
    TXMLLayout xml(nullptr, ShippedKeyboards());
    const QString source = folder.filePath(QStringLiteral("big.xml"));
    xml.SaveToFile(*big, source);
    ASSERT_GT(QFileInfo(source).size(), 5'000'000);

    TLayout small;
    small.ChangeKeyboard(ShippedKeyboards().ByID(1));
    const QString target = folder.filePath(QStringLiteral("out.xml"));
    xml.SaveToFile(small, target);
    const QByteArray oldBytes = ReadAll(target);

    // A save that is let finish, and how long it takes.
    const QString finished = folder.filePath(QStringLiteral("finished.xml"));
    QElapsedTimer timer;
    timer.start();
    ASSERT_EQ(Ravlin({QStringLiteral("convert"), source, finished}).ExitCode, 0);
    const int fullMs = int(timer.elapsed());
    const QByteArray newBytes = ReadAll(finished);

    int killedWhileSaving = 0;
    std::uniform_int_distribution<int> moment(fullMs / 4, fullMs);
    for (int run = 0; run < 30; ++run) {
        xml.SaveToFile(small, target);
        QProcess process;
        process.start(QStringLiteral(RAVLIN_BIN_DIR "/ravlin"), {QStringLiteral("convert"), source, target});
        ASSERT_TRUE(process.waitForStarted());
        QThread::msleep(ulong(moment(random)));
        // Stopped first, so that what it has open is what it was doing.
        ::kill(pid_t(process.processId()), SIGSTOP);
        killedWhileSaving += Writing(process.processId(), folder.path(), source);
        process.kill();
        process.waitForFinished();

        const QByteArray bytes = ReadAll(target);
        EXPECT_TRUE(bytes == oldBytes || bytes == newBytes) << "run " << run;
        TLayout back;
        EXPECT_NO_THROW(xml.LoadFromFile(back, target)) << "run " << run;
    }
    EXPECT_GT(killedWhileSaving, 0) << "no kill came while the file was being written (" << fullMs << " ms)";
    std::printf("killed while writing: %d of 30 (a whole convert takes %d ms)\n", killedWhileSaving, fullMs);
}
