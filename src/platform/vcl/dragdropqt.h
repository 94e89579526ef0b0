#pragma once
// The Qt side of drag and drop: drag data to and from the MIME data that Qt
// carries between programs. Only platform code includes this header.

#include <QMimeData>

#include <memory>

#include "platform/vcl/dragdrop.h"

// Holds only the formats the data has: text (as Unicode text), rich text,
// the column (4 bytes, low byte first) and the files (as file locations).
std::unique_ptr<QMimeData> ToMimeData(const TDropData& Data);
// Reads every format it knows; rich text also under the names other programs use.
TDropData FromMimeData(const QMimeData& Mime);
