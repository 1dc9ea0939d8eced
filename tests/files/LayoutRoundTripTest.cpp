#include "FilesTestData.h"

#include "files/LayoutFileFormats.h"
#include "files/LayoutFormat.h"
#include "files/XMLLayout.h"
#include "model/Key.h"
#include "model/KeyLock.h"
#include "model/Layer.h"
#include "model/Layout.h"
#include "model/MSR.h"
#include "model/ScanCodes.h"
#include "support/LayoutCompare.h"
#include "support/RichLayout.h"

#include <QDir>
#include <functional>

namespace {

// Every form a layout is saved in and read from again (the picture export
// only writes), and the device image forms among them.
const QStringList kStoredForms = {u"xml"_qs, u"xml13"_qs, u"bin"_qs, u"bin13"_qs, u"bin28"_qs, u"bin29"_qs};
const QStringList kImageForms = {u"bin"_qs, u"bin13"_qs, u"bin28"_qs, u"bin29"_qs};

// Saves layout in the form of the save registry, then opens the bytes as the
// open command does for the file's suffix: XML files with the XML reader,
// images with the 2.10 reader, which reads every image form.
std::unique_ptr<TLayout> SaveAndOpen(const TLayoutFileFormats &files, const QString &form,
                                     const TLayout &layout)
{
    TLayoutFormat &writer = ChooseFormat(files.Formats(), form);
    const QByteArray bytes = writer.SaveToString(layout);
    auto loaded = std::make_unique<TLayout>();
    ChooseFormat(files.OpenFormats(), writer.DefaultSuffix()).LoadFromString(*loaded, bytes);
    return loaded;
}

// Expects that loaded has the model, the layers and the keys (cell and
// number, in order) of source.
void ExpectSameModelAndKeys(const TLayout &source, const TLayout &loaded)
{
    EXPECT_EQ(loaded.KeyboardID(), source.KeyboardID());
    ASSERT_EQ(loaded.LayerCount(), source.LayerCount());
    for (int e = 0; e < source.LayerCount(); ++e) {
        const TKeys &expected = source.Layers().Item(e).Keys();
        const TKeys &actual = loaded.Layers().Item(e).Keys();
        ASSERT_EQ(actual.Count(), expected.Count()) << "layer " << e + 1;
        for (int k = 0; k < expected.Count(); ++k) {
            EXPECT_EQ(actual.Item(k).Col(), expected.Item(k).Col());
            EXPECT_EQ(actual.Item(k).Row(), expected.Item(k).Row());
            EXPECT_EQ(actual.Item(k).LogicalNumber(), expected.Item(k).LogicalNumber());
        }
    }
}

// The key with the highest logical number of the last layer: the key that
// a model with fewer keys would lose first.
TKey &LastKey(TLayout &layout)
{
    TKeys &keys = layout.Layers().Item(layout.LayerCount() - 1).Keys();
    TKey *last = &keys.Item(0);
    for (int k = 1; k < keys.Count(); ++k)
        if (keys.Item(k).LogicalNumber() > last->LogicalNumber())
            last = &keys.Item(k);
    return *last;
}

// Writes layout in every image form and expects each image to read back with
// the layout's model and the model's key lock positions, or the write to be
// refused with a message; the layout written is left as it was.
void ExpectImagesReadBack(const TLayoutFileFormats &files, const TKeyboards &keyboards, const TLayout &layout)
{
    TLayout before;
    before.Assign(layout);
    const TKeyboard &model = keyboards.ByID(layout.KeyboardID());
    for (const QString &form : kImageForms) {
        SCOPED_TRACE(form.toStdString());
        QByteArray image;
        try {
            image = ChooseFormat(files.Formats(), form).SaveToString(layout);
        } catch (const EError &error) {
            // The 1.3 form refuses models of more than 64 keys and code lists
            // whose releases do not fit; both say so.
            EXPECT_EQ(form, u"bin13");
            EXPECT_FALSE(error.Message().isEmpty());
            continue;
        }
        TLayout loaded;
        try {
            ChooseFormat(files.OpenFormats(), u"bin").LoadFromString(loaded, image);
        } catch (const EError &error) {
            ADD_FAILURE() << "the image written does not read: " << error.Message().toStdString();
            continue;
        }
        EXPECT_EQ(loaded.KeyboardID(), layout.KeyboardID());
        ASSERT_EQ(loaded.LayerCount(), model.Layers);
        for (int e = 0; e < loaded.LayerCount(); ++e)
            EXPECT_EQ(loaded.Layers().Item(e).KeyLock().Count(), model.HasKey ? model.KeyPos : 0);
        EXPECT_EQ(ChooseFormat(files.Formats(), form).SaveToString(loaded), image)
            << "the layout read writes the same image";
    }
    ExpectSameLayout(before, layout);
}

} // namespace

TEST(LayoutRoundTrip, LayoutsOfEveryKeyboardProgramKeepTheirModelInEveryForm)
{
    const TLayoutFileFormats files(ShippedKeyboards());
    for (const uint16_t version : {uint16_t(0x0208), uint16_t(0x0209), uint16_t(0x020A)}) {
        for (int id = 1; id <= 6; ++id) {
            const auto source = MakeRichLayout(ShippedKeyboards(), id);
            source->SetVersion(version);
            LastKey(*source).SetKeyType(ktMacro);
            LastKey(*source).MakeCodes().SetText(u"+A"_qs);
            for (const QString &form : kStoredForms) {
                SCOPED_TRACE(testing::Message() << form.toStdString() << ", model " << id << ", version "
                                                << std::hex << version);
                if (form == u"bin13" && id == 3)
                    continue; // 120 keys: the 1.3 form refuses the model
                const auto loaded = SaveAndOpen(files, form, *source);
                ExpectSameModelAndKeys(*source, *loaded);
                // The forms of the old programs store make codes and imply
                // their releases.
                const bool makesOnly = form == u"xml13" || form == u"bin13";
                EXPECT_EQ(LastKey(*loaded).MakeCodes().Text(), makesOnly ? u"+A -A" : u"+A")
                    << "the key with the highest number keeps its codes";
                if (form == u"xml") {
                    ExpectSameLayout(*source, *loaded);
                } else if (!makesOnly) {
                    EXPECT_EQ(loaded->Version(), version);
                }
            }
        }
    }
}

TEST(LayoutRoundTrip, FilesNameTheirModelByKeyboardIDWhateverTheirVersion)
{
    const TLayoutFileFormats files(ShippedKeyboards());
    TLayoutFormat &xml = files.XMLFormat();
    // A keyboard with program 2.7 gives layouts of version 0x0207.
    for (const QString &version : {u"0207"_qs, u"0208"_qs, u"0301"_qs}) {
        SCOPED_TRACE(version.toStdString());
        TLayout layout;
        xml.LoadFromString(
            layout, LayoutDocument(u"Vesion=\"%1\""_qs.arg(version), u"<Параметры KeyboardID=\"1\"/>"_qs));
        EXPECT_EQ(layout.KeyboardID(), 1);
        EXPECT_EQ(layout.LayerCount(), 4);
        EXPECT_EQ(layout.Layers().Item(0).Keys().Count(), 64);
    }
    TLayout unversioned;
    xml.LoadFromString(unversioned, LayoutDocument(QString(), u"<Параметры KeyboardID=\"6\"/>"_qs));
    EXPECT_EQ(unversioned.KeyboardID(), 6);

    // Files of the older programs name the model by "Параметры"; where they
    // carry it, it keeps deciding.
    TLayout old;
    xml.LoadFromFile(old, FilesTestPath(u"version_0208.xml"_qs));
    EXPECT_EQ(old.KeyboardID(), 3) << "model code 3, as the attribute \"Параметры\" says";
}

TEST(LayoutRoundTrip, EveryTestFileWritesImagesThatReadBack)
{
    const TLayoutFileFormats files(AllTestModels());
    const QDir folder(FilesTestPath(QString()));
    const QStringList names = folder.entryList({u"*.xml"_qs}, QDir::Files);
    ASSERT_GE(names.size(), 3);
    for (const QString &name : names) {
        SCOPED_TRACE(name.toStdString());
        TLayout layout;
        files.XMLFormat().LoadFromFile(layout, folder.filePath(name));
        ExpectImagesReadBack(files, AllTestModels(), layout);
    }
}

TEST(LayoutRoundTrip, OddLayoutsWriteImagesThatReadBack)
{
    const TLayoutFileFormats files(ShippedKeyboards());
    const std::pair<const char *, std::function<void(TLayout &)>> oddities[] = {
        {"a key lock with fewer positions than its model",
         [](TLayout &layout) {
             layout.Layers().Item(0).KeyLock().Clear();
             layout.Layers().Item(layout.LayerCount() - 1).KeyLock().SetCount(3);
         }},
        {"fewer layers than the model", [](TLayout &layout) { layout.Layers().SetCount(1); }},
        {"more layers than the model", [](TLayout &layout) { layout.Layers().SetCount(6); }},
        {"reader tracks the model lacks",
         [](TLayout &layout) {
             layout.SetTrack(0, !layout.Track1());
             layout.SetTrack(2, !layout.Track3());
         }},
        {"keys renumbered past the model",
         [](TLayout &layout) {
             layout.Layers().Item(0).Keys().Item(0).SetLogicalNumber(500);
             layout.Layers().Item(0).Keys().Item(1).SetLogicalNumber(3);
         }},
        {"make codes whose releases overflow the 1.3 form",
         [](TLayout &layout) {
             QStringList codes;
             for (int i = 0; i < 100; ++i)
                 codes.append(u"+A"_qs);
             TKey &key = layout.Layers().Item(0).Keys().Item(0);
             key.SetKeyType(ktMacro);
             key.MakeCodes().SetText(codes.join(u' '));
         }},
    };
    for (const auto &[what, change] : oddities) {
        for (const int id : {1, 2, 4, 6}) {
            SCOPED_TRACE(testing::Message() << what << ", model " << id);
            const auto layout = MakeRichLayout(ShippedKeyboards(), id);
            change(*layout);
            ExpectImagesReadBack(files, ShippedKeyboards(), *layout);
        }
    }

    // The 1.3 form names what it cannot hold.
    const auto overflowing = MakeRichLayout(ShippedKeyboards(), 1);
    oddities[5].second(*overflowing);
    EXPECT_TRUE(ErrorOf([&] {
                    ChooseFormat(files.Formats(), u"bin13").SaveToString(*overflowing);
                }).startsWith(u"Коды \"+A +A"))
        << "refused with the codes named";
}
