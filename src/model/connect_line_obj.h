// CConnectLineObj: a wire from an output pin to an input pin. The document owns
// its wires; the wire's fields and record are filled in with the wire editing.
#pragma once

#include "platform/object.h"

class CConnectLineObj : public CObject {
  DECLARE_SERIAL(CConnectLineObj)

 public:
  CConnectLineObj() = default;
  ~CConnectLineObj() override = default;
};
