#include "device/download_prep.h"

#include "image/download_image.h"
#include "model/model_table.h"
#include "model/zarad_doc.h"

bool CheckDocumentForDownload(const CZaradDoc& doc) {
  return CheckUnconnectedBlocks(doc);
}

bool CompileForDownload(CZaradDoc& doc, TransferImage* out, const SYSTEMTIME* stamp) {
  DownloadImage compiled;
  if (!(stamp ? PrepareDownload(doc, &compiled, *stamp) : PrepareDownload(doc, &compiled))) return false;
  WORD minFirmware = doc.IsNewerFamily() ? kFirmwareNewer : kFirmwareOlder;
  GetModelName(doc.m_wModelCode, nullptr, &minFirmware);
  out->modelCode = doc.m_wModelCode;
  out->second = doc.m_wFirmware;
  out->minFirmware = minFirmware;
  out->table = std::move(compiled.tableRegisters);
  out->program = std::move(compiled.programRegisters);
  out->texts = std::move(compiled.textRegisters);
  return true;
}
