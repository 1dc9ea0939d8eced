#pragma once

#include "CliCommands.h"

#include "catalogue/Keyboards.h"
#include "files/LayoutFileFormats.h"

#include <QCoreApplication>
#include <memory>

class TLayout;
class TLayoutFormat;

/// What the layout commands share: the catalogue and the standard code table
/// of the data folder, and the format registries built on them.
class TLayoutSession {
    Q_DECLARE_TR_FUNCTIONS(TLayoutSession)

public:
    /// Loads the catalogue (skipped files reported on the error stream) and
    /// installs the data folder's standard code table.
    explicit TLayoutSession(TCliContext &context);

    const TKeyboards &Keyboards() const { return FKeyboards; }
    TLayoutFileFormats &Formats() { return *FFormats; }

    /// Returns the layout read from path with the open registry's format named
    /// by --in-format, or by the file's suffix; format is set to it.
    std::unique_ptr<TLayout> Open(const QString &path, TLayoutFormat **format = nullptr);
    /// Saves the layout to path with the save registry's format named by
    /// --format, or by the file's suffix.
    void Save(TLayout &layout, const QString &path);
    /// Returns the --layer number, 0 when it is not given.
    int Layer() const;
    /// Returns the layer --layer names as an index of the layout's layers,
    /// 0 (the first layer) when it is not given; raises "Неверный номер
    /// слоя: %1" for a layer the layout does not have.
    int LayerIndex(const TLayout &layout) const;

private:
    TCliContext &FContext;
    TKeyboards FKeyboards;
    std::unique_ptr<TLayoutFileFormats> FFormats;
};
