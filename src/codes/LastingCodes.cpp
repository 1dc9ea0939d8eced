#include "codes/LastingCodes.h"

#include <QHash>
#include <cstring>
#include <memory>
#include <mutex>
#include <vector>

namespace {

// Room for the built-in table and several loaded ones; tables made up to
// fill it only make later texts ordinary ones.
constexpr size_t kBudget = 1 << 18;
constexpr size_t kChunkSize = 8192;

class TLastingStore {
public:
    QByteArray Bytes(QByteArrayView bytes)
    {
        const std::lock_guard lock(FMutex);
        const QByteArray key = QByteArray::fromRawData(bytes.data(), bytes.size());
        if (const auto found = FBytes.constFind(key); found != FBytes.cend())
            return found.value();
        const void *place = Store(bytes.data(), size_t(bytes.size()));
        if (!place)
            return bytes.toByteArray();
        const QByteArray lasting = QByteArray::fromRawData(static_cast<const char *>(place), bytes.size());
        FBytes.insert(lasting, lasting);
        return lasting;
    }

    QString Name(const QString &name)
    {
        const std::lock_guard lock(FMutex);
        if (const auto found = FNames.constFind(name); found != FNames.cend())
            return found.value();
        const void *place = Store(name.constData(), size_t(name.size()) * sizeof(QChar));
        if (!place)
            return name;
        const QString lasting = QString::fromRawData(static_cast<const QChar *>(place), name.size());
        FNames.insert(lasting, lasting);
        return lasting;
    }

private:
    // Returns a never-freed copy of size bytes, aligned for QChar; null when
    // the budget is spent or the size is too large for one chunk.
    const void *Store(const void *data, size_t size)
    {
        // Every copy starts at an even offset, as a QChar must.
        const size_t room = (size + 1) & ~size_t(1);
        if (size == 0 || room > kChunkSize || FUsed + room > kBudget)
            return nullptr;
        if (FChunks.empty() || FChunkUsed + room > kChunkSize) {
            FChunks.push_back(std::make_unique<char[]>(kChunkSize));
            FChunkUsed = 0;
        }
        char *place = FChunks.back().get() + FChunkUsed;
        std::memcpy(place, data, size);
        FChunkUsed += room;
        FUsed += room;
        return place;
    }

    std::mutex FMutex;
    QHash<QByteArray, QByteArray> FBytes;
    QHash<QString, QString> FNames;
    std::vector<std::unique_ptr<char[]>> FChunks;
    size_t FChunkUsed = 0;
    size_t FUsed = 0;
};

// Never destroyed: texts handed out may live in objects destroyed at exit
// after any static one.
TLastingStore &Store()
{
    static auto *const store = new TLastingStore;
    return *store;
}

} // namespace

QByteArray LastingBytes(QByteArrayView bytes)
{
    return Store().Bytes(bytes);
}

QString LastingName(const QString &name)
{
    return Store().Name(name);
}
