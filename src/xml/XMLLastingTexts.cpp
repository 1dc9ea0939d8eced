#include "xml/XMLLastingTexts.h"

#include "base/Win1251.h"

#include <QHash>
#include <memory>
#include <mutex>
#include <vector>

namespace {

// Room for every name and short value of the program's own files many times
// over; files made up to fill it only make later texts ordinary ones.
constexpr qsizetype kCharacterBudget = 1 << 18;
constexpr qsizetype kChunkSize = 4096;

class TLastingTexts {
public:
    QString Text(QByteArrayView bytes)
    {
        const std::lock_guard lock(FMutex);
        // A lookup key that borrows the bytes.
        const QByteArray key = QByteArray::fromRawData(bytes.data(), bytes.size());
        if (const auto found = FTexts.constFind(key); found != FTexts.cend())
            return found.value();
        const QString text = FromWin1251(bytes);
        if (FUsed + text.size() > kCharacterBudget)
            return text;
        const QString lasting = QString::fromRawData(Store(text), text.size());
        FTexts.insert(QByteArray(bytes.data(), bytes.size()), lasting);
        return lasting;
    }

private:
    const QChar *Store(const QString &text)
    {
        if (FChunks.empty() || FChunkUsed + text.size() > kChunkSize) {
            FChunks.push_back(std::make_unique<QChar[]>(kChunkSize));
            FChunkUsed = 0;
        }
        QChar *place = FChunks.back().get() + FChunkUsed;
        std::copy(text.cbegin(), text.cend(), place);
        FChunkUsed += text.size();
        FUsed += text.size();
        return place;
    }

    std::mutex FMutex;
    QHash<QByteArray, QString> FTexts;
    std::vector<std::unique_ptr<QChar[]>> FChunks;
    qsizetype FChunkUsed = 0;
    qsizetype FUsed = 0;
};

} // namespace

QString LastingText(QByteArrayView bytes)
{
    if (bytes.isEmpty() || bytes.size() > kMaxLastingBytes)
        return FromWin1251(bytes);
    // Never destroyed: texts handed out may live in other objects that are
    // destroyed at exit after any static one.
    static auto *const store = new TLastingTexts;
    return store->Text(bytes);
}
