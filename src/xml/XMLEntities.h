#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The entities of the program's XML files. Decoding knows "&lt;", "&gt;",
// "&quot;" and "&amp;"; attribute values also "&#13;" and "&#10;", which the
// writer uses for line breaks inside values. No other reference is known.

/// Returns whether text holds nothing but characters up to the space (what
/// trimming would remove).
bool IsBlankText(QStringView text);

/// Returns element text decoded from Windows-1251 bytes.
QString DecodeText(QByteArrayView bytes);
/// Returns text decoded once more (used when text pieces are joined).
QString DecodeText(QStringView text);
/// Returns an attribute value decoded from Windows-1251 bytes.
QString DecodeAttributeValue(QByteArrayView bytes);

/// Appends element text as Windows-1251 bytes with & < > " encoded and every
/// CR LF written as "<br/>".
void AppendEncodedText(QByteArray &out, QStringView text);
/// Appends an attribute value as Windows-1251 bytes with & < > " encoded and
/// CR and LF written as "&#13;" and "&#10;".
void AppendEncodedAttributeValue(QByteArray &out, QStringView value);

/// Returns whether attribute value bytes read back and written again would
/// be the same bytes: they hold no entity, no character the writer encodes
/// and no line break.
bool IsPlainAttributeValue(QByteArrayView bytes);

/// The most bytes one character takes in encoded text or values ("&quot;").
inline constexpr qsizetype kMaxEncodedCharBytes = 6;

/// Writes element text as AppendEncodedText does into out, which has room
/// for kMaxEncodedCharBytes per character; returns the end of what it wrote.
char *EncodeText(char *out, QStringView text);

/// Writes an attribute value as AppendEncodedAttributeValue does into out,
/// which has room for kMaxEncodedCharBytes per character; returns the end of
/// what it wrote.
char *EncodeAttributeValue(char *out, QStringView value);
