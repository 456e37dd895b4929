#include "platform/object.h"

#include <cstdio>
#include <cstdlib>
#include <unordered_map>

namespace {

struct ClassRegistry {
  std::vector<const CRuntimeClass*> ordered;
  std::unordered_map<std::string_view, const CRuntimeClass*> byName;
};

// Built on first use, so that registrars in any translation unit may run first.
ClassRegistry& Registry() {
  static ClassRegistry registry;
  return registry;
}

void Register(const CRuntimeClass* cls) {
  // Registrars run during static initialisation, before any thread starts.
  int depth = 0;
  for (const CRuntimeClass* c = cls->m_pBaseClass; c != nullptr; c = c->m_pBaseClass) ++depth;
  cls->m_nDepth = depth;
  ClassRegistry& reg = Registry();
  const std::string_view name(cls->m_lpszClassName);
  auto [it, inserted] = reg.byName.emplace(name, cls);
  if (!inserted) {
    if (it->second == cls) return;
    std::fprintf(stderr, "two run-time classes are named %s\n", cls->m_lpszClassName);
    std::abort();
  }
  reg.ordered.push_back(cls);
}

}  // namespace

const CRuntimeClass CObject::classCObject = {"CObject", static_cast<int>(sizeof(CObject)), kNoSchema, nullptr,
                                             nullptr};
static const CRuntimeClassRegistrar zovuzi_class_registrar_CObject(&CObject::classCObject);

CRuntimeClassRegistrar::CRuntimeClassRegistrar(const CRuntimeClass* cls) {
  Register(cls);
}

CObject* CRuntimeClass::CreateObject() const {
  return m_pfnCreateObject ? m_pfnCreateObject() : nullptr;
}

const CRuntimeClass* CRuntimeClass::FromName(std::string_view name) {
  const ClassRegistry& reg = Registry();
  auto it = reg.byName.find(name);
  return it == reg.byName.end() ? nullptr : it->second;
}

std::vector<const CRuntimeClass*> CRuntimeClass::GetRegisteredClasses() {
  return Registry().ordered;
}

const CRuntimeClass* CObject::GetRuntimeClass() const {
  return &classCObject;
}

void CObject::Serialize(CArchive&) {}
