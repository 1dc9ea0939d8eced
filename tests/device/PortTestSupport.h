#pragma once

#include "base/Error.h"

#include <QString>

// Returns the message of the EError that call raises, or an empty text when
// it raises none.
template <typename TCall> QString ErrorOf(TCall &&call)
{
    try {
        call();
    } catch (const EError &error) {
        return error.Message();
    }
    return {};
}
