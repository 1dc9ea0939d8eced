#include "model/ScanCodes.h"
#include "base/Error.h"
#include "base/HexText.h"

#include <gtest/gtest.h>
#include <random>

namespace {

const QString kTooLong = QStringLiteral("Длина скан-кодов не может превышать 255 байт.");

QByteArray Hex(const char16_t *text)
{
    return HexToBytes(QStringView(text));
}

std::string Text(const TScanCodes &codes)
{
    return codes.Text().toStdString();
}

// Fills a sequence with byte items of one byte each.
void FillBytes(TScanCodes &codes, int count)
{
    for (int i = 0; i < count; ++i)
        codes.AddBytes(QByteArray(1, char(0x01)));
}

QString RaisedMessage(const std::function<void()> &action)
{
    try {
        action();
    } catch (const EError &e) {
        return e.Message();
    }
    return {};
}

// The bytes and the text always agree, the limit always holds, and the text
// reads back to the same items, also those of a key whose name another key
// shares.
void ExpectConsistent(const TScanCodes &codes)
{
    QByteArray joined;
    for (int i = 0; i < codes.Count(); ++i)
        joined.append(codes.Item(i).Data());
    ASSERT_EQ(codes.Data(), joined);
    ASSERT_LE(codes.DataLength(), kMaxScanCodesLength);
    TScanCodes copy;
    copy.SetText(codes.Text());
    ASSERT_EQ(copy.Count(), codes.Count()) << codes.Text().toStdString();
    for (int i = 0; i < codes.Count(); ++i) {
        ASSERT_TRUE(copy.Item(i).Equals(codes.Item(i))) << codes.Text().toStdString();
        ASSERT_EQ(copy.Item(i).ScanCode, codes.Item(i).ScanCode) << codes.Text().toStdString();
    }
}

} // namespace

TEST(ScanCodes, TextFormAndTokens)
{
    TScanCodes codes;
    codes.SetText(u"+lshift +A -a -LSHIFT E0");
    EXPECT_EQ(Text(codes), "+LShift +A -A -LShift E0");
    EXPECT_EQ(codes.Data(), Hex(u"12 1C F0 1C F0 12 E0"));
    EXPECT_EQ(codes.Item(0).ScanCode, codes.Item(3).ScanCode);
    EXPECT_EQ(codes.Item(4).CodeType, ctByte);
    EXPECT_TRUE(codes.Item(4).ScanCode.isEmpty());

    codes.SetText(u"1FF");
    EXPECT_EQ(Text(codes), "1FF");
    EXPECT_EQ(codes.Data(), Hex(u"FF"));

    // Unknown names, lone signs, "$", non-hex and over-long numbers are
    // dropped; only the space separates.
    codes.SetText(u"  +NoSuchKey   E0 + - $12 0x12 G 123456789 e0 +A\t12 00000012 ");
    EXPECT_EQ(Text(codes), "E0 e0 00000012");
    EXPECT_EQ(codes.Data(), Hex(u"E0 E0 12"));

    EXPECT_FALSE(codes.ParseToken(u""));
    EXPECT_FALSE(codes.ParseToken(u"-"));
    EXPECT_TRUE(codes.ParseToken(u"-Pause/Break"));
    EXPECT_EQ(codes.Item(codes.Count() - 1).Text(), u"-Pause/Break");
    EXPECT_EQ(codes.DataLength(), 3);

    // The same text again changes nothing; a different name for the same
    // bytes is stored.
    TNotifier notifier;
    TScanCodes own(&notifier);
    own.SetText(u"+A -A 12");
    notifier.ResetModified();
    own.SetText(u"+a  -A 12");
    EXPECT_FALSE(notifier.Modified());
    own.SetText(u"+A -A 012");
    EXPECT_TRUE(notifier.Modified());
    EXPECT_EQ(Text(own), "+A -A 012");
}

TEST(ScanCodes, PairingCheck)
{
    TScanCodes codes;
    const auto check = [&codes](const char16_t *text) {
        codes.SetText(QStringView(text));
        EXPECT_EQ(codes.Validate(), codes.IsValid()) << QString::fromUtf16(text).toStdString();
        return codes.IsValid() ? std::string("valid") : codes.ErrorText().toStdString();
    };
    EXPECT_EQ(check(u"+A +A -A"), "Код +A: Два нажатия подряд.");
    EXPECT_EQ(check(u"-A"), "Код -A: Отжатие перед нажатием.");
    EXPECT_EQ(check(u"+A +B -B"), "Код +A: Нет отжатия.");
    EXPECT_EQ(check(u"+A +B"), "Код +A: Нет отжатия.");
    EXPECT_EQ(check(u"E0 +A -A"), "valid");
    EXPECT_EQ(check(u""), "valid");
    EXPECT_EQ(check(u"+A +B -A -B"), "valid");
    // The message of the last failure stays; IsValid leaves it alone.
    EXPECT_EQ(codes.ErrorText().toStdString(), "Код +A: Нет отжатия.");
    codes.SetText(u"-B");
    EXPECT_FALSE(codes.IsValid());
    EXPECT_EQ(codes.ErrorText().toStdString(), "Код +A: Нет отжатия.");
}

TEST(ScanCodes, ShortText)
{
    TScanCodes codes;
    const auto shortText = [&codes](const char16_t *text) {
        codes.SetText(QStringView(text));
        return codes.ShortText().toStdString();
    };
    EXPECT_EQ(shortText(u"+LCtrl +A -A -LCtrl"), "LCtrl+A");
    EXPECT_EQ(shortText(u"+A -A +B -B"), "A B");
    EXPECT_EQ(shortText(u"+A +B -A -B"), "+A +B -A -B");
    EXPECT_EQ(shortText(u"+LCtrl +A -A +B -B -LCtrl"), "LCtrl+AB");
    EXPECT_EQ(shortText(u"+A -A E0"), "+A -A E0");
    EXPECT_EQ(shortText(u"+A"), "+A");
    EXPECT_EQ(shortText(u""), "");
}

TEST(ScanCodes, ByteLimit)
{
    TScanCodes codes;
    FillBytes(codes, 254);
    EXPECT_EQ(RaisedMessage([&] { codes.AddBytes(Hex(u"01 02")); }), kTooLong);
    EXPECT_FALSE(codes.ParseToken(u"+RCtrl"));
    EXPECT_EQ(RaisedMessage([&] { codes.AddDecoded(Hex(u"E0 14")); }), kTooLong);
    EXPECT_EQ(RaisedMessage([&] { codes.AddCode16(0xE014); }), kTooLong);
    EXPECT_EQ(codes.Count(), 254);
    EXPECT_TRUE(codes.ParseToken(u"+A"));
    EXPECT_EQ(codes.DataLength(), 255);

    // Full: no item at all, not even one without bytes.
    EXPECT_EQ(RaisedMessage([&] { codes.Add(); }), kTooLong);
    EXPECT_EQ(RaisedMessage([&] { codes.AddBytes({}); }), kTooLong);
    EXPECT_FALSE(codes.ParseToken(u"-Pause/Break"));
    EXPECT_EQ(codes.Count(), 255);
    ExpectConsistent(codes);

    // An item's new bytes count on top of its old ones.
    TScanCodes two;
    FillBytes(two, 253);
    TScanCode &last = two.AddBytes(Hex(u"01"));
    EXPECT_EQ(RaisedMessage([&] { last.SetData(Hex(u"01 02")); }), kTooLong);
    last.SetData(Hex(u"02"));
    EXPECT_EQ(two.DataLength(), 254);

    // A decoded run that does not fit as a whole adds nothing.
    TScanCodes decoded;
    FillBytes(decoded, 250);
    EXPECT_EQ(RaisedMessage([&] { decoded.AddDecoded(Hex(u"1C F0 1C E0 14 E0")); }), kTooLong);
    EXPECT_EQ(decoded.Count(), 250);
    decoded.AddDecoded(Hex(u"1C F0 1C E0 14"));
    EXPECT_EQ(decoded.DataLength(), 255);

    // Tokens beyond the limit are dropped like unparsable ones; later tokens
    // that still fit are kept.
    QString text;
    for (int i = 0; i < 254; ++i)
        text += u"01 "_qs;
    text += u"+RCtrl +PrintScrn E0 FF"_qs;
    codes.SetText(text);
    EXPECT_EQ(codes.Count(), 255);
    EXPECT_EQ(codes.Item(254).Name, u"E0");
    ExpectConsistent(codes);
}

TEST(ScanCodes, DecodingBytes)
{
    TScanCodes codes;
    codes.AddDecoded(Hex(u"F0 12"));
    EXPECT_EQ(Text(codes), "-LShift");
    codes.Clear();
    codes.AddDecoded(Hex(u"E0 00 E0 14 E0 F0 14 E0 12 E0 7C E1 14 77 E1 F0 14 F0 77 77 F0"));
    EXPECT_EQ(Text(codes), "E0 00 +RCtrl -RCtrl +PrintScrn +Pause/Break +NumLock F0");
    EXPECT_EQ(codes.Item(0).CodeType, ctByte);
    ExpectConsistent(codes);
    codes.Clear();
    // Shortest code first: 14 is LCtrl even where a longer code could start.
    codes.AddDecoded(Hex(u"14 77 E0 F0 7C E0 F0 12"));
    EXPECT_EQ(Text(codes), "+LCtrl +NumLock -PrintScrn");

    codes.Clear();
    codes.AddCode16(0xE014);
    codes.AddCode16(0x001C);
    codes.AddCode16(0x0000);
    codes.AddCode16(0xF000);
    EXPECT_EQ(Text(codes), "+RCtrl +A F0");
    codes.AddBytes(Hex(u"E0 F0 1C"));
    EXPECT_EQ(Text(codes), "+RCtrl +A F0 E0F01C");
    EXPECT_EQ(codes.FindByScanCode(Hex(u"1E")), &codes.Item(1));
    EXPECT_EQ(codes.FindByScanCode(Hex(u"99")), nullptr);
}

TEST(ScanCodes, AssignEqualsAndChanges)
{
    TNotifier notifier;
    TScanCodes codes(&notifier);
    TScanCodes source;
    source.SetText(u"+A -A 12");
    codes.Assign(source);
    EXPECT_TRUE(notifier.Modified());
    EXPECT_TRUE(codes.Equals(source));
    EXPECT_EQ(Text(codes), "+A -A 12");

    notifier.ResetModified();
    codes.ResetChanged();
    source.SetText(u"+A -A 012");
    EXPECT_TRUE(codes.Equals(source)); // names are not compared
    codes.Assign(source);
    EXPECT_FALSE(notifier.Modified());
    EXPECT_FALSE(codes.IsChanged());
    EXPECT_EQ(Text(codes), "+A -A 12");

    source.SetText(u"+A -A");
    EXPECT_FALSE(codes.Equals(source));
    source.SetText(u"+A +A 12");
    EXPECT_FALSE(codes.Equals(source));

    codes.Remove(&codes.Item(1));
    EXPECT_TRUE(notifier.Modified());
    EXPECT_EQ(Text(codes), "+A 12");
    notifier.ResetModified();
    codes.Clear();
    EXPECT_TRUE(codes.IsEmpty());
    EXPECT_TRUE(notifier.Modified());
}

TEST(ScanCodes, RandomTextAndBytes)
{
    std::mt19937 rng(7340);
    const std::vector<QString> words = {
        u"+A"_qs,       u"-A"_qs,  u"+LShift"_qs, u"-lshift"_qs,    u"+'"_qs,
        u"-'"_qs,       u"E0"_qs,  u"F0"_qs,      u"1FF"_qs,        u"+"_qs,
        u"-"_qs,        u"$12"_qs, u"+Nope"_qs,   u"+PrintScrn"_qs, u"-Pause/Break"_qs,
        u"+<Enter>"_qs, u"zz"_qs,  u"\t"_qs,      u"7"_qs,          u"ffffffff"_qs};
    const QString alphabet = u"+-$ 0123456789ABCDEFabcdef<>/'\tЖ"_qs;
    TScanCodes codes;
    for (int round = 0; round < 2000; ++round) {
        QString text;
        const int tokens = int(rng() % 400);
        for (int t = 0; t < tokens; ++t) {
            text += words[rng() % words.size()];
            text += QString(1 + int(rng() % 2), u' ');
        }
        // Truncate and mutate the text at random places.
        if (!text.isEmpty() && rng() % 2)
            text.truncate(qsizetype(rng() % uint32_t(text.size())));
        for (int e = int(rng() % 6); e > 0 && !text.isEmpty(); --e)
            text[qsizetype(rng() % uint32_t(text.size()))] = alphabet[qsizetype(rng() % alphabet.size())];
        codes.SetText(text);
        ExpectConsistent(codes);
        if (HasFatalFailure())
            return;
    }
    for (int round = 0; round < 2000; ++round) {
        codes.Clear();
        FillBytes(codes, int(rng() % 64));
        QByteArray bytes(qsizetype(rng() % 260), Qt::Uninitialized);
        // Mostly bytes the table's codes are made of, so that codes are found.
        static const char kCodeBytes[] = "\xE0\xF0\xE1\x12\x14\x1C\x77\x7C\x37\x52\x0E";
        for (char &c : bytes)
            c = (rng() % 4) ? kCodeBytes[rng() % (sizeof kCodeBytes - 1)] : char(rng() % 256);
        const QByteArray before = codes.Data();
        try {
            codes.AddDecoded(bytes);
            ASSERT_EQ(codes.Data(), before + bytes);
        } catch (const EError &) {
            ASSERT_EQ(codes.Data(), before);
        }
        ExpectConsistent(codes);
        if (HasFatalFailure())
            return;
    }
}
