#pragma once
// The Qt side of drag and drop: drag data to and from the MIME data that Qt
// carries between programs. Only platform code includes this header.

#include <QMimeData>

#include <memory>
#include <string>
#include <vector>

#include "platform/vcl/dragdrop.h"

// Holds only the formats the data has: text (as Unicode text), rich text,
// the program's own formats (as their bytes) and the files (as file locations).
std::unique_ptr<QMimeData> ToMimeData(const TDropData& Data);
// Reads every format it knows and those of the program's own that are asked
// for; rich text also under the names other programs use.
TDropData FromMimeData(const QMimeData& Mime, const std::vector<std::string>& CustomFormats = {});
