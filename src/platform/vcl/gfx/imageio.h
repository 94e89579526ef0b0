#pragma once
// Decoding images and keying out a colour (platform code only).

#include <QImage>
#include <string>

#include "platform/vcl/gfx/colors.h"

// Any format Qt reads; raises EInvalidGraphic naming What and Qt's reason.
QImage DecodeImageFile(const std::string& FileName);
QImage DecodeImageBytes(const std::string& Bytes);
// The image with every pixel of colour Key made see-through.
QImage WithoutColor(const QImage& Image, TColor Key);
