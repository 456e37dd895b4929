// Rebuilding a diagram from a program image read back from a device.
#pragma once

#include "image/download_image.h"
#include "platform/cstring.h"
#include "platform/types.h"

class CZaradDoc;

// Decodes `image` (table image, program area J and the newer series'
// message-text pages, all in image byte order) into `doc`, a new empty FBD
// document whose model is `modelCode`. The blocks, wires, settings, data log
// and message texts of the image become the document's. Returns false with a
// sentence for the user in `error` when the image is damaged; the document is
// then left empty.
bool DecodeProgramImage(const ProgramImage& image, WORD modelCode, CZaradDoc& doc, CString& error);
