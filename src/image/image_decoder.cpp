#include "image/image_decoder.h"

bool DecodeProgramImage(const ProgramImage&, WORD, CZaradDoc&, CString& error) {
  error = CString("Reading a program back from the device is not supported yet.");
  return false;
}
