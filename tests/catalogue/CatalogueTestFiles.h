#pragma once

#include "base/Win1251.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

// Description files for the tests, written as the program ships them:
// Windows-1251 bytes, CR LF line ends.

/// Root attributes of a small valid model: 4 columns, 3 rows, 2 layers, no key
/// lock, no reader.
inline const QString kBaseAttributes = QStringLiteral(
    R"(ID="7" Name="Test_12" ClassName="Тест-12" Model="9" Width="4" Height="3" Layers="2" HasKey="0" HasReader="0")");

/// Returns a "Key" element line.
inline QString KeyLine(int left, int top, int logicalNumber)
{
    return QStringLiteral("  <Key Left=\"%1\" Top=\"%2\" LogicalNumber=\"%3\"/>\r\n")
        .arg(left)
        .arg(top)
        .arg(logicalNumber);
}

/// Returns the document text of a description: root element "Keyboard" (or
/// rootName) with the attributes and the children lines.
inline QString DescriptionText(const QString &attributes, const QString &children,
                               const QString &rootName = QStringLiteral("Keyboard"))
{
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"ISO8859-1\" ?>\r\n<%1 %2>\r\n%3</%1>\r\n")
        .arg(rootName, attributes, children);
}

/// Returns a description with the base attributes and one key cell.
inline QString ValidDescription(const QString &attributes = kBaseAttributes)
{
    return DescriptionText(attributes, KeyLine(1, 1, 1));
}

/// Writes bytes to dir/name and returns the path.
inline QString WriteBytes(const QString &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = QDir(dir).filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    file.write(bytes);
    return path;
}

/// Writes text as Windows-1251 to dir/name and returns the path.
inline QString WriteText(const QString &dir, const QString &name, const QString &text)
{
    return WriteBytes(dir, name, ToWin1251(text));
}

/// The folder of the shipped model descriptions.
inline QString ShippedFolder()
{
    return QStringLiteral(RAVLIN_DATA_DIR "/") + QStringLiteral("Клавиатуры");
}
