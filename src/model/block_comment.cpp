#include "model/block_comment.h"

IMPLEMENT_SERIAL(CBlockComment, CObject, 1)
