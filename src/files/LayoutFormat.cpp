#include "files/LayoutFormat.h"

#include "base/Error.h"
#include "base/SafeFile.h"
#include "files/FileFormatError.h"
#include "model/Layout.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QStringList>
#include <algorithm>

TLayoutFormat::TLayoutFormat(TLayoutFormats *formats, const TKeyboards &keyboards) : FKeyboards(keyboards)
{
    SetFormats(formats);
}

TLayoutFormat::~TLayoutFormat()
{
    SetFormats(nullptr);
}

void TLayoutFormat::SetFormats(TLayoutFormats *formats)
{
    if (formats == FFormats)
        return;
    if (FFormats)
        std::erase(FFormats->FItems, this);
    FFormats = formats;
    if (FFormats)
        FFormats->FItems.push_back(this);
}

QString TLayoutFormat::GetFilter() const
{
    return QString();
}

QString TLayoutFormat::ShortName() const
{
    return QString();
}

QString TLayoutFormat::DefaultSuffix() const
{
    return QString();
}

void TLayoutFormat::SaveToStream(const TLayout &, QIODevice &) {}

void TLayoutFormat::LoadFromStream(TLayout &, QIODevice &) {}

void TLayoutFormat::SaveToFile(TLayout &layout, const QString &path)
{
    // The layout is made in memory and written in one piece, so that a
    // failing write names the file; a drawing or format error on the way
    // discards the temporary file and leaves the target untouched.
    WriteFileAtomically(path, [&](QIODevice &file) { WriteAll(file, SaveToString(layout), path); });
    layout.SetFileName(path);
}

void TLayoutFormat::LoadGuarded(TLayout &layout, QIODevice &stream)
{
    // The load works on a copy, so that the layout keeps what the data does
    // not mention, yet takes nothing over from a load that fails half-way;
    // a load that succeeds hands the copy's content over without copying.
    TLayout scratch;
    scratch.Assign(layout);
    LoadFromStream(scratch, stream);
    layout.TakeContent(scratch);
}

void TLayoutFormat::LoadFromFile(TLayout &layout, const QString &path)
{
    QByteArray data = ReadFileBounded(path, FileLimits::kLayoutFile);
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    LoadGuarded(layout, buffer);
    layout.SetFileName(path);
}

QByteArray TLayoutFormat::SaveToString(const TLayout &layout)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    SaveToStream(layout, buffer);
    return buffer.data();
}

void TLayoutFormat::LoadFromString(TLayout &layout, const QByteArray &data)
{
    if (data.isEmpty())
        throw EFileFormatError(QCoreApplication::translate("TLayoutFormat", "Отсутствуют данные раскладки"));
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    LoadGuarded(layout, buffer);
}

TLayoutFormats::~TLayoutFormats()
{
    for (TLayoutFormat *format : FItems)
        format->FFormats = nullptr;
}

TLayoutFormat &TLayoutFormats::Item(int index) const
{
    if (index < 0 || index >= Count())
        throw EError(QCoreApplication::translate("TLayoutFormat", "Неверный индекс формата"));
    return *FItems[size_t(index)];
}

int TLayoutFormats::IndexOf(const TLayoutFormat *format) const
{
    const auto found = std::find(FItems.begin(), FItems.end(), format);
    return found == FItems.end() ? -1 : int(found - FItems.begin());
}

QString TLayoutFormats::Filter() const
{
    QStringList filters;
    for (const TLayoutFormat *format : FItems)
        filters.append(format->GetFilter());
    return filters.join(u'|');
}
