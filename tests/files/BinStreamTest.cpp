#include "files/BinStream.h"
#include "files/FileFormatError.h"

#include <gtest/gtest.h>
#include <random>
#include <vector>

TEST(BinStream, WritesLittleEndianAndGrows)
{
    TBinStream stream;
    stream.WriteByte(0xA5);
    stream.WriteWord(0x1234);
    stream.WriteBytes(QByteArray());
    stream.WriteBytes(QByteArrayView("\x01\x02\x03", 3));
    EXPECT_EQ(stream.Bytes(), QByteArray("\xA5\x34\x12\x01\x02\x03", 6));
    EXPECT_EQ(stream.Position(), 6);

    // Overwriting in the middle keeps the size; writing past the end fills
    // the gap with zeros.
    stream.Seek(1);
    stream.WriteWord(0xBEEF);
    EXPECT_EQ(stream.Size(), 6);
    stream.Seek(8);
    stream.WriteByte(0x7F);
    EXPECT_EQ(stream.Bytes(), QByteArray("\xA5\xEF\xBE\x01\x02\x03\x00\x00\x7F", 9));

    stream.Seek(0);
    EXPECT_EQ(stream.ReadByte(), 0xA5);
    EXPECT_EQ(stream.ReadWord(), 0xBEEF);
    EXPECT_EQ(stream.ReadBytes(0), QByteArray());
    EXPECT_EQ(stream.ReadBytes(3), QByteArray("\x01\x02\x03", 3));
    EXPECT_EQ(stream.Remaining(), 3);

    stream.SetSize(4);
    EXPECT_EQ(stream.Position(), 4);
    EXPECT_TRUE(stream.AtEnd());
    stream.Clear();
    EXPECT_EQ(stream.Size(), 0);
    EXPECT_EQ(stream.Position(), 0);
}

TEST(BinStream, BytesCutOffReadAsZerosWhenWrittenPast)
{
    TBinStream stream;
    stream.WriteBytes(QByteArrayView("\x01\x02\x03\x04", 4));
    stream.SetSize(1);
    stream.Seek(3);
    stream.WriteByte(0x09);
    EXPECT_EQ(stream.Bytes(), QByteArray("\x01\x00\x00\x09", 4));
    stream.WriteByte(0x0A); // after Bytes, writing goes on
    EXPECT_EQ(stream.Bytes(), QByteArray("\x01\x00\x00\x09\x0A", 5));
}

TEST(BinStream, ReadingPastTheEndRaisesTheFileFormatError)
{
    TBinStream stream(QByteArray("\x10\x20\x30", 3));
    stream.Seek(2);
    EXPECT_THROW(stream.ReadWord(), EFileFormatError);
    EXPECT_EQ(stream.Position(), 2) << "a refused read does not move";
    EXPECT_EQ(stream.ReadByte(), 0x30);
    try {
        stream.ReadByte();
        FAIL() << "read past the end";
    } catch (const EFileFormatError &error) {
        EXPECT_TRUE(error.Message().startsWith(u"Неверный формат файла.\r\n"));
        EXPECT_FALSE(error.Detail().isEmpty());
        EXPECT_EQ(error.Message(), QStringLiteral("Неверный формат файла.\r\n") + error.Detail());
    }
    stream.Seek(0);
    EXPECT_THROW(stream.ReadBytes(4), EFileFormatError);
    EXPECT_THROW(stream.ReadBytes(-1), EFileFormatError);
    EXPECT_THROW(stream.Seek(-1), EFileFormatError);
    stream.Seek(100);
    EXPECT_EQ(stream.Remaining(), 0);
    EXPECT_THROW(stream.ReadByte(), EFileFormatError);
    EXPECT_THROW(stream.ReadBytes(1), EFileFormatError);
    EXPECT_EQ(stream.ReadBytes(0), QByteArray());
}

TEST(BinStream, ByteSum16WrapsAndEndsAtTheEnd)
{
    TBinStream stream(QByteArray(258, char(0xFF)));
    EXPECT_EQ(stream.ByteSum16(), 254);
    EXPECT_EQ(stream.Position(), 258);
    TBinStream empty;
    EXPECT_EQ(empty.ByteSum16(), 0);
    TBinStream small(QByteArray("\x01\x02\xFF", 3));
    EXPECT_EQ(small.ByteSum16(), 0x102);
}

// Random operations against a plain byte vector: the stream must agree with
// it and refuse exactly the reads the vector cannot serve.
TEST(BinStream, RandomOperationsNeverLeaveTheBuffer)
{
    std::mt19937 random(20240611);
    for (int round = 0; round < 200; ++round) {
        TBinStream stream;
        std::vector<uint8_t> model;
        qsizetype position = 0;
        for (int step = 0; step < 200; ++step) {
            const int op = int(random() % 6);
            if (op == 0) {
                const uint8_t value = uint8_t(random());
                stream.WriteByte(value);
                if (size_t(position) >= model.size())
                    model.resize(size_t(position) + 1, 0);
                model[size_t(position++)] = value;
            } else if (op == 1) {
                const uint16_t value = uint16_t(random());
                stream.WriteWord(value);
                if (size_t(position) + 2 > model.size())
                    model.resize(size_t(position) + 2, 0);
                model[size_t(position++)] = uint8_t(value & 0xFF);
                model[size_t(position++)] = uint8_t(value >> 8);
            } else if (op == 2) {
                position = qsizetype(random() % (model.size() + 4));
                stream.Seek(position);
            } else {
                const qsizetype count = op == 3 ? 1 : op == 4 ? 2 : qsizetype(random() % 6);
                const bool fits = count == 0 || position + count <= qsizetype(model.size());
                if (!fits) {
                    if (op == 3)
                        EXPECT_THROW(stream.ReadByte(), EFileFormatError);
                    else if (op == 4)
                        EXPECT_THROW(stream.ReadWord(), EFileFormatError);
                    else
                        EXPECT_THROW(stream.ReadBytes(count), EFileFormatError);
                } else if (op == 3) {
                    EXPECT_EQ(stream.ReadByte(), model[size_t(position)]);
                } else if (op == 4) {
                    EXPECT_EQ(stream.ReadWord(),
                              model[size_t(position)] | (model[size_t(position) + 1] << 8));
                } else {
                    const QByteArray bytes = stream.ReadBytes(count);
                    for (qsizetype i = 0; i < count; ++i)
                        EXPECT_EQ(uint8_t(bytes[i]), model[size_t(position + i)]);
                }
                if (fits)
                    position += count;
            }
            ASSERT_EQ(stream.Position(), position);
            ASSERT_EQ(stream.Size(), qsizetype(model.size()));
        }
    }
}
