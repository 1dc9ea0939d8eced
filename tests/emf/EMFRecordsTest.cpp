#include "files/emf/EMFRecords.h"

#include "EMFRecordList.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

QByteArray Hex(const char *text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

// The bytes of the records added between two lengths of a builder's data:
// the metafile is finished, so the tail is the end record.
QByteArray Body(TEMFRecords &records)
{
    const QByteArray data = records.Finish();
    return data.mid(108, data.size() - 108 - 20);
}

} // namespace

TEST(EMFRecords, EmptyMetafileIsHeaderAndEnd)
{
    TEMFRecords records(QSize(1920, 1080), 96);
    const QByteArray data = records.Finish();
    // 1920 x 1080 pixels at 96 dpi: 508 x 285.75 mm.
    const QByteArray header = Hex("01000000 6C000000"
                                  "00000000 00000000 FFFFFFFF FFFFFFFF"
                                  "00000000 00000000 FFFFFFFF FFFFFFFF"
                                  "20454D46 00000100 80000000 02000000 0100 0000"
                                  "00000000 00000000 00000000"
                                  "80070000 38040000 FC010000 1E010000"
                                  "00000000 00000000 00000000"
                                  "60C00700 365C0400");
    const QByteArray end = Hex("0E000000 14000000 00000000 10000000 14000000");
    EXPECT_EQ(data.toHex(' '), (header + end).toHex(' '));
    EXPECT_EQ(records.RecordCount(), 2);
    EXPECT_EQ(records.HandleCount(), 1);
}

TEST(EMFRecords, HeaderCarriesBoundsFrameAndCounts)
{
    TEMFRecords records(QSize(1920, 1080), 96);
    records.IncludeBounds(QRect(10, 20, 100, 50));
    records.IncludeBounds(QRect(500, 500, 0, 0)); // empty: ignored
    records.SetMapMode(mmText);
    records.SetTextColor(qRgb(1, 2, 3));
    const QByteArray data = records.Finish();
    const auto list = ParseRecords(data);
    ASSERT_TRUE(list);
    const TRecord &header = list->front();
    EXPECT_EQ(header.I32(8), 10);
    EXPECT_EQ(header.I32(12), 20);
    EXPECT_EQ(header.I32(16), 109);
    EXPECT_EQ(header.I32(20), 69);
    // 0.01 mm per pixel at 96 dpi is 26.458; the frame covers whole pixels.
    EXPECT_EQ(header.I32(24), 265);
    EXPECT_EQ(header.I32(28), 529);
    EXPECT_EQ(header.I32(32), 2909);
    EXPECT_EQ(header.I32(36), 1851);
    EXPECT_EQ(header.U32(52), 4u);
    EXPECT_EQ((*list)[1].Bytes.toHex(' '), Hex("11000000 0C000000 01000000").toHex(' '));
    EXPECT_EQ((*list)[2].Bytes.toHex(' '), Hex("18000000 0C000000 01020300").toHex(' '));
}

TEST(EMFRecords, PensAndHandles)
{
    TEMFRecords records(QSize(100, 100), 96);
    const uint32_t pen = records.ExtCreatePen(
        {psGeometric | psDash | psEndCapFlat | psJoinMiter, 3, qRgb(0x12, 0x34, 0x56), {}});
    const uint32_t brush = records.CreateSolidBrush(qRgb(0xAB, 0xCD, 0xEF));
    records.DeleteObject(pen);
    const uint32_t font = records.ExtCreateFontIndirectW({QStringLiteral("DejaVu Sans"), 16, 900, 700, true});
    const uint32_t dashed = records.ExtCreatePen({psGeometric | psUserStyle, 2, qRgb(0, 0, 0), {6, 3}});
    EXPECT_EQ(pen, 1u);
    EXPECT_EQ(brush, 2u);
    EXPECT_EQ(font, 1u) << "a deleted handle is handed out again";
    EXPECT_EQ(dashed, 3u);
    EXPECT_EQ(records.HandleCount(), 4);

    const auto list = ParseRecords(records.Finish());
    ASSERT_TRUE(list);
    EXPECT_EQ(list->front().U16(56), 4);
    EXPECT_EQ((*list)[1].Bytes.toHex(' '),
              Hex("5F000000 34000000 01000000 00000000 00000000 00000000 00000000"
                  "01220100 03000000 00000000 12345600 00000000 00000000")
                  .toHex(' '));
    EXPECT_EQ((*list)[2].Bytes.toHex(' '),
              Hex("27000000 18000000 02000000 00000000 ABCDEF00 00000000").toHex(' '));
    EXPECT_EQ((*list)[3].Bytes.toHex(' '), Hex("28000000 0C000000 01000000").toHex(' '));

    const TRecord &fontRecord = (*list)[4];
    ASSERT_EQ(fontRecord.Bytes.size(), 332);
    EXPECT_EQ(fontRecord.U32(8), 1u);
    EXPECT_EQ(fontRecord.I32(12), -16) << "negative: the character height";
    EXPECT_EQ(fontRecord.I32(20), 900);
    EXPECT_EQ(fontRecord.I32(24), 900);
    EXPECT_EQ(fontRecord.I32(28), 700);
    EXPECT_EQ(fontRecord.Bytes.mid(32, 4).toHex(' '), Hex("01000001").toHex(' '));
    const QString face = QStringLiteral("DejaVu Sans");
    EXPECT_EQ(fontRecord.Bytes.mid(40, 24),
              QByteArray(reinterpret_cast<const char *>(face.utf16()), face.size() * 2) +
                  QByteArray(2, '\0'));

    const TRecord &dashedRecord = (*list)[5];
    EXPECT_EQ(dashedRecord.Bytes.size(), 60);
    EXPECT_EQ(dashedRecord.Bytes.mid(48).toHex(' '), Hex("02000000 06000000 03000000").toHex(' '));
}

TEST(EMFRecords, TextRecordCarriesUtf16AndAdvances)
{
    TEMFRecords records(QSize(100, 100), 96);
    records.ExtTextOutW(QPoint(20, 40), QStringLiteral(u"Да!"), {9, 8, 4}, QRect(20, 28, 30, 16));
    // Three units take 6 bytes, padded to 8: the advances start at 76 + 8.
    EXPECT_EQ(Body(records).toHex(' '), Hex("54000000 60000000 14000000 1C000000 31000000 2B000000"
                                            "01000000 ABAAD341 ABAAD341"
                                            "14000000 28000000 03000000 4C000000 00000000"
                                            "00000000 00000000 FFFFFFFF FFFFFFFF 54000000"
                                            "1404 3004 2100 0000"
                                            "09000000 08000000 04000000")
                                            .toHex(' '));
}

TEST(EMFRecords, BitmapsAreBottomUpWithPaddedRows)
{
    QImage image(3, 2, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(255, 0, 0));
    image.setPixel(1, 0, qRgb(0, 255, 0));
    image.setPixel(2, 0, qRgb(0, 0, 255));
    image.setPixel(0, 1, qRgb(255, 255, 255));
    image.setPixel(1, 1, qRgb(0, 0, 0));
    image.setPixel(2, 1, qRgb(10, 20, 30));
    TEMFRecords stretched(QSize(100, 100), 96);
    stretched.StretchDIBits(QRect(5, 6, 30, 20), image);
    EXPECT_EQ(Body(stretched).toHex(' '), Hex("51000000 90000000 05000000 06000000 22000000 19000000"
                                              "05000000 06000000 00000000 00000000 03000000 02000000"
                                              "50000000 28000000 78000000 18000000 00000000 2000CC00"
                                              "1E000000 14000000"
                                              "28000000 03000000 02000000 0100 1800 00000000 18000000"
                                              "C40E0000 C40E0000 00000000 00000000"
                                              "FFFFFF 000000 1E140A 000000"
                                              "0000FF 00FF00 FF0000 000000")
                                              .toHex(' '));

    QImage translucent(1, 1, QImage::Format_ARGB32);
    translucent.setPixel(0, 0, qRgba(255, 0, 0, 128));
    TEMFRecords blended(QSize(100, 100), 96);
    blended.AlphaBlend(QRect(1, 2, 8, 4), translucent);
    const auto list = ParseRecords(blended.Finish());
    ASSERT_TRUE(list);
    const TRecord &record = (*list)[1];
    ASSERT_EQ(record.Type, uint32_t(emrAlphaBlend));
    ASSERT_EQ(record.Bytes.size(), 152);
    EXPECT_EQ(record.Bytes.mid(24, 20).toHex(' '),
              Hex("01000000 02000000 08000000 04000000 0000FF01").toHex(' '));
    EXPECT_EQ(record.Bytes.mid(84, 24).toHex(' '),
              Hex("6C000000 28000000 94000000 04000000 01000000 01000000").toHex(' '));
    EXPECT_EQ(record.U16(122), 32);
    // Premultiplied blue, green, red, alpha.
    EXPECT_EQ(record.Bytes.mid(148).toHex(' '), Hex("00008080").toHex(' '));
}

TEST(EMFRecords, PointRecordsWidenBeyondSixteenBits)
{
    TEMFRecords records(QSize(100, 100), 96);
    records.Polygon({{-5, 0}, {10, 7}});
    records.Polyline({{0, 0}, {40000, -3}});
    records.BeginPath();
    records.MoveToEx({1, 2});
    records.PolyBezierTo({{3, 4}, {5, 6}, {7, 8}});
    records.CloseFigure();
    records.EndPath();
    records.FillPath(QRect(1, 2, 7, 7));
    const auto list = ParseRecords(records.Finish());
    ASSERT_TRUE(list);
    ASSERT_EQ(list->size(), 10u);
    EXPECT_EQ(
        (*list)[1].Bytes.toHex(' '),
        Hex("56000000 24000000 FBFFFFFF 00000000 0A000000 07000000 02000000 FBFF 0000 0A00 0700").toHex(' '));
    EXPECT_EQ((*list)[2].Type, uint32_t(emrPolyline));
    EXPECT_EQ((*list)[2].I32(36), 40000);
    EXPECT_EQ((*list)[2].I32(40), -3);
    EXPECT_EQ((*list)[4].Bytes.toHex(' '), Hex("1B000000 10000000 01000000 02000000").toHex(' '));
    EXPECT_EQ((*list)[5].Type, uint32_t(emrPolyBezierTo16));
    EXPECT_EQ((*list)[5].U32(24), 3u);
    EXPECT_EQ((*list)[8].Bytes.toHex(' '),
              Hex("3E000000 18000000 01000000 02000000 07000000 08000000").toHex(' '));
}
