// CObject and run-time classes: class names, schemas, dynamic creation and
// kind-of tests for the objects that archives store.
//
// A class takes part in three steps:
//   header:  class CFoo : public CBar { DECLARE_SERIAL(CFoo) ... };
//   source:  IMPLEMENT_SERIAL(CFoo, CBar, VERSIONABLE_SCHEMA | 1)
// IMPLEMENT_SERIAL registers the class by name at start-up, so that an archive
// can create an object from the class name it finds in a file. A serializable
// class needs a default constructor. DECLARE_DYNAMIC / IMPLEMENT_DYNAMIC give
// the kind-of test only, DECLARE_DYNCREATE / IMPLEMENT_DYNCREATE add creation
// without a schema.
//
// A class is only registered when its object file is linked: a program that
// reads files naming a class must reference that class somewhere (the block
// factory does this for the block classes).
#pragma once

#include <string_view>
#include <type_traits>
#include <vector>

#include "platform/types.h"

class CArchive;
class CObject;

// Or'ed into a class's schema: the class reads records of other schemas itself
// (it asks CArchive::GetObjectSchema) instead of refusing them.
constexpr UINT VERSIONABLE_SCHEMA = 0x80000000u;
// Schema of a class that cannot be stored (DECLARE_DYNAMIC / DECLARE_DYNCREATE).
constexpr UINT kNoSchema = 0xFFFFu;

struct CRuntimeClass {
  const char* m_lpszClassName;
  int m_nObjectSize;
  UINT m_wSchema;  // schema number, possibly with VERSIONABLE_SCHEMA; kNoSchema when not serializable
  CObject* (*m_pfnCreateObject)();  // null for classes that cannot be created dynamically
  const CRuntimeClass* m_pBaseClass;
  // How many classes lie between this one and CObject (CObject: 0), set when
  // the class registers; -1 before that.
  mutable int m_nDepth = -1;

  // A new object of this class, or null when the class cannot be created.
  CObject* CreateObject() const;
  bool IsDerivedFrom(const CRuntimeClass* base) const {
    const CRuntimeClass* c = this;
    // With both depths known only the ancestor at the base's depth can be it.
    if (base != nullptr && base->m_nDepth >= 0 && m_nDepth >= 0) {
      if (base->m_nDepth > m_nDepth) return false;
      for (int up = m_nDepth - base->m_nDepth; up > 0; --up) c = c->m_pBaseClass;
      return c == base;
    }
    for (; c != nullptr; c = c->m_pBaseClass) {
      if (c == base) return true;
    }
    return false;
  }
  bool IsSerializable() const { return m_wSchema != kNoSchema && m_pfnCreateObject != nullptr; }
  bool IsVersionable() const { return (m_wSchema & VERSIONABLE_SCHEMA) != 0; }
  // The schema number written into files (without the versionable flag).
  UINT GetSchemaNumber() const { return m_wSchema & ~VERSIONABLE_SCHEMA; }

  // The registered class of that name, or null.
  static const CRuntimeClass* FromName(std::string_view name);
  // Every registered class, in registration order.
  static std::vector<const CRuntimeClass*> GetRegisteredClasses();
};

// Registers a class at start-up; used by the IMPLEMENT_ macros through a static object.
// Two different classes with the same name are a programming error and stop the program.
struct CRuntimeClassRegistrar {
  explicit CRuntimeClassRegistrar(const CRuntimeClass* cls);
};

class CObject {
 public:
  virtual ~CObject() = default;

  virtual const CRuntimeClass* GetRuntimeClass() const;
  // Stores or loads the object's own fields; CObject has none.
  virtual void Serialize(CArchive& ar);

  bool IsKindOf(const CRuntimeClass* cls) const { return GetRuntimeClass()->IsDerivedFrom(cls); }
  bool IsSerializable() const { return GetRuntimeClass()->IsSerializable(); }

  static const CRuntimeClass classCObject;
  static const CRuntimeClass* GetThisClass() { return &classCObject; }

 protected:
  CObject() = default;
  CObject(const CObject&) = default;
  CObject& operator=(const CObject&) = default;
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNAMIC(class_name)             \
 public:                                        \
  static const CRuntimeClass class##class_name; \
  static const CRuntimeClass* GetThisClass() {  \
    return &class##class_name;                  \
  }                                             \
  const CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
  DECLARE_DYNAMIC(class_name)         \
  static CObject* CreateObject();

#define DECLARE_SERIAL(class_name) DECLARE_DYNCREATE(class_name)

#define ZOVUZI_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, schema, pfnNew)                          \
  const CRuntimeClass class_name::class##class_name = {#class_name, static_cast<int>(sizeof(class_name)),   \
                                                       (schema), (pfnNew), RUNTIME_CLASS(base_class_name)}; \
  const CRuntimeClass* class_name::GetRuntimeClass() const {                                                \
    return RUNTIME_CLASS(class_name);                                                                       \
  }                                                                                                         \
  static const CRuntimeClassRegistrar zovuzi_class_registrar_##class_name(RUNTIME_CLASS(class_name));

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
  ZOVUZI_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, kNoSchema, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name) \
  CObject* class_name::CreateObject() {                  \
    return new class_name;                               \
  }                                                      \
  ZOVUZI_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, kNoSchema, class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, schema) \
  CObject* class_name::CreateObject() {                       \
    return new class_name;                                    \
  }                                                           \
  ZOVUZI_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, (schema), class_name::CreateObject)

// The object as a T when it is of T's run-time class or derived from it, else
// null. Keeps the constness of the pointer it is given.
template <class T, class U>
auto DynamicDowncast(U* object) -> std::conditional_t<std::is_const_v<U>, const T*, T*> {
  if (object == nullptr || !object->IsKindOf(T::GetThisClass())) return nullptr;
  return static_cast<std::conditional_t<std::is_const_v<U>, const T*, T*>>(object);
}
#define DYNAMIC_DOWNCAST(class_name, object) DynamicDowncast<class_name>(object)
