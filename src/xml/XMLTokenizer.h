#pragma once

#include <QByteArray>
#include <QByteArrayView>

/// Splits an XML document into tokens. Works on the bytes of a buffer held in
/// memory, counts lines for messages and never reads past the buffer.
class TXMLTokenizer {
public:
    enum TKind { tkEnd, tkDeclaration, tkComment, tkStartTag, tkEndTag, tkEmptyTag, tkText };

    /// The greatest length of one token (a tag or a text run); a longer one
    /// is refused as a line too long for the reader's buffer.
    static constexpr qsizetype kBufferSize = 1048576;

    explicit TXMLTokenizer(QByteArrayView input) : FInput(input) {}

    /// Reads the next token; raises EXMLError for a tag that is not closed
    /// by ">" and for a token longer than the buffer.
    TKind Next();
    /// Returns the current token's bytes, normalised: CR LF and LF CR pairs
    /// deleted, runs of spaces made one space.
    QByteArrayView Token() const { return FToken; }
    /// Returns the line on which the current token starts, counted from 1.
    int Line() const { return FTokenLine; }

private:
    /// Sets the token to raw, normalised; returns false when raw needed
    /// nothing (then it holds no line break).
    bool Normalise(QByteArrayView raw);
    void CountLines(qsizetype from, qsizetype to);

    QByteArrayView FInput;
    qsizetype FPos = 0;
    int FLine = 1;
    int FTokenLine = 1;
    QByteArrayView FToken;
    QByteArray FScratch;
};
