// CBlockComment: a text comment on the diagram. The document owns its comments;
// the comment's fields and record are filled in with the comment editing.
#pragma once

#include "platform/object.h"

class CBlockComment : public CObject {
  DECLARE_SERIAL(CBlockComment)

 public:
  CBlockComment() = default;
  ~CBlockComment() override = default;
};
