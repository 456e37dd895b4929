#include "model/connect_line_obj.h"

IMPLEMENT_SERIAL(CConnectLineObj, CObject, 0)
