#pragma once

#include "common/BaseForm.h"

#include <QPointer>
#include <functional>
#include <memory>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TFont;
class TGraphic;
class TGraphicPreview;
class TKeyPicture;
class TLayoutDocument;
class TMasterKey;

/// The key picture window "Рисунок": a tool window that shows and edits the
/// pictures of the keys selected in the document it serves — background,
/// image, text, font and text orientation. It edits all selected keys of the
/// first layer at once through its multi-key editor; every edit is written
/// into the keys at once, and only the property it changed. It follows the
/// document's selection; Escape hides it.
class TfmPicture : public TBaseForm {
    Q_OBJECT

public:
    explicit TfmPicture(const TFont &font, QWidget *parent = nullptr);
    ~TfmPicture() override;

    /// Serves a document, or none: the window is then cleared (no image,
    /// empty text, white preview panel in the buttons' font).
    void Attach(TLayoutDocument *document);
    TLayoutDocument *Document() const { return FDocument; }
    /// Returns the multi-key editor as last loaded or changed.
    const TMasterKey &Master() const { return *FMaster; }

    /// Loads the multi-key editor from the selected keys and shows it.
    void Refresh();

    /// The edits: each loads the editor from the selected keys, changes one
    /// property of its picture and writes that property into every selected
    /// key. LoadImageFile raises EError, keeping the keys' pictures, for a
    /// file that cannot be read, holds no picture or is too large.
    void LoadImageFile(const QString &fileName);
    void ClearImage();
    void SetPictureText(const QString &text);
    void SetPictureFont(const TFont &font);
    void SetBackgroundColor(uint32_t color);
    /// 0 horizontal, 1 vertical text.
    void SetTextOrientation(int orientation);

    /// The same edits through the open-picture, font and colour dialogs.
    void AskLoadImage();
    void AskFont();
    void AskBackgroundColor();
    /// Asks for a file named "*." plus the graphic's extension and writes the
    /// graphic's bytes into it unchanged; nothing for an empty graphic.
    void AskSaveImage(const TGraphic &graphic);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void Change(const std::function<void(TKeyPicture &)> &change);
    void ShowPicture();
    void ShowCaption();
    void OnDocumentChanged(int kind);
    QPushButton *AddButton(const QString &text, const QString &name, const std::function<void()> &command);

    QPointer<TLayoutDocument> FDocument;
    QMetaObject::Connection FLink;
    /// Set while the window's own edit goes into the document, whose
    /// notification then needs no refresh.
    bool FApplying = false;
    std::unique_ptr<TMasterKey> FMaster;
    TGraphicPreview *FImage;
    QLineEdit *FText;
    QLabel *FTextPanel;
    QButtonGroup *FOrientation;
    QRadioButton *FHorizontal;
    QRadioButton *FVertical;
};
