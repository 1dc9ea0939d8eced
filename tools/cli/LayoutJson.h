#pragma once

#include <QJsonObject>

class TLayout;

/// Returns the whole layout as the JSON object the dump command prints.
QJsonObject LayoutToJson(const TLayout &layout);
