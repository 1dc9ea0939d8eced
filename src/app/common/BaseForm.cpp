#include "common/BaseForm.h"

#include "model/Font.h"

#include <QFontDatabase>
#include <QFontInfo>

TBaseForm::TBaseForm(const TFont &font, QWidget *parent, Qt::WindowFlags flags) : QWidget(parent, flags)
{
    setFont(FormFont(font));
}

QFont TBaseForm::FormFont(const TFont &font)
{
    QFont result = font.ToQFont();
    if (!QFontDatabase::hasFamily(font.Name()))
        // The system font's family may be an alias ("Sans Serif"): take the
        // face it resolves to, so that the form names a real one.
        result.setFamily(QFontInfo(QFontDatabase::systemFont(QFontDatabase::GeneralFont)).family());
    return result;
}
