#include "FilesTestData.h"

#include "files/BinLayoutVariants.h"
#include "files/FileFormatError.h"
#include "model/Layout.h"
#include "support/LayoutCompare.h"
#include "support/RichLayout.h"

#include <random>

namespace {

// What happened to the inputs of one run.
struct TOutcomes {
    int Loaded = 0;
    int Refused = 0;
};

// Feeds data to the reader on a copy of base. The load either succeeds (and
// the layout read can be written again or is refused with a message) or
// raises a format error or the catalogue's message and leaves the copy as it
// was; anything else, a crash or another exception, fails the test.
void ExpectLoadsOrRefuses(TBinLayout28 &format, const TLayout &base, const QByteArray &data,
                          TOutcomes &outcomes)
{
    TLayout layout;
    layout.Assign(base);
    QString refusal;
    try {
        format.LoadFromString(layout, data);
    } catch (const EFileFormatError &error) {
        refusal = error.Message();
    } catch (const EError &error) {
        refusal = error.Message();
        EXPECT_TRUE(refusal.startsWith(u"Не найдено описание клавиатуры с идентификатором "))
            << refusal.toStdString();
    }
    if (refusal.isEmpty()) {
        ++outcomes.Loaded;
        try {
            format.SaveToString(layout);
        } catch (const EError &) {
            // A layout read from a damaged image may not fit an image again.
        }
        return;
    }
    ++outcomes.Refused;
    SCOPED_TRACE(refusal.toStdString());
    ExpectSameLayout(base, layout);
}

QByteArray Mutate(QByteArray data, std::mt19937 &random)
{
    const auto below = [&](qsizetype n) { return qsizetype(random() % uint32_t(n)); };
    const int edits = 1 + int(random() % 4);
    for (int i = 0; i < edits && !data.isEmpty(); ++i) {
        const qsizetype at = below(data.size());
        switch (random() % 5) {
        case 0:
            data[at] = char(random());
            break;
        case 1:
            data[at] = char(data[at] ^ char(1 << (random() % 8)));
            break;
        case 2: {
            // A word that points somewhere: inside, at the end, past it.
            const uint16_t values[] = {0,
                                       0xFFFF,
                                       uint16_t(data.size()),
                                       uint16_t(data.size() - 1),
                                       uint16_t(below(data.size())),
                                       0x0100,
                                       0x0208,
                                       0x020A};
            const uint16_t value = values[random() % std::size(values)];
            if (at + 1 < data.size()) {
                data[at] = char(value & 0xFF);
                data[at + 1] = char(value >> 8);
            }
            break;
        }
        case 3:
            data.remove(at, 1 + below(8));
            break;
        default:
            data.insert(at, QByteArray(1 + int(below(8)), char(random())));
            break;
        }
    }
    return data;
}

class BinLayoutRobustness : public testing::Test {
protected:
    BinLayoutRobustness()
        : FBin28(nullptr, AllTestModels()), FBin29(nullptr, AllTestModels()), FBin210(nullptr, AllTestModels()),
          FBin13(nullptr, AllTestModels()), FBase(MakeRichLayout(AllTestModels(), 7))
    {}

    // Returns the images of every form of a rich layout of the model.
    std::vector<QByteArray> Images(int id)
    {
        TRichLayoutOptions options;
        options.Pictures = false;
        const auto layout = MakeRichLayout(AllTestModels(), id, options);
        std::vector<QByteArray> images;
        for (TBinLayout28 *format :
             std::initializer_list<TBinLayout28 *>{&FBin28, &FBin29, &FBin210, &FBin13})
            images.push_back(format->SaveToString(*layout));
        return images;
    }

    TBinLayout28 FBin28;
    TBinLayout29 FBin29;
    TBinLayout210 FBin210;
    TBinLayout13 FBin13;
    // The caller's layout: the small test model, with pictures and remarks.
    std::unique_ptr<TLayout> FBase;
};

} // namespace

TEST_F(BinLayoutRobustness, EveryTruncationIsRefused)
{
    for (const int id : {7, 4}) {
        for (const QByteArray &image : Images(id)) {
            SCOPED_TRACE(testing::Message() << "model " << id << ", image of " << image.size() << " bytes");
            TOutcomes outcomes;
            ExpectLoadsOrRefuses(FBin210, *FBase, image, outcomes);
            EXPECT_EQ(outcomes.Loaded, 1) << "the whole image reads";
            // Cutting an image always loses its trailer or a record.
            for (qsizetype length = 1; length < image.size(); ++length)
                ExpectLoadsOrRefuses(FBin210, *FBase, image.left(length), outcomes);
            EXPECT_EQ(outcomes.Refused, image.size() - 1);
        }
    }
}

TEST_F(BinLayoutRobustness, RandomBytesLoadOrAreRefused)
{
    std::mt19937 random(20240607);
    TOutcomes outcomes;
    for (int i = 0; i < 400; ++i) {
        QByteArray data(1 + int(random() % 700), '\0');
        for (char &byte : data)
            byte = char(random());
        // Half of them point to a trailer inside the data.
        if (i % 2 == 0 && data.size() >= 4) {
            const uint16_t trailer = uint16_t(random() % uint32_t(data.size() - 1));
            data[0] = char(trailer & 0xFF);
            data[1] = char(trailer >> 8);
        }
        ExpectLoadsOrRefuses(FBin28, *FBase, data, outcomes);
    }
    EXPECT_GT(outcomes.Refused, 0);
}

TEST_F(BinLayoutRobustness, MutatedImagesLoadOrAreRefused)
{
    std::mt19937 random(7);
    for (const int id : {7, 4}) {
        const std::vector<QByteArray> images = Images(id);
        for (size_t form = 0; form < images.size(); ++form) {
            SCOPED_TRACE(testing::Message() << "model " << id << ", form " << form);
            TOutcomes outcomes;
            for (int i = 0; i < 150; ++i)
                ExpectLoadsOrRefuses(FBin210, *FBase, Mutate(images[form], random), outcomes);
            EXPECT_GT(outcomes.Loaded, 0) << "some mutants still read";
            EXPECT_GT(outcomes.Refused, 0);
        }
    }
}
