#include "FilesTestData.h"

#include "files/EMFLayout.h"
#include "model/Key.h"
#include "model/KeyGroup.h"
#include "model/KeyPicture.h"
#include "model/Layer.h"
#include "model/Layout.h"
#include "model/MetafileSvg.h"
#include "support/RichLayout.h"

#include <QFontDatabase>
#include <QTemporaryDir>
#include <QtEndian>

namespace {

// The compact model: 6 columns, 5 rows, cells of 48 units at 96 dpi.
constexpr int kCompactModel = 2;

std::unique_ptr<TLayout> MakePictureLayout()
{
    auto layout = std::make_unique<TLayout>();
    layout->ChangeKeyboard(ShippedKeyboards().ByID(kCompactModel));
    TLayer &layer = layout->Layers().Item(0);
    TKeyPicture &text = layer.KeyAtOrFail(0, 0).Picture();
    text.SetText(QStringLiteral("Итог"));
    TFont font = text.Font();
    font.SetName(QStringLiteral("DejaVu Sans"));
    text.SetFont(font);
    TKeyPicture &image = layer.KeyAtOrFail(1, 0).Picture();
    image.SetPicture(TGraphic::FromData(u"TPngImage", SamplePng()));
    layer.KeyAtOrFail(2, 0).Picture().SetBackgroundColor(0x0000FF);
    // Pictures of other layers are not drawn.
    layout->Layers().Item(1).KeyAtOrFail(3, 0).Picture().SetText(QStringLiteral("Скрыто"));
    return layout;
}

// Returns the path data the metafile reader gives a line from (x1, y1) to
// (x2, y2).
QString LinePath(int x1, int y1, int x2, int y2)
{
    return QStringLiteral("M %1.0000,%2.0000 L %3.0000,%4.0000 ").arg(x1).arg(y1).arg(x2).arg(y2);
}

int32_t Int32At(const QByteArray &data, qsizetype offset)
{
    return qFromLittleEndian<int32_t>(data.constData() + offset);
}

} // namespace

TEST(EMFLayout, WritesAMetafileOfTheFirstLayerThatAnotherReaderPlays)
{
    ASSERT_TRUE(QFontDatabase::families().contains(QStringLiteral("DejaVu Sans")));
    TEMFLayout format(nullptr, ShippedKeyboards());
    const std::unique_ptr<TLayout> layout = MakePictureLayout();
    const QByteArray emf = format.SaveToString(*layout);

    // The header's bounds are those of the grid: 6 x 5 cells of 48 pixels
    // from (2, 2), the last grid line included.
    ASSERT_GE(emf.size(), 88);
    EXPECT_EQ(Int32At(emf, 0), 1);
    EXPECT_EQ(Int32At(emf, 8), 2);
    EXPECT_EQ(Int32At(emf, 12), 2);
    EXPECT_EQ(Int32At(emf, 16), 2 + 6 * 48);
    EXPECT_EQ(Int32At(emf, 20), 2 + 5 * 48);

    const std::optional<QByteArray> svg = MetafileToSvg(emf);
    ASSERT_TRUE(svg.has_value());
    const QString text = QString::fromUtf8(*svg);
    // Every grid line: 7 vertical and 6 horizontal ones.
    for (int c = 0; c <= 6; ++c)
        EXPECT_TRUE(text.contains(LinePath(2 + c * 48, 2, 2 + c * 48, 242))) << c;
    for (int r = 1; r <= 5; ++r)
        EXPECT_TRUE(text.contains(LinePath(2, 2 + r * 48, 290, 2 + r * 48))) << r;
    EXPECT_TRUE(text.contains(LinePath(2, 2, 290, 2)));
    EXPECT_TRUE(text.contains(QStringLiteral("fill=\"#FF0000\"")));
    EXPECT_TRUE(text.contains(QStringLiteral("Итог")));
    EXPECT_FALSE(text.contains(QStringLiteral("Скрыто")));
    EXPECT_TRUE(text.contains(QStringLiteral("<image")));
    EXPECT_TRUE(text.contains(QStringLiteral("data:image/png;base64,")));
}

TEST(EMFLayout, GroupWithoutItsKeyStopsTheSave)
{
    TEMFLayout format(nullptr, ShippedKeyboards());
    const std::unique_ptr<TLayout> layout = MakePictureLayout();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("picture.emf"));
    format.SaveToFile(*layout, path);
    const QByteArray before = ReadFileBytes(path);

    // Sektor_48 has cells without keys.
    TLayout sparse;
    sparse.ChangeKeyboard(ShippedKeyboards().ByID(4));
    int col = -1;
    for (int c = 0; c < sparse.Columns() && col < 0; ++c)
        if (!sparse.Layers().Item(0).KeyAt(c, 0))
            col = c;
    ASSERT_GE(col, 0);
    sparse.Groups().Add().SetRect(TRect{col, 0, col, 1});
    EXPECT_EQ(ErrorOf([&] { format.SaveToFile(sparse, path); }),
              QStringLiteral("Клавиша с координатами (%1, 0) не найдена.").arg(col));
    EXPECT_EQ(ReadFileBytes(path), before);
}
