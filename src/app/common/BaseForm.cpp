#include "common/BaseForm.h"

#include "model/Font.h"

#include <QFontDatabase>

TBaseForm::TBaseForm(const TFont &font, QWidget *parent, Qt::WindowFlags flags) : QWidget(parent, flags)
{
    setFont(FormFont(font));
}

QFont TBaseForm::FormFont(const TFont &font)
{
    QFont result = font.ToQFont();
    if (!QFontDatabase::hasFamily(font.Name()))
        result.setFamily(QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
    return result;
}
