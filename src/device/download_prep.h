// From a document to what the download sends: the checks before the port opens
// and the compile into the send copies, with the model the device must match.
#pragma once

#include "device/device_link.h"

class CZaradDoc;

// The pre-download check of the document (its messages shown); true to go on.
bool CheckDocumentForDownload(const CZaradDoc& doc);
// Compiles the document (its messages shown on failure) into the image the link
// sends: the register-order copies of the table image, the program area and the
// message-text pages, and the document's own model and minimum firmware. The
// download's time stamp is the current time unless given.
bool CompileForDownload(CZaradDoc& doc, TransferImage* out, const SYSTEMTIME* stamp = nullptr);
