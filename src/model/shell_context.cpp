#include "model/shell_context.h"

WORD g_CurrentModelCode = 0x5188;
int g_ShowPropertiesOnNew = 1;

namespace {

CShellContext* DefaultShell() {
  static CShellContext shell;
  return &shell;
}

CShellContext* g_pShell = nullptr;

}  // namespace

CShellContext* GetShellContext() {
  return g_pShell ? g_pShell : DefaultShell();
}

void SetShellContext(CShellContext* shell) {
  g_pShell = shell;
}
