#include "base/Error.h"

EError::EError(QString message) : FMessage(std::move(message)), FUtf8(FMessage.toUtf8()) {}
