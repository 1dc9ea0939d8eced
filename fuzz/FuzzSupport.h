#pragma once

#include "base/Error.h"

#include <QByteArray>
#include <QByteArrayView>
#include <cstddef>
#include <cstdint>

class TKeyboards;
class TLayout;

// Shared by the fuzz targets. Every target hands its input to one reader and
// accepts two outcomes only: success or an EError. Anything else (another
// exception, a crash, a sanitizer report) ends the run as a finding.

/// Returns the input as bytes (a copy, so that a reader may keep it).
QByteArray FuzzInput(const uint8_t *data, size_t size);

/// Runs action and swallows the EError it raises; every other exception
/// escapes to the fuzzer. Returns whether action raised.
template <typename F> bool Refused(F action)
{
    try {
        action();
    } catch (const EError &) {
        return true;
    }
    return false;
}

/// Returns the shipped model catalogue (data/Клавиатуры), loaded on first use.
const TKeyboards &FuzzKeyboards();

/// Returns the XML layout text of a layout: the form in which two layouts are
/// compared.
QByteArray LayoutText(const TLayout &layout);

/// Aborts the run when a refused load of input changed the caller's layout
/// from the one whose text is before. Writing a layout's text costs more
/// than most loads, so one refusal in eight is checked, chosen by the
/// input's hash: a replay of the input checks it again.
void RequireUnchanged(const QByteArray &before, const TLayout &layout, QByteArrayView input);
