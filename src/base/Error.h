#pragma once

#include <QString>
#include <exception>

/// The error every operation of the program raises: it carries the message
/// shown to the user (Russian, exactly as the system words it).
class EError : public std::exception {
public:
    explicit EError(QString message);

    /// Returns the message text.
    const QString &Message() const noexcept { return FMessage; }
    /// Returns the message as UTF-8, for std::exception users.
    const char *what() const noexcept override { return FUtf8.constData(); }

private:
    QString FMessage;
    QByteArray FUtf8;
};

/// A text that is not a valid number where one was required.
class EConvertError : public EError {
public:
    using EError::EError;
};

/// The silent end of an operation the user declined (a question answered
/// No, a cancelled read): callers stop and show nothing.
class EAbort : public std::exception {
public:
    const char *what() const noexcept override { return "aborted"; }
};
